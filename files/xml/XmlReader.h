#pragma once
// The document reader: finds the components of a <document> (its direct children) and reads
// one into a structure or the full-member settings through their element callbacks.
//
// The text must first be flattened. A component is read as its root start tag followed by
// child elements, each either empty ("/>") or holding text up to its own end tag, so the
// reader never nests deeper than root and child; components it does not read are passed
// over with an explicit element stack of limited depth. Every failure is shown once and
// returned with the offset where reading stopped.

#include <cstddef>
#include <string>

#include "files/xml/XmlResult.h"

class TStructure;
class TTextBuffer;
class TXmlDtd;
class MemberXmlCallbacks;
class ElementCallbacks;

// Every CR, LF and TAB becomes a blank; the cursor is rewound. Returns 1.
int XmlFlattenWhitespace(TTextBuffer& text);

// Name of component n and the offset just behind that name; 0 when there is none (a text
// without a document tag is reported as "Document header tag not found").
int XmlFindComponent(const TXmlDtd& dtd,
                     const std::string& text,
                     int n,
                     std::string& name,
                     std::size_t& offset);

// Walks the components in order: Next gives the name and the offset behind it, and the next
// call passes over that component to the one after it.
class XmlComponentScanner {
public:
    explicit XmlComponentScanner(const std::string& text) : m_text(text) {}
    // False at the end of the document, or after a failure recorded in result.
    bool Next(std::string& name, std::size_t& offset, XmlResult& result);
    // The component found last was read completely, up to pos: the next call goes on from
    // there instead of passing the component over.
    void ContinueAt(std::size_t pos);

private:
    const std::string& m_text;
    bool m_started = false;
    std::size_t m_pos = 0;
    std::string m_pendingName; // the component found last, passed over by the next call
};

// Hands every attribute of the element its DTD default ("NOT FOUND" without one).
int XmlApplyDtdDefaults(TXmlDtd& dtd, const std::string& element, TStructure& structure);

// Reads component n into the structure: its material types and regions are deleted first,
// and it is validated after the root's end tag. After a failure the part that was read is
// validated too, so that the structure is consistent whatever the result says.
XmlResult XmlReadStructure(TXmlDtd& dtd, const std::string& text, int n, TStructure* structure);
// The same for the component whose name ends at offset.
XmlResult XmlReadStructureAt(TXmlDtd& dtd,
                             const std::string& text,
                             std::size_t offset,
                             const std::string& name,
                             TStructure* structure);

// Reads component n, a Q2010_Analysis element, through the member callbacks (no deletion,
// no validation).
XmlResult XmlReadAnalysisSettings(TXmlDtd& dtd,
                                  const std::string& text,
                                  int n,
                                  MemberXmlCallbacks& member);
XmlResult XmlReadAnalysisSettingsAt(TXmlDtd& dtd,
                                    const std::string& text,
                                    std::size_t offset,
                                    const std::string& name,
                                    MemberXmlCallbacks& member);
