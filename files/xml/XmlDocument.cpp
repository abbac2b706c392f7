#include "files/xml/XmlDocument.h"

#include "files/xml/MemberXmlCallbacks.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlReader.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/XmlEntities.h"
#include "model/TBeam.h"
#include "model/TShell.h"

namespace {

void KeepFirstFailure(XmlResult& overall, const XmlResult& component)
{
    if (overall.Ok() && !component.Ok())
        overall = component;
}

// A component that failed at the end of the text was cut short with the file: nothing
// follows it, and its one message says so.
bool CutShort(const XmlResult& component, const std::string& text)
{
    return !component.Ok() && component.offset >= text.size();
}

std::unique_ptr<TStructure> NewStructureFor(const std::string& name)
{
    if (name == "q3g_beam")
        return std::make_unique<TBeam>();
    if (name == "p3g_shell")
        return std::make_unique<TShell>();
    return nullptr;
}

} // namespace

bool IsXmlDocumentHead(std::string_view head)
{
    return head.substr(0, 19) == "<?xml version=\"1.0\"";
}

XmlResult ReadXmlDocument(const std::string& text,
                          TXmlDtd& dtd,
                          XmlDocument& document,
                          MemberXmlCallbacks* member)
{
    TTextBuffer buffer(text);
    XmlFlattenWhitespace(buffer);
    const std::string& flat = buffer.GetString();
    document = XmlDocument();
    XmlResult overall = XmlResult::Success();
    XmlComponentScanner scanner(flat);
    std::string name;
    std::size_t offset = 0;
    for (int n = 0;; ++n) {
        XmlResult scan = XmlResult::Success();
        if (!scanner.Next(name, offset, scan)) {
            KeepFirstFailure(overall, scan);
            break;
        }
        if (n >= kMaxDocumentComponents) {
            ShowMessage(StrPrintf("Only the first %d components of the file were loaded.",
                                  kMaxDocumentComponents),
                        "Load Error");
            break;
        }
        document.structures.emplace_back(NewStructureFor(name));
        if (TStructure* s = document.structures.back().get()) {
            const XmlResult r = XmlReadStructureAt(dtd, flat, offset, name, s);
            if (r.Ok())
                scanner.ContinueAt(r.offset);
            KeepFirstFailure(overall, r);
            if (CutShort(r, flat))
                break;
        } else if (name == kMemberRootName) {
            document.hasMemberSettings = true;
            if (member != nullptr) {
                const XmlResult r = XmlReadAnalysisSettingsAt(dtd, flat, offset, name, *member);
                document.memberSettingsRead = r.Ok();
                if (r.Ok())
                    scanner.ContinueAt(r.offset);
                KeepFirstFailure(overall, r);
                if (CutShort(r, flat))
                    break;
            }
        } else {
            ShowMessage(StrPrintf("Definition type %s not loaded.  XML File Component %d ignored.",
                                  QuoteForMessage(name).c_str(),
                                  n + 1),
                        "Load Error");
        }
    }
    return overall;
}

XmlResult ReadXmlDocumentFile(const std::string& path,
                              TXmlDtd& dtd,
                              XmlDocument& document,
                              MemberXmlCallbacks* member)
{
    TTextBuffer text("");
    if (text.LoadFromFile(path) == 0) {
        XmlResult result;
        result.message = StrPrintf("Could not read \"%s\".", path.c_str());
        ShowMessage(result.message, "Load Error");
        return result;
    }
    return ReadXmlDocument(text.GetString(), dtd, document, member);
}

XmlResult WriteXmlDocument(TXmlDtd& dtd,
                           const std::vector<TStructure*>& structures,
                           MemberXmlCallbacks* member,
                           XmlSink& sink)
{
    XmlResult result;
    std::string root;
    for (TStructure* s : structures) {
        if (s == nullptr)
            continue;
        s->GetRootElementName(root);
        if (!XmlCheckRootDeclared(dtd, root, result))
            return result;
    }
    const bool writeMember = member != nullptr && member->IsDefined();
    if (writeMember && !XmlCheckRootDeclared(dtd, kMemberRootName, result))
        return result;
    XmlWriteHeader(sink);
    for (TStructure* s : structures) {
        if (s != nullptr)
            XmlWriteStructure(dtd, sink, s);
    }
    if (writeMember)
        XmlWriteAnalysisSettings(dtd, sink, *member);
    XmlWriteFooter(sink);
    return XmlResult::Success();
}

XmlResult WriteXmlDocumentFile(const std::string& path,
                               TXmlDtd& dtd,
                               const std::vector<TStructure*>& structures,
                               MemberXmlCallbacks* member)
{
    StringSink sink;
    XmlResult result = WriteXmlDocument(dtd, structures, member, sink);
    if (!result.Ok())
        return result;
    if (TTextBuffer(sink.Text()).SaveToFile(path) == 0) {
        result.status = XmlStatus::WriteFailed;
        result.message = StrPrintf("Could not write \"%s\".", path.c_str());
        ShowMessage(result.message, "Save Error");
    }
    return result;
}
