#pragma once
// The document writer. It writes to a sink, so that a document can be built in memory,
// compared, and only then written to a file.
//
// Layout: the header, one element tree per structure, the full-member settings and the
// footer. A tree is the root's start tag followed by the children that the root's content
// model lists, in model order, each instance as many times as the callbacks count; attributes
// in declaration order, left out when their text is "IGNORE" or equals the declared default.

#include <string>
#include <string_view>

#include "files/xml/XmlResult.h"

class TStructure;
class TXmlDtd;
class MemberXmlCallbacks;

class XmlSink {
public:
    virtual ~XmlSink() = default;
    virtual void Write(std::string_view text) = 0;
};

class StringSink final : public XmlSink {
public:
    void Write(std::string_view text) override { m_text.append(text); }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// The prolog, DOCTYPE, a comment, an empty line and "<document>", each line ended by CR LF.
void XmlWriteHeader(XmlSink& sink);
// "</document>" CR LF.
void XmlWriteFooter(XmlSink& sink);

// True when the definition declares the root with a parenthesised content model; otherwise
// the refusal is shown and recorded in result.
bool XmlCheckRootDeclared(const TXmlDtd& dtd, const std::string& root, XmlResult& result);

// One structure's element tree. Refused, with nothing written, when the definition does not
// declare its root with a content model.
XmlResult XmlWriteStructure(TXmlDtd& dtd, XmlSink& sink, TStructure* structure);
// The Q2010_Analysis tree; nothing (and NoStructure) while no member is defined.
XmlResult XmlWriteAnalysisSettings(TXmlDtd& dtd, XmlSink& sink, MemberXmlCallbacks& member);
