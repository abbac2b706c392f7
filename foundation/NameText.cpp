#include "foundation/NameText.h"

#include <algorithm>

namespace {

bool IsControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 32 || u == 127;
}

} // namespace

bool HasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), IsControl);
}

std::string NameText(const std::string& text)
{
    return NameText(text, text.size());
}

std::string NameText(const std::string& text, std::size_t maxChars)
{
    std::string name = text.size() <= maxChars ? text : text.substr(0, maxChars);
    std::replace_if(name.begin(), name.end(), IsControl, ' ');
    return name;
}
