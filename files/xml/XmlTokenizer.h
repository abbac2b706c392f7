#pragma once
// The small tokenizer of the document reader. It reads exactly the layout the writer writes,
// over a flattened text (CR, LF and TAB already blanks), with a cursor that every function
// advances. Every name, value and content word is bounded; a fatal error is shown once, in
// the words the program has always used, and recorded in the result.

#include <cstddef>
#include <string>
#include <string_view>

#include "files/xml/XmlResult.h"

class TTextBuffer;

// Longest name, attribute value or content word.
inline constexpr std::size_t kXmlTokenChars = 1023;

struct XmlCursor {
    std::string_view text;
    std::size_t pos = 0;

    bool AtEnd() const { return pos >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[pos]; }
    void SkipBlanks();
    // The rest of the text from the cursor, cut for a message.
    std::string Rest() const;
};

// Records a fatal error in the result and shows it.
void XmlFail(XmlResult& result,
             XmlStatus status,
             std::size_t offset,
             const std::string& text,
             const std::string& caption);

// A name: empty when the cursor stands on a blank; else the characters up to a blank, '>',
// '=' or the end. False (recorded) when it is longer than kXmlTokenChars.
bool XmlReadName(XmlCursor& c, std::string& name, XmlResult& result);

// A double-quoted value. A missing opening quote ("Error in Quotes!") is reported and the
// value read on from the cursor. A text that ends before or inside the value ("End of File!",
// recorded at the end of the text) and an over-long value fail.
bool XmlReadQuoted(XmlCursor& c, std::string& value, XmlResult& result);

enum class XmlItem { Attribute, TagEnd, EmptyTagEnd, Error };

// The next item of a start tag: an attribute (name and raw value), the tag's '>' (content
// follows) or its "/>". A text that ends inside an attribute fails with "End of File!".
XmlItem XmlReadAttribute(XmlCursor& c,
                         const std::string& element,
                         std::string& name,
                         std::string& value,
                         XmlResult& result);

// The name of the next tag; an end tag's name keeps its slash.
bool XmlReadNextTag(XmlCursor& c, std::string& name, XmlResult& result);

// The content of an element up to and including its end tag: every word or quoted string led
// by one blank. A '=' or '>' outside quotes, or an end tag other than the element's, fails.
bool XmlReadContent(XmlCursor& c, const std::string& element, TTextBuffer& content, XmlResult& result);

// Elements nested deeper than this in a component that is passed over fail the read.
inline constexpr std::size_t kXmlSkipDepthLimit = 64;

// Passes over the rest of an element whose name the cursor stands just behind: its start
// tag, and, unless that closes with "/>", everything up to its matching end tag. Nesting is
// followed with an explicit stack.
bool XmlSkipElement(XmlCursor& c, const std::string& name, XmlResult& result);
