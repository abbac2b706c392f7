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
#include <cstring>
#include <memory>
#include <string>

#include "SectionValues.h"
#include "TypedFuzzSupport.h"
#include "TypedListForm.h"
#include "TypedPageActions.h"
#include "TypedPageSession.h"
#include "TypedPageSheets.h"
#include "dialogs/DefinitionFields.h"
#include "dialogs/FireFields.h"
#include "dialogs/QuickDefine.h"
#include "member/TMemberDefinition.h"
#include "member/fire/FireTestSupport.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeLibrary.h"

using namespace pagetrip;

namespace {

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
            // Preferences: the sections are held as documents in the new units give them back.
            const int units = g_UnitSystem;
            g_UnitSystem = digit % 3;
            if (g_UnitSystem != units)
                for (TStructure* s : session.Structures())
                    KeepAsDocumentGivesBack(*s, g_UnitSystem);
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
