#pragma once
// The rules of the text and graphic boxes that need no window: the text a text box keeps, its
// first font height, and the factors of the "Scale All" and "Scale Text" prompts.

#include <string>

// Characters of text a text box keeps (a line end may follow).
inline constexpr std::size_t kTextBoxTextChars = 998;

// The first 998 characters of text, with "\r\n" appended when they do not end in a line feed
// (an empty text stays empty).
std::string TextBoxText(const std::string& text);

// The title font height of a w x h text box: min(4 (h / 9) / 3, w / 9) in integers.
int TextBoxFontHeight(int w, int h);

// The factor a percentage answer gives: atof(text) / 100, at least 0.1. For "Scale All" of a
// width x height box it is at most what keeps both within the largest window extent.
double ScaleAllFactor(const std::string& text, int width, int height);
// The text scale after "Scale Text": scale times the factor of the answer, at most
// kMaxTextScale.
double ScaledTextScale(double scale, const std::string& text);

// The largest lettering scale of a graphic box: its letters stay within any window.
inline constexpr double kMaxTextScale = 1000.0;
