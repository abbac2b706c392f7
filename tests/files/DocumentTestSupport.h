#pragma once
// Shared set-up of the data-file tests: a temporary program directory (its own "q3g.dtd"),
// a recording reporter, the default bar catalogue, and guards for the program-wide settings
// that reading a document may change.

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/MaterialTypes.h"
#include "support/TestSupport.h"

// Documents built by hand: the head and tail of every document, and a document of one beam
// whose root element has the attributes and holds the body.
inline const std::string kHead = "<?xml version=\"1.0\" ?>\r\n<document>\r\n";
inline const std::string kTail = "</document>\r\n";
inline std::string Beam(const std::string& body, const std::string& rootAttributes = "")
{
    return kHead + "\t<q3g_beam " + rootAttributes + " >\r\n" + body + "\r\n\t</q3g_beam>\r\n" +
           kTail;
}

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest()
    {
        SetUserDataDir(dir.File("user"));
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.Clear();
        g_RebarList.ReadListing(listing);
        ClearReportText();
    }
    ~DocumentTest() override
    {
        SetUserDataDir("");
        g_RebarList.Clear();
        ClearReportText();
    }

    // The document text of the structures, written under the built-in definition.
    std::string Write(const std::vector<TStructure*>& structures, int units = kUnitSI)
    {
        TXmlDtd dtd(kBuiltInDtd, units);
        StringSink sink;
        const XmlResult r = WriteXmlDocument(dtd, structures, nullptr, sink);
        EXPECT_TRUE(r.Ok()) << r.message;
        return sink.Text();
    }
    XmlResult Read(const std::string& text, XmlDocument& doc)
    {
        TXmlDtd dtd(kBuiltInDtd, g_UnitSystem);
        return ReadXmlDocument(text, dtd, doc);
    }

    TempDir dir;
    ValueGuard<std::string> programPath{g_ProgramPath, dir.path().string() + "/"};
    ValueGuard<int> unitGuard{g_UnitSystem, kUnitSI};
    ValueGuard<int> overrideGuard{g_FileOverride, 0};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{}};
    RecordingReporter reporter;
};
