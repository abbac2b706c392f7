// What the pages take is what a document keeps: typed text goes to the material pages (with
// their stress-strain curves typed in "Define Data") and the reinforcement pages as whole user
// actions; each sheet is left with OK, which writes its lists back into the section. Then the
// section is saved, opened again and saved again (ReaderRoundTrip.h): the document must open
// without a word, save to the same text, and every page opened on it must show what the same
// page shows on the section that was saved (each entry's fields, name, choices and curve).
//   p<digit> shows a page: 0 concrete, 1 rebar, 2 prestressing steel (the materials sheet),
//   3 layers, 4 circles, 5 distributed, 6 tendons (the longitudinal sheet), 7 stirrups;
//   0-5 type field k; n the name; b a bar area, d a bar designation; o<digit> the first
//   drop-down, c<digit> the second (an item it lists); v the "Define Data" text of the next curve asked for ('/'
//   between lines); A Add, M Modify, D Delete, s<digit> choose a line, K leave the page, y answers
//   the next question Yes (else No), u<digit> the unit system.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "ReaderRoundTrip.h"
#include "TypedFuzzSupport.h"
#include "TypedListForm.h"
#include "dialogs/MaterialLists.h"
#include "dialogs/MaterialPages.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/ValueList.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"

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
            case 0: page = std::make_unique<TGen_Conc>(beam, materials->concrete, 0, -1); break;
            case 1: page = std::make_unique<TGen_Steel>(beam, materials->rebar, materials->prestressing, 0, -1); break;
            case 2: page = std::make_unique<TGen_PSteel>(beam, materials->prestressing, materials->rebar, 0, -1); break;
            case 3: page = std::make_unique<TGen_Lon>(*longLists, *longLists->individual, beam, 0, -1); break;
            case 4: page = std::make_unique<TGen_Circ>(*longLists, *longLists->circular, beam, 0, -1); break;
            case 5: page = std::make_unique<TGen_Distribute>(*longLists, *longLists->distributed, beam, 0, -1); break;
            case 6: page = std::make_unique<TGen_Ten>(*longLists, *longLists->tendons, beam, 0, -1); break;
            default: page = std::make_unique<TGen_Tra>(*stirrups, beam, -1, 2); break;
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

// The first line where two texts part.
std::string FirstDifferentLine(const std::string& a, const std::string& b)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t ea = a.find('\n', start);
        const std::size_t eb = b.find('\n', start);
        if (a.compare(start, ea - start, b, start, eb - start) != 0 || ea == std::string::npos ||
            eb == std::string::npos)
            return "\"" + a.substr(start, ea - start) + "\" became \"" + b.substr(start, eb - start) + "\"";
        start = ea + 1;
    }
}

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "page round trip failed: %s\n", why.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(1);
    TypedFuzzReporter& answers = FuzzAnswers();
    FuzzUi();
    g_curveTexts.clear();
    TBeam beam;
    beam.Validate();
    OpenSheets sheets(beam);
    TGen_Base* page = nullptr;
    for (const TypedAction& a : SplitActions(data, size)) {
        const int digit = a.text.empty() ? 0 : (static_cast<unsigned char>(a.text[0]) - '0' + 50) % 10;
        if (a.op == 'u') {
            g_UnitSystem = digit % 3;
            continue;
        }
        if (a.op == 'v') {
            g_curveTexts.push_back(a.text);
            continue;
        }
        if (a.op == 'p' || !page) {
            const int kind = a.op == 'p' ? digit % kPageKinds : 0;
            // Another sheet is opened only after the open one was left with OK.
            const bool sameSheet = sheets.Opens(kind);
            if (!sameSheet && (sheets.materials || sheets.longLists || sheets.stirrups))
                sheets.Ok();
            page = &sheets.Page(kind);
            page->SetActive();
            if (a.op == 'p')
                continue;
        }
        ListForm& f = page->form;
        f.refusedField = -1;
        switch (TypeIntoListForm(*page, a) ? 0 : a.op) {
        case 0: break;
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
        case 'A': page->Add(); break;
        case 'M': page->Modify(); break;
        case 'D': page->Delete(); break;
        case 's':
            f.lineSel = digit < static_cast<int>(f.lines.size()) ? digit : -1;
            page->ListSelectionChanged();
            break;
        case 'K': page->KillActive(); break;
        case 'y': answers.Seed(true); break;
        default: break;
        }
    }
    sheets.Ok();

    // File > Save, File > Open, File > Save; then the pages again on what was opened.
    XmlDocument reopened;
    const roundtrip::Result r = roundtrip::SaveOpenSave(FuzzDtd(), {&beam}, {}, &reopened);
    if (r.outcome != roundtrip::Outcome::Kept)
        Fail(r.failure + "\nfirst save:\n" + r.first);
    const std::string before = Shown(beam);
    const std::string after = Shown(dynamic_cast<TBeam&>(*reopened.structures.at(0)));
    if (before != after)
        Fail("the pages show " + FirstDifferentLine(before, after));
    return 0;
}
