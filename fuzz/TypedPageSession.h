#pragma once
// The session of the page round trip and its documents: File > Save of its sections and member,
// File > Open of the text in a new session, and the round trip of the two that must give the
// same text and the same values.

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ReaderRoundTrip.h"
#include "SectionValues.h"
#include "TypedFuzzSupport.h"
#include "TypedPageSheets.h"
#include "files/xml/DocumentGivesBack.h"
#include "files/xml/XmlReader.h"
#include "files/xml/XmlWriter.h"
#include "member/MemberXmlElement.h"
#include "member/TMemberDefinition.h"
#include "member/fire/FireTestSupport.h"
#include "model/ElementText.h"
#include "model/TBeam.h"
#include "model/ValueLimits.h"

namespace pagetrip {

[[noreturn]] inline void Fail(const std::string& why)
{
    std::fprintf(stderr, "page round trip failed: %s\n", why.c_str());
    std::abort();
}

// The first line where two texts part.
inline std::string FirstDifferentLine(const std::string& a, const std::string& b)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t ea = a.find('\n', start);
        const std::size_t eb = b.find('\n', start);
        if (a.compare(start, ea - start, b, start, eb - start) != 0 || ea == std::string::npos ||
            eb == std::string::npos)
            return "\"" + a.substr(start, ea - start) + "\" became \"" +
                   b.substr(start, eb - start) + "\"";
        start = ea + 1;
    }
}

inline constexpr int kSlots = 6;
// What a member value near 0 may move by through a save and a reopening (m, N m).
inline constexpr double kDocumentFloor = 1e-9;
// The last bits of a double (relative, and absolutely near 0).
inline constexpr double kLastBits = 1e-14;

// The session: its sections (slot 0 first, the current one), its member, and one open list
// sheet of the current section.
struct Session {
    firetest::TestSlots slots{kSlots};
    TMemberDefinition member;
    std::unique_ptr<OpenSheets> sheets;
    TGen_Base* page = nullptr;

    TBeam& Current() { return *slots.Beam(slots.current); }
    // OK of the open list sheet.
    bool CloseSheets()
    {
        if (!sheets)
            return false;
        const bool open = sheets->materials || sheets->longLists || sheets->stirrups;
        sheets->Ok();
        sheets.reset();
        page = nullptr;
        return open;
    }
    std::vector<TStructure*> Structures() const
    {
        std::vector<TStructure*> out;
        for (int i = 0; i < kSlots; ++i)
            if (TStructure* s = slots.GetStructure(i))
                out.push_back(s);
        return out;
    }
};

// What the window does as it shows sections again after an edit: the current section is
// validated, then every section is held as its document, in the program's unit system, gives
// it back.
inline void KeepAsTheWindowDoes(Session& session)
{
    session.Current().Validate();
    for (TStructure* s : session.Structures())
        KeepAsDocumentGivesBack(*s, g_UnitSystem);
}

// File > Save of the sections and the member, as the program writes them: a section holding a
// value no document keeps is refused with a message, which here is a failure.
inline std::string Save(const std::vector<TStructure*>& structures,
                        TMemberDefinition& member,
                        const TStructureSlots& slots)
{
    for (TStructure* s : structures)
        if (const std::string unheld = UnheldValueText(*s); !unheld.empty())
            Fail("File > Save refused what the pages took: " + unheld);
    TXmlDtd& dtd = FuzzDtd();
    dtd.SetUnitSystem(g_UnitSystem);
    StringSink sink;
    MemberXmlElement element(member, slots);
    const bool written = WriteXmlDocument(dtd, structures, &element, sink).Ok();
    dtd.SetUnitSystem(kUnitSI);
    if (!written)
        Fail("the writer refused what the pages took");
    return sink.Text();
}

// File > Open of the text in a new session: the sections in the slots of their components,
// the member made of the first section's stored values, then the document's member settings.
inline void Open(const std::string& text, firetest::TestSlots& slots, TMemberDefinition& member)
{
    roundtrip::MessageCounter counter;
    TXmlDtd& dtd = FuzzDtd();
    dtd.SetUnitSystem(kUnitSI);
    XmlDocument document;
    const XmlResult read = ReadXmlDocument(text, dtd, document);
    if (!read.Ok())
        Fail("the saved document was refused: " + read.message + "\nsaved:\n" + text);
    int slot = 0;
    for (auto& s : document.structures) {
        if (!s)
            continue;
        if (s->GetKind() != kKindBeam)
            Fail("a section came back as another kind");
        slots.Put(slot++, std::unique_ptr<TBeam>(static_cast<TBeam*>(s.release())));
    }
    slots.current = 0;
    for (int i = 0; i < slot; ++i) {
        TMemberQuickDef stored;
        slots.Beam(i)->GetStoredValues(stored);
        TMemberDefinition made;
        made.zoneCount = 0;
        SetMemberFromQuickDefinition(slots, stored, made);
        member = made;
    }
    XmlDocument again;
    MemberXmlElement element(member, slots);
    const XmlResult settings = ReadXmlDocument(text, dtd, again, &element);
    if (!settings.Ok() || !again.memberSettingsRead)
        Fail("the saved member settings were refused: " + settings.message + "\nsaved:\n" + text);
    CheckMemberGeometry(member);
    if (!counter.texts.empty())
        Fail("reopening the saved document said: " + counter.texts.front() + "\nsaved:\n" + text);
}

// Save, open in a new session, save again: the same text, the same values, every section's to
// the last bit.
inline void RoundTrip(Session& session, const char* after)
{
    KeepAsTheWindowDoes(session);
    const std::vector<TStructure*> structures = session.Structures();
    const std::string first = Save(structures, session.member, session.slots);
    firetest::TestSlots slots(kSlots);
    TMemberDefinition member;
    Open(first, slots, member);
    std::vector<TStructure*> reopened;
    for (int i = 0; i < kSlots; ++i)
        if (TStructure* s = slots.GetStructure(i))
            reopened.push_back(s);
    if (reopened.size() != structures.size())
        Fail(StrPrintf("%zu sections were saved, %zu came back",
                       structures.size(),
                       reopened.size()));
    for (std::size_t i = 0; i < structures.size(); ++i) {
        const std::string d = sectionvalues::FirstDifference(
            sectionvalues::OfSection(static_cast<TBeam&>(*structures[i])),
            sectionvalues::OfSection(static_cast<TBeam&>(*reopened[i])),
            0.0,
            0.0);
        if (!d.empty())
            Fail(StrPrintf("after %s, section %zu reopened: %s", after, i, d.c_str()) +
                 (std::getenv("QV_SHOW_SAVE") ? "\nsaved:\n" + first : std::string()));
    }
    // A member made of a section's quick record holds values that passed through single
    // precision: the document keeps the short text within kSinglePrecisionFormat of them.
    const std::string d = sectionvalues::FirstDifference(sectionvalues::OfMember(session.member),
                                                         sectionvalues::OfMember(member),
                                                         kSinglePrecisionFormat,
                                                         kDocumentFloor);
    if (!d.empty())
        Fail(std::string("after ") + after + ", the member reopened: " + d);
    const std::string second = Save(reopened, member, slots);
    if (second != first)
        Fail(std::string("after ") + after + ", the second save differs from the first " +
             roundtrip::FirstDifference(first, second) +
             (std::getenv("QV_SHOW_SAVE") ? "\nfirst:\n" + first + "\nsecond:\n" + second
                                          : std::string()));
}

} // namespace pagetrip
