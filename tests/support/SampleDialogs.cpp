#include "support/SampleDialogs.h"

using plat::ControlKind;
using plat::CtlStyle::DropDownList;
using plat::DialogItem;
using plat::DialogTemplate;

namespace sample {

namespace {
DialogItem Limited(DialogItem item, int limit) {
    item.textLimit = limit;
    return item;
}
} // namespace

DialogTemplate SettingsTemplate() {
    DialogTemplate t;
    t.caption = "Sample Settings";
    t.Add(DialogItem::Make(-1, ControlKind::GroupBox, "General"))
        .Add(DialogItem::Make(IdName, ControlKind::Edit, "", "&Name"))
        .Add(Limited(DialogItem::Make(IdValue, ControlKind::Edit, "", "&Value"), 8))
        .Add(DialogItem::Beside(-1, ControlKind::Static, "mm"))
        .Add(DialogItem::Make(IdNotes, ControlKind::MultiEdit, "", "N&otes"))
        .Add(DialogItem::Make(IdFixed, ControlKind::CheckBox, "&Fixed notation"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Units"))
        .Add(DialogItem::Make(IdMetric, ControlKind::RadioButton, "&Metric", "", plat::CtlStyle::Group))
        .Add(DialogItem::Make(IdImperial, ControlKind::RadioButton, "&Imperial"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Lists"))
        .Add(DialogItem::Make(IdKind, ControlKind::ComboBox, "", "&Kind", DropDownList))
        .Add(DialogItem::Make(IdSize, ControlKind::ComboBox, "", "&Size"))
        .Add(DialogItem::Make(IdLayers, ControlKind::ListBox, "", "&Layers", plat::CtlStyle::MultipleSel))
        .Add(DialogItem::Make(IdFill, ControlKind::PushButton, "Fi&ll"))
        .Add(DialogItem::Make(IdStatus, ControlKind::Static, "Ready"))
        .Add(DialogItem::EndGroup())
        .Add(DialogItem::Make(plat::DialogResult::Ok, ControlKind::DefPushButton, "OK"))
        .Add(DialogItem::Make(plat::DialogResult::Cancel, ControlKind::PushButton, "Cancel"));
    return t;
}

namespace {
// A parameter row: its name, its edit and its unit.
void Parameter(DialogTemplate& t, int nameId, const char* name, int editId, int unitId, const char* unit) {
    t.Add(DialogItem::Make(nameId, ControlKind::Static, name))
        .Add(DialogItem::Beside(editId, ControlKind::Edit))
        .Add(DialogItem::Beside(unitId, ControlKind::Static, unit));
}
} // namespace

std::vector<std::pair<std::string, DialogTemplate>> SectionPages() {
    DialogTemplate basic;
    basic.Add(DialogItem::Make(5025, ControlKind::ListView))
        .Add(DialogItem::Make(5026, ControlKind::StatusBar, "No Current Selection"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Parameters"));
    Parameter(basic, 230, "Overall Height", 5060, 130, "mm");
    Parameter(basic, 239, "Web Width", 5061, 131, "mm");
    Parameter(basic, 238, "Flange Width", 5062, 132, "mm");
    DialogTemplate standard;
    standard.Add(DialogItem::Make(5700, ControlKind::TreeView))
        .Add(DialogItem::Make(102, ControlKind::CheckBox, "Include Slab"))
        .Add(DialogItem::Make(5040, ControlKind::GroupBox, "Slab"));
    Parameter(standard, 230, "Slab Depth", 5123, 130, "mm");
    Parameter(standard, 239, "Slab Width", 5064, 131, "mm");
    DialogTemplate user;
    user.Add(DialogItem::Make(5022, ControlKind::GroupBox, "Concrete Type Definition"));
    Parameter(user, -1, "Elevation", 5032, 130, "mm");
    Parameter(user, -1, "Width", 5011, 131, "mm");
    user.Add(DialogItem::Make(5068, ControlKind::PushButton, "Add"))
        .Add(DialogItem::Beside(5078, ControlKind::PushButton, "Modify"))
        .Add(DialogItem::Beside(5035, ControlKind::PushButton, "Delete"))
        .Add(DialogItem::EndGroup())
        .Add(DialogItem::Make(5072, ControlKind::ListBox))
        .Add(DialogItem::Make(230, ControlKind::Static, "Full Beam Shown"));
    return {{"Basic Shapes", basic}, {"Standard Shapes", standard}, {"User Defined", user}};
}

} // namespace sample
