#include "app/InputDialogs.h"

#include <vector>

#include "app/T_2kWindow.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "platform/Ui.h"

namespace {

// Until the dialogs are installed nothing is changed and every dialog answers Cancel.
TCancelInputDialogs g_standIns;
TInputDialogs* g_dialogs = nullptr;

} // namespace

TInputDialogs& GetInputDialogs() { return g_dialogs ? *g_dialogs : g_standIns; }

TInputDialogs* SetInputDialogs(TInputDialogs* dialogs) {
    TInputDialogs* previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}

int TInputDialogs::Catalog(T_2kWindow& parent, std::array<std::unique_ptr<TStructure>, kMaxStructures>& table,
                           int& current) {
    std::vector<std::string> names;
    std::vector<int> slots;
    int selected = 0;
    for (int i = 0; i < kMaxStructures; ++i) {
        const TStructure* s = table[static_cast<std::size_t>(i)].get();
        if (!s)
            continue;
        if (i == current)
            selected = static_cast<int>(names.size());
        names.push_back(StrPrintf("%d: %s", i + 1, s->GetName().c_str()));
        slots.push_back(i);
    }
    int chosen = selected;
    if (!plat::ListDialog("Catalog", names, chosen) || chosen < 0 || chosen >= static_cast<int>(slots.size()))
        return DialogResult::Cancel;
    parent.MarkStructuresChanged();
    current = slots[static_cast<std::size_t>(chosen)];
    return DialogResult::Ok;
}
