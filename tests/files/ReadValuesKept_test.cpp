// The readers' round trip: a document the reader refuses with a message is done with, whatever
// its head; and the structures read are compared with those their saved document reopens as,
// value by value to the last bit, where the document's own text cannot tell them apart.

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "DocumentTestSupport.h"
#include "ReaderRoundTrip.h"

namespace {

std::string Sample()
{
    std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_0.xml",
                     std::ios::binary);
    EXPECT_TRUE(in);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class ReadValuesKept : public DocumentTest {
protected:
    ReadValuesKept() { g_FileOverride = 1; }

    TXmlDtd dtd{kBuiltInDtd, kUnitSI};
};

TEST_F(ReadValuesKept, AValueALastBitApartIsToldWithItsAttribute)
{
    XmlDocument read;
    ASSERT_TRUE(Read(Sample(), read).Ok());
    XmlDocument same;
    ASSERT_TRUE(Read(Sample(), same).Ok());
    const std::vector<TStructure*> was = roundtrip::Present(read);
    std::vector<TStructure*> is = roundtrip::Present(same);
    ASSERT_EQ(was.size(), 1u);
    EXPECT_EQ(roundtrip::ValueDifference(dtd, was, is), "");

    ConcreteTypeRec& concrete = *is[0]->GetConcreteType(0);
    concrete.fc = std::nextafter(concrete.fc, 0.0);
    const std::string difference = roundtrip::ValueDifference(dtd, was, is);
    EXPECT_NE(difference.find("fcp"), std::string::npos) << difference;
    // The document's own text cannot tell them apart.
    std::string first, second;
    ASSERT_TRUE(roundtrip::Save(dtd, was, first));
    ASSERT_TRUE(roundtrip::Save(dtd, is, second));
    EXPECT_EQ(first, second);
}

TEST_F(ReadValuesKept, ADocumentRefusedWithAMessageIsDoneWithWhateverItsHead)
{
    // A strength no section holds: the reader refuses the document and says why.
    const std::string text = Replaced(Sample(), "fcp\t\t=\"40.0\"", "fcp\t\t=\"1e300\"");
    const roundtrip::Result r = roundtrip::RoundTripDocument(dtd, text);
    EXPECT_EQ(r.outcome, roundtrip::Outcome::Refused) << r.failure;
    EXPECT_NE(r.refusal.find("a section takes at most"), std::string::npos) << r.refusal;
    // The same document without its head is read as a document all the same.
    const roundtrip::Result headless =
        roundtrip::RoundTripDocument(dtd, text.substr(text.find("<document>")));
    EXPECT_EQ(headless.outcome, roundtrip::Outcome::Refused) << headless.failure;
}

} // namespace
