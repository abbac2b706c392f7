#pragma once
// The five character entities of data documents, and the cut of document text quoted in
// messages.

#include <cstddef>
#include <string>
#include <string_view>

// Replaces '"', '<', '>', '&' and '\'' by "&quot;", "&lt;", "&gt;", "&amp;" and "&apos;";
// every other character is kept.
std::string XmlEscape(std::string_view value);

// Scanning left to right, the five entities above become their characters again; any other
// '&' sequence (numeric references included) is copied unchanged.
std::string XmlUnescape(std::string_view value);

// Longest piece of document text that a message quotes.
inline constexpr std::size_t kQuotedInputChars = 300;

// The text cut to kQuotedInputChars characters, "..." marking a cut.
std::string QuoteForMessage(std::string_view text);
