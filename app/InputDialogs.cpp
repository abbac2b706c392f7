#include "app/InputDialogs.h"

#include <vector>

#include "app/T_2kWindow.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "platform/Ui.h"

namespace {

// Stand-ins until the dialogs exist: nothing is changed and every dialog answers Cancel.
class StandInDialogs final : public TInputDialogs {
public:
    int QuickDefine(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int General(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int MaterialsSheet(T_2kWindow&, TStructure&, int, int, int, int) override { return DialogResult::Cancel; }
    int ConcreteSectionSheet(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int TransverseSheet(T_2kWindow&, TStructure&, int, int) override { return DialogResult::Cancel; }
    int LongitudinalSheet(T_2kWindow&, TStructure&, int, int, int, int) override { return DialogResult::Cancel; }
    int TendonSheet(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int Loads(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int TimeEffects(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int Shrink(T_2kWindow&, TStructure&, int) override { return DialogResult::Cancel; }
    int DefineData(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int Fire(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
    int MemberProperties(T_2kWindow&, TMemberDefinition&) override { return DialogResult::Cancel; }
    int MemberDefinition(T_2kWindow&, TMemberDefinition&) override { return DialogResult::Cancel; }
    int Preferences(T_2kWindow&) override { return DialogResult::Cancel; }
    void RelaxationDemo(T_2kWindow&) override {}
};

StandInDialogs g_standIns;
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
