#pragma once
// A member document saved in a session of given units and opened in a new session, as the
// program does it, around the default member.

#include <string>

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Units.h"
#include "member/MemberXmlElement.h"
#include "support/TestSupport.h"

namespace membertest {

class MemberDocumentTest : public ::testing::Test {
protected:
    // File > Save in a session of those units.
    std::string Write(TMemberDefinition& d, int units)
    {
        const ValueGuard<int> session(g_UnitSystem, units);
        TXmlDtd dtd(kBuiltInDtd, units);
        dtd.SetUnitSystem(units);
        MemberXmlElement element(d, m.slots);
        StringSink sink;
        const XmlResult r = WriteXmlDocument(dtd, {m.beam}, &element, sink);
        EXPECT_TRUE(r.Ok()) << r.message;
        return sink.Text();
    }
    // File > Open in a new session: the member the section brings first (as the program makes
    // it from the section's stored values: a roller at each end), then the document's settings,
    // then the geometry check.
    TMemberDefinition Open(const std::string& text)
    {
        TMemberDefinition d;
        SetMemberDefinitionFromSection(m.slots, d, *m.beam);
        TXmlDtd dtd(kBuiltInDtd, kUnitSI);
        MemberXmlElement element(d, m.slots);
        XmlDocument doc;
        const XmlResult r = ReadXmlDocument(text, dtd, doc, &element);
        EXPECT_TRUE(r.Ok()) << r.message;
        CheckMemberGeometry(d);
        return d;
    }

    ValueGuard<int> unitGuard{g_UnitSystem, kUnitSI};
    DefaultMember m;
    RecordingReporter reporter;
};

} // namespace membertest
