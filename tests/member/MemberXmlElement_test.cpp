#include "member/MemberXmlElement.h"

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "support/TestSupport.h"

using membertest::DefaultMember;
using membertest::RectBeam;

namespace {

// True when the text holds the attribute with the value (the writer aligns with tabs).
bool HasAttribute(const std::string& text, const std::string& name, const std::string& value)
{
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        std::size_t i = at + name.size();
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (text.compare(i, value.size() + 3, "=\"" + value + "\"") == 0)
            return true;
    }
    return false;
}

int Count(const std::string& text, const std::string& fragment)
{
    int n = 0;
    for (std::size_t at = text.find(fragment); at != std::string::npos; at = text.find(fragment, at + 1))
        ++n;
    return n;
}

class MemberXml : public ::testing::Test {
protected:
    MemberXml() { m.slots.Put(1, RectBeam("Deep & wide", 0.4, 0.9)); }

    std::string Write(TMemberDefinition& d, int units = kUnitSI)
    {
        TXmlDtd dtd(kBuiltInDtd, units);
        MemberXmlElement element(d, m.slots);
        StringSink sink;
        const XmlResult r = WriteXmlDocument(dtd, {}, &element, sink);
        EXPECT_TRUE(r.Ok()) << r.message;
        return sink.Text();
    }
    XmlResult Read(const std::string& text, TMemberDefinition& d, int units = kUnitSI)
    {
        TXmlDtd dtd(kBuiltInDtd, units);
        MemberXmlElement element(d, m.slots);
        XmlDocument doc;
        return ReadXmlDocument(text, dtd, doc, &element);
    }
    // A document holding only the given member element.
    std::string Document(const std::string& element)
    {
        TMemberDefinition empty;
        std::string text = Write(empty);
        const std::size_t a = text.find("<Q2010_Analysis");
        const std::size_t b = text.find("</Q2010_Analysis>") + std::string("</Q2010_Analysis>").size();
        return text.replace(a, b - a, element);
    }

    ValueGuard<int> unitGuard{g_UnitSystem, kUnitSI};
    DefaultMember m;
    RecordingReporter reporter;
};

} // namespace

TEST_F(MemberXml, RoundTripOfAFullMember)
{
    TMemberDefinition d = m.d;
    d.zoneCount = 2;
    d.zones[1] = {1.5, 1};
    d.diagrams[DeadDiagram][0] = {0.2, -0.0, 1};
    d.diagrams[DeadDiagram][1] = {1.4, -2500.0, 1};
    d.diagrams[DeadDiagram][2] = {2.6, -3000.0, 1};
    d.pointCount[DeadDiagram] = 3;
    d.axialLoad = {-50000.0, -120000.0};
    d.deadLoadConstant = 0;
    d.leftSupport = SupportType::Pin;
    d.rightSupport = SupportType::Roller;
    d.rightPlateLocation = 2.4;
    d.rightDirect = 0;
    d.leftAnchorage = AnchorageType::StraightBar;
    d.rightAnchorage = AnchorageType::YieldPenetrate;
    const std::string text = Write(d);
    EXPECT_TRUE(HasAttribute(text, "length", "2600"));
    EXPECT_NE(text.find("\"Deep &amp; wide\""), std::string::npos);

    TMemberDefinition back;
    ASSERT_TRUE(Read(text, back).Ok());
    EXPECT_EQ(EqualMemberDefinitions(d, back), 1);
    EXPECT_NEAR(back.displacementLocation, d.displacementLocation, 1e-9);
    EXPECT_EQ(back.zones[1].structureIndex, 1);
    EXPECT_TRUE(reporter.messages.empty());

    // In US units two decimals of an inch ("102.36") would lose 2e-5 of the 2.6 m length: it
    // is written with the digits that give it back within a millionth, and saved again the
    // same.
    const std::string us = Write(d, kUnitUS);
    EXPECT_FALSE(HasAttribute(us, "length", "102.36"));
    TMemberDefinition backUs;
    ASSERT_TRUE(Read(us, backUs, kUnitUS).Ok());
    EXPECT_NEAR(backUs.length, d.length, 1e-6 * d.length);
    EXPECT_EQ(Write(backUs, kUnitUS), us);
}

TEST_F(MemberXml, SectionNamesWithQuotesAndEntitiesKeepTheirZones)
{
    // Quotes, ampersands and angle brackets at either end of a name and inside it: each zone
    // comes back to its own section, and no name is reported missing.
    const std::vector<std::string> names = {"Slab 12\"", "\"Deck\" 8\"", "<T> & \"L\"", "&amp;\"",
                                            "\"", "a&quot;b", "Web >"};
    TMemberDefinition d = m.d;
    d.zoneCount = static_cast<int>(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int slot = static_cast<int>(i) + 2;
        m.slots.Put(slot, RectBeam(names[i], 0.3, 0.6));
        d.zones[i] = {0.25 * static_cast<double>(i), slot};
    }
    const std::string text = Write(d);
    EXPECT_NE(text.find("\"Slab 12&quot;\""), std::string::npos);

    TMemberDefinition back;
    ASSERT_TRUE(Read(text, back).Ok());
    EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front().text;
    ASSERT_EQ(back.zoneCount, d.zoneCount);
    for (int i = 0; i < d.zoneCount; ++i)
        EXPECT_EQ(back.zones[static_cast<std::size_t>(i)].structureIndex, i + 2) << names[static_cast<std::size_t>(i)];
    EXPECT_EQ(Write(back), text);
}

// An empty dead diagram without axial load is written as a single diagram; an undefined right
// support (a cantilever) is written as it is, with its plate, and a document of one support
// element, as such documents were written, reads as a member without one on the right.
TEST_F(MemberXml, SingleDiagramAndSupportAreWrittenOnce)
{
    TMemberDefinition d = m.d;
    d.rightSupport = SupportType::Undefined;
    d.leftDirect = -1;
    const std::string text = Write(d);
    EXPECT_EQ(Count(text, "<BMD"), 1);
    EXPECT_EQ(Count(text, "<supports"), 2);
    EXPECT_TRUE(HasAttribute(text, "support", "Undefined"));
    EXPECT_FALSE(HasAttribute(text, "direct", "-1")); // its absolute value, the default

    // Reading leaves the dead diagram as it was.
    TMemberDefinition back;
    back.diagrams[DeadDiagram][0] = {1.0, -7.0, 0};
    back.pointCount[DeadDiagram] = 1;
    ASSERT_TRUE(Read(text, back).Ok());
    EXPECT_EQ(back.pointCount[DeadDiagram], 1);
    EXPECT_EQ(back.rightSupport, SupportType::Undefined);
    EXPECT_NEAR(back.rightPlateLocation, d.rightPlateLocation, 1e-6);

    const std::size_t right = text.find("<supports", text.find("<supports") + 1);
    const std::string one = text.substr(0, right) + text.substr(text.find("/>", right) + 2);
    ASSERT_EQ(Count(one, "<supports"), 1);
    TMemberDefinition older;
    ASSERT_TRUE(Read(one, older).Ok());
    EXPECT_EQ(older.leftSupport, d.leftSupport);
    EXPECT_EQ(older.rightSupport, SupportType::Undefined);

    // An undefined member is still written: its length reads -1000 in SI.
    TMemberDefinition undefined;
    EXPECT_TRUE(HasAttribute(Write(undefined), "length", "-1000"));
}

TEST_F(MemberXml, OrderAndCountComplaints)
{
    TMemberDefinition d;
    const std::string text = Document(
        "<Q2010_Analysis length=\"3000\">\r\n"
        "\t<BMD type=\"dead\"> 0 0 0\r\n\t\t1000 -5 0 </BMD>\r\n"
        "\t<BMD type=\"dead\" isconstant=\"1\"> 0 -1 0 </BMD>\r\n"
        "\t<BMD type=\"dead\"> 0 -9 0 </BMD>\r\n"
        "\t<mattypes> 0 \"Nowhere\" </mattypes>\r\n"
        "\t<supports which=\"right\" platelocate=\"500\" support=\"sideways\"/>\r\n"
        "</Q2010_Analysis>");
    ASSERT_TRUE(Read(text, d).Ok());
    EXPECT_TRUE(reporter.Saw("Live (variable) moment diagram must be presented first"));
    EXPECT_TRUE(reporter.Saw("Only Two Bending Moment Diagrams Allowed"));
    EXPECT_TRUE(reporter.Saw("Left support must be specified first"));
    EXPECT_TRUE(reporter.Saw("Uknown Support Type"));
    EXPECT_TRUE(reporter.Saw("Beam Analysis Type Nowhere not found: Replacing with first in file."));
    // The first diagram is read as the live one, the third is not stored anywhere.
    EXPECT_EQ(d.pointCount[LiveDiagram], 2);
    EXPECT_NEAR(d.diagrams[LiveDiagram][1].moment, 5000.0, 1e-9);
    EXPECT_EQ(d.pointCount[DeadDiagram], 1);
    EXPECT_NEAR(d.diagrams[DeadDiagram][0].moment, 1000.0, 1e-9);
    EXPECT_EQ(d.deadLoadConstant, 1);
    EXPECT_NEAR(d.leftPlateLocation, 0.5, 1e-12);
    EXPECT_EQ(d.leftSupport, SupportType::Roller);
    EXPECT_EQ(d.zones[0].structureIndex, 0);
    // With slot 0 empty the first section in the table is taken, not the empty slot.
    m.slots.slots[0].reset();
    TMemberDefinition again;
    ASSERT_TRUE(Read(text, again).Ok());
    EXPECT_EQ(again.zones[0].structureIndex, 1);
}

TEST_F(MemberXml, OversizedBodiesAreCut)
{
    std::string rows;
    for (int i = 0; i < kMaxDiagramPoints + 5; ++i)
        rows += StrPrintf("\r\n\t\t\t\t%d -1 0", i);
    std::string zones;
    for (int i = 0; i < kMaxMemberZones + 3; ++i)
        zones += StrPrintf(" %d \"Beam\"", i);
    const std::string longName(400, 'n');
    TMemberDefinition d;
    const std::string text = Document("<Q2010_Analysis length=\"3000\">\r\n<BMD>" + rows + " </BMD>\r\n<mattypes>" +
                                      zones + " </mattypes>\r\n<supports/>\r\n<supports which=\"right\"/>\r\n"
                                      "</Q2010_Analysis>");
    const XmlResult r = Read(text, d);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(d.pointCount[LiveDiagram], kMaxDiagramPoints);
    EXPECT_EQ(d.zoneCount, kMaxMemberZones);
    EXPECT_EQ(reporter.Count("the rest were ignored"), 2);

    reporter.Clear();
    TMemberDefinition e;
    ASSERT_TRUE(Read(Document("<Q2010_Analysis length=\"3000\">\r\n<BMD> 0 0 0 </BMD>\r\n<mattypes> 0 \"" + longName +
                              "\"</mattypes>\r\n<supports/>\r\n</Q2010_Analysis>"),
                     e)
                    .Ok());
    EXPECT_EQ(e.zoneCount, 1);
    EXPECT_EQ(reporter.Count("not found"), 1);

    // An unknown attribute stops the reading.
    EXPECT_FALSE(Read(Document("<Q2010_Analysis length=\"3000\" colour=\"red\">\r\n<BMD> 0 0 0 </BMD>\r\n</Q2010_Analysis>"), e).Ok());
    EXPECT_TRUE(reporter.Saw("Unknown Attribute for Q2010_Analysis : colour."));
}

// The member's integer fields hold 32 bits: a wider number is not stored (it once saturated to
// 2147483647), the field keeps what it had and the load-error log names it.
TEST_F(MemberXml, IntegerFieldsBeyondThirtyTwoBitsKeepTheirValue)
{
    ClearReportText();
    TMemberDefinition d;
    const std::string text = Document(
        "<Q2010_Analysis length=\"3000\" top_direct=\"4294967296\">\r\n"
        "\t<BMD type=\"live\"> 0 -5 1\r\n\t\t1000 -5 99999999999 </BMD>\r\n"
        "\t<BMD type=\"dead\" isconstant=\"-2147483649\"> 0 -1 0 </BMD>\r\n"
        "\t<supports which=\"left\" direct=\"0\"/>\r\n"
        "\t<supports which=\"right\" direct=\"2147483648\"/>\r\n"
        "</Q2010_Analysis>");
    ASSERT_TRUE(Read(text, d).Ok());
    const TMemberDefinition defaults;
    EXPECT_EQ(d.topDirect, defaults.topDirect);
    EXPECT_EQ(d.diagrams[LiveDiagram][0].parabolic, 1);
    EXPECT_EQ(d.diagrams[LiveDiagram][1].parabolic, 0);
    EXPECT_EQ(d.deadLoadConstant, 0); // the definition's default "0", set before the attributes
    EXPECT_EQ(d.leftDirect, 0);
    EXPECT_EQ(d.rightDirect, defaults.rightDirect);
    ASSERT_TRUE(HasReportText());
    for (const char* named : {"Q2010_Analysis top_direct=\"4294967296\"", "BMD parabolic=\"99999999999\"",
                              "BMD isconstant=\"-2147483649\"", "supports direct=\"2147483648\""})
        EXPECT_NE(g_ReportText->find(named), std::string::npos) << named;
    ClearReportText();
}

// A value the member pages would not take stops the reading at the end of its element with one
// "Load Error" box naming it in the document's units; the document's other values, and every
// value at a bound (a member 1000 m long, one not defined yet), are read without a word.
TEST_F(MemberXml, AValueNoPageTakesStopsTheReadingWithOneMessage)
{
    struct Row {
        const char* element;
        const char* told;
    };
    const Row rows[] = {
        {"<Q2010_Analysis length=\"3000\" topplatesize=\"2e6\">",
         "The member has a top plate size of 2e+06 mm: a member takes 0 to 1000000 mm."},
        // The pages take 1e6 as shown, stored times the unit system's stress ratio to MPa; the
        // largest ratio is that of tal/unc^2, 1.5111: 1.5111e6.
        {"<Q2010_Analysis length=\"3000\" yieldpenetrateconst=\"-2e6\">",
         "The member has a yield penetration constant of -2e+06: a member takes at most 1511100."},
        {"<Q2010_Analysis length=\"3000\"><supports/><supports which=\"right\" platesize=\"-1\"/>",
         "The right support has a plate size of -1 mm: a member takes 0 to 1000000 mm."},
        {"<Q2010_Analysis length=\"3000\"><BMD> 0 0 0 </BMD><BMD type=\"dead\"> 0 -1 0\r\n\t1e7 -1 "
         "0 </BMD>",
         "Point 2 of the dead moment diagram has a position of 1e+07 mm: a member takes 0 to "
         "1000000 mm."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.element);
        reporter.Clear();
        TMemberDefinition d;
        EXPECT_FALSE(Read(Document(std::string(row.element) + "\r\n</Q2010_Analysis>"), d).Ok());
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, std::string(row.told) + " The file cannot be read.");
        EXPECT_EQ(reporter.messages[0].caption, "Load Error");
    }
    for (const char* held :
         {"<Q2010_Analysis length=\"1000000\" topplatesize=\"1000000\" displocate=\"-500\">"
          "<BMD> 0 -1e6 0\r\n\t1000000 1e6 0 </BMD>",
          "<Q2010_Analysis length=\"-1000\">"}) {
        SCOPED_TRACE(held);
        reporter.Clear();
        TMemberDefinition d;
        EXPECT_TRUE(Read(Document(std::string(held) + "\r\n</Q2010_Analysis>"), d).Ok());
        EXPECT_TRUE(reporter.messages.empty());
    }
}
