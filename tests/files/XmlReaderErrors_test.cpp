// Every complaint of the document reader with its text and caption, and documents built to
// break it: each ends with a message and a failure or a clean read, never a crash or a hang.

#include "BeamFixture.h"
#include "DocumentTestSupport.h"
#include "foundation/StrFormat.h"
#include "model/ModelHelpers.h"

namespace {

class ReaderErrors : public DocumentTest {
protected:
    XmlResult ReadText(const std::string& text)
    {
        XmlDocument doc;
        const XmlResult r = Read(text, doc);
        last = std::move(doc);
        return r;
    }
    const RecordedMessage* Find(const std::string& caption) const
    {
        for (const RecordedMessage& m : reporter.messages) {
            if (m.caption == caption)
                return &m;
        }
        return nullptr;
    }
    XmlDocument last;
};

struct ErrorCase {
    const char* name;
    std::string text;
    XmlStatus status;
    std::string caption;
    std::string message;
};

TEST_F(ReaderErrors, EachErrorHasItsTextAndCaption)
{
    const std::vector<ErrorCase> cases = {
        {"no document tag", "<?xml version=\"1.0\" ?><q3g_beam></q3g_beam>",
         XmlStatus::NoDocumentTag, "XML Syntax Error", "Document header tag not found"},
        {"missing equals", Beam("<concrete fcp \"30\"/>"), XmlStatus::SyntaxError,
         "XML Attribute Error",
         "Error in XML Definition\n\tAttribute:\t\"fcp\"\n\tElement:\t\"concrete\""},
        {"no next tag", Beam("<concrete fcp=\"30\"/> stray"), XmlStatus::SyntaxError,
         "Error with next < sign!", "stray"},
        {"wrong end tag", Beam("<concrete fcp=\"30\"> 1 2 </rebar>"), XmlStatus::SyntaxError,
         "Error with Payload",
         "Closure of payload string \"/rebar\" not equal to expected \"concrete\""},
        {"unknown attribute", Beam("<concrete fcp=\"30\" colour=\"grey\"/>"), XmlStatus::Refused,
         "Error in XML file", "Unknown Attribute for concrete : colour."},
        {"unknown bar",
         Beam("<rebar fy=\"400\"/><longreinfx z=\"50\" type=\"Steel 1\" bartitle=\"Z99\"/>"),
         XmlStatus::Refused, "Load Error", "Unknown Bar type \"Z99\""},
        {"unknown element", Beam("<bogus colour=\"grey\"/>"), XmlStatus::Refused,
         "Error in XML file", "Unknown element \"bogus\" in \"q3g_beam\". Reading stopped at attribute \"colour\""},
        {"unknown steel", Beam("<longreinfx z=\"50\" type=\"Mystery\"/>"), XmlStatus::Refused,
         "Error in Materials", "Invalid Steel Material Type : \"Mystery\""},
        {"content with >", Beam("<concrete fcp=\"30\"> 1 > 2 </concrete>"),
         XmlStatus::SyntaxError, "Error with Payload", "Unexpected '>' in the content"},
        {"content with =", Beam("<concrete fcp=\"30\"> a=b </concrete>"), XmlStatus::SyntaxError,
         "Error with Payload", "Unexpected '=' in the content"},
        {"over-long value", Beam("<concrete fcp=\"30\" name=\"" + std::string(100000, 'x') + "\"/>"),
         XmlStatus::TooLong, "XML Syntax Error", "more than 1023 characters"},
        {"over-long name", Beam("<" + std::string(5000, 'n') + "/>"), XmlStatus::TooLong,
         "XML Syntax Error", "more than 1023 characters"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        reporter.Clear();
        const XmlResult r = ReadText(c.text);
        EXPECT_EQ(r.status, c.status);
        EXPECT_FALSE(r.message.empty());
        const RecordedMessage* m = Find(c.caption);
        ASSERT_NE(m, nullptr);
        EXPECT_NE(m->text.find(c.message), std::string::npos) << m->text;
        for (const RecordedMessage& shown : reporter.messages)
            EXPECT_LE(shown.text.size(), 600u);
    }
}

// A name or value of exactly 1023 characters is read; one more is too long.
TEST_F(ReaderErrors, TokensAtTheLengthLimit)
{
    for (const std::size_t n : {std::size_t{1023}, std::size_t{1024}}) {
        SCOPED_TRACE(n);
        const XmlStatus expected = n > 1023 ? XmlStatus::TooLong : XmlStatus::Ok;
        const std::string value = "<concrete fcp=\"30\" name=\"" + std::string(n, 'x') + "\"/>";
        EXPECT_EQ(ReadText(Beam(value)).status, expected);
        const XmlResult name = ReadText(Beam("<" + std::string(n, 'n') + " a=\"1\"/>"));
        EXPECT_EQ(name.status == XmlStatus::TooLong, n > 1023) << name.message;
    }
}

TEST_F(ReaderErrors, WarningsThatDoNotStopTheRead)
{
    struct Warning {
        const char* name;
        std::string text;
        std::string caption;
        std::string message;
    };
    const std::vector<Warning> cases = {
        {"missing opening quote", Beam("<concrete fcp=30\"/>"), "Error in Quotes!", "30\"/>"},
        {"unknown units", Beam("", "units=\"SI\""), "Units Error",
         "Units type \"SI\" not regonized.  File Assumed to be SI Metric"},
        {"unknown component", kHead + "<mystery a=\"1\"><x/></mystery>" + kTail, "Load Error",
         "Definition type mystery not loaded.  XML File Component 1 ignored."},
        {"values without a list", Beam("<experimentaldata> 1 2 </experimentaldata>"),
         "Error in XML file", "Error in experimental data!"},
    };
    for (const Warning& c : cases) {
        SCOPED_TRACE(c.name);
        reporter.Clear();
        const XmlResult r = ReadText(c.text);
        EXPECT_TRUE(r.Ok()) << r.message;
        const RecordedMessage* m = Find(c.caption);
        ASSERT_NE(m, nullptr);
        EXPECT_NE(m->text.find(c.message), std::string::npos) << m->text;
    }
    reporter.Clear();
    const XmlResult r = ReadText(kHead + "\t<q3g_beam name=\"cut" );
    EXPECT_FALSE(r.Ok());
    EXPECT_NE(Find("End of File!"), nullptr);
}

// An outline row naming a concrete the section does not define ends the outline without a box
// of the reader's: the read goes on, and the section says what was not read, for the document's
// reader to refuse it with that one message. So does a region past the most a section holds.
TEST_F(ReaderErrors, AnOutlineReadInPartSaysWhatWasNotRead)
{
    const std::string rows = " 600 300 500 300 \"C\" 0 300 \"Nope\" ";
    XmlResult r = ReadText(Beam("<concrete fcp=\"30\" name=\"C\"/><sectionSOLID>" + rows + "</sectionSOLID>"));
    EXPECT_TRUE(r.Ok()) << r.message;
    EXPECT_TRUE(reporter.messages.empty());
    ASSERT_EQ(last.structures.size(), 1u);
    const TStructure& cut = *last.structures[0];
    const std::string name = cut.GetName();
    EXPECT_EQ(cut.GetRegionCount(), 0) << "the part read is no outline of the section";
    EXPECT_EQ(DescribeUndefinedConcreteType(cut),
              "Section \"" + name + "\": concrete region 2 of its outline names concrete type \"Nope\", "
              "which the section does not define, so it cannot be analysed. It was not read.");

    std::string many;
    for (int k = 0; k <= 150; ++k)
        many += StrPrintf(" %d 300 \"C\"", 151 - k - 1);
    r = ReadText(Beam("<concrete fcp=\"30\" name=\"C\"/><sectionSOLID> 151 300" + many + " </sectionSOLID>"));
    EXPECT_TRUE(r.Ok()) << r.message;
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(DescribeUndefinedConcreteType(*last.structures[0]),
              "Section \"" + name + "\": its outline has more than 150 concrete regions, the most a section "
              "holds, so it cannot be analysed. It was not read.");

    // An outline given again, whole, clears what the one before it said.
    r = ReadText(Beam("<concrete fcp=\"30\" name=\"C\"/><sectionSOLID>" + rows +
                      "</sectionSOLID><sectionSOLID> 600 300 0 300 \"C\" </sectionSOLID>"));
    EXPECT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(DescribeUndefinedConcreteType(*last.structures[0]), "");
    EXPECT_EQ(last.structures[0]->GetRegionCount(), 1);
}

TEST_F(ReaderErrors, AFailedReadLeavesAValidatedStructure)
{
    const XmlResult r =
        ReadText(Beam("<concrete fcp=\"30\" name=\"C\"/><sectionSOLID> 500 300 0 300 \"C\" "
                      "</sectionSOLID><rebar fy=\"400\" colour=\"red\"/>"));
    EXPECT_EQ(r.status, XmlStatus::Refused);
    ASSERT_EQ(last.structures.size(), 1u);
    const TStructure& s = *last.structures[0];
    EXPECT_EQ(s.GetConcreteTypeCount(), 1);
    EXPECT_NEAR(s.GetHeight(), 0.5, 1e-12);
    // Validation moved the section to its datum: the centroid of the rectangle.
    EXPECT_NEAR(s.GetTop(), 0.25, 1e-12);
}

TEST_F(ReaderErrors, ComponentsAreFoundByTheirRealEndTags)
{
    const std::string odd = "<other note=\"A/q3g_beam\"> text A/q3g_beam </other>";
    const std::string text = kHead + "\t" + odd + "\r\n\t<q3g_beam name=\"Second\" >\r\n\t</q3g_beam>\r\n" +
                             "\t<Q2010_Analysis length=\"3000\">\r\n\t\t<BMD> 0 1 </BMD>\r\n"
                             "\t\t<supports which=\"left\" platelocate=\"0\"/>\r\n"
                             "\t</Q2010_Analysis>\r\n" +
                             Beam("", "name=\"Third\"").substr(kHead.size());
    XmlDocument doc;
    const XmlResult r = Read(text, doc);
    EXPECT_TRUE(r.Ok()) << r.message;
    ASSERT_EQ(doc.structures.size(), 4u);
    EXPECT_EQ(doc.structures[0], nullptr);
    EXPECT_EQ(doc.structures[1]->GetName(), "Second");
    EXPECT_TRUE(doc.hasMemberSettings);
    EXPECT_FALSE(doc.memberSettingsRead);
    EXPECT_EQ(doc.structures[3]->GetName(), "Third");
    EXPECT_EQ(reporter.Count("not loaded"), 1);
}

TEST_F(ReaderErrors, DeeplyNestedUnknownComponentStopsAtTheDepthLimit)
{
    std::string nested;
    for (int i = 0; i < 200; ++i)
        nested += "<a>";
    const XmlResult r = ReadText(kHead + "<deep>" + nested + kTail);
    EXPECT_EQ(r.status, XmlStatus::DepthLimit);
}

// A file cut short is one fault and gets one message wherever the cut falls; cut inside a
// quoted value (attribute or body) that is "End of File!", and the part of the value before
// the cut reaches no element.
TEST_F(ReaderErrors, ACutFileIsOneMessageAndHandsNothingOn)
{
    const auto beam = MakeFullBeam();
    const std::string text = Write({beam.get()});
    bool inside = false;
    int quoted = 0;
    const std::size_t end = text.find("</document>") + 10;
    for (std::size_t cut = text.find("<document>") + 10; cut < end; ++cut) {
        SCOPED_TRACE(text.substr(0, cut).substr(cut > 60 ? cut - 60 : 0));
        reporter.Clear();
        EXPECT_FALSE(ReadText(text.substr(0, cut)).Ok());
        ASSERT_LE(last.structures.size(), 1u);
        ASSERT_EQ(reporter.messages.size(), 1u) << reporter.messages[1].text;
        if (inside) {
            EXPECT_EQ(reporter.messages[0].caption, "End of File!");
            ++quoted;
        }
        if (text[cut] == '"')
            inside = !inside;
    }
    EXPECT_GT(quoted, 300);
    // The beam's name cut after "T-b" is not taken: the name stays the definition's default.
    ReadText(text.substr(0, text.find("T-beam") + 3));
    ASSERT_EQ(last.structures.size(), 1u);
    EXPECT_EQ(last.structures[0]->GetName(), "New Cross Section");
}

TEST_F(ReaderErrors, LayerElementsOfMissingDirectionsAddNothing)
{
    const XmlResult r = ReadText(
        Beam("<concrete fcp=\"30\"/><rebar fy=\"400\"/>"
             "<longreinfx z=\"50\" type=\"Steel 1\" num=\"2\" Ai=\"100\"/>"
             "<longreinfy z=\"60\" type=\"Steel 1\" num=\"9\"/><longreinfz z=\"70\" type=\"x\"/>"
             "<transreinfx A=\"1\" type=\"Steel 1\"/>"));
    EXPECT_TRUE(r.Ok()) << r.message;
    const TStructure& s = *last.structures[0];
    ASSERT_EQ(s.GetLongLayerCount(0), 1);
    EXPECT_EQ(s.GetLongLayer(0, 0)->num, 2);
    EXPECT_EQ(s.GetTransLayerCount(2), 0);
    ASSERT_TRUE(HasReportText());
    EXPECT_NE(g_ReportText->find("\"longreinfy\" ignored"), std::string::npos);
    EXPECT_EQ(g_ReportText->find("longreinfz"), std::string::npos);
}

TEST_F(ReaderErrors, TooManyRecordsOfOneKindStopTheReadOnce)
{
    std::string body;
    for (int i = 0; i < 1003; ++i)
        body += "<concrete fcp=\"30\"/>";
    const XmlResult r = ReadText(Beam(body));
    EXPECT_EQ(r.status, XmlStatus::Refused);
    EXPECT_EQ(reporter.Count("More than 1000 records"), 1);
    EXPECT_EQ(last.structures[0]->GetConcreteTypeCount(), 1000);
}

} // namespace
