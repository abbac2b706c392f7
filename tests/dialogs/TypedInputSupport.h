#pragma once
// Typing refused values into a dialog through the driver: each one is refused at OK with a
// message naming its field, the dialog stays open with the field selected, and the text typed
// stays for retyping.

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Dialog.h"
#include "support/ScriptedUi.h"

// The values every numeric field refuses.
inline const std::vector<std::string> kNotFinite = {"nan", "inf", "-inf", "1e300"};

struct TypedField {
    int id;
    std::string name;  // the field as the message names it
    std::vector<std::string> refused = kNotFinite;
};

// Scripts one run of the dialog captioned caption: each refused text of each field is typed,
// then `press` (OK, Apply or Next) is clicked; after its message the field's text is put back.
// The run ends with Cancel.
inline void ScriptRefusals(ScriptedUi& ui, const std::string& caption, const std::vector<TypedField>& fields,
                           int press = 1)
{
    ui.Dialog(caption, [fields, press](plat::DialogDriver& d) {
        for (const TypedField& f : fields) {
            const std::string before = d.Text(f.id);
            for (const std::string& text : f.refused) {
                d.Type(f.id, text);
                d.Click(press);
                EXPECT_FALSE(d.Ended()) << f.name << " took " << text;
                EXPECT_EQ(d.FocusedId(), f.id) << f.name << ": " << text;
                EXPECT_EQ(d.SelectedText(f.id), text) << f.name;
            }
            d.Type(f.id, before);
        }
        d.Click(2);
    });
    for (const TypedField& f : fields)
        for (std::size_t k = 0; k < f.refused.size(); ++k)
            ui.Message(f.name + " must be a", MsgAnswer::Ok);
}
