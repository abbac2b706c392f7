#include "charts/DialogResources.h"

using plat::ControlKind;
using plat::CtlStyle::Center;
using plat::DialogItem;
using plat::DialogTemplate;

namespace {

DialogTemplate Placed(const char* caption, int width, int height) {
    DialogTemplate t;
    t.caption = caption;
    t.width = width;
    t.height = height;
    return t;
}

} // namespace

DialogTemplate DataViewTemplate() {
    DialogTemplate t = Placed("View Data", 385, 313);
    t.sizing = true;
    t.Add(DialogItem::At(1, ControlKind::PushButton, "Close", 122, 289, 50, 14))
        .Add(DialogItem::At(4027, ControlKind::PushButton, "Copy", 323, 4, 50, 14))
        .Add(DialogItem::At(4028, ControlKind::MultiEdit, "", 8, 22, 364, 259))
        .Add(DialogItem::At(2, ControlKind::PushButton, "Cancel", 197, 290, 50, 14))
        .Add(DialogItem::At(-1, ControlKind::Static, "Click on button to Copy data to Windows Clipboard", 155, 9, 160, 8));
    return t;
}

DialogTemplate EditChartTemplate() {
    DialogTemplate t = Placed("Edit Chart", 260, 236);
    t.Add(DialogItem::At(4015, ControlKind::GroupBox, "Titles", 7, 4, 246, 90))
        .Add(DialogItem::At(-1, ControlKind::Static, "Chart Title", 14, 17, 52, 8))
        .Add(DialogItem::At(4002, ControlKind::Edit, "", 70, 15, 176, 12))
        .Add(DialogItem::At(-1, ControlKind::Static, "X-Axis Title", 14, 32, 52, 8))
        .Add(DialogItem::At(4003, ControlKind::Edit, "", 70, 30, 176, 12))
        .Add(DialogItem::At(-1, ControlKind::Static, "Y-Axis Title", 14, 47, 52, 8))
        .Add(DialogItem::At(4004, ControlKind::Edit, "", 70, 45, 176, 12))
        .Add(DialogItem::At(4017, ControlKind::Static, "Title Font:", 14, 63, 150, 8))
        .Add(DialogItem::At(4006, ControlKind::PushButton, "Select Title Font", 170, 60, 76, 14))
        .Add(DialogItem::At(4016, ControlKind::Static, "Axes font:", 14, 78, 150, 8))
        .Add(DialogItem::At(4007, ControlKind::PushButton, "Select Axes Font", 170, 75, 76, 14))
        .Add(DialogItem::At(4014, ControlKind::GroupBox, "Scale", 7, 96, 246, 86))
        .Add(DialogItem::At(-1, ControlKind::Static, "Auto", 104, 107, 22, 8, Center))
        .Add(DialogItem::At(-1, ControlKind::Static, "Auto", 226, 107, 22, 8, Center))
        .Add(DialogItem::At(-1, ControlKind::Static, "X Axis Min", 12, 120, 56, 8))
        .Add(DialogItem::At(4018, ControlKind::Edit, "", 70, 118, 34, 12))
        .Add(DialogItem::At(4010, ControlKind::CheckBox, "", 110, 119, 10, 10))
        .Add(DialogItem::At(-1, ControlKind::Static, "Y Axis Min", 128, 120, 60, 8))
        .Add(DialogItem::At(4026, ControlKind::Edit, "", 190, 118, 34, 12))
        .Add(DialogItem::At(4013, ControlKind::CheckBox, "", 232, 119, 10, 10))
        .Add(DialogItem::At(-1, ControlKind::Static, "X Axis Max", 12, 135, 56, 8))
        .Add(DialogItem::At(4019, ControlKind::Edit, "", 70, 133, 34, 12))
        .Add(DialogItem::At(4011, ControlKind::CheckBox, "", 110, 134, 10, 10))
        .Add(DialogItem::At(-1, ControlKind::Static, "Y Axis Max", 128, 135, 60, 8))
        .Add(DialogItem::At(4020, ControlKind::Edit, "", 190, 133, 34, 12))
        .Add(DialogItem::At(4012, ControlKind::CheckBox, "", 232, 134, 10, 10))
        .Add(DialogItem::At(-1, ControlKind::Static, "X Tick Distance", 12, 150, 56, 8))
        .Add(DialogItem::At(4021, ControlKind::Edit, "", 70, 148, 34, 12))
        .Add(DialogItem::At(-1, ControlKind::Static, "Y Tick Distance", 128, 150, 60, 8))
        .Add(DialogItem::At(4025, ControlKind::Edit, "", 190, 148, 34, 12))
        .Add(DialogItem::At(-1, ControlKind::Static, "X Decimal Points", 12, 165, 56, 8))
        .Add(DialogItem::At(4022, ControlKind::Edit, "", 70, 163, 34, 12, Center))
        .Add(DialogItem::At(-1, ControlKind::Static, "Y Decimal points", 128, 165, 60, 8))
        .Add(DialogItem::At(4023, ControlKind::Edit, "", 190, 163, 34, 12, Center))
        .Add(DialogItem::At(4024, ControlKind::GroupBox, "Line", 7, 185, 246, 29))
        .Add(DialogItem::At(-1, ControlKind::Static, "Thickness", 14, 199, 38, 8))
        .Add(DialogItem::At(4005, ControlKind::Edit, "", 54, 197, 24, 12, Center))
        .Add(DialogItem::At(-1, ControlKind::Static, "Colour", 90, 199, 26, 8))
        .Add(DialogItem::At(4008, ControlKind::PushButton, "Select", 118, 196, 40, 14))
        .Add(DialogItem::At(-1, ControlKind::Static, "Style", 170, 199, 22, 8))
        .Add(DialogItem::At(4009, ControlKind::PushButton, "Select", 194, 196, 40, 14))
        .Add(DialogItem::At(1, ControlKind::DefPushButton, "OK", 48, 217, 50, 14))
        .Add(DialogItem::At(2, ControlKind::PushButton, "Cancel", 105, 217, 50, 14))
        .Add(DialogItem::At(9, ControlKind::PushButton, "Help", 162, 217, 50, 14));
    return t;
}

DialogTemplate SelectListTemplate() {
    DialogTemplate t = Placed("Select Linetype", 235, 148);
    DialogItem list = DialogItem::At(5072, ControlKind::ListBox, "", 12, 20, 208, 100,
                         plat::CtlStyle::OwnerDraw | plat::CtlStyle::Sorted);
    t.Add(DialogItem::At(4080, ControlKind::Static, "Select a linetype from the following list", 12, 4, 156, 8))
        .Add(list)
        .Add(DialogItem::At(1, ControlKind::DefPushButton, "OK", 60, 128, 50, 14))
        .Add(DialogItem::At(2, ControlKind::PushButton, "Cancel", 124, 128, 50, 14));
    return t;
}
