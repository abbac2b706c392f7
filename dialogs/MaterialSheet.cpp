#include "dialogs/MaterialSheet.h"

#include <array>
#include <memory>
#include <vector>

#include "dialogs/ListPage.h"
#include "dialogs/MaterialLists.h"
#include "dialogs/MaterialPages.h"
#include "dialogs/RefusedField.h"
#include "foundation/Units.h"
#include "model/TStructure.h"
#include "platform/PropertySheet.h"

using plat::ControlKind;
using plat::DialogItem;

namespace {

constexpr std::array<int, 3> kFieldIds = {BasicPropertiesId::Concrete, BasicPropertiesId::Rebar,
                                          BasicPropertiesId::Prestressing};
constexpr std::array<int, 3> kUnitIds = {5019, 5020, 5030};
constexpr std::array<int, 3> kDetailIds = {BasicPropertiesId::DetailedConcrete, BasicPropertiesId::DetailedRebar,
                                           BasicPropertiesId::DetailedPrestressing};

plat::DialogTemplate BasicPropertiesTemplate() {
    using namespace plat::CtlStyle;
    plat::DialogTemplate t;
    t.caption = "Basic Properties";
    t.width = 260;
    t.height = 156;
    const char* groups[3] = {"Concrete", "Non Prestressed Reinforcement", "Prestressed Reinforcement"};
    const int groupIds[3] = {5022, 108, 109};
    const char* buttons[3] = {"Detailed f'c", "Detailed fy", "Detailed fpu"};
    for (std::size_t m = 0; m < 3; ++m) {
        const int y = 6 + 48 * static_cast<int>(m);
        t.Add(DialogItem::At(groupIds[m], ControlKind::GroupBox, groups[m], 6, y, 248, 44))
            .Add(DialogItem::At(-1, ControlKind::Static, TMaterials::kFieldNames[m], 14, y + 17, 120, 8))
            .Add(DialogItem::At(kFieldIds[m], ControlKind::Edit, "", 138, y + 15, 44, 12, Right))
            .Add(DialogItem::At(kUnitIds[m], ControlKind::Static, "", 186, y + 17, 34, 8))
            .Add(DialogItem::At(kDetailIds[m], ControlKind::PushButton, buttons[m], 138, y + 29, 60, 12));
    }
    return t;
}

// The sheet's pages and working lists, living while the sheet runs.
struct MaterialSheetRun {
    TStructure& structure;
    TMaterialLists lists;
    std::function<void()> markChanged;
    std::array<std::unique_ptr<TListPage>, 3> details;
    std::array<int, 3> selection{};
    plat::PropertySheet* sheet = nullptr;

    TListPage& Detail(int material) {
        auto& page = details[static_cast<std::size_t>(material)];
        if (!page) {
            // The requested type is a structure index: the entry that came from it.
            int sel = -1;
            TTypeList& list = lists.Of(material);
            for (int i = 0; i < list.GetCount(); ++i)
                if (list.Entry(i).codes[3] == selection[static_cast<std::size_t>(material)])
                    sel = i;
            std::unique_ptr<TGen_Base> editor;
            if (material == kConcreteMaterial)
                editor = std::make_unique<TGen_Conc>(structure, lists.concrete, 0, sel);
            else if (material == kRebarMaterial)
                editor = std::make_unique<TGen_Steel>(structure, lists.rebar, lists.prestressing, 0, sel);
            else
                editor = std::make_unique<TGen_PSteel>(structure, lists.prestressing, lists.rebar, 0, sel);
            const char* titles[3] = {"Concrete Details", "Rebar Details", "Prestressing Steel Details"};
            page = std::make_unique<TListPage>(std::move(editor), titles[material], markChanged);
        }
        return *page;
    }
};

class TMaterialsPage : public plat::PropertyPage {
public:
    TMaterialsPage(MaterialSheetRun& run, int focusMaterial)
        : plat::PropertyPage("Basic Properties", BasicPropertiesTemplate()), m_run(run),
          m_model(run.lists, focusMaterial) {
        m_model.markStructuresChanged = run.markChanged;
        for (int m = 0; m < 3; ++m) {
            AddNotifyTable({{kFieldIds[static_cast<std::size_t>(m)], plat::Notify::Change, [this, m] { Edited(m); }},
                            {kDetailIds[static_cast<std::size_t>(m)], plat::Notify::Clicked, [this, m] {
                                 ShowDetail(m);
                             }}});
        }
    }

    void SetupWindow() override {
        plat::PropertyPage::SetupWindow();
        SetItemText(kUnitIds[0], UnitLabel(ukStress));
        SetItemText(kUnitIds[1], UnitLabel(ukLargeStress));
        SetItemText(kUnitIds[2], UnitLabel(ukLargeStress));
        Show();
        m_model.ready = true;
    }
    void SetActive() override {
        Show();
        if (const int id = m_model.TakeFocusRequest(); id >= 0) {
            SetItemFocus(id);
            plat::Edit(*this, id).SetSelection(0, -1);
        }
    }
    bool KillActive() override {
        // A strength field whose text changed nothing keeps the page until it is retyped.
        if (const TypedRefusal refused = m_model.CheckFields())
            return RefuseField(*this, kFieldIds[static_cast<std::size_t>(refused.field)], refused.message,
                               "Basic Properties");
        m_model.Leave();
        return true;
    }

private:
    void Show() {
        m_model.ShowValues();
        m_pushing = true;
        for (std::size_t m = 0; m < 3; ++m)
            if (GetItemText(kFieldIds[m]) != m_model.fields[m])
                SetItemText(kFieldIds[m], m_model.fields[m]);
        m_pushing = false;
    }
    void Edited(int m) {
        if (m_pushing)
            return;
        const auto k = static_cast<std::size_t>(m);
        m_model.fields[k] = GetItemText(kFieldIds[k]);
        m_model.FieldEdited(m);
        if (GetItemText(kFieldIds[k]) != m_model.fields[k]) {
            m_pushing = true;
            SetItemText(kFieldIds[k], m_model.fields[k]);
            m_pushing = false;
        }
    }
    void ShowDetail(int m) {
        plat::PropertySheet* sheet = GetSheet();
        if (!sheet)
            return;
        TListPage& page = m_run.Detail(m);
        if (sheet->GetPageIndex(page) < 0)
            sheet->AddPage(page);
        sheet->SelectPage(sheet->GetPageIndex(page));
    }

    MaterialSheetRun& m_run;
    TMaterials m_model;
    bool m_pushing = false;
};

} // namespace

int RunMaterialsSheet(plat::Window* parent, TStructure& structure, int concrete, int steel, int prestressing,
                      int stayOnFirst, const std::function<void()>& markChanged) {
    MaterialSheetRun run{structure, {}, markChanged, {}, {concrete, steel, prestressing}};
    FillMaterialLists(structure, run.lists);
    const std::array<int, 3> requested = {concrete, steel, prestressing};

    // The detail page of the first requested material whose list is detailed; the basic
    // field of the first requested material whose list is not.
    int startPage = 0;
    int focus = -1;
    int pageNumber = 0;
    for (int m = 0; m < 3; ++m) {
        const auto k = static_cast<std::size_t>(m);
        if (run.lists.detailed[k])
            ++pageNumber;
        if (requested[k] < 0)
            continue;
        if (run.lists.detailed[k] && startPage == 0)
            startPage = pageNumber;
        if (!run.lists.detailed[k] && focus < 0)
            focus = m;
    }
    if (stayOnFirst)
        startPage = 0;

    TMaterialsPage basic(run, focus);
    plat::PropertySheet sheet(parent, "Materials Page", startPage);
    run.sheet = &sheet;
    sheet.AddPage(basic);
    for (int m = 0; m < 3; ++m)
        if (run.lists.detailed[static_cast<std::size_t>(m)])
            sheet.AddPage(run.Detail(m));
    const int result = sheet.Execute();
    if (result == plat::DialogResult::Ok)
        WriteBackMaterials(structure, run.lists);
    return result;
}
