#include "analysis/state/ErrorList.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string Numbered(int i)
{
    return "Message number " + std::to_string(i) + " of the analysis";
}

// Twenty-three entries are kept in order with their titles and codes; further ones are
// refused, and the last kept text is marked once, its message still readable behind it.
TEST(ErrorList, KeepsTwentyThreeEntriesAndMarksTheOverflow)
{
    ErrorList list;
    for (int i = 0; i < ErrorList::kMaxErrors; ++i)
        EXPECT_EQ(list.AddError(Numbered(i), "Title " + std::to_string(i), i % 2 ? 48 : 0), 1);
    EXPECT_EQ(list.AddError("one too many", "T", 48), 0);
    EXPECT_EQ(list.AddError("two too many", "T", 48), 0);
    EXPECT_EQ(list.GetErrorCount(), 23);

    for (int i = 0; i < 23; ++i) {
        SCOPED_TRACE(i);
        std::string text, title;
        int code = -1;
        EXPECT_EQ(list.GetError(i, text, title, code), 1);
        EXPECT_EQ(text, i < 22 ? Numbered(i) : ErrorList::kOverflowMarker + (" " + Numbered(i)));
        EXPECT_EQ(title, "Title " + std::to_string(i));
        EXPECT_EQ(code, i % 2 ? 48 : 0);
    }
}

// Also index 23 of a full list is outside it.
TEST(ErrorList, AnIndexOutsideTheListGivesTheFixedTexts)
{
    ErrorList list;
    list.AddError("only one", "T", 48);
    for (int index : {1, -1, INT_MIN}) {
        SCOPED_TRACE(index);
        std::string text = "untouched?", title = "untouched?";
        int code = 48;
        EXPECT_EQ(list.GetError(index, text, title, code), 0);
        EXPECT_EQ(text, "Error, asking for error message that is too high in list");
        EXPECT_EQ(title, "Error with Errors!");
        EXPECT_EQ(code, 0);
    }
    for (int i = 0; i < 30; ++i)
        list.AddError(Numbered(i), "T", 0);
    std::string text, title;
    int code = 1;
    EXPECT_EQ(list.GetError(23, text, title, code), 0);
}

} // namespace
