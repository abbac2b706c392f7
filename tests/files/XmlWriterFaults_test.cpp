// What the writer writes where older saves lost or garbled data.

#include "DocumentTestSupport.h"

namespace {

class WriterFaults : public DocumentTest {};

TEST_F(WriterFaults, EmptyOrDeclarationlessDtdRefusesTheSaveAndLeavesTheFile)
{
    TBeam beam;
    const std::string target = dir.File("section.qvx");
    dir.Write("section.qvx", "old contents");
    for (const std::string& dtdText : {std::string(), std::string("<!-- nothing here -->")}) {
        reporter.Clear();
        dir.Write("q3g.dtd", dtdText);
        TXmlDtd dtd;
        const XmlResult r = WriteXmlDocumentFile(target, dtd, {&beam}, nullptr);
        EXPECT_EQ(r.status, XmlStatus::BadDtd);
        EXPECT_EQ(reporter.Count("does not declare the element q3g_beam"), 1);
        EXPECT_EQ(dir.Read("section.qvx"), "old contents");
    }
    // Reading under the empty definition applies no defaults and still reads the section.
    const std::string text = Write({&beam});
    TXmlDtd empty(std::string(), kUnitSI);
    XmlDocument doc;
    EXPECT_TRUE(ReadXmlDocument(text, empty, doc).Ok());
    ASSERT_EQ(doc.structures.size(), 1u);
    EXPECT_EQ(doc.structures[0]->GetConcreteTypeCount(), 1);
}

TEST_F(WriterFaults, UndeclaredChildIsReportedAndClosed)
{
    std::string dtdText = kBuiltInDtd;
    const std::string model = "(concrete+, rebar+,";
    dtdText.replace(dtdText.find(model), model.size(), "(concrete+, bogus, rebar+,");
    TXmlDtd dtd(dtdText, kUnitSI);
    struct WithBogus : TBeam {
        int GetElementCount(const std::string& e) override
        {
            return e == "bogus" ? 1 : TBeam::GetElementCount(e);
        }
    } beam;
    StringSink sink;
    ASSERT_TRUE(WriteXmlDocument(dtd, {&beam}, nullptr, sink).Ok());
    EXPECT_NE(sink.Text().find("\t\t<bogus\t\t\t/>\r\n"), std::string::npos);
    EXPECT_EQ(reporter.Count("Element bogus is not declared"), 1);
}

TEST_F(WriterFaults, UnknownAttributeIsReportedAndLeftOut)
{
    std::string dtdText = kBuiltInDtd;
    dtdText += "\r\n\t<!ATTLIST concrete colour CDATA \"grey\">";
    TXmlDtd dtd(dtdText, kUnitSI);
    TBeam beam;
    StringSink sink;
    ASSERT_TRUE(WriteXmlDocument(dtd, {&beam}, nullptr, sink).Ok());
    EXPECT_EQ(reporter.Count("Unknown Attribute for concrete : colour."), 1);
    EXPECT_EQ(sink.Text().find("colour"), std::string::npos);
    XmlDocument doc;
    EXPECT_TRUE(ReadXmlDocument(sink.Text(), dtd, doc).Ok());
}

// Ages read back by the full round trip; the default age is left out of the document.
TEST_F(WriterFaults, DefaultAgeIsNotWritten)
{
    TBeam beam;
    beam.SetTimeData(1, kDefaultAgeDays, 0.0, 0.0);
    EXPECT_EQ(Write({&beam}).find("age"), std::string::npos);
}

TEST_F(WriterFaults, ShellOutlineWithoutRegionsKeepsTheThickness)
{
    const std::string text = kHead + "\t<p3g_shell>\r\n\t\t<concrete fcp=\"30\"/>\r\n" +
                             "\t\t<sectionSOLID/>\r\n\t</p3g_shell>\r\n" + kTail;
    XmlDocument doc;
    const XmlResult r = Read(text, doc);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_DOUBLE_EQ(doc.structures[0]->GetHeight(), kDefaultShellThickness);
}

// A membrane element given from 5 to 70 mm above some line is written from its own bottom, the
// bottom row at 0 exactly: measured from mid-thickness the bottom came out as -6.9e-15 mm, which
// the next save wrote without its sign.
TEST_F(WriterFaults, ShellOutlineIsWrittenFromItsOwnBottom)
{
    const std::string text = kHead + "\t<p3g_shell>\r\n\t\t<concrete fcp=\"60\" name=\"Panel\"/>\r\n" +
                             "\t\t<sectionSOLID>\r\n\t\t\t\t\t70.0\t1000.0\r\n" +
                             "\t\t\t\t\t5.0\t1000.0\t\"Panel\"\r\n\t\t</sectionSOLID>\r\n" +
                             "\t</p3g_shell>\r\n" + kTail;
    XmlDocument doc;
    const XmlResult r = Read(text, doc);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_NEAR(doc.structures[0]->GetHeight(), 0.065, 1e-15);
    const std::string first = Write({doc.structures[0].get()});
    EXPECT_NE(first.find("\t\t\t\t\t65.0\t1000.0\r\n\t\t\t\t\t0.0\t1000.0\t\"Panel\""), std::string::npos)
        << first;
    XmlDocument again;
    ASSERT_TRUE(Read(first, again).Ok());
    EXPECT_EQ(Write({again.structures[0].get()}), first);
}

} // namespace
