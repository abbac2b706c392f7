#pragma once
// The list pages of the page round trip: the material and reinforcement sheets opened on a
// section as the program opens them, with the "Define Data" texts typed for their curves, and
// everything the pages show of a section.

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "TypedListForm.h"
#include "dialogs/MaterialLists.h"
#include "dialogs/MaterialPages.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/ValueList.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"

namespace pagetrip {

inline constexpr int kPageKinds = 8;
inline constexpr int kFirstReinforcementPage = 3;
inline constexpr int kStirrupPage = 7;

// The "Define Data" texts typed for the curves the pages ask for, in turn; a curve asked for
// when none is left is cancelled.
inline std::deque<std::string> g_curveTexts;

// True when the dialog takes the text (OK), false when it is cancelled.
inline bool TypeCurve(TDepthTable& curve, int mode)
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
inline bool UsesCurve(int kind, const TypeListRec& entry)
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
inline std::string Shown(TBeam& beam)
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

} // namespace pagetrip
