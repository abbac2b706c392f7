// The typing every list page takes alike, shared by the targets that type into the list pages.
#pragma once

#include <cstddef>

#include "TypedFuzzSupport.h"
#include "dialogs/ListEditor.h"

// A field (0-5), the name (n), or the bar by area (b) or by designation (d; one the catalogue
// lacks is chosen from the list, which the gateway here cancels) typed into the page's form.
// False for any other action, which the caller takes.
inline bool TypeIntoListForm(TGen_Base& page, const TypedAction& a)
{
    ListForm& f = page.form;
    switch (a.op) {
    case '0': case '1': case '2': case '3': case '4': case '5':
        f.fields[static_cast<std::size_t>(a.op - '0')] = a.text;
        page.FieldChanged();
        return true;
    case 'n':
        f.name = a.text.substr(0, 20);
        return true;
    case 'b':
    case 'd':
        f.bar.byArea = a.op == 'b' ? 1 : 0;
        f.bar.text = a.text;
        page.BarFieldLeft();
        return true;
    default:
        return false;
    }
}
