// The dialogs placed in dialog units: every control inside the dialog, none on top of another
// (group boxes aside), and each one built and found by its id.

#include <gtest/gtest.h>

#include "app/DialogResources.h"
#include "charts/DialogResources.h"
#include "support/ScriptedUi.h"
#include "tests/platform/PlatformFixture.h"

using namespace plat;

namespace {
bool Overlap(const DialogItem& a, const DialogItem& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}
} // namespace

class DialogResourcesTest : public GuiTest {};

TEST_F(DialogResourcesTest, PlacedDialogsKeepTheirControlsApartAndInside) {
    for (const DialogTemplate& t : {AboutTemplate(), DataViewTemplate(), EditChartTemplate(), SelectListTemplate()}) {
        SCOPED_TRACE(t.caption);
        ASSERT_TRUE(t.IsPlaced());
        for (std::size_t i = 0; i < t.items.size(); ++i) {
            const DialogItem& a = t.items[i];
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= t.width && a.y + a.h <= t.height) << a.text;
            for (std::size_t j = i + 1; j < t.items.size(); ++j) {
                const DialogItem& b = t.items[j];
                if (a.kind == ControlKind::GroupBox || b.kind == ControlKind::GroupBox)
                    continue;
                EXPECT_FALSE(Overlap(a, b)) << a.id << " " << a.text << " / " << b.id << " " << b.text;
            }
        }
        Dialog dialog(nullptr, t);
        ScriptedUi ui;
        ui.Dialog(t.caption, [&](DialogDriver& d) {
            const Rect client = dialog.GetClientRect();
            EXPECT_EQ(client, dialog.MapDialogRect(Rect{0, 0, t.width, t.height}));
            for (const DialogItem& item : t.items) {
                if (item.id < 0)
                    continue;
                const Rect r = dialog.GetItemRect(item.id);
                EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                    << item.id;
                EXPECT_GT(r.Width(), 0) << item.id;
            }
            d.PressEscape();
        });
        EXPECT_EQ(dialog.Execute(), DialogResult::Cancel);
    }
}
