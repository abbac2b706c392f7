#pragma once
// Names and titles as a section keeps them: the text of a fixed-width field of stored files,
// without control characters. A NUL, TAB, line break or other control character (as pasted text
// or an older file can bring) becomes a blank, so that every name a section holds is written to a
// document and read back the same.

#include <cstddef>
#include <string>

// Whether the text holds a character below 32 or DEL.
bool HasControlCharacter(const std::string& text);

// The text with each control character a blank, at most maxChars characters kept.
std::string NameText(const std::string& text, std::size_t maxChars);
// The text with each control character a blank, all of it kept.
std::string NameText(const std::string& text);
