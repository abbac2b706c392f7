// The full-member settings travel through their own callbacks, in the document's units.

#include "DocumentTestSupport.h"
#include "files/xml/MemberXmlCallbacks.h"
#include "foundation/TTextBuffer.h"

namespace {

// Records what the engine hands over; one BMD with a body and one support to write.
class RecordingMember final : public MemberXmlCallbacks {
public:
    bool IsDefined() const override { return defined; }
    int CountMemberXmlElements(const std::string& e) override
    {
        return e == "Q2010_Analysis" || e == "BMD" || e == "supports" ? 1 : 0;
    }
    int GetMemberXmlAttribute(const std::string& e,
                              const std::string& a,
                              int,
                              std::string& text,
                              int* unit) override
    {
        writeUnits = *unit;
        text = e == "Q2010_Analysis" && a == "length" ? "3000" : "IGNORE";
        return 1;
    }
    int WriteMemberXmlData(const std::string& e, int, TTextBuffer& text, int*) override
    {
        if (e == "BMD")
            text.Append(" 0 1");
        return 1;
    }
    int BeginMemberXmlElement(const std::string& e) override
    {
        begun.push_back(e);
        return 1;
    }
    int SetMemberXmlAttribute(const std::string& e,
                              const std::string& a,
                              const std::string& v,
                              int* unit) override
    {
        if (e == "Q2010_Analysis" && a == "length") {
            length = v;
            readUnits = *unit;
        }
        return 1;
    }
    int ReadMemberXmlData(const std::string& e, TTextBuffer& text, int*) override
    {
        if (e == "BMD")
            body = text.GetString();
        return 1;
    }
    int EndMemberXmlElement(const std::string&) override { return 1; }

    bool defined = true;
    int writeUnits = -1;
    int readUnits = -1;
    std::string length;
    std::string body;
    std::vector<std::string> begun;
};

class MemberSettings : public DocumentTest {};

TEST_F(MemberSettings, WrittenAndReadInTheDocumentsUnits)
{
    g_UnitSystem = kUnitUS;
    TBeam beam;
    RecordingMember member;
    TXmlDtd dtd(kBuiltInDtd, kUnitUS);
    StringSink sink;
    ASSERT_TRUE(WriteXmlDocument(dtd, {&beam}, &member, sink).Ok());
    EXPECT_EQ(member.writeUnits, kUnitUS);
    const std::string& text = sink.Text();
    EXPECT_NE(text.find("\t<Q2010_Analysis\tlength\t=\"3000\"\t>\r\n"
                        "\t\t<BMD\t\t\t> 0 1\r\n\t\t\t</BMD>\r\n"
                        "\t\t<supports\t\t/>\r\n\r\n\t</Q2010_Analysis>\r\n</document>"),
              std::string::npos)
        << text;

    // Read while the session is in SI: the beam's units attribute makes the document US.
    g_UnitSystem = kUnitSI;
    RecordingMember readBack;
    TXmlDtd readDtd(kBuiltInDtd, kUnitSI);
    XmlDocument doc;
    ASSERT_TRUE(ReadXmlDocument(text, readDtd, doc, &readBack).Ok());
    EXPECT_TRUE(doc.memberSettingsRead);
    EXPECT_EQ(readBack.length, "3000");
    EXPECT_EQ(readBack.readUnits, kUnitUS);
    EXPECT_EQ(readBack.body, " 0 1");
    EXPECT_EQ(readBack.begun, (std::vector<std::string>{"Q2010_Analysis", "BMD", "supports"}));
    EXPECT_EQ(g_UnitSystem, kUnitSI);

    // An undefined member writes nothing.
    member.defined = false;
    StringSink undefined;
    ASSERT_TRUE(WriteXmlDocument(dtd, {&beam}, &member, undefined).Ok());
    EXPECT_EQ(undefined.Text().find("Q2010_Analysis"), std::string::npos);
}

} // namespace
