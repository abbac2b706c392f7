// Documents written and read back: byte-identical second saves of the default beam and
// shell.

#include "DocumentTestSupport.h"

namespace {

class RoundTrip : public DocumentTest {};

TEST_F(RoundTrip, DefaultBeamAndShellSaveTwiceIdentically)
{
    TBeam beam;
    TShell shell;
    beam.Validate();
    shell.Validate();
    const std::string first = Write({&beam, &shell});
    XmlDocument doc;
    const XmlResult r = Read(first, doc);
    ASSERT_TRUE(r.Ok()) << r.message;
    ASSERT_EQ(doc.structures.size(), 2u);
    const std::string second = Write({doc.structures[0].get(), doc.structures[1].get()});
    EXPECT_EQ(second, first);
    // A new membrane element has no concrete type yet; its validation says so, the reader
    // adds nothing to that.
    for (const RecordedMessage& m : reporter.messages)
        EXPECT_NE(m.text.find("GetConcreteType"), std::string::npos) << m.text;
}

} // namespace
