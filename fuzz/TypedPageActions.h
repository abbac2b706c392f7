#pragma once
// The dialogs of the page round trip as whole user actions: the member sheet, the shrinkage and
// strain-discontinuity pages, the concrete section's outline, a page left with OK and nothing
// edited, and a Quick Define answer.

#include <string>

#include "SectionValues.h"
#include "TypedFuzzSupport.h"
#include "TypedMemberFields.h"
#include "TypedPageSession.h"
#include "TypedPageSheets.h"
#include "dialogs/DefinitionFields.h"
#include "dialogs/FireFields.h"
#include "dialogs/MemberPages.h"
#include "dialogs/OutlineEditor.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/SectionSheet.h"
#include "dialogs/StrainProfile.h"
#include "foundation/TypedNumber.h"
#include "model/TBeam.h"
#include "model/ValueLimits.h"

namespace pagetrip {

// The member sheet: a copy is edited, OK checks it and writes it back. False when the page
// refused what was typed (the sheet is then cancelled).
inline bool MemberAction(Session& session, const std::string& text)
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
        const QuickFields quick =
            TypedQuickFields(ShowQuickFields(session.slots, copy, detailed), f);
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
inline bool StrainAction(TBeam& beam, int mode, const std::string& text)
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
inline bool OutlineAction(TBeam& beam, const std::string& text, int& upward)
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
inline void UneditedOk(Session& session, char which)
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
inline void QuickAnswer(TQuickDefData& q, const TypedAction& a)
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

} // namespace pagetrip
