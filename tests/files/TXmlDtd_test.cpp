// The document type definition: the file beside the program, its fallback, and the queries.

#include <memory>

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"

namespace {

class DtdTest : public DocumentTest {};

TEST_F(DtdTest, MissingFileIsWrittenFromTheBuiltInTextAndReadBack)
{
    TXmlDtd first;
    EXPECT_EQ(dir.Read("q3g.dtd"), std::string(kBuiltInDtd));
    TXmlDtd second;
    EXPECT_EQ(second.GetText(), first.GetText());
    EXPECT_EQ(first.GetText().find_first_of("\r\n\t"), std::string::npos);
}

TEST_F(DtdTest, CreationFailureIsLoggedAndTheBuiltInTextUsed)
{
    DirWritableTest previous = SetDirWritableTest([](const std::string&) { return false; });
    TXmlDtd dtd;
    SetDirWritableTest(previous);
    ASSERT_TRUE(HasReportText());
    EXPECT_NE(g_ReportText->find(kDtdCreateFailedMessage), std::string::npos);
    EXPECT_EQ(dtd.GetElementKind("supports"), kDtdEmpty);
}

TEST_F(DtdTest, Queries)
{
    const TXmlDtd dtd(kBuiltInDtd, kUnitSI);
    std::string value;
    EXPECT_FALSE(dtd.GetAttributeDefault("concrete", "fcp", value));
    EXPECT_EQ(value, "NOT FOUND");
    EXPECT_TRUE(dtd.GetAttributeDefault("Q2010_Analysis", "length", value));
    EXPECT_EQ(value, "#REQUIRED");
    EXPECT_TRUE(dtd.GetAttributeDefault("q3g_beam", "doneby", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(dtd.GetAttributeDefault("longreinfy", "dep", value));
    EXPECT_EQ(value, "0.0");

    int occurrence = 0;
    std::string name;
    EXPECT_TRUE(dtd.GetChildElement("q3g_beam", 0, occurrence, name));
    EXPECT_EQ(name, "concrete");
    EXPECT_EQ(occurrence, kOccursOneOrMore);
    EXPECT_TRUE(dtd.GetChildElement("q3g_beam", 14, occurrence, name));
    EXPECT_EQ(name, "firedata");
    EXPECT_EQ(occurrence, kOccursOptional);
    EXPECT_FALSE(dtd.GetChildElement("q3g_beam", 15, occurrence, name));
    EXPECT_EQ(name, "NO ELEMENT");
    EXPECT_TRUE(dtd.GetChildElement("Q2010_Analysis", 1, occurrence, name));
    EXPECT_EQ(name, "mattypes");
    EXPECT_EQ(occurrence, kOccursOnce);

    EXPECT_EQ(dtd.GetElementKind("supports"), kDtdEmpty);
    EXPECT_EQ(dtd.GetElementKind("BMD"), kDtdModel);
    EXPECT_EQ(dtd.GetElementKind("nothing"), kDtdOther);

    EXPECT_TRUE(dtd.GetAttributeName("q3g_beam", 7, name));
    EXPECT_EQ(name, "Version");
    EXPECT_FALSE(dtd.GetAttributeName("q3g_beam", 8, name));

    // A copy answers from its own tables once the definition it was copied from is gone.
    auto original = std::make_unique<TXmlDtd>(kBuiltInDtd, kUnitSI);
    original->GetAttributeName("q3g_beam", 7, name);
    const TXmlDtd copy = *original;
    original.reset();
    EXPECT_TRUE(copy.GetAttributeName("q3g_beam", 7, name));
    EXPECT_EQ(name, "Version");
}

TEST_F(DtdTest, EditedDefinitionIsAnsweredAsItsTextReads)
{
    // An element declared twice, the first time without a model; a default of "a" found
    // behind the declaration of "ab", whose name contains it.
    const TXmlDtd dtd("<!ELEMENT a ANY> <!ELEMENT a (b*, c )> <!ATTLIST ab x CDATA \"2\">"
                      "<!ATTLIST a x CDATA \"1\"> <!ATTLIST a y CDATA #IMPLIED>",
                      kUnitSI);
    EXPECT_EQ(dtd.GetElementKind("a"), kDtdOther);
    int occurrence = 0;
    std::string name;
    for (int ask = 0; ask < 2; ++ask) {
        EXPECT_TRUE(dtd.GetChildElement("a", 1, occurrence, name));
        EXPECT_EQ(name, "c");
        EXPECT_EQ(occurrence, kOccursOnce);
    }
    EXPECT_EQ(reporter.Count("DTD file does not contain object a"), 2);
    EXPECT_FALSE(dtd.GetChildElement("a", 2, occurrence, name));
    EXPECT_EQ(name, "NO ELEMENT");

    std::string value;
    EXPECT_TRUE(dtd.GetAttributeDefault("a", "x", value));
    EXPECT_EQ(value, "2");
    EXPECT_FALSE(dtd.GetAttributeDefault("a", "y", value));
    EXPECT_EQ(value, "NOT FOUND");
    for (int ask = 0; ask < 2; ++ask)
        EXPECT_FALSE(dtd.GetAttributeDefault("a", "z", value));
    EXPECT_EQ(reporter.Count("DTD file does not declare attribute z of a"), 1);
}

TEST_F(DtdTest, EditedDefaultChangesWhatIsWrittenButNotWhatIsRead)
{
    std::string edited = kBuiltInDtd;
    const std::string from = "q3g_beam smx CDATA \"-1\"";
    edited.replace(edited.find(from), from.size(), "q3g_beam smx CDATA \"-1.0\"");
    TBeam beam;
    TXmlDtd dtd(edited, kUnitSI);
    StringSink sink;
    ASSERT_TRUE(WriteXmlDocument(dtd, {&beam}, nullptr, sink).Ok());
    EXPECT_NE(sink.Text().find("smx\t\t=\"-1\""), std::string::npos);
    XmlDocument doc;
    ASSERT_TRUE(Read(sink.Text(), doc).Ok());
    EXPECT_EQ(doc.structures[0]->GetCrackSpacing(0), -1.0);
}

} // namespace
