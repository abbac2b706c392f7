#include "files/xml/TXmlDtd.h"

#include <fstream>
#include <sstream>
#include <tuple>

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
    m_elements.clear();
    m_defaults.clear();
    m_lastFound.element = nullptr;
    const std::string tag(kAttlistTag);
    for (std::size_t at = m_text.find(tag); at != std::string::npos;
         at = m_text.find(tag, at + tag.size())) {
        std::size_t pos = SkipBlanksAt(SkipWordAt(at));
        const std::string element = ReadNameAt(pos);
        pos = SkipBlanksAt(pos + element.size());
        Attribute attribute;
        attribute.name = ReadNameAt(pos);
        m_elements[element].attributes.push_back(std::move(attribute));
    }
    for (auto& [element, entry] : m_elements)
        ResolveDefaults(element, entry.attributes);
    PrepareElementDeclarations();
}

// Every "<!ELEMENT name" in text order; an element's declarations are those of its name, each
// looked for behind the name of the one before.
void TXmlDtd::PrepareElementDeclarations()
{
    struct Declaration {
        std::size_t at;
        std::size_t behind;
    };
    std::map<std::string, std::vector<Declaration>, std::less<>> declarations;
    const std::string tag(kElementTag);
    for (std::size_t at = m_text.find(tag); at != std::string::npos;
         at = m_text.find(tag, at + tag.size())) {
        const std::size_t pos = SkipBlanksAt(SkipWordAt(at));
        const std::string name = ReadNameAt(pos);
        declarations[name].push_back({at, pos + name.size()});
    }
    for (const auto& [name, list] : declarations) {
        Element& entry = m_elements[name];
        std::size_t from = 0;
        bool first = true;
        for (const Declaration& d : list) {
            if (d.at < from)
                continue;
            from = d.behind;
            const std::size_t pos = SkipBlanksAt(d.behind);
            const bool model = pos < m_text.size() && m_text[pos] == '(';
            if (first) {
                first = false;
                if (pos < m_text.size() && m_text[pos] == 'E')
                    entry.kind = kDtdEmpty;
                else
                    entry.kind = model ? kDtdModel : kDtdOther;
            }
            if (!model) {
                ++entry.declarationsWithoutModel;
                continue;
            }
            entry.modelAt = pos + 1;
            break;
        }
    }
}

// The item of a content model at pos (just behind its '(' or the item before): the text up to
// a blank, ',' or '='. False at the end of the text or at an item that begins with ')'; else
// pos moves behind the item's separator.
bool TXmlDtd::ReadModelItem(std::size_t& pos, std::string& item) const
{
    pos = SkipBlanksAt(pos);
    std::size_t end = pos;
    while (end < m_text.size() && !IsBlank(m_text[end]) && m_text[end] != ',' && m_text[end] != '=')
        ++end;
    if (end == pos && pos >= m_text.size())
        return false;
    item = m_text.substr(pos, std::min(end - pos, kLongestName));
    if (!item.empty() && item[0] == ')')
        return false;
    pos = std::min(end + 1, m_text.size());
    return true;
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

const TXmlDtd::Element* TXmlDtd::FindElement(const std::string& element) const
{
    if (m_lastFound.element != nullptr && element == m_lastFound.name)
        return m_lastFound.element;
    const auto found = m_elements.find(element);
    if (found == m_elements.end())
        return nullptr;
    m_lastFound.name = element;
    m_lastFound.element = &found->second;
    return m_lastFound.element;
}

int TXmlDtd::GetElementKind(const std::string& element) const
{
    const Element* entry = FindElement(element);
    return entry == nullptr ? kDtdOther : entry->kind;
}

bool TXmlDtd::GetAttributeName(const std::string& element, int n, std::string& name) const
{
    name = kDtdNotFound;
    const Element* entry = FindElement(element);
    if (entry == nullptr || n < 0 || static_cast<std::size_t>(n) >= entry->attributes.size())
        return false;
    name = entry->attributes[static_cast<std::size_t>(n)].name;
    return true;
}

// An attribute's default is found behind the first occurrence of the element's name whose next
// word but one is the attribute's name (every occurrence is looked at, whatever word it is
// part of): the double-quoted text before the next '>'. One walk over the occurrences answers
// every attribute of the element; those it does not find stay undeclared.
void TXmlDtd::ResolveDefaults(const std::string& element, std::vector<Attribute>& attributes) const
{
    if (element.empty()) {
        for (Attribute& a : attributes) {
            a.answer = DefaultAnswer::NoQuote;
            a.value = kDtdNotFound;
        }
        return;
    }
    std::size_t open = attributes.size();
    std::size_t from = 0;
    while (open > 0) {
        const std::size_t at = m_text.find(element, from);
        if (at == std::string::npos)
            return;
        const std::size_t namePos = SkipBlanksAt(SkipWordAt(at));
        const std::string name = ReadNameAt(namePos);
        from = std::max(namePos + name.size(), at + 1);
        for (Attribute& a : attributes) {
            if (a.answer != DefaultAnswer::Undeclared || a.name != name)
                continue;
            std::tie(a.answer, a.value) = QuotedTextFrom(from);
            --open;
        }
    }
}

std::pair<TXmlDtd::DefaultAnswer, std::string> TXmlDtd::QuotedTextFrom(std::size_t from) const
{
    const std::size_t quote = m_text.find_first_of("\">", from);
    if (quote == std::string::npos || m_text[quote] == '>')
        return {DefaultAnswer::NoQuote, kDtdNotFound};
    const std::size_t close = m_text.find_first_of("\">", quote + 1);
    const std::size_t end = close == std::string::npos ? m_text.size() : close;
    return {DefaultAnswer::Quoted, m_text.substr(quote + 1, std::min(end - quote - 1, kLongestName))};
}

bool TXmlDtd::GetAttributeDefault(const std::string& element,
                                  const std::string& attribute,
                                  std::string& value) const
{
    if (const Element* entry = FindElement(element)) {
        for (const Attribute& a : entry->attributes) {
            if (a.name != attribute || a.answer == DefaultAnswer::Undeclared)
                continue;
            value = a.value;
            return a.answer == DefaultAnswer::Quoted;
        }
    }
    const auto key = std::make_pair(element, attribute);
    auto found = m_defaults.find(key);
    if (found == m_defaults.end()) {
        std::vector<Attribute> asked{Attribute{attribute}};
        ResolveDefaults(element, asked);
        if (asked[0].answer == DefaultAnswer::Undeclared)
            ShowMessage(StrPrintf("DTD file does not declare attribute %s of %s",
                                  QuoteForMessage(attribute).c_str(),
                                  QuoteForMessage(element).c_str()),
                        "XML File Error");
        const bool quoted = asked[0].answer == DefaultAnswer::Quoted;
        found = m_defaults.emplace(key, std::make_pair(quoted, asked[0].value)).first;
    }
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
    const Element* entry = FindElement(element);
    if (entry == nullptr)
        return false;
    for (int i = 0; i < entry->declarationsWithoutModel; ++i)
        ShowMessage(StrPrintf("DTD file does not contain object %s",
                              QuoteForMessage(element).c_str()),
                    "XML File Error");
    if (entry->modelAt == std::string::npos)
        return false;
    if (!entry->itemsRead) {
        std::string item;
        for (std::size_t pos = entry->modelAt; ReadModelItem(pos, item);)
            entry->items.push_back(item);
        entry->itemsRead = true;
    }
    // A negative n reads no item and answers an empty name.
    if (n >= 0 && static_cast<std::size_t>(n) >= entry->items.size())
        return false;
    std::string token = n < 0 ? std::string() : entry->items[static_cast<std::size_t>(n)];
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

bool TXmlDtd::IsChildOf(const std::string& element, const std::string& child) const
{
    int occurrence = 0;
    std::string name;
    for (int i = 0; GetChildElement(element, i, occurrence, name); ++i) {
        if (name == child)
            return true;
    }
    return false;
}
