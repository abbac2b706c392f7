#include "app/InputDialogs.h"

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
