// A section held as its document gives it back: in every unit system, values finer than a
// document keeps become those its document reopens as, every one to the last bit; holding it
// so again changes nothing; what no document keeps stays; and the program's settings are left
// as they were.

#include <memory>
#include <string>
#include <vector>

#include "BeamFixture.h"
#include "DocumentTestSupport.h"
#include "ReaderRoundTrip.h"
#include "files/xml/DocumentGivesBack.h"
#include "foundation/ReportText.h"
#include "model/QuickDefineFlag.h"
#include "model/TMemberQuickDef.h"
#include "model/TShell.h"

namespace {

class DocumentGivesBack : public DocumentTest {
protected:
    // The full beam with lengths, a strength and a load typed to more digits than a document
    // keeps, validated as the window shows it.
    static std::unique_ptr<TBeam> FineBeam()
    {
        std::unique_ptr<TBeam> beam = MakeFullBeam();
        beam->ChangeRegionWidths(0, 0.000123456789, 0.000123456789);
        beam->GetLongLayer(0, 0)->z += 0.0000987654321;
        beam->GetConcreteType(0)->fc = -40.123456789e6;
        const double increment[3] = {0.0, 1234.56789123, 0.0};
        beam->SetIncrementLoads(increment, 3);
        beam->Validate();
        return beam;
    }

    TXmlDtd dtd{kBuiltInDtd, kUnitSI};
};

} // namespace

// Saved in the unit system it was held in and reopened, the section holds the same values to
// the last bit; before, the values typed finer than the document's digits came back otherwise.
TEST_F(DocumentGivesBack, ReopensToTheLastBitInEveryUnitSystem)
{
    for (int units : {kUnitSI, kUnitUS, kUnitOldMetric, kUnitRoman}) {
        SCOPED_TRACE(units);
        g_UnitSystem = units;
        std::unique_ptr<TBeam> beam = FineBeam();
        {
            XmlDocument reopened;
            ASSERT_TRUE(Read(Write({beam.get()}, units), reopened).Ok());
            EXPECT_NE(roundtrip::ValueDifference(dtd, {beam.get()}, roundtrip::Present(reopened)),
                      "");
        }
        ASSERT_TRUE(KeepAsDocumentGivesBack(*beam, units));
        const std::string saved = Write({beam.get()}, units);
        XmlDocument reopened;
        ASSERT_TRUE(Read(saved, reopened).Ok());
        EXPECT_EQ(roundtrip::ValueDifference(dtd, {beam.get()}, roundtrip::Present(reopened)), "");
        EXPECT_EQ(Write(roundtrip::Present(reopened), units), saved);
    }
}

// Holding the section so a second time, or after a validation, leaves every value as it was.
TEST_F(DocumentGivesBack, HoldingItAgainChangesNothing)
{
    g_UnitSystem = kUnitUS;
    std::unique_ptr<TBeam> beam = FineBeam();
    ASSERT_TRUE(KeepAsDocumentGivesBack(*beam, kUnitUS));
    const std::string once = roundtrip::ValuesText(dtd, {beam.get()});
    ASSERT_TRUE(KeepAsDocumentGivesBack(*beam, kUnitUS));
    EXPECT_EQ(roundtrip::ValuesText(dtd, {beam.get()}), once);
    beam->Validate();
    ASSERT_TRUE(KeepAsDocumentGivesBack(*beam, kUnitUS));
    EXPECT_EQ(roundtrip::ValuesText(dtd, {beam.get()}), once);
}

// The member values an older file brought, the data lists and the section's number stay; the
// program's unit system, the quick-define flag and the load-error log are as they were, and
// nothing is said.
TEST_F(DocumentGivesBack, KeepsWhatNoDocumentKeepsAndLeavesTheProgramAsItWas)
{
    std::unique_ptr<TBeam> beam = FineBeam();
    TMemberQuickDef member;
    member.L = 1.5f;
    member.mido2 = 0.25f;
    member.marker = 7;
    beam->SetStoredValues(member);
    const double list[3] = {0.1, 0.2, 0.3};
    beam->SetValueList(2, list, 3);
    beam->SetSectionId(42);
    beam->SetModified(1);
    const int quickDefineNew = GetQuickDefineNew();
    SetQuickDefineNew(0);
    ClearReportText();
    roundtrip::MessageCounter counter;

    ASSERT_TRUE(KeepAsDocumentGivesBack(*beam, kUnitOldMetric));
    TMemberQuickDef kept;
    beam->GetStoredValues(kept);
    EXPECT_TRUE(kept == member);
    ASSERT_NE(beam->GetValueList(2), nullptr);
    EXPECT_EQ(beam->GetValueList(2)->GetCount(), 3);
    EXPECT_EQ(beam->GetValueList(2)->At(2), 0.3);
    EXPECT_EQ(beam->GetSectionId(), 42);
    EXPECT_EQ(beam->IsModified(), 1);
    EXPECT_EQ(beam->GetName(), "T-beam & <web>");

    EXPECT_EQ(g_UnitSystem, kUnitSI);
    EXPECT_EQ(GetQuickDefineNew(), 0);
    EXPECT_FALSE(HasReportText());
    EXPECT_TRUE(counter.texts.empty());
    SetQuickDefineNew(quickDefineNew);
}

// A section an analysis holds frozen, and a membrane element, are left as they are.
TEST_F(DocumentGivesBack, AFrozenSectionOrAMembraneIsLeftAsItIs)
{
    std::unique_ptr<TBeam> beam = FineBeam();
    const std::string before = roundtrip::ValuesText(dtd, {beam.get()});
    beam->SetFrozen(1);
    EXPECT_FALSE(KeepAsDocumentGivesBack(*beam, kUnitUS));
    beam->SetFrozen(0);
    EXPECT_EQ(roundtrip::ValuesText(dtd, {beam.get()}), before);

    TShell shell(0);
    EXPECT_FALSE(KeepAsDocumentGivesBack(shell, kUnitUS));
}
