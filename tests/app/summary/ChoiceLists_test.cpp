// The control panel's choice lists and the way back from a title to its graph id.

#include <gtest/gtest.h>

#include <map>

#include "app/summary/ChoiceLists.h"

namespace {

// A mode object with two graphs in category 4 (ids from 10, the second unavailable), three in
// category 1, one each in 5, 6, 7 and 11.
struct FakeLogic {
    int GetChoiceCount(int c) const
    {
        const std::map<int, int> counts{{4, 2}, {1, 3}, {5, 1}, {6, 1}, {7, 1}, {10, 0}, {11, 1}};
        const auto it = counts.find(c);
        return it == counts.end() ? 0 : it->second;
    }
    int IsChoiceAvailable(int c, int id) const
    {
        return !(c == 4 && id == 11) && !(c == 4700 && id == 1);
    }
    std::string GetGraphTitle(int id, int) const { return "graph " + std::to_string(id); }
    std::string GetChoiceTitle(int c, int i, int) const
    {
        return "choice " + std::to_string(c) + "." + std::to_string(i);
    }
};

TEST(ChoiceLists, TitlesByFlagsInListOrder)
{
    FakeLogic logic;
    EXPECT_EQ(ChoiceTitles(&logic, 1, 10), (std::vector<std::string>{"graph 10"}));
    EXPECT_EQ(ChoiceTitles(&logic, 4, 10),
              (std::vector<std::string>{"graph 1000", "graph 1001", "graph 1002"}));
    // Paste list 23 (bits 1, 2, 4, 16) and the 3-D diagrams of bit 16384 (the curvature one
    // unavailable).
    EXPECT_EQ(ChoiceTitles(&logic, 16407, 10),
              (std::vector<std::string>{"graph 10",
                                        "Crack Diagram ",
                                        "Cross Section",
                                        "graph 1000",
                                        "graph 1001",
                                        "graph 1002",
                                        "N+M",
                                        "Internal Forces",
                                        "3D Diagram: Long. Strain",
                                        "3D Diagram: Shear Strain"}));
    EXPECT_EQ(
        ChoiceTitles(&logic, 8 | 256 | 4096 | 8192, 10),
        (std::vector<std::string>{"choice 5.0", "choice 6.0", "choice 7.0", "Tabular Output"}));
    EXPECT_TRUE(ChoiceTitles<FakeLogic>(nullptr, 0xFFFF, 10).empty());
}

TEST(ChoiceLists, GraphIdFromTitle)
{
    FakeLogic logic;
    const struct {
        const char* title;
        int id;
    } cases[] = {
        {"choice 4.11", 11},
        {"choice 1.2", 1002},
        {"choice 5.0", 3000},
        {"choice 6.0", 4000},
        {"choice 7.0", 6000},
        {"Cross Section", 2001},
        {" Crack Diagram ", 2103},
        {"Crack Diagram ", 2000},
        {"3D Diagram: Shear Strain", 4702},
        {"choice 11.0", 4800},
        {"cross section", -1},
        {"Nothing like it", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChartIdFromTitle(&logic, c.title, 10), c.id) << c.title;
    EXPECT_EQ(ChartIdFromTitle<FakeLogic>(nullptr, "Cross Section", 10), 0);
}

} // namespace
