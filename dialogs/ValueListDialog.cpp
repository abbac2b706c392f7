#include "dialogs/ValueListDialog.h"

#include "app/CommandIds.h"
#include "dialogs/RefusedField.h"
#include "platform/Controls.h"
#include "platform/Services.h"

using plat::ControlKind;
using plat::DialogItem;

plat::DialogTemplate DefineDataTemplate() {
    using namespace plat::CtlStyle;
    plat::DialogTemplate t;
    t.caption = "Define Data";
    t.width = 260;
    t.height = 236;
    t.Add(DialogItem::At(DefineDataId::List, ControlKind::ComboBox, "", 6, 6, 196, 100, DropDownList))
        .Add(DialogItem::At(DefineDataId::Paste, ControlKind::PushButton, "Paste", 208, 5, 46, 14))
        .Add(DialogItem::At(DefineDataId::Text, ControlKind::MultiEdit, "", 6, 24, 248, 170))
        .Add(DialogItem::At(-1, ControlKind::Static,
                            "To add a new line in the box, use <control-enter> rather than <enter>", 6, 198, 248, 10))
        .Add(DialogItem::At(1, ControlKind::DefPushButton, "OK", 58, 214, 46, 14))
        .Add(DialogItem::At(2, ControlKind::PushButton, "Cancel", 107, 214, 46, 14))
        .Add(DialogItem::At(plat::DialogResult::Help, ControlKind::PushButton, "Help", 156, 214, 46, 14));
    for (DialogItem& item : t.items)
        if (item.id == DefineDataId::Text)
            item.textLimit = static_cast<int>(TValueList::kMaxText);
    return t;
}

TPage6::TPage6(plat::Window* parent, TStructure* structure, int mode, TDepthTable* curve,
               std::function<void()> markChanged)
    : plat::Dialog(parent, DefineDataTemplate()), m_model(structure, mode, curve), m_markChanged(std::move(markChanged)) {
    // One topic for every mode: the one of the command that opens the dialog on the value lists.
    AddResponseTable({{plat::DialogResult::Help, [] { plat::Help::ShowTopic(CmId::PageAction403); }, {}}});
    AddNotifyTable({
        {DefineDataId::List, plat::Notify::SelChange,
         [this] {
             plat::ComboBox combo(*this, DefineDataId::List);
             // The edited list stays chosen until its text is all numbers.
             if (TextRefused()) {
                 combo.SetSelIndex(m_model.selection);
                 return;
             }
             ReadIfChanged();
             m_model.selection = combo.GetSelIndex();
             ShowChosenList();
         }},
        {DefineDataId::Paste, plat::Notify::Clicked,
         [this] {
             // As in any edit box: the clipboard's text takes the place of the selection, or
             // goes in at the caret; then the whole text is read.
             plat::Edit(*this, DefineDataId::Text).ReplaceSelection(plat::Clipboard::GetText());
             m_changed = true;
             ReadIfChanged();
         }},
        {DefineDataId::Text, plat::Notify::KillFocus, [this] { ReadIfChanged(); }},
        {DefineDataId::Text, plat::Notify::Change,
         [this] {
             if (!m_showing)
                 m_changed = true;
         }},
    });
}

void TPage6::SetupWindow() {
    plat::Dialog::SetupWindow();
    plat::ComboBox combo(*this, DefineDataId::List);
    for (const std::string& item : m_model.ComboItems())
        combo.AddString(item);
    combo.SetSelIndex(0);
    m_model.selection = 0;
    ShowChosenList();
}

void TPage6::ShowChosenList() {
    m_showing = true;
    SetItemText(DefineDataId::Text, m_model.ShowList());
    m_showing = false;
    m_changed = false;
}

bool TPage6::TextRefused() {
    if (!m_changed)
        return false;
    const std::string message = m_model.CheckText(GetItemText(DefineDataId::Text));
    return !message.empty() && !RefuseField(*this, DefineDataId::Text, message, "Define Data");
}

bool TPage6::CanClose() { return !TextRefused(); }

void TPage6::ReadIfChanged() {
    // Text read back unchanged would lose the digits the list is shown without; a text with a
    // value that is no number is read when it is corrected (OK and the list choice refuse it).
    if (!m_changed || !m_model.CheckText(GetItemText(DefineDataId::Text)).empty())
        return;
    m_model.ReadText(GetItemText(DefineDataId::Text));
    m_changed = false;
}

void TPage6::CloseWindow(int result) {
    if (result == plat::DialogResult::Ok)
        ReadIfChanged();
    plat::Dialog::CloseWindow(result);
    if (result != plat::DialogResult::Ok)
        return;
    m_model.Commit();
    if (m_markChanged)
        m_markChanged();
}
