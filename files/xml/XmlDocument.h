#pragma once
// Reading and writing whole data documents: the entry points of the file commands.
//
//   TXmlDtd dtd;                                   // "q3g.dtd" beside the program
//   XmlDocument doc;
//   XmlResult r = ReadXmlDocumentFile(path, dtd, doc);
//   ... doc.structures[n] is component n (null for a component that is not a structure)
//
//   StringSink sink;
//   XmlResult w = WriteXmlDocument(dtd, structures, member, sink);
//   if (w.Ok()) ... write sink.Text() to the file (temporary file, then rename)
//
// A component that fails to read keeps what was read, validated; the result reports the
// first failure and reading goes on with the next component.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/xml/XmlResult.h"
#include "files/xml/XmlWriter.h"

class TStructure;
class TXmlDtd;
class MemberXmlCallbacks;

// Components beyond the structure table are not read.
inline constexpr int kMaxDocumentComponents = 300;

struct XmlDocument {
    // Component n at index n: a TBeam for q3g_beam, a TShell for p3g_shell, null otherwise.
    std::vector<std::unique_ptr<TStructure>> structures;
    // A Q2010_Analysis component was found; read only when member callbacks were given.
    bool hasMemberSettings = false;
    bool memberSettingsRead = false;
};

// True when the text begins as a data document does (`<?xml version="1.0"`).
bool IsXmlDocumentHead(std::string_view head);

// Reads every component of the document text. Components of unknown kinds are reported
// ("Definition type %s not loaded.  XML File Component %d ignored.") and passed over.
XmlResult ReadXmlDocument(const std::string& text,
                          TXmlDtd& dtd,
                          XmlDocument& document,
                          MemberXmlCallbacks* member = nullptr);
XmlResult ReadXmlDocumentFile(const std::string& path,
                              TXmlDtd& dtd,
                              XmlDocument& document,
                              MemberXmlCallbacks* member = nullptr);

// Writes the header, every non-null structure in order, the member settings (when given and
// defined) and the footer. Refused before anything is written when the definition does not
// declare a root element with its contents.
XmlResult WriteXmlDocument(TXmlDtd& dtd,
                           const std::vector<TStructure*>& structures,
                           MemberXmlCallbacks* member,
                           XmlSink& sink);
// Builds the document in memory and writes it to the path only when that succeeded.
XmlResult WriteXmlDocumentFile(const std::string& path,
                               TXmlDtd& dtd,
                               const std::vector<TStructure*>& structures,
                               MemberXmlCallbacks* member);
