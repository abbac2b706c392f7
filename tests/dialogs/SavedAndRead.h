#pragma once
// An element saved as a document and read back into a new one of its kind, as the program holds
// an element it opened; and the text an element saves, to compare what it holds.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlReader.h"
#include "files/xml/XmlWriter.h"
#include "foundation/TTextBuffer.h"

template <class T> std::unique_ptr<T> SavedAndRead(T& element)
{
    TXmlDtd dtd;
    StringSink sink;
    XmlWriteHeader(sink);
    EXPECT_TRUE(XmlWriteStructure(dtd, sink, &element).Ok());
    XmlWriteFooter(sink);
    TTextBuffer text;
    text.Assign(sink.Text());
    XmlFlattenWhitespace(text);
    auto read = std::make_unique<T>();
    TXmlDtd readDtd;
    EXPECT_TRUE(XmlReadStructure(readDtd, text.GetText(), 0, read.get()).Ok());
    return read;
}

inline std::string SavedText(TStructure& s)
{
    TXmlDtd dtd;
    StringSink sink;
    EXPECT_TRUE(XmlWriteStructure(dtd, sink, &s).Ok());
    return sink.Text();
}
