// Labelled text with a NUL where a blank stands, opened by File > Open: no text line holds a NUL,
// and one between a key and its value is read as the blank it stands for.

#include <string>

#include "tests/app/UnheldLayerFixture.h"

using namespace unheld_layers;

// A bar layer "top" of the 500 x 300 mm section given by Z NUL 450 (the NUL for the blank),
// AI 500, NUM 2: it opens without a box at 450 mm above the bottom, with 2 x 500 = 1000 mm^2, as
// the same file with a blank does; a NUL ending the value line is read as a trailing blank.
TEST_F(UnheldLayerTest, ANulBetweenAKeyAndItsValueIsReadAsABlank)
{
    const std::string nul(1, '\0');
    for (const std::string& layer :
         {"LONGREINF top\nZ" + nul + "450\nAI 500\nNUM 2\nENDLONG\n",
          "LONGREINF top\nZ 450" + nul + "\nAI" + nul + "500\nNUM 2\nENDLONG\n",
          std::string("LONGREINF top\nZ 450\nAI 500\nNUM 2\nENDLONG\n")}) {
        SCOPED_TRACE(layer.find('\0'));
        EXPECT_TRUE(Open("nul.q2t", LabelledSection(layer)).empty());
        EXPECT_TRUE(ui.Done());
        const TStructure& s = *Window().GetCurrentStructure();
        ASSERT_EQ(s.GetName(), "Old girder");
        ASSERT_EQ(s.GetLongLayerCount(0), 1);
        const LongLayerRec& top = *s.GetLongLayer(0, 0);
        EXPECT_EQ(top.name, "top");
        EXPECT_NEAR(top.z - s.GetBottom(), 0.450, 1e-12);
        EXPECT_NEAR(top.A, 1000e-6, 1e-12);
    }
}
