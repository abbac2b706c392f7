#pragma once
// The outcome of reading or writing a data document: a status that starts as failure, the
// offset in the text where reading stopped, and the message shown for it.

#include <cstddef>
#include <string>

enum class XmlStatus {
    Failed,         // nothing done yet
    Ok,             // read or written completely
    NoStructure,    // no structure was given
    NoDocumentTag,  // the text holds no <document> element
    NoComponent,    // the component asked for does not exist
    SyntaxError,    // broken markup: missing '<', '=', end tag, or content with '=' or '>'
    TooLong,        // a name, value or content word over kXmlTokenChars characters
    Refused,        // an element callback refused a value and stopped the read
    DepthLimit,     // elements nested deeper than the reader follows
    BadDtd,         // the definition does not declare a root element with its content
    WriteFailed,    // the file could not be written
};

struct XmlResult {
    XmlStatus status = XmlStatus::Failed;
    std::size_t offset = 0;
    std::string message;

    bool Ok() const { return status == XmlStatus::Ok; }
    static XmlResult Success() { return XmlResult{XmlStatus::Ok, 0, std::string()}; }
};
