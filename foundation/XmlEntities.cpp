#include "foundation/XmlEntities.h"

#include <array>
#include <utility>

namespace {

struct Entity {
    char character;
    std::string_view text;
};

constexpr std::array<Entity, 5> kEntities = {{
    {'"', "&quot;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
    {'&', "&amp;"},
    {'\'', "&apos;"},
}};

} // namespace

std::string XmlEscape(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        bool replaced = false;
        for (const Entity& entity : kEntities) {
            if (c == entity.character) {
                out.append(entity.text);
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out.push_back(c);
    }
    return out;
}

std::string XmlUnescape(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        bool replaced = false;
        if (value[i] == '&') {
            for (const Entity& entity : kEntities) {
                if (value.substr(i, entity.text.size()) == entity.text) {
                    out.push_back(entity.character);
                    i += entity.text.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out.push_back(value[i++]);
    }
    return out;
}

std::string QuoteForMessage(std::string_view text)
{
    if (text.size() <= kQuotedInputChars)
        return std::string(text);
    return std::string(text.substr(0, kQuotedInputChars)) + "...";
}
