#include "files/xml/XmlWriter.h"

#include "files/xml/ElementCallbacks.h"
#include "files/xml/TXmlDtd.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/XmlEntities.h"
#include "model/ElementText.h"
#include "model/TStructure.h"

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Names shorter than six characters are followed by two TABs, longer ones by one.
std::string_view NameGap(const std::string& name)
{
    return name.size() < 6 ? "\t\t" : "\t";
}

void WriteAttributes(TXmlDtd& dtd,
                     XmlSink& sink,
                     ElementCallbacks& callbacks,
                     const std::string& element,
                     int instance,
                     const std::string& indent)
{
    std::string attribute;
    std::string text;
    std::string fallback;
    bool first = true;
    for (int a = 0; dtd.GetAttributeName(element, a, attribute); ++a) {
        text.clear();
        callbacks.AttributeText(element, attribute, instance, text, dtd.UnitSystem());
        if (text == kIgnoreText)
            continue;
        const std::string value = XmlEscape(text);
        dtd.GetAttributeDefault(element, attribute, fallback);
        if (value == fallback)
            continue;
        if (!first) {
            sink.Write(kCrLf);
            sink.Write("\t\t");
            sink.Write(indent);
        }
        first = false;
        sink.Write(attribute);
        sink.Write(NameGap(attribute));
        sink.Write("=\"");
        sink.Write(value);
        sink.Write("\"");
    }
}

void WriteInstance(TXmlDtd& dtd,
                   XmlSink& sink,
                   ElementCallbacks& callbacks,
                   const std::string& element,
                   int instance,
                   bool isRoot)
{
    const std::string indent = isRoot ? "\t" : "\t\t";
    sink.Write(indent);
    sink.Write("<");
    sink.Write(element);
    sink.Write(NameGap(element));
    WriteAttributes(dtd, sink, callbacks, element, instance, indent);
    const int kind = dtd.GetElementKind(element);
    if (kind == kDtdModel) {
        TTextBuffer body("");
        callbacks.BodyText(element, instance, body, dtd.UnitSystem());
        if (body.GetLength() > 0) {
            sink.Write("\t>");
            sink.Write(body.GetString());
            sink.Write(kCrLf);
            sink.Write("\t");
            sink.Write(indent);
            sink.Write("</");
            sink.Write(element);
            sink.Write(">");
            sink.Write(kCrLf);
            return;
        }
    } else if (kind != kDtdEmpty) {
        // Closed as an empty element, so that the document stays readable.
        ShowMessage(StrPrintf("Element %s is not declared in the document type definition.",
                              QuoteForMessage(element).c_str()),
                    "XML File Error");
    }
    sink.Write(isRoot ? "\t>" : "\t/>");
    sink.Write(kCrLf);
}

void WriteTree(TXmlDtd& dtd, XmlSink& sink, ElementCallbacks& callbacks, const std::string& root)
{
    std::string element = root;
    int occurrence = 0;
    for (int n = -1; n < 0 || dtd.GetChildElement(root, n, occurrence, element); ++n) {
        const bool isRoot = n < 0;
        for (int i = 0; i < callbacks.Count(element); ++i)
            WriteInstance(dtd, sink, callbacks, element, i, isRoot);
    }
    sink.Write(kCrLf);
    sink.Write("\t</");
    sink.Write(root);
    sink.Write(">");
    sink.Write(kCrLf);
}

// A definition read from "q3g.dtd" that an earlier version of the program wrote has no place
// for the stirrups' own thermal strains: a structure that carries one is told, since the save
// leaves them out.
void TellUnplacedStirrupStrains(const TXmlDtd& dtd,
                                ElementCallbacks& callbacks,
                                const TStructure& structure,
                                const std::string& root)
{
    if (callbacks.Count(kStirrupStrainElement) == 0 || dtd.IsChildOf(root, kStirrupStrainElement))
        return;
    ShowMessage(StrPrintf("The document type definition \"%s\" has no place for the thermal strains "
                          "of the stirrups of \"%s\": they are not saved. Delete \"%s\" beside the "
                          "program so that it writes its own, then save again.",
                          kDtdFileName,
                          QuoteForMessage(structure.GetName()).c_str(),
                          kDtdFileName),
                "XML File Error");
}

} // namespace

void XmlWriteHeader(XmlSink& sink)
{
    sink.Write("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n");
    sink.Write("<!DOCTYPE suite_3g SYSTEM \"q3g.dtd\">\r\n");
    sink.Write("<!-- Quarvish sections and elements; vocabulary in q3g.dtd -->\r\n");
    sink.Write("\r\n");
    sink.Write("<document>\r\n");
}

void XmlWriteFooter(XmlSink& sink)
{
    sink.Write("</document>\r\n");
}

bool XmlCheckRootDeclared(const TXmlDtd& dtd, const std::string& root, XmlResult& result)
{
    if (dtd.GetElementKind(root) == kDtdModel)
        return true;
    result.status = XmlStatus::BadDtd;
    result.message = StrPrintf("The document type definition \"%s\" does not declare the element "
                               "%s with its contents. Nothing was saved.",
                               kDtdFileName,
                               QuoteForMessage(root).c_str());
    ShowMessage(result.message, "XML File Error");
    return false;
}

XmlResult XmlWriteStructure(TXmlDtd& dtd, XmlSink& sink, TStructure* structure)
{
    XmlResult result;
    if (structure == nullptr) {
        result.status = XmlStatus::NoStructure;
        result.message = "No Beam defined!";
        return result;
    }
    std::string root;
    structure->GetRootElementName(root);
    if (!XmlCheckRootDeclared(dtd, root, result))
        return result;
    const TStructure::DocumentWrite write(*structure);
    StructureCallbacks callbacks(*structure);
    TellUnplacedStirrupStrains(dtd, callbacks, *structure, root);
    WriteTree(dtd, sink, callbacks, root);
    return XmlResult::Success();
}

XmlResult XmlWriteAnalysisSettings(TXmlDtd& dtd, XmlSink& sink, MemberXmlCallbacks& member)
{
    XmlResult result;
    if (!member.IsDefined()) {
        result.status = XmlStatus::NoStructure;
        result.message = "No member defined.";
        return result;
    }
    if (!XmlCheckRootDeclared(dtd, kMemberRootName, result))
        return result;
    MemberCallbacks callbacks(member);
    WriteTree(dtd, sink, callbacks, kMemberRootName);
    return XmlResult::Success();
}
