#include "app/InputDialogs.h"

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
