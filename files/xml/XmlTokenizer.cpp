#include "files/xml/XmlTokenizer.h"

#include <vector>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/XmlEntities.h"

namespace {

constexpr const char* kSyntaxCaption = "XML Syntax Error";
constexpr const char* kNextSignCaption = "Error with next < sign!";

bool EndsName(char c)
{
    return c == ' ' || c == '\t' || c == '>' || c == '=';
}

bool ReportTooLong(const XmlCursor& c, std::size_t start, XmlResult& result)
{
    XmlFail(result,
            XmlStatus::TooLong,
            start,
            StrPrintf("A name or value of more than %zu characters was found at character %zu:"
                      "\n%s",
                      kXmlTokenChars,
                      start,
                      QuoteForMessage(c.text.substr(start)).c_str()),
            kSyntaxCaption);
    return false;
}

// Passes the rest of a start tag; true in selfClosing when it closes with "/>". Values never
// hold '>' (the writer escapes it), so quotes need no tracking, and a tag with an unbalanced
// quote is passed over all the same.
bool FinishStartTag(XmlCursor& c, bool& selfClosing, XmlResult& result)
{
    const std::size_t gt = c.text.find('>', c.pos);
    if (gt == std::string_view::npos) {
        XmlFail(result, XmlStatus::SyntaxError, c.pos, "End of File!", kSyntaxCaption);
        c.pos = c.text.size();
        return false;
    }
    std::size_t before = gt;
    while (before > c.pos && c.text[before - 1] == ' ')
        --before;
    selfClosing = before > c.pos && c.text[before - 1] == '/';
    c.pos = gt + 1;
    return true;
}

// The text ends where more must follow: the file was cut short. The message says so, with
// what was read of the value or name that the cut ended. Recorded at the end of the text, so
// that the document reader looks no further.
bool FailAtEnd(XmlCursor& c, const std::string& read, XmlResult& result)
{
    c.pos = c.text.size();
    const std::string text =
        read.empty() ? std::string("The document ends before it is complete: the file was cut short.")
                     : StrPrintf("The document ends inside \"%s\": the file was cut short.",
                                 QuoteForMessage(read).c_str());
    XmlFail(result, XmlStatus::SyntaxError, c.text.size(), text, "End of File!");
    return false;
}

// A tag name for passing elements over: it also ends at '/', so that "<x/>" names x.
std::string SkipTagName(XmlCursor& c)
{
    const std::size_t start = c.pos;
    while (!c.AtEnd() && c.text[c.pos] != ' ' && c.text[c.pos] != '>' && c.text[c.pos] != '/' &&
           c.text[c.pos] != '=')
        ++c.pos;
    return std::string(c.text.substr(start, std::min(c.pos - start, kXmlTokenChars)));
}

} // namespace

void XmlCursor::SkipBlanks()
{
    while (!AtEnd() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
}

std::string XmlCursor::Rest() const
{
    return QuoteForMessage(AtEnd() ? std::string_view() : text.substr(pos));
}

void XmlFail(XmlResult& result,
             XmlStatus status,
             std::size_t offset,
             const std::string& text,
             const std::string& caption)
{
    result.status = status;
    result.offset = offset;
    result.message = text;
    ShowMessage(text, caption);
}

bool XmlReadName(XmlCursor& c, std::string& name, XmlResult& result)
{
    name.clear();
    const std::size_t start = c.pos;
    while (!c.AtEnd() && !EndsName(c.text[c.pos])) {
        const char ch = c.text[c.pos++];
        if (ch == '\r' || ch == '\n')
            continue;
        if (name.size() == kXmlTokenChars)
            return ReportTooLong(c, start, result);
        name.push_back(ch);
    }
    return true;
}

bool XmlReadQuoted(XmlCursor& c, std::string& value, XmlResult& result)
{
    value.clear();
    const std::size_t start = c.pos;
    if (c.AtEnd())
        return FailAtEnd(c, "", result);
    if (c.Peek() != '"')
        ShowMessage(c.Rest(), "Error in Quotes!");
    else
        ++c.pos;
    const std::size_t close = c.text.find('"', c.pos);
    const std::size_t end = close == std::string_view::npos ? c.text.size() : close;
    if (end - c.pos > kXmlTokenChars)
        return ReportTooLong(c, start, result);
    value.assign(c.text.substr(c.pos, end - c.pos));
    c.pos = end;
    if (close == std::string_view::npos) {
        // The file was cut inside the value: what was read of it goes nowhere.
        FailAtEnd(c, value, result);
        value.clear();
        return false;
    }
    ++c.pos;
    return true;
}

XmlItem XmlReadAttribute(XmlCursor& c,
                         const std::string& element,
                         std::string& name,
                         std::string& value,
                         XmlResult& result)
{
    c.SkipBlanks();
    if (c.Peek() == '>') {
        name = value = "NO ELEMENT";
        ++c.pos;
        return XmlItem::TagEnd;
    }
    if (c.Peek() == '/' && c.pos + 1 < c.text.size() && c.text[c.pos + 1] == '>') {
        c.pos += 2;
        return XmlItem::EmptyTagEnd;
    }
    const std::size_t start = c.pos;
    if (!XmlReadName(c, name, result))
        return XmlItem::Error;
    c.SkipBlanks();
    if (c.AtEnd()) {
        FailAtEnd(c, name, result);
        return XmlItem::Error;
    }
    if (c.Peek() != '=' || (name.empty() && c.pos == start)) {
        XmlFail(result,
                XmlStatus::SyntaxError,
                start,
                StrPrintf("Error in XML Definition\n\tAttribute:\t\"%s\"\n\tElement:\t\"%s\"",
                          QuoteForMessage(name).c_str(),
                          QuoteForMessage(element).c_str()),
                "XML Attribute Error");
        return XmlItem::Error;
    }
    ++c.pos;
    c.SkipBlanks();
    if (!XmlReadQuoted(c, value, result))
        return XmlItem::Error;
    return XmlItem::Attribute;
}

bool XmlReadNextTag(XmlCursor& c, std::string& name, XmlResult& result)
{
    c.SkipBlanks();
    if (c.Peek() != '<') {
        XmlFail(result, XmlStatus::SyntaxError, c.pos, c.Rest(), kNextSignCaption);
        return false;
    }
    ++c.pos;
    c.SkipBlanks();
    if (!XmlReadName(c, name, result))
        return false;
    // "<name/>": the slash closes the tag and is no part of the name.
    if (name.size() > 1 && name.back() == '/' && c.Peek() == '>') {
        name.pop_back();
        --c.pos;
    }
    return true;
}

bool XmlReadContent(XmlCursor& c, const std::string& element, TTextBuffer& content, XmlResult& result)
{
    content.Assign("");
    std::string piece;
    c.SkipBlanks();
    while (!c.AtEnd() && c.Peek() != '<') {
        const std::size_t start = c.pos;
        if (c.Peek() == '"') {
            if (!XmlReadQuoted(c, piece, result))
                return false;
            content.Append(" \"");
            content.Append(piece);
            content.Append("\"");
        } else {
            if (!XmlReadName(c, piece, result))
                return false;
            if (c.pos == start) {
                XmlFail(result,
                        XmlStatus::SyntaxError,
                        start,
                        StrPrintf("Unexpected '%c' in the content of \"%s\":\n%s",
                                  c.Peek(),
                                  QuoteForMessage(element).c_str(),
                                  c.Rest().c_str()),
                        "Error with Payload");
                return false;
            }
            content.Append(" ");
            content.Append(piece);
        }
        c.SkipBlanks();
    }
    std::string closing;
    if (!XmlReadNextTag(c, closing, result))
        return false;
    c.SkipBlanks();
    if (c.Peek() != '>') {
        XmlFail(result, XmlStatus::SyntaxError, c.pos, c.Rest(), kNextSignCaption);
        return false;
    }
    ++c.pos;
    if (closing != "/" + element) {
        XmlFail(result,
                XmlStatus::SyntaxError,
                c.pos,
                StrPrintf("Closure of payload string \"%s\" not equal to expected \"%s\"",
                          QuoteForMessage(closing).c_str(),
                          QuoteForMessage(element).c_str()),
                "Error with Payload");
        return false;
    }
    return true;
}

bool XmlSkipElement(XmlCursor& c, const std::string& name, XmlResult& result)
{
    std::vector<std::string> open{name};
    bool selfClosing = false;
    if (!FinishStartTag(c, selfClosing, result))
        return false;
    if (selfClosing)
        open.pop_back();
    std::string tag;
    while (!open.empty()) {
        const std::size_t lt = c.text.find('<', c.pos);
        if (lt == std::string_view::npos) {
            XmlFail(result,
                    XmlStatus::SyntaxError,
                    c.text.size(),
                    StrPrintf("End tag of \"%s\" not found", QuoteForMessage(open.back()).c_str()),
                    kSyntaxCaption);
            return false;
        }
        c.pos = lt + 1;
        const char kind = c.Peek();
        if (kind == '!' || kind == '?') {
            const std::size_t gt = c.text.find('>', c.pos);
            c.pos = gt == std::string_view::npos ? c.text.size() : gt + 1;
            continue;
        }
        if (kind == '/') {
            ++c.pos;
            tag = SkipTagName(c);
            if (tag != open.back()) {
                XmlFail(result,
                        XmlStatus::SyntaxError,
                        lt,
                        StrPrintf("Closure of payload string \"/%s\" not equal to expected \"%s\"",
                                  QuoteForMessage(tag).c_str(),
                                  QuoteForMessage(open.back()).c_str()),
                        "Error with Payload");
                return false;
            }
            const std::size_t gt = c.text.find('>', c.pos);
            c.pos = gt == std::string_view::npos ? c.text.size() : gt + 1;
            open.pop_back();
            continue;
        }
        tag = SkipTagName(c);
        if (open.size() >= kXmlSkipDepthLimit) {
            XmlFail(result,
                    XmlStatus::DepthLimit,
                    lt,
                    StrPrintf("Elements nested more than %zu deep", kXmlSkipDepthLimit),
                    kSyntaxCaption);
            return false;
        }
        open.push_back(tag);
        if (!FinishStartTag(c, selfClosing, result))
            return false;
        if (selfClosing)
            open.pop_back();
    }
    return true;
}
