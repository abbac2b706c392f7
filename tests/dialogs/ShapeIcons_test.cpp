// The pictures of the shape lists: the program's icons of the library shapes, and outlines
// drawn small, checked pixel by pixel from hand coordinates.

#include <gtest/gtest.h>

#include "dialogs/ShapeIcons.h"
#include "foundation/ReportText.h"
#include "foundation/TDepthTable.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "support/TestSupport.h"

namespace {

constexpr plat::Color kConcrete{200, 200, 200};

bool Same(plat::Color a, plat::Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

struct ShapeIcons : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    ~ShapeIcons() override
    {
        ShapeTable = {};
        StandardTable = {};
        ClearReportText();
    }
};

TEST_F(ShapeIcons, AnOutlineIsDrawnSmallAboutItsCentreLine)
{
    // A tee 600 mm deep: a 1000 x 100 mm flange over a 300 mm web. The width is the larger
    // extent: 28 px for 1 m, so the flange spans x 2 to 30, the web 11.8 to 20.2; the tee is
    // 16.8 px high, centred: y 7.6 (top) to 10.4 (flange) to 24.4 (bottom).
    TDepthTable tee("tee");
    for (const auto& [z, w] : {std::pair{0.6, 1.0}, {0.5, 1.0}, {0.5, 0.3}, {0.0, 0.3}})
        tee.Add(z, w);
    const plat::Image icon = OutlineIcon(tee, 32);
    ASSERT_FALSE(icon.IsNull());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_TRUE(Same(icon.Pixel(16, 17), kConcrete));  // in the web
    EXPECT_TRUE(Same(icon.Pixel(25, 9), kConcrete));   // in the flange, right of the web
    EXPECT_TRUE(Same(icon.Pixel(6, 17), plat::Colors::White));  // beside the web
    EXPECT_TRUE(Same(icon.Pixel(16, 5), plat::Colors::White));  // above the flange
    EXPECT_TRUE(Same(icon.Pixel(16, 27), plat::Colors::White)); // below the web
    EXPECT_TRUE(Same(icon.Pixel(31, 9), plat::Colors::White));  // beyond the flange's tip
    // The edges: the flange's left end at x 2, the web's bottom at y 24.
    EXPECT_FALSE(Same(icon.Pixel(2, 9), plat::Colors::White));
    EXPECT_FALSE(Same(icon.Pixel(2, 9), kConcrete));
    EXPECT_FALSE(Same(icon.Pixel(16, 24), plat::Colors::White));
    EXPECT_FALSE(Same(icon.Pixel(16, 24), kConcrete));

    TDepthTable flat("flat");
    flat.Add(0.0, 1.0);
    flat.Add(0.0, 0.5);
    EXPECT_TRUE(OutlineIcon(flat, 32).IsNull());
}

TEST_F(ShapeIcons, EveryLibraryShapeHasItsOwnPicture)
{
    ReadShapeLibraryText(0, DefaultShapeFileText() +
                                "TYPE WALL\n\tWall Section\nPARAMS t h\n\tThickness\n\tHeight\nSECTION\n"
                                "\th t\n\t0 t\nENDTYPE\n");
    plat::ImageList images(32, 32);
    std::vector<int> icons;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(IsLibraryShape(i));
        icons.push_back(AddShapeIcon(images, *ShapeTable[static_cast<std::size_t>(i)]));
    }
    EXPECT_EQ(icons, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ShapeTable[4]->iconCode, kUserIconCode);  // a shape of the file without a picture
    // Each pair of pictures differs somewhere.
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) {
            bool differ = false;
            for (int y = 0; y < 32 && !differ; ++y)
                for (int x = 0; x < 32 && !differ; ++x)
                    differ = !Same(images.Get(a).Pixel(x, y), images.Get(b).Pixel(x, y));
            EXPECT_TRUE(differ) << a << " and " << b;
        }
    // The rectangle is taller than wide; the tee's flange reaches the sides near the top.
    const plat::Image& rect = images.Get(0);
    const plat::Image& tee = images.Get(2);
    EXPECT_TRUE(Same(rect.Pixel(16, 16), kConcrete));
    EXPECT_FALSE(Same(rect.Pixel(4, 6), kConcrete));
    EXPECT_TRUE(Same(tee.Pixel(4, 7), kConcrete));
    EXPECT_FALSE(Same(tee.Pixel(4, 20), kConcrete));

    // A shape that names a picture file of its own shows that picture.
    TempDir dir;
    plat::Image own(32, 32, plat::Colors::LtRed);
    ASSERT_TRUE(own.SavePng(dir.File("wall.png")));
    ShapeTable[4]->iconPath = dir.File("wall.png");
    const int mine = AddShapeIcon(images, *ShapeTable[4]);
    EXPECT_TRUE(Same(images.Get(mine).Pixel(16, 16), plat::Colors::LtRed));
}

TEST_F(ShapeIcons, ACatalogueShapeIsDrawnFromItsOutlineWithoutAComplaint)
{
    // A girder 1000 mm deep: a 500 mm top flange 100 deep, a 100 mm web, no bottom flange. The
    // depth is the larger extent: 28 px for 1 m, y 2 to 30; the flange spans x 9 to 23.
    ReadShapeLibraryText(1, "TYPE G-1000\nCATEGORY Girders\nSECTION\n1000 500\n900 500\n900 100\n0 100\nENDTYPE\n");
    ASSERT_NE(StandardTable[0], nullptr);
    ClearReportText();
    const plat::Image icon = ShapeOutlineIcon(*StandardTable[0], 32);
    ASSERT_FALSE(icon.IsNull());
    EXPECT_FALSE(HasReportText());
    EXPECT_TRUE(Same(icon.Pixel(20, 3), kConcrete));   // the flange
    EXPECT_TRUE(Same(icon.Pixel(20, 15), plat::Colors::White));  // beside the web
    EXPECT_TRUE(Same(icon.Pixel(16, 15), kConcrete));  // the web
}

} // namespace
