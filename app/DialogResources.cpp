#include "app/DialogResources.h"

using plat::ControlKind;

plat::DialogTemplate AboutTemplate() {
    using plat::DialogItem;
    using namespace plat::CtlStyle;
    plat::DialogTemplate t;
    t.caption = "About Quarvish-2010";
    t.width = 269;
    t.height = 100;
    t.sizing = true;
    t.Add(DialogItem::At(-1, ControlKind::Static, "QUARVISH-2010 Reinforced Concrete Sectional Analysis", 35, 5, 200, 8, Center))
        .Add(DialogItem::At(22001, ControlKind::Static, "Version", 35, 20, 200, 8, Center))
        .Add(DialogItem::At(22002, ControlKind::Static, "", 35, 35, 200, 17, Center))
        .Add(DialogItem::At(-1, ControlKind::Static, "Start picture: photograph by the program's authors", 30, 60, 210, 15))
        .Add(DialogItem::At(22003, ControlKind::Static, "", 180, 85, 66, 8, Right))
        .Add(DialogItem::At(3, ControlKind::Icon, "", 2, 2, 20, 20))
        .Add(DialogItem::At(1, ControlKind::DefPushButton, "OK", 126, 85, 40, 14));
    return t;
}
