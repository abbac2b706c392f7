#include "charts/TextBoxRules.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Types.h"

namespace {
double PercentFactor(const std::string& text) { return std::max(0.1, std::atof(text.c_str()) / 100.0); }
} // namespace

std::string TextBoxText(const std::string& text) {
    std::string kept = text.substr(0, kTextBoxTextChars);
    if (!kept.empty() && kept.back() != '\n')
        kept += "\r\n";
    return kept;
}

int TextBoxFontHeight(int w, int h) { return std::min(4 * (h / 9) / 3, w / 9); }

double ScaleAllFactor(const std::string& text, int width, int height) {
    const double f = PercentFactor(text);
    const int extent = std::max({width, height, 1});
    return std::min(f, static_cast<double>(plat::kMaxWindowExtent) / extent);
}

double ScaledTextScale(double scale, const std::string& text) {
    return std::min(scale * PercentFactor(text), kMaxTextScale);
}
