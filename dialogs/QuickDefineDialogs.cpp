#include "dialogs/QuickDefineDialogs.h"

#include "app/T_2kWindow.h"
#include "dialogs/QuickDefineWizard.h"

int TQuickDefineDialogs::QuickDefine(T_2kWindow& parent, TStructure& s) {
    return RunQuickDefineWizard(&parent, s);
}

TQuickDefineDialogs& InstallQuickDefineDialogs() {
    static TQuickDefineDialogs dialogs(GetInputDialogs());
    SetInputDialogs(&dialogs);
    return dialogs;
}
