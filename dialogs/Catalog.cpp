#include "dialogs/Catalog.h"

#include "app/CommandIds.h"
#include "charts/Tdataview.h"
#include "dialogs/QuickDefineWizard.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"
#include "platform/Services.h"
#include "platform/Ui.h"

namespace {

using plat::ControlKind;
using plat::DialogItem;
namespace C = CatalogId;

plat::DialogTemplate CatalogTemplate()
{
    plat::DialogTemplate t;
    t.caption = "Catalog of Elements";
    t.Add(DialogItem::Make(-1, ControlKind::Static, "Choose the current element; elements are grouped by institution and author."))
        .Add(DialogItem::Make(C::Tree, ControlKind::TreeView))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Current Element"))
        // Names are the user's own texts: an "&" in them is shown, not taken for a mnemonic.
        .Add(DialogItem::Make(C::Name, ControlKind::Static, "", "Name:", plat::CtlStyle::NoPrefix))
        .Add(DialogItem::Make(C::Author, ControlKind::Static, "", "Author:", plat::CtlStyle::NoPrefix))
        .Add(DialogItem::Make(C::Institution, ControlKind::Static, "", "Institution:", plat::CtlStyle::NoPrefix))
        .Add(DialogItem::EndGroup())
        .Add(DialogItem::Make(C::New, ControlKind::PushButton, "New"))
        .Add(DialogItem::Beside(C::Copy, ControlKind::PushButton, "Copy"))
        .Add(DialogItem::Beside(C::Delete, ControlKind::PushButton, "Delete"))
        .Add(DialogItem::Make(plat::DialogResult::Ok, ControlKind::DefPushButton, "OK"))
        .Add(DialogItem::Make(plat::DialogResult::Cancel, ControlKind::PushButton, "Cancel"))
        .Add(DialogItem::Make(plat::DialogResult::Help, ControlKind::PushButton, "Help"));
    return t;
}

std::string Field(const TStructure& s, int i)
{
    const std::string* text = s.GetTitleField(i);
    return text ? *text : std::string();
}

std::string Title(TStructure& s)
{
    s.RefreshTitle();
    return s.GetTitle();
}

} // namespace

TCatalog::TCatalog(plat::Window* parent, int* current, StructureTable& table, std::function<void()> markChanged)
    : plat::Dialog(parent, CatalogTemplate()), m_current(current), m_tree(*this, C::Tree), m_table(table),
      m_markChanged(std::move(markChanged))
{
    for (const auto& s : m_table)
        if (s)
            ++m_count;
    if (*m_current < 0 || *m_current >= kMaxStructures || !m_table[static_cast<std::size_t>(*m_current)])
        *m_current = 0;
    if (TStructure* s = m_table[static_cast<std::size_t>(*m_current)].get())
        m_currentTitle = Title(*s);
    AddNotifyTable({{C::Tree, plat::Notify::TreeSelChanged, [this] { Selected(); }}});
    AddResponseTable({
        {C::New, [this] { CmNew(); }, {}},
        {C::Copy, [this] { CmCopy(); }, {}},
        {C::Delete, [this] { CmDelete(); }, {}},
        // The help page's topic of the command that opens the catalogue; the dialog stays.
        {plat::DialogResult::Help, [] { plat::Help::ShowTopic(CmId::Catalog); }, {}},
    });
}

void TCatalog::SetupWindow()
{
    plat::Dialog::SetupWindow();
    Fill();
}

int TCatalog::SlotOfCurrentTitle() const
{
    for (int i = 0; i < kMaxStructures; ++i)
        if (TStructure* s = m_table[static_cast<std::size_t>(i)].get(); s && Title(*s) == m_currentTitle)
            return i;
    return -1;
}

void TCatalog::Fill()
{
    m_filled = 0;
    int current = SlotOfCurrentTitle();
    SortSections(m_table, current);
    if (current >= 0 && m_table[static_cast<std::size_t>(current)])
        m_currentTitle = Title(*m_table[static_cast<std::size_t>(current)]);
    m_tree.DeleteAllItems();

    bool institutionsDiffer = false, authorsDiffer = false;
    const TStructure* first = nullptr;
    for (const auto& s : m_table) {
        if (!s)
            continue;
        if (!first)
            first = s.get();
        institutionsDiffer = institutionsDiffer || Field(*s, 0) != Field(*first, 0);
        authorsDiffer = authorsDiffer || Field(*s, 1) != Field(*first, 1);
    }
    int institutionNode = plat::TreeView::Root, authorNode = -1;
    std::string institution, author;
    bool started = false;
    for (int i = 0; i < kMaxStructures; ++i) {
        TStructure* s = m_table[static_cast<std::size_t>(i)].get();
        if (!s)
            continue;
        if (institutionsDiffer && (!started || Field(*s, 0) != institution)) {
            institution = Field(*s, 0);
            institutionNode = m_tree.AddItem(plat::TreeView::Root, institution.empty() ? "(no institution)" : institution);
            authorNode = -1;
            author.clear();
        }
        if (authorsDiffer && (!started || authorNode < 0 || Field(*s, 1) != author)) {
            author = Field(*s, 1);
            authorNode = m_tree.AddItem(institutionNode, author.empty() ? "(no author)" : author);
        }
        started = true;
        const int parent = authorsDiffer ? authorNode : institutionNode;
        const bool isCurrent = Title(*s) == m_currentTitle;
        const std::string name = Field(*s, 2);
        const int item = m_tree.AddItem(parent, isCurrent ? StrPrintf("%s - Current", name.c_str()) : name);
        if (isCurrent) {
            for (int p = m_tree.GetParentItem(item); p > 0; p = m_tree.GetParentItem(p))
                m_tree.Expand(p);
            m_tree.SelectItem(item);
            ShowCurrent(i);
        }
    }
    m_filled = 1;
}

void TCatalog::ShowCurrent(int slot)
{
    TStructure& s = *m_table[static_cast<std::size_t>(slot)];
    SetItemText(C::Name, Field(s, 2));
    SetItemText(C::Author, Field(s, 1));
    SetItemText(C::Institution, Field(s, 0));
    *m_current = slot;
}

void TCatalog::Selected()
{
    if (!m_filled)
        return;
    const std::string text = m_tree.GetItemText(m_tree.GetSelection());
    for (int i = 0; i < kMaxStructures; ++i) {
        TStructure* s = m_table[static_cast<std::size_t>(i)].get();
        if (!s)
            continue;
        const std::string name = Field(*s, 2);
        if (text == StrPrintf("%s - Current", name.c_str()) || text == name) {
            if (m_markChanged)
                m_markChanged();
            ShowCurrent(i);
            m_currentTitle = Title(*s);
            return;
        }
    }
}

int TCatalog::FreeSlot(int from) const
{
    for (int i = std::max(0, from); i < kMaxStructures; ++i)
        if (!m_table[static_cast<std::size_t>(i)])
            return i;
    return -1;
}

bool TCatalog::RefuseFullTable()
{
    if (FreeSlot(0) >= 0)
        return false;
    plat::MessageBox(StrPrintf("The catalog holds %d elements, as many as it can. Delete one to make room.",
                               kMaxStructures),
                     "Catalog of Elements", MsgStyle::Ok | MsgStyle::IconExclamation);
    return true;
}

void TCatalog::CmCopy()
{
    const int source = SlotOfCurrentTitle();
    if (source < 0 || RefuseFullTable())
        return;
    std::unique_ptr<TStructure> copy = m_table[static_cast<std::size_t>(source)]->Clone();
    if (!copy)
        return;
    int slot = FreeSlot(m_count);
    if (slot < 0)
        slot = FreeSlot(0);
    copy->SetName(StrPrintf("%s - [Copy]", copy->GetName().c_str()));
    // A new element: no member zone refers to it.
    copy->SetReferenced(0);
    copy->SetSectionId(kNoZoneSection);
    m_currentTitle = Title(*copy);
    m_table[static_cast<std::size_t>(slot)] = std::move(copy);
    ++m_count;
    if (m_markChanged)
        m_markChanged();
    Fill();
}

void TCatalog::CmNew()
{
    // A first element without height is an empty new section: the new one takes its place.
    TStructure* first = m_table[0].get();
    const bool replaceBlank = first && !(first->GetHeight() > 0.0);
    if (!replaceBlank && RefuseFullTable())
        return;
    const int slot = replaceBlank ? 0 : FreeSlot(m_count) >= 0 ? FreeSlot(m_count) : FreeSlot(0);
    auto beam = std::make_unique<TBeam>();
    beam->StampDate();
    beam->SetSectionId(kNoZoneSection);
    ClearReportText();
    if (RunQuickDefineWizard(this, *beam) != plat::DialogResult::Ok)
        return; // the new beam goes, the table stays as it was
    if (!replaceBlank)
        ++m_count;
    m_table[static_cast<std::size_t>(slot)] = std::move(beam);
    if (m_markChanged)
        m_markChanged();
    *m_current = slot;
    if (HasReportText()) {
        const DataViewParentScope over(this);
        ShowAndClearReportText();
    }
    m_currentTitle = Title(*m_table[static_cast<std::size_t>(slot)]);
    Fill();
}

void TCatalog::CmDelete()
{
    if (m_count <= 1)
        return;
    const int slot = SlotOfCurrentTitle();
    if (slot < 0)
        return;
    if (m_table[static_cast<std::size_t>(slot)]->IsReferenced()) {
        plat::MessageBox("Cannot delete this section as it is in use in Full Member Response", "Delete Error",
                         MsgStyle::Ok | MsgStyle::IconExclamation);
        return;
    }
    m_table[static_cast<std::size_t>(slot)].reset();
    TStructure* next = slot + 1 < kMaxStructures ? m_table[static_cast<std::size_t>(slot + 1)].get() : nullptr;
    TStructure* previous = slot > 0 ? m_table[static_cast<std::size_t>(slot - 1)].get() : nullptr;
    if (next)
        m_currentTitle = Title(*next);
    else if (previous)
        m_currentTitle = Title(*previous);
    // The occupied slots close up: one upward pass.
    for (int i = 0; i + 1 < kMaxStructures && i < m_count; ++i)
        if (!m_table[static_cast<std::size_t>(i)])
            m_table[static_cast<std::size_t>(i)] = std::move(m_table[static_cast<std::size_t>(i + 1)]);
    --m_count;
    if (m_markChanged)
        m_markChanged();
    Fill();
}

int RunCatalog(plat::Window* parent, StructureTable& table, int& current, std::function<void()> markChanged)
{
    TCatalog dialog(parent, &current, table, std::move(markChanged));
    return dialog.Execute();
}
