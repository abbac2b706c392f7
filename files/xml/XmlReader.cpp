#include "files/xml/XmlReader.h"

#include "files/xml/ElementCallbacks.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlTokenizer.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/XmlEntities.h"
#include "model/TStructure.h"
#include "model/ValueLimits.h"

namespace {

void ApplyDefaults(TXmlDtd& dtd, const std::string& element, ElementCallbacks& callbacks)
{
    std::string attribute;
    std::string value;
    for (int i = 0; dtd.GetAttributeName(element, i, attribute); ++i) {
        dtd.GetAttributeDefault(element, attribute, value);
        callbacks.SetDefault(element, attribute, value, dtd.UnitSystem());
    }
}

// The element loop: the root's start tag, then its children in file order up to the root's
// end tag. Root and child are the only levels: a child's content ends at its own end tag.
// With onlyDeclaredChildren, an element that the definition does not place in the root never
// reaches the callbacks' attribute handling (the member settings answer each attribute of a
// name they do not know with a message of their own): its defaults are not applied, and its
// first attribute stops the reading with the one message that names the element.
XmlResult ReadTree(TXmlDtd& dtd,
                   const std::string& text,
                   std::size_t offset,
                   const std::string& name,
                   const std::string& root,
                   ElementCallbacks& callbacks,
                   bool onlyDeclaredChildren = false)
{
    XmlResult result;
    XmlCursor c{text, offset};
    const std::string closing = "/" + root;
    std::string element = name;
    std::string attribute;
    std::string value;
    TTextBuffer content;
    while (element != closing) {
        const bool foreign = onlyDeclaredChildren && element != root && !dtd.IsChildOf(root, element);
        callbacks.Begin(element);
        if (!foreign)
            ApplyDefaults(dtd, element, callbacks);
        XmlItem item = XmlItem::Error;
        while ((item = XmlReadAttribute(c, element, attribute, value, result)) ==
               XmlItem::Attribute) {
            if (foreign || callbacks.Set(element, attribute, XmlUnescape(value), dtd.UnitSystem()) == 0) {
                result.status = XmlStatus::Refused;
                result.offset = c.pos;
                result.message = StrPrintf("Reading stopped at attribute \"%s\" of \"%s\".",
                                           QuoteForMessage(attribute).c_str(),
                                           QuoteForMessage(element).c_str());
                // The callbacks refuse an element they do not know without a word; one that the
                // definition does not declare either is named here with the element it stands
                // in, and so is one it declares for another kind of component.
                if (dtd.GetElementKind(element) == kDtdOther)
                    ShowMessage(StrPrintf("Unknown element \"%s\" in \"%s\". %s",
                                          QuoteForMessage(element).c_str(),
                                          QuoteForMessage(root).c_str(),
                                          result.message.c_str()),
                                "Error in XML file");
                else if (element != root && !dtd.IsChildOf(root, element))
                    ShowMessage(StrPrintf("Element \"%s\" does not belong in \"%s\". %s",
                                          QuoteForMessage(element).c_str(),
                                          QuoteForMessage(root).c_str(),
                                          result.message.c_str()),
                                "Error in XML file");
                return result;
            }
        }
        if (item == XmlItem::Error)
            return result;
        const bool isRoot = element == root;
        if (item == XmlItem::TagEnd && !isRoot) {
            if (!XmlReadContent(c, element, content, result))
                return result;
            callbacks.SetBody(element, content, dtd.UnitSystem());
        }
        // An element whose values no structure holds is refused at its end, where the
        // callbacks know all of it (a layer's own name is its last attribute).
        if (callbacks.End(element) == 0) {
            result.status = XmlStatus::Refused;
            result.offset = c.pos;
            result.message = StrPrintf("Reading stopped at the end of \"%s\".", QuoteForMessage(element).c_str());
            return result;
        }
        // A root closed at once has no children.
        if (isRoot && item == XmlItem::EmptyTagEnd)
            break;
        if (!XmlReadNextTag(c, element, result))
            return result;
    }
    // Behind the root's end tag, so that the next component is looked for from there.
    if (element == closing) {
        const std::size_t gt = text.find('>', c.pos);
        c.pos = gt == std::string::npos ? text.size() : gt + 1;
    }
    result = XmlResult::Success();
    result.offset = c.pos;
    return result;
}

XmlResult FindAndRead(TXmlDtd& dtd,
                      const std::string& text,
                      int n,
                      std::string& name,
                      std::size_t& offset)
{
    XmlResult result;
    if (XmlFindComponent(dtd, text, n, name, offset) == 0) {
        result.status = XmlStatus::NoComponent;
        result.message = StrPrintf("The document has no component %d.", n + 1);
        return result;
    }
    return XmlResult::Success();
}

} // namespace

int XmlFlattenWhitespace(TTextBuffer& text)
{
    std::string flat = text.GetString();
    // Every other control character (a NUL or an escape that pasted text brought into a name)
    // becomes a blank too: no value of a document holds one.
    for (char& c : flat) {
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    }
    text.Assign(flat);
    text.Rewind();
    return 1;
}

bool XmlComponentScanner::Next(std::string& name, std::size_t& offset, XmlResult& result)
{
    if (!m_started) {
        m_started = true;
        const std::size_t at = m_text.find("document");
        if (at == std::string::npos || (at > 0 && m_text[at - 1] == '/')) {
            XmlFail(result,
                    XmlStatus::NoDocumentTag,
                    0,
                    "Document header tag not found",
                    "XML Syntax Error");
            m_pos = m_text.size();
            return false;
        }
        m_pos = at;
    } else if (!m_pendingName.empty() && m_pos < m_text.size()) {
        XmlCursor c{m_text, m_pos};
        if (!XmlSkipElement(c, m_pendingName, result)) {
            m_pos = m_text.size();
            return false;
        }
        m_pos = c.pos;
    }
    // A document that ends before its end tag, or inside a component's name, was cut short.
    const auto cutShort = [&] {
        XmlFail(result,
                XmlStatus::SyntaxError,
                m_text.size(),
                "The file ends before </document>: it is incomplete.",
                "XML Syntax Error");
        m_pos = m_text.size();
        return false;
    };
    const std::size_t lt = m_text.find('<', m_pos);
    if (lt == std::string::npos)
        return cutShort();
    XmlCursor c{m_text, lt + 1};
    if (!XmlReadName(c, name, result)) {
        m_pos = m_text.size();
        return false;
    }
    if (c.AtEnd())
        return cutShort();
    if (name == "/document") {
        m_pos = m_text.size();
        return false;
    }
    m_pos = c.pos;
    offset = c.pos;
    m_pendingName = name;
    return true;
}

void XmlComponentScanner::ContinueAt(std::size_t pos)
{
    m_pos = std::min(pos, m_text.size());
    m_pendingName.clear();
}

int XmlFindComponent(const TXmlDtd&,
                     const std::string& text,
                     int n,
                     std::string& name,
                     std::size_t& offset)
{
    XmlComponentScanner scanner(text);
    XmlResult result;
    for (int k = 0; k <= n; ++k) {
        if (!scanner.Next(name, offset, result))
            return 0;
    }
    return 1;
}

int XmlApplyDtdDefaults(TXmlDtd& dtd, const std::string& element, TStructure& structure)
{
    StructureCallbacks callbacks(structure);
    ApplyDefaults(dtd, element, callbacks);
    return 1;
}

XmlResult XmlReadStructure(TXmlDtd& dtd, const std::string& text, int n, TStructure* structure)
{
    std::string name;
    std::size_t offset = 0;
    if (structure == nullptr)
        return XmlResult{XmlStatus::NoStructure, 0, "No structure to read into."};
    XmlResult found = FindAndRead(dtd, text, n, name, offset);
    if (!found.Ok())
        return found;
    return XmlReadStructureAt(dtd, text, offset, name, structure);
}

XmlResult XmlReadStructureAt(TXmlDtd& dtd,
                             const std::string& text,
                             std::size_t offset,
                             const std::string& name,
                             TStructure* structure)
{
    if (structure == nullptr)
        return XmlResult{XmlStatus::NoStructure, 0, "No structure to read into."};
    structure->DeleteConcreteTypes();
    structure->DeleteSteelTypes();
    structure->DeleteRegions();
    std::string root;
    structure->GetRootElementName(root);
    StructureCallbacks callbacks(*structure);
    XmlResult result = ReadTree(dtd, text, offset, name, root, callbacks);
    // The material values as the document gives them, before validation derives others from
    // them: a modulus of 0 is told as such, not as the yield strain it would make.
    std::string unheld = result.Ok() ? UnheldMaterialText(*structure) : std::string();
    // A structure that stopped half-way is made consistent before anyone uses it.
    structure->Validate();
    // A value no section holds (one the pages would not take) refuses the document, as it
    // refuses every older file, rather than reaching the analysis or a document written from it.
    if (result.Ok()) {
        if (unheld.empty())
            unheld = UnheldValueText(*structure);
        if (!unheld.empty()) {
            ShowMessage(unheld + " The file cannot be read.", "Load Error");
            return XmlResult{XmlStatus::Refused, result.offset, unheld};
        }
    }
    if (result.Ok())
        structure->SetModified(0);
    return result;
}

XmlResult XmlReadAnalysisSettings(TXmlDtd& dtd,
                                  const std::string& text,
                                  int n,
                                  MemberXmlCallbacks& member)
{
    std::string name;
    std::size_t offset = 0;
    XmlResult found = FindAndRead(dtd, text, n, name, offset);
    if (!found.Ok())
        return found;
    return XmlReadAnalysisSettingsAt(dtd, text, offset, name, member);
}

XmlResult XmlReadAnalysisSettingsAt(TXmlDtd& dtd,
                                    const std::string& text,
                                    std::size_t offset,
                                    const std::string& name,
                                    MemberXmlCallbacks& member)
{
    MemberCallbacks callbacks(member);
    return ReadTree(dtd, text, offset, name, kMemberRootName, callbacks, true);
}
