#include "dialogs/RefusedField.h"

#include "foundation/Reporter.h"
#include "platform/Dialog.h"
#include "platform/Ui.h"

bool RefuseField(plat::Dialog& dialog, int id, const std::string& message, const std::string& caption)
{
    plat::MessageBox(message, caption, MsgStyle::Ok | MsgStyle::IconExclamation);
    dialog.SelectItemText(id);
    return false;
}
