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

// Reads the answer to a percentage prompt as every typed number is read: factor gets the
// percentage / 100, at least 0.1 (an empty answer reads as 0, so 0.1), and the result is
// empty; text that is no number gives the message and factor is left as it was.
std::string ReadPercentFactor(const std::string& text, double& factor);
// The factor of "Scale All" for a width x height box: at most what keeps both within the
// largest window extent.
double ScaleAllFactor(double factor, int width, int height);
// The text scale after "Scale Text": scale times the factor, at most kMaxTextScale.
double ScaledTextScale(double scale, double factor);

// The largest lettering scale of a graphic box: its letters stay within any window.
inline constexpr double kMaxTextScale = 1000.0;
