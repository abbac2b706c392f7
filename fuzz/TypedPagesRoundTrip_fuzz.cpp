// What the pages and commands take is what a document keeps. Typed text goes to every page and
// command that changes a section or its member, as whole user actions: the material pages (with
// their stress-strain curves typed in "Define Data"), the reinforcement pages, General
// definitions, Concrete Section (the user outline), Sectional Loads, Time Dependent Effects, the
// shrinkage and strain-discontinuity pages, every page of Full Member Properties, the fire
// dialog, Create Fire Damaged Beam and Quick Define. A page that refuses what was typed leaves
// the section as it was. After each dialog left with OK, the sections and the member are saved,
// opened again as a new session opens them, and saved again: the document must open without a
// word, save to the same text, and the reopened sections and member hold the session's values
// (each value within what the document's ten digits keep). A page left with OK and nothing
// edited changes no value at all. At the end every list page opened on each reopened section
// shows what the same page shows on the session's.
//   p<digit> shows a list page: 0 concrete, 1 rebar, 2 prestressing steel (the materials sheet),
//   3 layers, 4 circles, 5 distributed, 6 tendons (the longitudinal sheet), 7 stirrups;
//   0-5 type field k; n the name; b a bar area, d a bar designation; o<digit> the first
//   drop-down, c<digit> the second (an item it lists); v the "Define Data" text of the next curve
//   asked for ('/' between lines); A Add, M Modify, D Delete, s<digit> choose a line, K leave the
//   page, y answers the next question Yes (else No), u<digit> the unit system. The other dialogs,
//   each ended with OK ('|' between fields): G general (three ticks as 0/1, two spacings, axis), L
//   loads (six), T time (tick, years, moment, axial), F fire (mask digit, curve digit, minutes,
//   temperature), R Create Fire Damaged Beam, Q<k><text> a Quick Define answer (as the quick define
//   target), W Quick Define's Finish, E concrete section outline (a|elevation|width add, m|...
//   modify, d delete, s<digit> select), S / X shrinkage / strain discontinuity (a|elevation|strain,
//   m|..., d, s<digit>, e<item>|strain), m member sheet (q quick fields as the member pages target,
//   g geometry fields, z / Z / w zone boundary add / modify / delete, x<k> / X<k> a moment point,
//   a<k> axial load, r<k> delete the point, l<k> Delete Full Listing, s<k><digit> select), N<digit>
//   makes another section current; k<page> leaves a page with OK and nothing edited (0-7 the list
//   pages, g, l, t, f, e, s, x, m).
// A failure names the first value that differs; QV_SHOW_SAVE=1 adds the saved text, and
// QV_ALL_DIFFERENCES=1 lists every other value that differs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "ReaderRoundTrip.h"
#include "SectionValues.h"
#include "TypedFuzzSupport.h"
#include "TypedMemberFields.h"
#include "TypedListForm.h"
#include "dialogs/DefinitionFields.h"
#include "dialogs/FireFields.h"
#include "dialogs/MaterialLists.h"
#include "dialogs/MaterialPages.h"
#include "dialogs/MemberPages.h"
#include "dialogs/OutlineEditor.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/SectionSheet.h"
#include "dialogs/StrainProfile.h"
#include "dialogs/ValueList.h"
#include "files/xml/XmlReader.h"
#include "files/xml/XmlWriter.h"
#include "foundation/TypedNumber.h"
#include "member/MemberXmlElement.h"
#include "member/TMemberDefinition.h"
#include "member/fire/FireTestSupport.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/ElementText.h"
#include "model/TBeam.h"
#include "model/ValueLimits.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionOutline.h"
#include "model/shapes/SectionShape.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

constexpr int kPageKinds = 8;
constexpr int kFirstReinforcementPage = 3;
constexpr int kStirrupPage = 7;

// The "Define Data" texts typed for the curves the pages ask for, in turn; a curve asked for
// when none is left is cancelled.
std::deque<std::string> g_curveTexts;

// True when the dialog takes the text (OK), false when it is cancelled.
bool TypeCurve(TDepthTable& curve, int mode)
{
    if (g_curveTexts.empty())
        return false;
    std::string text = g_curveTexts.front();
    g_curveTexts.pop_front();
    for (char& c : text)
        if (c == '/')
            c = '\n';
    TValueList dialog(nullptr, mode, &curve);
    // A text with a value that is no number is refused by the dialog, which is then cancelled.
    if (!dialog.CheckText(text).empty())
        return false;
    dialog.ReadText(text);
    dialog.Commit();
    return true;
}

// Whether an entry of the page is drawn by its own stress-strain curve.
bool UsesCurve(int kind, const TypeListRec& entry)
{
    if (kind == 0)
        return entry.codes[0] == BaseCurveCodeToPosition(BaseCurveCode::UserDefined);
    return kind == 1 && entry.codes[0] == 1;
}

// The lists of one open sheet and its pages, built from the section as the sheet is opened.
struct OpenSheets {
    explicit OpenSheets(TBeam& section) : beam(section) {}

    TGen_Base& Page(int kind)
    {
        auto& page = pages[static_cast<std::size_t>(kind)];
        if (kind < kFirstReinforcementPage && !materials) {
            materials = std::make_unique<TMaterialLists>();
            FillMaterialLists(beam, *materials);
        }
        if (kind >= kFirstReinforcementPage && kind < kStirrupPage && !longLists)
            longLists = std::make_unique<TLongLists>(BuildLongLists(beam, 0));
        if (kind == kStirrupPage && !stirrups)
            stirrups = BuildTransList(beam, 2);
        if (!page) {
            switch (kind) {
            case 0:
                page = std::make_unique<TGen_Conc>(beam, materials->concrete, 0, -1);
                break;
            case 1:
                page = std::make_unique<TGen_Steel>(beam,
                                                    materials->rebar,
                                                    materials->prestressing,
                                                    0,
                                                    -1);
                break;
            case 2:
                page = std::make_unique<TGen_PSteel>(beam,
                                                     materials->prestressing,
                                                     materials->rebar,
                                                     0,
                                                     -1);
                break;
            case 3:
                page = std::make_unique<TGen_Lon>(*longLists, *longLists->individual, beam, 0, -1);
                break;
            case 4:
                page = std::make_unique<TGen_Circ>(*longLists, *longLists->circular, beam, 0, -1);
                break;
            case 5:
                page = std::make_unique<TGen_Distribute>(*longLists,
                                                         *longLists->distributed,
                                                         beam,
                                                         0,
                                                         -1);
                break;
            case 6:
                page = std::make_unique<TGen_Ten>(*longLists, *longLists->tendons, beam, 0, -1);
                break;
            default:
                page = std::make_unique<TGen_Tra>(*stirrups, beam, -1, 2);
                break;
            }
            page->editCurve = TypeCurve;
            page->Setup();
        }
        return *page;
    }

    // OK of every open sheet: its lists go into the section, which is validated; the pages close.
    void Ok()
    {
        if (materials)
            WriteBackMaterials(beam, *materials);
        if (longLists)
            WriteBackLongLists(beam, *longLists, 0);
        if (stirrups)
            WriteBackTransList(beam, *stirrups, 2);
        for (auto& page : pages)
            page.reset();
        materials.reset();
        longLists.reset();
        stirrups.reset();
        beam.Validate();
    }

    bool Opens(int kind) const
    {
        if (kind < kFirstReinforcementPage)
            return materials != nullptr;
        return kind == kStirrupPage ? stirrups != nullptr : longLists != nullptr;
    }

    TBeam& beam;
    std::unique_ptr<TMaterialLists> materials;
    std::unique_ptr<TLongLists> longLists;
    std::unique_ptr<TTypeList> stirrups;
    std::array<std::unique_ptr<TGen_Base>, kPageKinds> pages;
};

// Everything every page shows of every entry, in the active unit system: one line a field.
std::string Shown(TBeam& beam)
{
    std::string shown;
    for (int kind = 0; kind < kPageKinds; ++kind) {
        OpenSheets sheets(beam);
        TGen_Base& page = sheets.Page(kind);
        page.SetActive();
        shown += "page " + std::to_string(kind) + "\n";
        for (const std::string& line : page.form.lines)
            shown += " line " + line + "\n";
        const std::size_t lines = page.form.lines.size();
        for (std::size_t l = 0; l < lines; ++l) {
            page.form.lineSel = static_cast<int>(l);
            page.ListSelectionChanged();
            const ListForm& f = page.form;
            shown += " entry " + f.name + "\n";
            for (std::size_t k = 0; k < f.fields.size(); ++k)
                if (f.fieldShown[k])
                    shown += "  " + f.labels[k] + " " + f.fields[k] + "\n";
            for (std::size_t k = 0; k < f.comboSel.size(); ++k)
                if (f.comboShown[k])
                    shown += "  " + f.comboLabels[k] + " " + std::to_string(f.comboSel[k]) + "\n";
            if (f.barShown)
                shown += "  bar " + f.bar.text + "\n";
            const int current = page.Current();
            if (page.List().IsValidIndex(current) && UsesCurve(kind, page.List().Entry(current)) &&
                page.CurveCopy() != nullptr) {
                TDepthTable curve = *page.CurveCopy();
                shown += "  curve\n" + TValueList(nullptr, kind == 0 ? 0 : 2, &curve).ShowList();
            }
        }
    }
    return shown;
}

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "page round trip failed: %s\n", why.c_str());
    std::abort();
}

// The first line where two texts part.
std::string FirstDifferentLine(const std::string& a, const std::string& b)
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

constexpr int kSlots = 6;
// A document keeps ten significant digits of a value (FormatValue): what a value may move by
// through a save and a reopening, relative to itself, or absolutely near 0 (depths measured
// from the moment axis keep ten digits of the section's own size: m, strains).
constexpr double kDocumentShare = 1e-9;
constexpr double kDocumentFloor = 1e-9;
// The last bits of a double (relative, and absolutely near 0).
constexpr double kLastBits = 1e-14;

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

// File > Save of the sections and the member, as the program writes them: a section holding a
// value no document keeps is refused with a message, which here is a failure.
std::string Save(const std::vector<TStructure*>& structures,
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
void Open(const std::string& text, firetest::TestSlots& slots, TMemberDefinition& member)
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

// Save, open in a new session, save again: the same text, the same values.
void RoundTrip(Session& session, const char* after)
{
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
            kDocumentShare,
            kDocumentFloor);
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

// The member sheet: a copy is edited, OK checks it and writes it back. False when the page
// refused what was typed (the sheet is then cancelled).
bool MemberAction(Session& session, const std::string& text)
{
    TMemberDefinition copy = session.member;
    const char sub = text.empty() ? 0 : text[0];
    const std::string rest = text.empty() ? text : text.substr(1);
    const int k = Digit(rest, 0) % 2;
    const std::string afterK = rest.empty() ? rest : rest.substr(1);
    TMomentPointEditor editor(copy, k);
    int zone = 0;
    switch (sub) {
    case 'q': {
        const auto f = Fields(rest, 6);
        bool detailed = false;
        QuickFields quick = ShowQuickFields(session.slots, copy, detailed);
        quick.shearLength = f[0];
        quick.constantZone = f[1];
        quick.momentRatio = f[2];
        quick.axialLoad = f[3];
        quick.yieldPenetration = f[4];
        quick.loadingType = Digit(f[5], 0) % 3;
        quick.leftCase = Digit(f[5], 1) % 3;
        quick.rightCase = Digit(f[5], 2) % 3;
        if (CheckQuickFields(session.slots, quick))
            return false;
        int confirm = 0;
        ApplyQuickFields(session.slots, quick, copy, confirm);
        break;
    }
    case 'g': {
        const auto f = Fields(rest, 9);
        const GeometryFields typed = TypedGeometryFields(ShowGeometryFields(copy), f);
        if (CheckGeometryFields(typed))
            return false;
        ReadGeometryFields(typed, copy);
        break;
    }
    case 'z':
        AddZoneBoundary(copy, rest, zone);
        break;
    case 'Z':
        zone = Digit(rest, 0);
        ModifyZoneBoundary(copy, afterK, zone);
        break;
    case 'w':
        zone = Digit(rest, 0);
        DeleteZoneBoundary(copy, zone);
        break;
    case 'x':
    case 'X': {
        // x<k>location|moment|parabolic adds; X<k><row>... modifies the point of the row.
        if (sub == 'X')
            editor.Select(Digit(rest, 1), editor.SelectedTexts());
        const auto f = Fields(sub == 'X' && !afterK.empty() ? afterK.substr(1) : afterK, 3);
        const PointTexts typed{f[0], f[1], f[2] == "1"};
        if (CheckPointTexts(typed))
            return false;
        sub == 'x' ? editor.Add(typed) : editor.Modify(typed);
        break;
    }
    case 'a':
        if (!CheckTypedAxialLoad(afterK).empty())
            return false;
        editor.SetAxialLoad(afterK);
        break;
    case 'r':
        editor.Select(Digit(rest, 1), editor.SelectedTexts());
        editor.Delete();
        break;
    case 'l':
        editor.DeleteAll();
        break;
    default:
        return false;
    }
    WriteBackMemberSheet(copy, session.member);
    return true;
}

// The shrinkage (mode 0) or strain-discontinuity (mode 1) page: one edit, then OK.
bool StrainAction(TBeam& beam, int mode, const std::string& text)
{
    TStrainProfile profile(beam, mode);
    (void)profile.Rows();
    const char sub = text.empty() ? 0 : text[0];
    const std::string rest = text.empty() ? text : text.substr(1);
    // a elevation|strain; m<row>elevation|strain; d<row>; e<item>strain.
    const auto f = Fields(sub == 'a' || rest.empty() ? rest : rest.substr(1), 2);
    switch (sub) {
    case 'a':
        profile.Add(f[0], f[1]);
        break;
    case 'm':
        profile.SelectRow(Digit(rest, 0));
        profile.Modify(f[0], f[1]);
        break;
    case 'd':
        profile.SelectRow(Digit(rest, 0));
        profile.Delete();
        break;
    case 'e': {
        const auto items = profile.ReinforcementItems();
        if (!items.empty())
            profile.Set(Digit(rest, 0) % static_cast<int>(items.size()), f[0]);
        break;
    }
    default:
        return false;
    }
    if (profile.RefusedField() >= 0)
        return false;
    profile.Write();
    return true;
}

// The concrete section's "User Defined" page: one edit, then OK.
bool OutlineAction(TBeam& beam, const std::string& text, int& upward)
{
    TDepthTable outline, types;
    const SectionSheetStart start = StartSectionSheet(beam, outline, types);
    TOutlineEditor editor(outline, types, beam.GetMaxRegions(), [&upward](int, double) {
        return upward;
    });
    const char sub = text.empty() ? 0 : text[0];
    const std::string rest = text.empty() ? text : text.substr(1);
    const auto f = Fields(rest, 2);
    switch (sub) {
    case 'a':
        editor.Add(f[0], f[1]);
        break;
    case 'm': {
        const auto g = Fields(rest.empty() ? rest : rest.substr(1), 2);
        editor.SelectRow(Digit(rest, 0));
        editor.Modify(g[0], g[1]);
        break;
    }
    case 'd':
        editor.SelectRow(Digit(rest, 0));
        editor.Delete();
        break;
    case 'c':
        upward = 1 - upward;
        return false;
    default:
        return false;
    }
    if (editor.RefusedField() >= 0)
        return false;
    FinishSectionSheet(beam, outline, types, start);
    return true;
}

// A page left with OK and nothing edited.
void UneditedOk(Session& session, char which)
{
    TBeam& beam = session.Current();
    if (which >= '0' && which <= '7') {
        // The list sheets write their types back in their own order (bars, user curves, strand)
        // and keep a prestressing type at hand: a first OK puts a section read from elsewhere
        // in that order, and the page left with OK again must change nothing.
        OpenSheets sheets(beam);
        sheets.Page(which - '0').SetActive();
        sheets.Ok();
    }
    const auto sectionBefore = sectionvalues::OfSection(beam);
    const auto memberBefore = sectionvalues::OfMember(session.member);
    switch (which) {
    case 'g': {
        const GeneralFields shown = ShowGeneral(beam);
        if (const TypedRefusal r = CheckGeneral(shown, beam))
            Fail("General definitions refuse what they show: " + r.message);
        ApplyGeneral(beam, shown);
        break;
    }
    case 'l': {
        const LoadFields shown = ShowLoads(beam);
        if (const TypedRefusal r = CheckLoads(beam, shown.values))
            Fail("Sectional Loads refuse what they show: " + r.message);
        ApplyLoads(beam, shown.values);
        break;
    }
    case 't': {
        const TimeFields shown = ShowTime(&beam);
        if (const TypedRefusal r = CheckTime(shown))
            Fail("Time Dependent Effects refuse what they show: " + r.message);
        ApplyTime(beam, shown);
        break;
    }
    case 'f': {
        const FireFields shown = ShowFireFields(beam);
        if (const TypedRefusal r = CheckFireFields(shown))
            Fail("the fire dialog refuses what it shows: " + r.message);
        ApplyFireFields(beam, shown);
        break;
    }
    case 'e': {
        TDepthTable outline, types;
        const SectionSheetStart start = StartSectionSheet(beam, outline, types);
        FinishSectionSheet(beam, outline, types, start);
        break;
    }
    case 's':
    case 'x': {
        TStrainProfile profile(beam, which == 's' ? 0 : 1);
        (void)profile.Rows();
        profile.Write();
        break;
    }
    case 'm': {
        // The quick page reads its fields only when one changes; the geometry page, which the
        // sheet opens on for a member in detailed form, reads what it shows as it opens.
        // Leaving them checks them.
        TMemberDefinition copy = session.member;
        bool detailed = false;
        if (MemberSheetStartPage(session.slots, copy) == 0)
            if (const TypedRefusal r =
                    CheckQuickFields(ShowQuickFields(session.slots, copy, detailed));
                r && !detailed)
                Fail("the quick member page refuses what it shows: " + r.message);
        const GeometryFields geometry = ShowGeometryFields(copy);
        if (const TypedRefusal r = CheckGeometryFields(geometry))
            Fail("the member geometry page refuses what it shows: " + r.message);
        if (MemberSheetStartPage(session.slots, copy) == 1)
            ReadGeometryFields(geometry, copy);
        WriteBackMemberSheet(copy, session.member);
        break;
    }
    default: {
        if (which < '0' || which > '7')
            return;
        OpenSheets sheets(beam);
        sheets.Page(which - '0').SetActive();
        sheets.Ok();
        break;
    }
    }
    // Opening the concrete section sheet validates the section, whose shift to the moment axis
    // may move a depth by its last bit (and nothing more).
    const double share = which == 'e' ? kLastBits : 0.0;
    std::string d =
        sectionvalues::FirstDifference(sectionBefore, sectionvalues::OfSection(beam), share, share);
    if (d.empty())
        d = sectionvalues::FirstDifference(memberBefore,
                                           sectionvalues::OfMember(session.member),
                                           0.0,
                                           0.0);
    if (!d.empty())
        Fail(StrPrintf("page %c left with OK and nothing edited changed %s", which, d.c_str()));
}

// A Quick Define answer typed in display units (as the quick define target reads them).
void QuickAnswer(TQuickDefData& q, const TypedAction& a)
{
    const std::string rest = a.text.empty() ? std::string() : a.text.substr(1);
    const char key = a.text.empty() ? '0' : a.text[0];
    const double typed = TypedNumber(rest);
    const int count = ClampToInt(typed);
    switch (key) {
    case 'u':
        q.shapeCode = Digit(rest, 0) % 4;
        return;
    case 't':
        q.topCount = count;
        return;
    case 'm':
        q.bottomCount = count;
        return;
    case 's':
        q.strandCount = count;
        return;
    default:
        break;
    }
    const int field = key >= 'a' ? key - 'a' + 10 : key - '0';
    if (field < 0 || field >= QuickField::Counts)
        return;
    const double v = typed / UnitFactor(QuickFieldRange(field).kind);
    double* slots[QuickField::Counts] = {&q.fc,
                                         &q.fyLong,
                                         &q.fyTrans,
                                         &q.dim[0],
                                         &q.dim[1],
                                         &q.dim[2],
                                         &q.dim[3],
                                         &q.dim[4],
                                         &q.dim[5],
                                         &q.cover,
                                         &q.stirrupSpacing,
                                         &q.strandPrestrain,
                                         &q.topArea,
                                         &q.bottomArea,
                                         &q.stirrupArea};
    *slots[field] = v;
    if (field >= QuickField::TopArea)
        (field == QuickField::TopArea      ? q.topBar
         : field == QuickField::BottomArea ? q.bottomBar
                                           : q.stirrupBar) = -1;
}

constexpr int kQuickBars = 40;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The program reads its shape library at start: sections recognise their shapes by it.
    static const bool shapes = [] {
        ReadShapeLibraryText(0, DefaultShapeFileText());
        return true;
    }();
    (void)shapes;
    ResetFuzzGlobals(1);
    TypedFuzzReporter& answers = FuzzAnswers();
    FuzzUi();
    DeleteThermalModel();
    g_curveTexts.clear();
    g_QuickDefData = QuickDefineDefaults(kUnitSI);
    Session session;
    {
        auto beam = std::make_unique<TBeam>();
        beam->Validate();
        session.slots.Put(0, std::move(beam));
    }
    SetMemberDefinitionFromSection(session.slots, session.member, session.Current());
    int upward = 1;
    bool fireRun = false, built = false;
    for (const TypedAction& a : SplitActions(data, size)) {
        const int digit =
            a.text.empty() ? 0 : (static_cast<unsigned char>(a.text[0]) - '0' + 50) % 10;
        if (a.op == 'u') {
            g_UnitSystem = digit % 3;
            continue;
        }
        if (a.op == 'v') {
            g_curveTexts.push_back(a.text);
            continue;
        }
        if (a.op == 'y') {
            answers.Seed(true);
            continue;
        }
        if (a.op == 'Q') {
            QuickAnswer(g_QuickDefData, a);
            continue;
        }
        // A dialog of its own: the open sheet is left with OK first.
        if (std::strchr("GLTFRWESXmNk", a.op) != nullptr) {
            if (session.CloseSheets())
                RoundTrip(session, "a sheet's OK");
            TBeam& beam = session.Current();
            const auto before = sectionvalues::OfSection(beam);
            bool taken = true;
            switch (a.op) {
            case 'G': {
                const auto f = Fields(a.text, 4);
                GeneralFields typed = ShowGeneral(beam);
                typed.longitudinalAuto = f[0].size() > 0 && f[0][0] == '1';
                typed.transverseAuto = f[0].size() > 1 && f[0][1] == '1';
                typed.centroidal = f[0].size() > 2 && f[0][2] == '1';
                typed.longitudinal = f[1];
                typed.transverse = f[2];
                typed.axis = f[3];
                taken = !CheckGeneral(typed, beam);
                if (taken)
                    ApplyGeneral(beam, typed);
                break;
            }
            case 'L': {
                const auto f = Fields(a.text, 6);
                const std::array<std::string, 6> typed{f[0], f[1], f[2], f[3], f[4], f[5]};
                taken = !CheckLoads(beam, typed);
                if (taken)
                    ApplyLoads(beam, typed);
                break;
            }
            case 'T': {
                const auto f = Fields(a.text, 4);
                TimeFields typed = ShowTime(&beam);
                typed.consider = f[0] == "1";
                typed.years = f[1];
                typed.moment = f[2];
                typed.axial = f[3];
                taken = !CheckTime(typed);
                if (taken)
                    ApplyTime(beam, typed);
                break;
            }
            case 'F': {
                const auto f = Fields(a.text, 4);
                FireFields typed = ShowFireFields(beam);
                const int mask = f[0].empty() ? 1 : (f[0][0] & 7);
                typed.bottom = mask & 1;
                typed.sides = mask & 2;
                typed.top = mask & 4;
                typed.curve = f[1].empty() ? 0 : (f[1][0] & 3) % 3;
                typed.rebarType = f[1].size() < 2 ? typed.rebarType : (f[1][1] & 3);
                typed.minutes = f[2];
                typed.temperature = f[3];
                taken = !CheckFireFields(typed);
                if (taken)
                    ApplyFireFields(beam, typed);
                break;
            }
            case 'R': {
                // One fire an input: the run takes its time.
                if (fireRun || beam.GetHeight() <= 0.0) {
                    taken = false;
                    break;
                }
                fireRun = true;
                int exposure = 0, curve = 0, rebar = 0;
                double time = 0, temperature = 0;
                beam.GetFireData(exposure, curve, rebar, time, temperature);
                beam.SetFireData(exposure, curve, rebar, std::min(time, 1800.0), temperature);
                const int slot = ThermalAnalysis(&beam, session.slots);
                if (slot == session.slots.current || !session.slots.Beam(slot)) {
                    taken = false;
                    break;
                }
                session.slots.current = slot;
                break;
            }
            case 'W': {
                const bool refused = static_cast<bool>(CheckQuickDefine(g_QuickDefData));
                const TQuickDefData& q = g_QuickDefData;
                if (built || refused || q.topCount + q.bottomCount + q.strandCount > kQuickBars) {
                    taken = false;
                    break;
                }
                built = true;
                if (BuildQuickDefineSection(beam) != 1)
                    Fail("Quick Define's Finish refused a record its check takes");
                SetMemberDefinitionFromSection(session.slots, session.member, beam);
                break;
            }
            case 'E':
                taken = OutlineAction(beam, a.text, upward);
                break;
            case 'S':
            case 'X':
                taken = StrainAction(beam, a.op == 'S' ? 0 : 1, a.text);
                break;
            case 'm':
                taken = MemberAction(session, a.text);
                break;
            case 'N': {
                const int slot = digit % kSlots;
                taken = false;
                if (session.slots.Beam(slot))
                    session.slots.current = slot;
                break;
            }
            case 'k':
                UneditedOk(session, a.text.empty() ? '0' : a.text[0]);
                taken = false;
                break;
            default:
                taken = false;
                break;
            }
            if (!taken) {
                // A refused page leaves the section as it was.
                if (a.op != 'k' && a.op != 'N' && a.op != 'm' && a.op != 'R' && a.op != 'W') {
                    const double share = a.op == 'E' ? kLastBits : 0.0;
                    const std::string d =
                        sectionvalues::FirstDifference(before,
                                                       sectionvalues::OfSection(beam),
                                                       share,
                                                       share);
                    if (!d.empty())
                        Fail(StrPrintf("a refused %c changed %s", a.op, d.c_str()));
                }
                continue;
            }
            // The window validates the edited section as it shows it again.
            session.Current().Validate();
            RoundTrip(session, StrPrintf("%c%s", a.op, a.text.c_str()).c_str());
            continue;
        }
        if (a.op == 'p' || !session.page) {
            const int kind = a.op == 'p' ? digit % kPageKinds : 0;
            if (!session.sheets)
                session.sheets = std::make_unique<OpenSheets>(session.Current());
            // Another sheet is opened only after the open one was left with OK.
            const bool sameSheet = session.sheets->Opens(kind);
            if (!sameSheet) {
                if (session.CloseSheets())
                    RoundTrip(session, "a sheet's OK");
                session.sheets = std::make_unique<OpenSheets>(session.Current());
            }
            session.page = &session.sheets->Page(kind);
            session.page->SetActive();
            if (a.op == 'p')
                continue;
        }
        TGen_Base* page = session.page;
        ListForm& f = page->form;
        f.refusedField = -1;
        switch (TypeIntoListForm(*page, a) ? 0 : a.op) {
        case 0:
            break;
        case 'o':
            if (!f.comboItems[0].empty()) {
                f.comboSel[0] = digit % static_cast<int>(f.comboItems[0].size());
                page->FieldChanged();
            }
            break;
        case 'c':
            if (!f.comboItems[1].empty()) {
                f.comboSel[1] = digit % static_cast<int>(f.comboItems[1].size());
                page->ComboOneChanged();
            }
            break;
        case 'A':
            page->Add();
            break;
        case 'M':
            page->Modify();
            break;
        case 'D':
            page->Delete();
            break;
        case 's':
            f.lineSel = digit < static_cast<int>(f.lines.size()) ? digit : -1;
            page->ListSelectionChanged();
            break;
        case 'K':
            page->KillActive();
            break;
        default:
            break;
        }
    }
    session.CloseSheets();
    RoundTrip(session, "the last action");

    // The list pages on each reopened section show what they show on the session's.
    const std::string first = Save(session.Structures(), session.member, session.slots);
    firetest::TestSlots slots(kSlots);
    TMemberDefinition member;
    Open(first, slots, member);
    for (int i = 0; i < kSlots; ++i) {
        TBeam* was = session.slots.Beam(i);
        TBeam* is = slots.Beam(i);
        if (!was || !is)
            continue;
        const std::string before = Shown(*was);
        const std::string after = Shown(*is);
        if (before != after)
            Fail(StrPrintf("section %d: the pages show ", i) + FirstDifferentLine(before, after));
    }
    DeleteThermalModel();
    return 0;
}
