#include "dialogs/ListPage.h"

#include "dialogs/ValueListDialog.h"

using plat::ControlKind;
using plat::DialogItem;

namespace {

// Rows of the definition group, in dialog units.
constexpr int kNameRow = 20;
constexpr int kFirstRow = 38;
constexpr int kRowStep = 16;
constexpr int kLabelX = 128, kLabelW = 76;
constexpr int kEditX = 206, kEditW = 48;
constexpr int kUnitX = 258, kUnitW = 40;
constexpr int kExampleX = 300, kExampleW = 76;

int RowY(int row) { return kFirstRow + kRowStep * row; }

} // namespace

plat::DialogTemplate DetailsTemplate() {
    using namespace plat::CtlStyle;
    plat::DialogTemplate t;
    t.caption = "Details";
    t.width = 384;
    t.height = 188;
    t.Add(DialogItem::At(DetailsId::ListGroup, ControlKind::GroupBox, "Type List", 4, 4, 114, 178))
        .Add(DialogItem::At(-1, ControlKind::Static, "Defined Types", 10, 21, 100, 8))
        .Add(DialogItem::At(DetailsId::List, ControlKind::ListBox, "", 10, 31, 102, 105))
        .Add(DialogItem::At(DetailsId::Add, ControlKind::PushButton, "Add", 10, 142, 32, 14))
        .Add(DialogItem::At(DetailsId::Modify, ControlKind::PushButton, "Modify ", 45, 142, 32, 14))
        .Add(DialogItem::At(DetailsId::Delete, ControlKind::PushButton, "Delete", 80, 142, 32, 14))
        .Add(DialogItem::At(DetailsId::Explode, ControlKind::PushButton, "Explode", 10, 162, 50, 14))
        .Add(DialogItem::At(DetailsId::DefinitionGroup, ControlKind::GroupBox, "Type Definition", 122, 4, 258, 178))
        .Add(DialogItem::At(-1, ControlKind::Static, "Name", kLabelX, kNameRow + 2, kLabelW, 8))
        .Add(DialogItem::At(DetailsId::Name, ControlKind::Edit, "", kEditX, kNameRow, 120, 12));
    for (int i = 0; i < 6; ++i) {
        const auto k = static_cast<std::size_t>(i);
        t.Add(DialogItem::At(DetailsId::Labels[k], ControlKind::Static, "", kLabelX, RowY(i) + 2, kLabelW, 8))
            .Add(DialogItem::At(DetailsId::Field0 + i, ControlKind::Edit, "", kEditX, RowY(i), kEditW, 12, Right))
            .Add(DialogItem::At(DetailsId::Units[k], ControlKind::Static, "", kUnitX, RowY(i) + 2, kUnitW, 8));
        if (i < 5)
            t.Add(DialogItem::At(DetailsId::Examples[k], ControlKind::Static, "", kExampleX, RowY(i) + 2, kExampleW, 8));
    }
    // The bar selector's check box takes field 1's place.
    t.Add(DialogItem::At(DetailsId::ByArea, ControlKind::CheckBox, "CheckBox1", kEditX, RowY(1), 90, 12));
    // The first drop-down shares field 5's row and label.
    t.Add(DialogItem::At(DetailsId::Combo0, ControlKind::ComboBox, "", kEditX, RowY(5), 168, 100, DropDownList))
        .Add(DialogItem::At(DetailsId::Combo1Label, ControlKind::Static, "", kLabelX, RowY(6) + 2, kLabelW, 8))
        .Add(DialogItem::At(DetailsId::Combo1, ControlKind::ComboBox, "", kEditX, RowY(6), 168, 100, DropDownList))
        .Add(DialogItem::At(DetailsId::Combo2Label, ControlKind::Static, "", kLabelX, RowY(7) + 2, kLabelW, 8))
        .Add(DialogItem::At(DetailsId::Combo2, ControlKind::ComboBox, "", kEditX, RowY(7), 168, 100, DropDownList));
    return t;
}

TListPage::TListPage(std::unique_ptr<TGen_Base> editor, const std::string& title, std::function<void()> markChanged)
    : plat::PropertyPage(title, DetailsTemplate()), m_editor(std::move(editor)), m_list(*this, DetailsId::List) {
    m_combos[0] = std::make_unique<plat::ComboBox>(*this, DetailsId::Combo0);
    m_combos[1] = std::make_unique<plat::ComboBox>(*this, DetailsId::Combo1);
    m_combos[2] = std::make_unique<plat::ComboBox>(*this, DetailsId::Combo2);
    m_editor->markStructuresChanged = std::move(markChanged);
    m_editor->editCurve = [this](TDepthTable& curve, int mode) {
        TPage6 dialog(this, nullptr, mode, &curve, nullptr);
        return dialog.Execute() == plat::DialogResult::Ok;
    };
    m_editor->showFirstPage = [this] {
        if (GetSheet())
            GetSheet()->SelectPage(0);
    };
    using plat::Notify::Change;
    using plat::Notify::Clicked;
    using plat::Notify::KillFocus;
    using plat::Notify::SelChange;
    TGen_Base& e = *m_editor;
    const auto changed = [this, &e] {
        if (!m_pushing)
            Run([&e] { e.FieldChanged(); });
    };
    for (int i = 0; i < 6; ++i)
        AddNotifyTable({{DetailsId::Field0 + i, Change, changed}});
    AddNotifyTable({
        {DetailsId::Name, Change, changed},
        {DetailsId::Combo0, SelChange, changed},
        {DetailsId::Combo2, SelChange, changed},
        {DetailsId::Combo1, SelChange, [this, &e] { Run([&e] { e.ComboOneChanged(); }); }},
        {DetailsId::List, SelChange, [this, &e] { Run([&e] { e.ListSelectionChanged(); }); }},
        {DetailsId::Add, Clicked, [this, &e] { Run([&e] { e.Add(); }); }},
        {DetailsId::Modify, Clicked, [this, &e] { Run([&e] { e.Modify(); }); }},
        {DetailsId::Delete, Clicked, [this, &e] { Run([&e] { e.Delete(); }); }},
        {DetailsId::Explode, Clicked, [this, &e] { Run([&e] { e.Explode(); }); }},
        {DetailsId::Field0, KillFocus, [this, &e] { Run([&e] { e.FieldZeroLeft(); }); }},
        {DetailsId::Field0 + 2, KillFocus, [this, &e] { Run([&e] { e.BarFieldLeft(); }); }},
        {DetailsId::ByArea, Clicked, [this, &e] { Run([&e] { e.BarCheckClicked(); }); }},
    });
}

TListPage::~TListPage() = default;

void TListPage::SetupWindow() {
    plat::PropertyPage::SetupWindow();
    m_busy = true;
    m_editor->Setup();
    for (std::size_t k = 0; k < 3; ++k)
        for (const std::string& item : m_editor->form.comboItems[k])
            m_combos[k]->AddString(item);
    m_busy = false;
    Push();
}

void TListPage::SetActive() { Run([this] { m_editor->SetActive(); }); }

bool TListPage::KillActive() {
    bool leave = true;
    Run([this, &leave] { leave = m_editor->KillActive(); });
    return leave;
}

void TListPage::Run(const std::function<void()>& operation) {
    if (m_busy) {
        // Inside another operation (a page switch it asked for): the form is the truth.
        operation();
        return;
    }
    m_busy = true;
    Pull();
    operation();
    m_busy = false;
    Push();
}

void TListPage::Pull() {
    if (!IsCreated())
        return;
    ListForm& f = m_editor->form;
    const bool bar = m_editor->BarSelector() != nullptr;
    for (int i = 0; i < 6; ++i) {
        if (bar && i == 2)
            f.bar.text = GetItemText(DetailsId::Field0 + 2);
        else
            f.fields[static_cast<std::size_t>(i)] = GetItemText(DetailsId::Field0 + i);
    }
    f.name = GetItemText(DetailsId::Name);
    for (std::size_t k = 0; k < 3; ++k)
        f.comboSel[k] = m_combos[k]->GetSelIndex();
    f.lineSel = m_list.GetSelIndex();
    if (bar)
        f.bar.byArea = IsItemChecked(DetailsId::ByArea);
}

void TListPage::SetText(int id, const std::string& text) {
    if (GetItemText(id) != text)
        SetItemText(id, text);
}

void TListPage::Push() {
    if (!IsCreated())
        return;
    m_pushing = true;
    const ListForm& f = m_editor->form;
    const bool bar = f.barShown;
    SetText(DetailsId::ListGroup, f.listCaption);
    SetText(DetailsId::DefinitionGroup, f.definitionCaption);
    for (int i = 0; i < 6; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const bool barField = bar && i == 2;
        SetText(DetailsId::Labels[k], barField ? f.bar.label : f.labels[k]);
        SetText(DetailsId::Units[k], barField ? f.bar.unit : f.units[k]);
        ShowItem(DetailsId::Field0 + i, f.fieldShown[k]);
        ShowItem(DetailsId::Units[k], f.unitShown[k]);
        if (i < 5) {
            SetText(DetailsId::Examples[k], barField ? f.bar.example : f.examples[k]);
            ShowItem(DetailsId::Examples[k], f.unitShown[k]);
        }
        SetText(DetailsId::Field0 + i, barField ? f.bar.text : f.fields[k]);
    }
    SetText(DetailsId::Name, f.name);
    ShowItem(DetailsId::Combo0, f.comboShown[0]);
    ShowItem(DetailsId::Combo1, f.comboShown[1]);
    ShowItem(DetailsId::Combo2, f.comboShown[2]);
    SetText(DetailsId::Combo1Label, f.comboLabels[1]);
    SetText(DetailsId::Combo2Label, f.comboLabels[2]);
    for (std::size_t k = 0; k < 3; ++k)
        if (m_combos[k]->GetSelIndex() != f.comboSel[k])
            m_combos[k]->SetSelIndex(f.comboSel[k]);
    bool same = m_list.GetCount() == static_cast<int>(f.lines.size());
    for (int i = 0; same && i < m_list.GetCount(); ++i)
        same = m_list.GetString(i) == f.lines[static_cast<std::size_t>(i)];
    if (!same) {
        m_list.ClearList();
        for (const std::string& line : f.lines)
            m_list.AddString(line);
    }
    if (m_list.GetSelIndex() != f.lineSel)
        m_list.SetSelIndex(f.lineSel);
    ShowItem(DetailsId::Explode, f.explodeShown);
    ShowItem(DetailsId::ByArea, bar);
    if (bar) {
        SetText(DetailsId::ByArea, "Select bar by area");
        CheckItem(DetailsId::ByArea, f.bar.byArea);
    }
    m_pushing = false;
    if (f.refusedField >= 0 && f.refusedField < 6) {
        // A refused value: its field selected for retyping.
        SelectItemText(DetailsId::Field0 + f.refusedField);
        m_editor->form.refusedField = -1;
    }
}
