#include "foundation/RunMessages.h"

#include <cctype>

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

} // namespace

void RunMessages::Reset(const void* owner)
{
    m_owner = owner;
    m_shown.clear();
    m_repeated.clear();
}

void RunMessages::Claim(const void* owner)
{
    if (m_owner == nullptr)
        m_owner = owner;
    else if (owner != m_owner)
        Reset(owner);
}

std::string RunMessages::Pattern(const std::string& text)
{
    std::string out;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const bool signedNumber = (text[i] == '-' || text[i] == '+' || text[i] == '.') && i + 1 < n &&
                                  (IsDigit(text[i + 1]) || (text[i + 1] == '.' && i + 2 < n && IsDigit(text[i + 2])));
        if (!IsDigit(text[i]) && !signedNumber) {
            out += text[i++];
            continue;
        }
        ++i;
        while (i < n) {
            const char c = text[i];
            const bool exponent = (c == 'e' || c == 'E') && i + 1 < n &&
                                  (IsDigit(text[i + 1]) || ((text[i + 1] == '-' || text[i + 1] == '+') &&
                                                            i + 2 < n && IsDigit(text[i + 2])));
            if (IsDigit(c) || c == '.')
                ++i;
            else if (exponent)
                i += 2;
            else
                break;
        }
        out += '#';
    }
    return out;
}

int RunMessages::Message(const std::string& text, const std::string& caption, unsigned style)
{
    if (m_next == nullptr)
        return DefaultAnswer(style);
    Reporter& next = *m_next;
    if ((style & MsgStyle::ButtonMask) != MsgStyle::Ok)
        return next.Message(text, caption, style);
    const std::string key = caption + '\n' + Pattern(text);
    for (const Shown& shown : m_shown) {
        if (shown.key == key) {
            if (m_repeated.empty())
                m_repeated = shown.text;
            return DefaultAnswer(style);
        }
    }
    m_shown.push_back({key, text});
    return next.Message(text, caption, style);
}

void RunMessages::ShowData(const std::string& text)
{
    if (m_next != nullptr)
        m_next->ShowData(text);
}

RunMessages::Scope::Scope(RunMessages& messages)
{
    // Within a scope of the same set (a step inside the set-up) nothing changes.
    if (&GetReporter() == &messages)
        return;
    m_installed = &messages;
    messages.m_next = &GetReporter();
    m_previous = SetReporter(&messages);
}

RunMessages::Scope::~Scope()
{
    if (m_installed == nullptr)
        return;
    SetReporter(m_previous);
    m_installed->m_next = nullptr;
}
