#include "dialogs/QuickDefineDialogs.h"

#include "app/T_2kWindow.h"
#include "dialogs/Catalog.h"
#include "dialogs/QuickDefineWizard.h"

int TQuickDefineDialogs::QuickDefine(T_2kWindow& parent, TStructure& s) {
    return RunQuickDefineWizard(&parent, s);
}

int TQuickDefineDialogs::Catalog(T_2kWindow& parent, std::array<std::unique_ptr<TStructure>, kMaxStructures>& table,
                                 int& current) {
    return RunCatalog(&parent, table, current, [&parent] { parent.MarkStructuresChanged(); });
}

TQuickDefineDialogs& InstallQuickDefineDialogs() {
    static TQuickDefineDialogs dialogs(GetInputDialogs());
    SetInputDialogs(&dialogs);
    return dialogs;
}
