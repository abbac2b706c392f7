// The bar, pattern, tendon and stirrup pages and the material type pages fed typed text as a
// user would: type fields, press Add, Modify, Delete or Explode, choose lines, leave the page,
// and at the end OK (the reinforcement lists written back and the section validated). Every
// entry a page stores holds finite values and no pattern more bars than a pattern holds; a
// refused Add or Modify leaves the list as it was.
//   p<digit> shows a page (0 layers, 1 circles, 2 distributed, 3 tendons, 4 stirrups,
//   5 concrete types, 6 reinforcing steel types, 7 prestressing steel types);
//   0-5 type field k; n the name; b a bar area, d a bar designation; o an orientation or stirrup kind (digit);
//   q the second drop-down (a steel type, a predefined grade or a softening model), r the third
//   (digit); L field 0 left (the automatic concrete values);
//   A Add, M Modify, D Delete, E Explode, s<digit> choose a line, K leave the page, y answers
//   the next question Yes (else No), u<digit> the unit system.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "TypedFuzzSupport.h"
#include "TypedListForm.h"
#include "dialogs/MaterialLists.h"
#include "dialogs/MaterialPages.h"
#include "dialogs/ReinforcementPages.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"

namespace {

void RequireSound(const TTypeList& list)
{
    for (int i = 0; i < list.GetCount(); ++i)
        for (double v : list.Entry(i).values)
            RequireFinite(v);
}

bool SameList(const TTypeList& a, const std::vector<TypeListRec>& b)
{
    if (a.GetCount() != static_cast<int>(b.size()))
        return false;
    for (int i = 0; i < a.GetCount(); ++i)
        if (a.Entry(i).values != b[static_cast<std::size_t>(i)].values ||
            a.Entry(i).name != b[static_cast<std::size_t>(i)].name)
            return false;
    return true;
}

std::vector<TypeListRec> Copy(const TTypeList& list)
{
    std::vector<TypeListRec> out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.push_back(list.Entry(i));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(0);
    TypedFuzzReporter& answers = FuzzAnswers();
    FuzzUi();
    TBeam beam;
    beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    TLongLists lists = BuildLongLists(beam, 0);
    std::unique_ptr<TTypeList> stirrups = BuildTransList(beam, 2);
    TMaterialLists materials;
    FillMaterialLists(beam, materials);
    constexpr int kPages = 8;
    std::unique_ptr<TGen_Base> pages[kPages];
    TGen_Base* page = nullptr;
    for (const TypedAction& a : SplitActions(data, size)) {
        const int digit = a.text.empty() ? 0 : (static_cast<unsigned char>(a.text[0]) - '0' + 50) % 10;
        if (a.op == 'u') {
            g_UnitSystem = digit % 3;
            continue;
        }
        if (a.op == 'p' || !page) {
            const int k = a.op == 'p' ? digit % kPages : 0;
            if (!pages[k]) {
                switch (k) {
                case 0: pages[k] = std::make_unique<TGen_Lon>(lists, *lists.individual, beam, 0, -1); break;
                case 1: pages[k] = std::make_unique<TGen_Circ>(lists, *lists.circular, beam, 0, -1); break;
                case 2: pages[k] = std::make_unique<TGen_Distribute>(lists, *lists.distributed, beam, 0, -1); break;
                case 3: pages[k] = std::make_unique<TGen_Ten>(lists, *lists.tendons, beam, 0, -1); break;
                case 4: pages[k] = std::make_unique<TGen_Tra>(*stirrups, beam, -1, 2); break;
                case 5: pages[k] = std::make_unique<TGen_Conc>(beam, materials.concrete, 0, -1); break;
                case 6:
                    pages[k] = std::make_unique<TGen_Steel>(beam, materials.rebar, materials.prestressing, 0, -1);
                    break;
                default:
                    pages[k] = std::make_unique<TGen_PSteel>(beam, materials.prestressing, materials.rebar, 0, -1);
                    break;
                }
                pages[k]->Setup();
            }
            page = pages[k].get();
            page->SetActive();
            if (a.op == 'p')
                continue;
        }
        ListForm& f = page->form;
        const std::vector<TypeListRec> before = Copy(page->List());
        bool refusable = false;
        f.refusedField = -1;  // a refusal inside an earlier action (leaving the page) is done with
        switch (TypeIntoListForm(*page, a) ? 0 : a.op) {
        case 0: break;
        case 'o': f.comboSel[0] = digit % 7; break;
        case 'q':
            f.comboSel[1] = digit;
            page->ComboOneChanged();
            break;
        case 'r':
            f.comboSel[2] = digit;
            page->FieldChanged();
            break;
        case 'L': page->FieldZeroLeft(); break;
        case 'A': refusable = true; page->Add(); break;
        case 'M': refusable = true; page->Modify(); break;
        case 'D': page->Delete(); break;
        case 'E': page->Explode(); break;
        case 's':
            f.lineSel = digit < static_cast<int>(f.lines.size()) ? digit : -1;
            page->ListSelectionChanged();
            break;
        case 'K': page->KillActive(); break;
        case 'y': answers.Seed(true); break;
        default: break;
        }
        if (refusable && f.refusedField >= 0) {
            if (!SameList(page->List(), before))
                std::abort();
            f.refusedField = -1;
        }
        RequireSound(page->List());
    }
    // Counts as the pages read them: whole bars, a pattern of none taking its default.
    const auto bars = [](double v) { return std::max(std::floor(std::fabs(v)), 1.0); };
    for (int i = 0; i < lists.circular->GetCount(); ++i)
        if (bars(lists.circular->Entry(i).values[0]) > kMaxBarsPerPattern)
            std::abort();
    for (int i = 0; i < lists.distributed->GetCount(); ++i) {
        const auto& v = lists.distributed->Entry(i).values;
        if (bars(v[0]) * bars(v[3]) > kMaxBarsPerPattern)
            std::abort();
    }
    // OK: the lists go back into the section, which is validated.
    WriteBackLongLists(beam, lists, 0);
    WriteBackTransList(beam, *stirrups, 2);
    beam.Validate();
    return 0;
}
