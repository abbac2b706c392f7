#include <gtest/gtest.h>

#include "foundation/XmlEntities.h"

TEST(XmlEntities, EscapeAndUnescape)
{
    EXPECT_EQ(XmlEscape("a\"b<c>d&e'f"), "a&quot;b&lt;c&gt;d&amp;e&apos;f");
    EXPECT_EQ(XmlEscape(""), "");
    EXPECT_EQ(XmlUnescape("a&quot;b&lt;c&gt;d&amp;e&apos;f"), "a\"b<c>d&e'f");
    EXPECT_EQ(XmlUnescape("&#38; &amp &unknown; &amp;lt;"), "&#38; &amp &unknown; &lt;");
}

TEST(XmlEntities, QuotedInputIsCut)
{
    EXPECT_EQ(QuoteForMessage("short"), "short");
    EXPECT_EQ(QuoteForMessage(std::string(1000, 'x')), std::string(kQuotedInputChars, 'x') + "...");
}
