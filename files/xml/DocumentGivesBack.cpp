#include "files/xml/DocumentGivesBack.h"

#include <memory>
#include <string>
#include <utility>

#include "files/xml/SectionReadSettings.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "files/xml/XmlReader.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "model/ElementText.h"
#include "model/TBeam.h"
#include "model/TMemberQuickDef.h"

namespace {

// Counts what a read says, showing nothing.
class QuietCounter final : public Reporter {
public:
    int Message(const std::string&, const std::string&, unsigned style) override
    {
        ++said;
        return DefaultAnswer(style);
    }
    void ShowData(const std::string&) override {}
    int said = 0;
};

// The program-wide settings that writing and reading a section may set, put back as they were
// when it goes; the load-error log the read adds to is its own.
class ProgramSettingsKept {
public:
    ProgramSettingsKept() : m_report(std::move(g_ReportText)) {}
    ~ProgramSettingsKept()
    {
        m_settings.Restore();
        g_ReportText = std::move(m_report);
    }
    ProgramSettingsKept(const ProgramSettingsKept&) = delete;
    ProgramSettingsKept& operator=(const ProgramSettingsKept&) = delete;

    // Whether the read added to the load-error log.
    static bool Logged() { return g_ReportText != nullptr; }

private:
    SectionReadSettings m_settings;
    std::unique_ptr<std::string> m_report;
};

} // namespace

bool KeepAsDocumentGivesBack(TStructure& structure, int unitSystem)
{
    if (structure.GetKind() != kKindBeam || structure.IsFrozen())
        return false;
    auto& beam = static_cast<TBeam&>(structure);
    const ProgramSettingsKept settings;
    QuietCounter counter;
    const ScopedReporter quiet(counter);
    const auto quietly = [&counter] { return counter.said == 0 && !ProgramSettingsKept::Logged(); };
    TXmlDtd dtd(kBuiltInDtd, DocumentUnits(&unitSystem));
    StringSink sink;
    if (!WriteXmlDocument(dtd, {&beam}, nullptr, sink).Ok() || !quietly())
        return false;
    TTextBuffer text(sink.Text());
    XmlFlattenWhitespace(text);
    const std::string& document = text.GetString();
    // First into a new section, as a new session reads the document: only a document read
    // back without a word is taken.
    {
        TBeam back;
        if (!XmlReadStructure(dtd, document, 0, &back).Ok() || !quietly())
            return false;
    }
    // Then into this section made new, so that whatever holds it keeps holding it. What no
    // document of a section keeps stays as it was: the member values an older file brought
    // (the document's member settings hold the member), the data lists, the values an older
    // file carries for its own format, and the section's place in the program's books.
    const std::unique_ptr<TStructure> before = beam.Clone();
    const auto& was = static_cast<const TBeam&>(*before);
    beam.InitEmpty();
    beam.NewDefault();
    const bool read = XmlReadStructure(dtd, document, 0, &beam).Ok();
    TMemberQuickDef member;
    was.GetStoredValues(member);
    beam.SetStoredValues(member);
    beam.CopyValueListsFrom(was);
    beam.SetFileValues(was.GetFileValues());
    beam.SetFileVersionCode(was.GetFileVersionCode());
    beam.SetSectionId(was.GetSectionId());
    beam.SetReferenced(was.IsReferenced());
    beam.SetModified(was.IsModified());
    return read;
}
