#include "platform/PropertySheet.h"

#include <QFrame>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/qt/QtConvert.h"
#include "platform/qt/WindowHost.h"
#include "platform/qt/DialogHost.h"

namespace plat {

PropertyPage::PropertyPage(std::string title, DialogTemplate tmpl)
    : Dialog(nullptr, std::move(tmpl)), m_title(std::move(title)) {}

PropertyPage::~PropertyPage() {
    Destroy();
    if (m_sheet)
        m_sheet->Forget(*this);
}

namespace {

DialogTemplate SheetTemplate(const std::string& title) {
    DialogTemplate t;
    t.caption = title;
    return t;
}

struct SheetWidgets {
    QLabel* header = nullptr;
    QTabBar* tabs = nullptr;
    QStackedWidget* stack = nullptr;
};

SheetWidgets WidgetsOf(const PropertySheet& sheet) {
    SheetWidgets w;
    if (QWidget* client = WidgetOf(sheet)) {
        w.header = client->findChild<QLabel*>(QStringLiteral("sheetHeader"));
        w.tabs = client->findChild<QTabBar*>();
        w.stack = client->findChild<QStackedWidget*>();
    }
    return w;
}

// The first control of a page that takes the focus by the keyboard, in tab order; null when none.
QWidget* FirstControl(QWidget* page) {
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page))
            return w;
    }
    return nullptr;
}

// Ctrl+Tab and Ctrl+Shift+Tab on a tabbed sheet turn to the next and the previous page, round
// at the ends, as tabbed sheets do on the desktop: the keys that no control of the page takes
// reach the sheet's window.
class PageKeys : public QObject {
public:
    PageKeys(PropertySheet& sheet, QObject* parent) : QObject(parent), m_sheet(sheet) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        if (!(k->modifiers() & Qt::ControlModifier) || (k->modifiers() & Qt::AltModifier))
            return false;
        const bool back = k->key() == Qt::Key_Backtab || (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ShiftModifier));
        const bool next = !back && k->key() == Qt::Key_Tab;
        const int n = m_sheet.GetPageCount();
        if ((!back && !next) || n < 2)
            return false;
        const int current = std::max(0, m_sheet.GetCurrentPage());
        TellFocusLeaving(qobject_cast<QWidget*>(watched), nullptr);
        m_sheet.SelectPage((current + (back ? n - 1 : 1)) % n);
        return true;
    }

private:
    PropertySheet& m_sheet;
};

} // namespace

PropertySheet::PropertySheet(Window* parent, const std::string& title, int startPage, bool wizard)
    : Dialog(parent, SheetTemplate(title)), m_start(startPage), m_wizard(wizard) {}

PropertySheet::~PropertySheet() {
    for (PropertyPage* page : m_pages) {
        page->Destroy();
        page->m_sheet = nullptr;
        page->m_parent = nullptr;
    }
}

void PropertySheet::Forget(PropertyPage& page) {
    const int index = GetPageIndex(page);
    if (index < 0)
        return;
    m_pages.erase(m_pages.begin() + index);
    std::erase(m_history, index);
    for (int& h : m_history)
        h -= h > index ? 1 : 0;
    if (m_current == index)
        m_current = -1;
    else if (m_current > index)
        --m_current;
    if (QTabBar* tabs = WidgetsOf(*this).tabs) {
        const QSignalBlocker block(tabs);
        tabs->removeTab(index);
    }
}

int PropertySheet::GetPageIndex(const PropertyPage& page) const {
    const auto it = std::find(m_pages.begin(), m_pages.end(), &page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

void PropertySheet::AddPage(PropertyPage& page) {
    if (GetPageIndex(page) >= 0)
        return;
    page.m_sheet = this;
    page.m_parent = this;
    m_pages.push_back(&page);
    if (IsCreated())
        AddTab(page);
    if (IsCreated() && m_current < 0)
        Enter(0);
    else if (m_wizard && IsCreated())
        ShowButtons();
}

void PropertySheet::AddTab(PropertyPage& page) {
    if (QTabBar* tabs = WidgetsOf(*this).tabs) {
        const QSignalBlocker block(tabs);
        tabs->addTab(ToQ(page.GetTitle()));
        tabs->setCurrentIndex(std::max(0, m_current));
    }
}

void PropertySheet::SetupWindow() {
    QWidget* client = WidgetOf(*this);
    auto* outer = static_cast<QVBoxLayout*>(client->layout());
    // The laid-out client ends with a stretch; the sheet's parts go before it.
    delete outer->takeAt(outer->count() - 1);
    if (m_wizard) {
        auto* header = new QLabel(client);
        header->setObjectName(QStringLiteral("sheetHeader"));
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        outer->addWidget(header);
    } else {
        auto* tabs = new QTabBar(client);
        tabs->setDrawBase(true);
        tabs->setExpanding(false);
        outer->addWidget(tabs);
        for (PropertyPage* page : m_pages)
            tabs->addTab(ToQ(page->GetTitle()));
        QWidget* top = dialogImpl().host ? static_cast<QWidget*>(dialogImpl().host.data()) : client->window();
        top->installEventFilter(new PageKeys(*this, client));
        QObject::connect(tabs, &QTabBar::currentChanged, client, [this, tabs](int index) {
            if (index == m_current || index < 0)
                return;
            TellFocusLeaving(tabs, nullptr);
            if (!SelectPage(index)) {
                const QSignalBlocker block(tabs);
                tabs->setCurrentIndex(m_current);
            }
        });
    }
    auto* stack = new QStackedWidget(client);
    stack->setFrameStyle(m_wizard ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Raised);
    outer->addWidget(stack, 1);
    if (m_wizard) {
        auto* line = new QFrame(client);
        line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
        outer->addWidget(line);
    }
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    outer->addLayout(row);
    auto button = [&](int id, const char* text) {
        DialogItem item;
        item.id = id;
        item.kind = ControlKind::PushButton;
        item.text = text;
        QWidget* b = MakeControl(item, client);
        row->addWidget(b);
        ConnectNotifications(b, dialogImpl().sink);
    };
    if (m_wizard) {
        button(SheetButton::BackId, "< &Back");
        button(SheetButton::NextId, "&Next >");
        button(SheetButton::FinishId, "Finish");
        button(DialogResult::Cancel, "Cancel");
    } else {
        button(DialogResult::Ok, "OK");
        button(DialogResult::Cancel, "Cancel");
        button(SheetButton::ApplyId, "&Apply");
        static_cast<QPushButton*>(FindControl(client, DialogResult::Ok))->setDefault(true);
    }
    if (!m_pages.empty())
        Enter(std::clamp(m_start, 0, GetPageCount() - 1));
}

bool PropertySheet::Leave() { return m_current < 0 || GetPage(m_current).KillActive(); }

void PropertySheet::Enter(int index) {
    PropertyPage& page = GetPage(index);
    const SheetWidgets w = WidgetsOf(*this);
    // Where the keyboard was: on a page (or nowhere), or on one of the sheet's own controls.
    const QWidget* focus = w.stack->window()->focusWidget();
    const bool focusOnPage = !focus || w.stack->isAncestorOf(focus);
    if (!page.IsCreated()) {
        page.Build(w.stack);
        w.stack->addWidget(WidgetOf(page));
    }
    w.stack->setCurrentWidget(WidgetOf(page));
    m_current = index;
    if (w.tabs) {
        const QSignalBlocker block(w.tabs);
        w.tabs->setCurrentIndex(index);
    }
    if (w.header)
        w.header->setText(ToQ(page.GetTitle()));
    if (m_wizard) {
        unsigned buttons = 0;
        if (index > 0)
            buttons |= SheetButton::Back;
        buttons |= index + 1 < GetPageCount() ? SheetButton::Next : SheetButton::Finish;
        m_wizButtons = buttons;
    }
    page.SetActive();
    ShowButtons();
    // A wizard's keyboard goes on to the new page's first control, from the old page or from a
    // button that is gone, so that Return there works the default button (Next, or Finish on
    // the last page) and not whatever the focus fell to.
    if (m_wizard) {
        const QWidget* now = w.stack->window()->focusWidget();
        if (focusOnPage || !now || !now->isVisibleTo(w.stack->window()))
            if (QWidget* first = FirstControl(WidgetOf(page)))
                first->setFocus(Qt::TabFocusReason);
    }
}

bool PropertySheet::SelectPage(int index) {
    if (index < 0 || index >= GetPageCount())
        return false;
    if (!IsCreated()) {
        m_start = index;
        return true;
    }
    if (index == m_current)
        return true;
    if (!Leave())
        return false;
    if (m_wizard)
        m_history.push_back(m_current);
    Enter(index);
    return true;
}

void PropertySheet::SetWizButtons(unsigned buttons) {
    m_wizButtons = buttons;
    ShowButtons();
}

void PropertySheet::ShowButtons() {
    QWidget* client = WidgetOf(*this);
    if (!m_wizard || !client)
        return;
    auto* back = static_cast<QPushButton*>(FindControl(client, SheetButton::BackId));
    auto* next = static_cast<QPushButton*>(FindControl(client, SheetButton::NextId));
    auto* finish = static_cast<QPushButton*>(FindControl(client, SheetButton::FinishId));
    const bool finishing = m_wizButtons & SheetButton::Finish;
    QPushButton* shown = finishing ? finish : next;
    QPushButton* hidden = finishing ? next : finish;
    // Finish and Next share a place: the one shown takes over the focus and the default of the
    // one hidden, before that one is greyed or goes (else the focus falls to Cancel, and Return
    // would cancel).
    shown->setVisible(true);
    if (hidden->hasFocus())
        shown->setFocus(Qt::OtherFocusReason);
    back->setEnabled(m_wizButtons & SheetButton::Back);
    next->setEnabled(m_wizButtons & SheetButton::Next);
    hidden->setVisible(false);
    shown->setDefault(true);
    hidden->setDefault(false);
}

bool PropertySheet::ApplyPages() {
    if (!Leave())
        return false;
    for (PropertyPage* page : m_pages)
        if (page->IsCreated())
            page->Apply();
    return true;
}

void PropertySheet::CmOk() {
    if (ApplyPages())
        CloseWindow(DialogResult::Ok);
}

void PropertySheet::CmCancel() {
    for (PropertyPage* page : m_pages)
        if (page->IsCreated())
            page->Reset();
    CloseWindow(DialogResult::Cancel);
}

void PropertySheet::Next() {
    if (m_current < 0)
        return;
    int next = GetPage(m_current).WizNext();
    if (next == PropertyPage::StayHere)
        return;
    if (next == PropertyPage::DefaultPage)
        next = m_current + 1;
    if (next < 0 || next >= GetPageCount() || !Leave())
        return;
    m_history.push_back(m_current);
    Enter(next);
}

void PropertySheet::Back() {
    if (m_current < 0)
        return;
    int back = GetPage(m_current).WizBack();
    if (back == PropertyPage::StayHere)
        return;
    if (back == PropertyPage::DefaultPage)
        back = m_history.empty() ? m_current - 1 : m_history.back();
    if (back < 0 || back >= GetPageCount() || !Leave())
        return;
    if (!m_history.empty())
        m_history.pop_back();
    Enter(back);
}

void PropertySheet::Finish() {
    if (m_current >= 0 && GetPage(m_current).WizFinish())
        CloseWindow(DialogResult::Ok);
}

bool PropertySheet::EvCommand(int id, int control, int notifyCode) {
    if (notifyCode == Notify::Clicked) {
        switch (id) {
        case SheetButton::ApplyId: ApplyPages(); return true;
        case SheetButton::NextId: Next(); return true;
        case SheetButton::BackId: Back(); return true;
        case SheetButton::FinishId: Finish(); return true;
        default: break;
        }
    }
    return Dialog::EvCommand(id, control, notifyCode);
}

} // namespace plat
