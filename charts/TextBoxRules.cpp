#include "charts/TextBoxRules.h"

#include <algorithm>
#include <cmath>

#include "foundation/TypedNumber.h"
#include "platform/Types.h"

std::string TextBoxText(const std::string& text) {
    std::string kept = text.substr(0, kTextBoxTextChars);
    if (!kept.empty() && kept.back() != '\n')
        kept += "\r\n";
    return kept;
}

int TextBoxFontHeight(int w, int h) { return std::min(4 * (h / 9) / 3, w / 9); }

std::string ReadPercentFactor(const std::string& text, double& factor) {
    // Any finite percentage is taken; the box and its lettering hold what it gives.
    const double typed = TypedNumber(text);
    if (!std::isfinite(typed))
        return "The percentage scale factor must be a number (values below 10 are taken as 10).";
    factor = std::max(0.1, typed / 100.0);
    return {};
}

double ScaleAllFactor(double factor, int width, int height) {
    const int extent = std::max({width, height, 1});
    return std::min(factor, static_cast<double>(plat::kMaxWindowExtent) / extent);
}

double ScaledTextScale(double scale, double factor) { return std::min(scale * factor, kMaxTextScale); }
