#include "files/xml/TXmlDtd.h"

#include <fstream>
#include <sstream>

#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "foundation/XmlEntities.h"

namespace {

constexpr const char* kElementTag = "<!ELEMENT";
constexpr const char* kAttlistTag = "<!ATTLIST";
constexpr std::size_t kLongestName = 1023;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool EndsName(char c)
{
    return IsBlank(c) || c == '>' || c == '=' || c == '\0';
}

} // namespace

TXmlDtd::TXmlDtd() : m_unitSystem(g_UnitSystem)
{
    Load(ProgramFilePath(kDtdFileName));
}

TXmlDtd::TXmlDtd(std::string text, int unitSystem)
    : m_text(std::move(text)), m_unitSystem(unitSystem)
{
    Prepare();
}

int TXmlDtd::Load(const std::string& path)
{
    const DataFileLocation location(path);
    const std::string readable = location.FindReadable();
    bool read = false;
    if (!readable.empty()) {
        std::ifstream in(readable, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (in.good() || in.eof()) {
            m_text = content.str();
            read = true;
        }
    }
    if (!read) {
        m_text = kBuiltInDtd;
        location.CreateWithDefault(kBuiltInDtd, kDtdCreateFailedMessage);
    }
    Prepare();
    return 1;
}

void TXmlDtd::Prepare()
{
    for (char& c : m_text) {
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    }
    m_attributes.clear();
    m_defaults.clear();
    const std::string tag(kAttlistTag);
    for (std::size_t at = m_text.find(tag); at != std::string::npos;
         at = m_text.find(tag, at + tag.size())) {
        std::size_t pos = SkipBlanksAt(SkipWordAt(at));
        const std::string element = ReadNameAt(pos);
        pos = SkipBlanksAt(pos + element.size());
        m_attributes[element].push_back(ReadNameAt(pos));
    }
}

std::string TXmlDtd::ReadNameAt(std::size_t pos) const
{
    std::size_t end = pos;
    while (end < m_text.size() && !EndsName(m_text[end]))
        ++end;
    return m_text.substr(pos, std::min(end - pos, kLongestName));
}

std::size_t TXmlDtd::SkipWordAt(std::size_t pos) const
{
    while (pos < m_text.size() && !IsBlank(m_text[pos]) && m_text[pos] != '=')
        ++pos;
    return pos;
}

std::size_t TXmlDtd::SkipBlanksAt(std::size_t pos) const
{
    while (pos < m_text.size() && IsBlank(m_text[pos]))
        ++pos;
    return pos;
}

std::size_t TXmlDtd::FindElementDeclaration(const std::string& element, std::size_t from) const
{
    const std::string tag(kElementTag);
    for (std::size_t at = m_text.find(tag, from); at != std::string::npos;
         at = m_text.find(tag, at + tag.size())) {
        const std::size_t pos = SkipBlanksAt(SkipWordAt(at));
        if (ReadNameAt(pos) == element)
            return pos + element.size();
    }
    return std::string::npos;
}

int TXmlDtd::GetElementKind(const std::string& element) const
{
    const std::size_t behind = FindElementDeclaration(element, 0);
    if (behind == std::string::npos)
        return kDtdOther;
    const std::size_t pos = SkipBlanksAt(behind);
    if (pos >= m_text.size())
        return kDtdOther;
    if (m_text[pos] == 'E')
        return kDtdEmpty;
    return m_text[pos] == '(' ? kDtdModel : kDtdOther;
}

bool TXmlDtd::GetAttributeName(const std::string& element, int n, std::string& name) const
{
    name = kDtdNotFound;
    const auto found = m_attributes.find(element);
    if (found == m_attributes.end() || n < 0 ||
        static_cast<std::size_t>(n) >= found->second.size())
        return false;
    name = found->second[static_cast<std::size_t>(n)];
    return true;
}

std::pair<bool, std::string> TXmlDtd::LookUpDefault(const std::string& element,
                                                    const std::string& attribute) const
{
    if (element.empty())
        return {false, kDtdNotFound};
    std::size_t from = 0;
    while (true) {
        const std::size_t at = m_text.find(element, from);
        if (at == std::string::npos) {
            ShowMessage(StrPrintf("DTD file does not declare attribute %s of %s",
                                  QuoteForMessage(attribute).c_str(),
                                  QuoteForMessage(element).c_str()),
                        "XML File Error");
            return {false, kDtdNotFound};
        }
        const std::size_t namePos = SkipBlanksAt(SkipWordAt(at));
        const std::string name = ReadNameAt(namePos);
        from = std::max(namePos + name.size(), at + 1);
        if (name != attribute)
            continue;
        const std::size_t quote = m_text.find_first_of("\">", from);
        if (quote == std::string::npos || m_text[quote] == '>')
            return {false, kDtdNotFound};
        const std::size_t close = m_text.find_first_of("\">", quote + 1);
        const std::size_t end = close == std::string::npos ? m_text.size() : close;
        return {true, m_text.substr(quote + 1, std::min(end - quote - 1, kLongestName))};
    }
}

bool TXmlDtd::GetAttributeDefault(const std::string& element,
                                  const std::string& attribute,
                                  std::string& value) const
{
    const auto key = std::make_pair(element, attribute);
    auto found = m_defaults.find(key);
    if (found == m_defaults.end())
        found = m_defaults.emplace(key, LookUpDefault(element, attribute)).first;
    value = found->second.second;
    return found->second.first;
}

bool TXmlDtd::GetChildElement(const std::string& element,
                              int n,
                              int& occurrence,
                              std::string& name) const
{
    name = kDtdNoElement;
    occurrence = kOccursOnce;
    std::size_t from = 0;
    while (true) {
        const std::size_t behind = FindElementDeclaration(element, from);
        if (behind == std::string::npos)
            return false;
        from = behind;
        std::size_t pos = SkipBlanksAt(behind);
        if (pos >= m_text.size() || m_text[pos] != '(') {
            ShowMessage(StrPrintf("DTD file does not contain object %s",
                                  QuoteForMessage(element).c_str()),
                        "XML File Error");
            continue;
        }
        ++pos;
        std::string token;
        for (int i = 0; i <= n; ++i) {
            pos = SkipBlanksAt(pos);
            std::size_t end = pos;
            while (end < m_text.size() && !IsBlank(m_text[end]) && m_text[end] != ',' &&
                   m_text[end] != '=')
                ++end;
            token = m_text.substr(pos, std::min(end - pos, kLongestName));
            if (end == pos && pos >= m_text.size())
                return false;
            if (!token.empty() && token[0] == ')')
                return false;
            pos = std::min(end + 1, m_text.size());
        }
        switch (token.empty() ? ' ' : token.back()) {
        case '+':
            occurrence = kOccursOneOrMore;
            break;
        case '*':
            occurrence = kOccursZeroOrMore;
            break;
        case '?':
            occurrence = kOccursOptional;
            break;
        default:
            name = token;
            return true;
        }
        token.pop_back();
        name = token;
        return true;
    }
}
