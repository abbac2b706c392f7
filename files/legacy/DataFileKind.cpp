#include "files/legacy/DataFileKind.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "foundation/DecimalPoint.h"

namespace {

constexpr std::size_t kVersionOffset = 35;
constexpr std::size_t kVersionChars = 3;
constexpr std::size_t kTagOffset = 39;
constexpr std::string_view kNativeTag = "Q4W96";
constexpr std::string_view kPredecessorHeader = "QUARVISH-DATA-FILE";
constexpr std::string_view kLabelledVersion = "Ver_0.8";
constexpr int kMaxUnsupportedCode = 999;

bool BytesAre(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view text)
{
    if (offset > bytes.size() || bytes.size() - offset < text.size())
        return false;
    return std::equal(text.begin(),
                      text.end(),
                      bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

// The version text read as a decimal number; a text that is no finite number reads as 0.
double VersionNumber(std::span<const std::uint8_t> head)
{
    char text[kVersionChars + 1] = {};
    for (std::size_t i = 0; i < kVersionChars; ++i)
        text[i] = static_cast<char>(head[kVersionOffset + i]);
    const double value = DecimalStrtod(text, nullptr);
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

std::string TitleBlockText(std::span<const std::uint8_t> head)
{
    std::string text;
    for (std::size_t i = 0; i < std::min(head.size(), kTitleBlockBytes) && head[i] != 0; ++i)
        text.push_back(static_cast<char>(head[i]));
    return text;
}

bool CheckDataFileHeader(std::string_view text)
{
    return text.substr(0, kPredecessorHeader.size()) == kPredecessorHeader;
}

bool CheckVersionHeader(std::string_view text)
{
    if (text.substr(0, 2) != "//")
        return false;
    const std::size_t v = text.find('V');
    if (v == std::string_view::npos)
        return false;
    return text.substr(v, kLabelledVersion.size()) == kLabelledVersion;
}

FileKindInfo DetectFileKindInfo(std::span<const std::uint8_t> head)
{
    const std::string title = TitleBlockText(head);
    if (CheckDataFileHeader(title))
        return {kKindPredecessor, 0.0};
    if (CheckVersionHeader(title))
        return {kKindLabelledText, 0.0};
    if (!BytesAre(head, kTagOffset, kNativeTag))
        return {kKindUnknown, 0.0};
    if (BytesAre(head, kVersionOffset, "0.5"))
        return {kKindNativeV05, 0.5};
    if (BytesAre(head, kVersionOffset, "0.7"))
        return {kKindNativeV07, 0.7};
    if (BytesAre(head, kVersionOffset, "0.8"))
        return {kKindNativeV08, 0.8};
    // Any other version has no reader, whatever number it reads as.
    const double version = VersionNumber(head);
    const double code = std::clamp(std::trunc(version * 10.0),
                                   static_cast<double>(-kMaxUnsupportedCode),
                                   static_cast<double>(kMaxUnsupportedCode));
    return {static_cast<int>(code), version};
}

int DetectFileKind(std::span<const std::uint8_t> head)
{
    return DetectFileKindInfo(head).kind;
}

int DetectFileKind(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return kKindUnknown;
    std::vector<std::uint8_t> head(kNativeHeaderBytes);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return DetectFileKind(head);
}
