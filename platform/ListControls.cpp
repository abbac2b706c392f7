// Combo and list boxes, image lists, list views and tree views.

#include "platform/Controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStylePainter>
#include <QTextBlock>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

#include "platform/Dialog.h"
#include "platform/PropertySheet.h"
#include "platform/qt/QtConvert.h"
#include "platform/Services.h"
#include "platform/qt/WindowHost.h"
#include "platform/qt/DialogHost.h"
#include "platform/qt/PainterDevice.h"


namespace plat {

namespace {
QWidget* W(const Control& c) { return ControlWidget(c); }
QIcon IconOf(const Image& image) { return QIcon(QPixmap::fromImage(image.impl().image)); }
} // namespace

// ---- Combo and list boxes ----------------------------------------------------------------

namespace {

int SortedPosition(const QStringList& items, const QString& text) {
    const auto it = std::upper_bound(items.begin(), items.end(), text, [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return static_cast<int>(it - items.begin());
}

QStringList ItemTexts(QWidget* w) {
    QStringList out;
    if (auto* c = qobject_cast<QComboBox*>(w))
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    if (auto* l = qobject_cast<QListWidget*>(w))
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
    return out;
}

} // namespace

int ListControl::InsertString(const std::string& text, int index) {
    QWidget* w = W(*this);
    const int n = GetCount();
    if (!w || index > n)
        return -1;
    if (index < 0)
        index = n;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(c);
        const int current = c->currentIndex();
        c->insertItem(index, ToQ(text));
        // Adding items never chooses one.
        c->setCurrentIndex(current < 0 ? -1 : current + (current >= index ? 1 : 0));
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(l);
        l->insertItem(index, ToQ(text));
    }
    return index;
}

int ListControl::AddString(const std::string& text) {
    QWidget* w = W(*this);
    if (!w)
        return -1;
    const int index = w->property(kSorted).toBool() ? SortedPosition(ItemTexts(w), ToQ(text)) : GetCount();
    return InsertString(text, index);
}

void ListControl::DeleteString(int index) {
    QWidget* w = W(*this);
    if (index < 0 || index >= GetCount())
        return;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(c);
        c->removeItem(index);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(l);
        delete l->takeItem(index);
    }
}

void ListControl::ClearList() {
    QWidget* w = W(*this);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(c);
        const QString edit = c->isEditable() ? c->currentText() : QString();
        c->clear();
        if (c->isEditable())
            c->setEditText(edit);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(l);
        l->clear();
    }
}

int ListControl::GetCount() const {
    QWidget* w = W(*this);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->count();
    if (auto* l = qobject_cast<QListWidget*>(w))
        return l->count();
    return 0;
}

std::string ListControl::GetString(int index) const {
    if (index < 0 || index >= GetCount())
        return {};
    QWidget* w = W(*this);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return FromQ(c->itemText(index));
    return FromQ(static_cast<QListWidget*>(w)->item(index)->text());
}

int ListControl::FindStringExact(const std::string& text) const {
    const QStringList items = ItemTexts(W(*this));
    for (int i = 0; i < items.size(); ++i)
        if (QString::compare(items[i], ToQ(text), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void ListControl::SetItemData(int index, long data) {
    if (index < 0 || index >= GetCount())
        return;
    QWidget* w = W(*this);
    if (auto* c = qobject_cast<QComboBox*>(w))
        c->setItemData(index, QVariant::fromValue<qlonglong>(data));
    else
        static_cast<QListWidget*>(w)->item(index)->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(data));
}

long ListControl::GetItemData(int index) const {
    if (index < 0 || index >= GetCount())
        return 0;
    QWidget* w = W(*this);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return static_cast<long>(c->itemData(index).toLongLong());
    return static_cast<long>(static_cast<QListWidget*>(w)->item(index)->data(Qt::UserRole).toLongLong());
}

int ListControl::GetSelIndex() const {
    QWidget* w = W(*this);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentIndex();
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QList<QListWidgetItem*> sel = l->selectedItems();
        return sel.isEmpty() ? -1 : l->row(sel.front());
    }
    return -1;
}

void ListControl::SetSelIndex(int index) {
    QWidget* w = W(*this);
    if (index >= GetCount())
        index = -1;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(index);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(l);
        l->clearSelection();
        if (index >= 0) {
            l->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
            l->scrollToItem(l->item(index));
        } else {
            l->setCurrentRow(-1, QItemSelectionModel::Clear);
        }
        l->viewport()->update();
    }
}

int ListControl::SetSelString(const std::string& text) {
    const QStringList items = ItemTexts(W(*this));
    for (int i = 0; i < items.size(); ++i)
        if (items[i].startsWith(ToQ(text), Qt::CaseInsensitive)) {
            SetSelIndex(i);
            return i;
        }
    return -1;
}

void ListControl::SetOwnerDraw(OwnerDrawFn draw) {
    m_draw = std::move(draw);
    if (IsCreated())
        Attached();
}

void ListControl::SetItemHeight(int height) {
    m_itemHeight = height;
    if (IsCreated())
        Attached();
}

void ListControl::Attached() {
    QWidget* w = W(*this);
    if (!m_draw && m_itemHeight <= 0)
        return;
    QAbstractItemView* view = nullptr;
    if (auto* c = qobject_cast<QComboBox*>(w))
        view = c->view();
    else
        view = qobject_cast<QAbstractItemView*>(w);
    if (!view)
        return;
    auto* delegate = dynamic_cast<OwnerDrawDelegate*>(view->itemDelegate());
    if (!delegate) {
        delegate = new OwnerDrawDelegate(m_draw, m_itemHeight, w);
        view->setItemDelegate(delegate);
        if (auto* c = qobject_cast<QComboBox*>(w))
            c->setItemDelegate(delegate);
    } else {
        delegate->SetDraw(m_draw);
        delegate->SetItemHeight(m_itemHeight);
    }
    if (auto* l = qobject_cast<QListWidget*>(w))
        l->doItemsLayout();
    w->update();
}

ComboBox::ComboBox(Window& parent, int id, int textLimit) : ListControl(parent, id), m_limit(textLimit) {
    if (IsCreated())
        Attached();
}

ComboBox::ComboBox(Window& parent, int id, const Rect& place, unsigned style, int textLimit)
    : ListControl(parent, id, ControlKind::ComboBox, "", place, style), m_limit(textLimit) {}

void ComboBox::Attached() {
    ListControl::Attached();
    if (m_limit > 0)
        SetTextLimit(m_limit);
}

void ComboBox::SetTextLimit(int limit) {
    m_limit = limit;
    if (auto* c = qobject_cast<QComboBox*>(W(*this)); c && c->isEditable())
        c->lineEdit()->setMaxLength(limit > 0 ? limit : 32767);
}

void ComboBox::ShowList(bool show) {
    if (auto* c = qobject_cast<QComboBox*>(W(*this)))
        show ? c->showPopup() : c->hidePopup();
}

std::vector<int> ListBox::GetSelIndexes() const {
    std::vector<int> out;
    if (auto* l = qobject_cast<QListWidget*>(W(*this))) {
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->isSelected())
                out.push_back(i);
    }
    return out;
}

void ListBox::SetSel(int index, bool select) {
    auto* l = qobject_cast<QListWidget*>(W(*this));
    if (!l || index < 0 || index >= l->count())
        return;
    const QSignalBlocker block(l);
    l->item(index)->setSelected(select);
}

int ListBox::GetTopIndex() const {
    auto* l = qobject_cast<QListWidget*>(W(*this));
    if (!l || l->count() == 0)
        return 0;
    const QModelIndex top = l->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ListBox::SetTopIndex(int index) {
    auto* l = qobject_cast<QListWidget*>(W(*this));
    if (l && index >= 0 && index < l->count())
        l->scrollToItem(l->item(index), QAbstractItemView::PositionAtTop);
}

// ---- Image lists, list views and tree views ----------------------------------------------

int ImageList::Add(const Image& image) {
    if (image.Width() == m_width && image.Height() == m_height) {
        m_images.push_back(image);
    } else {
        Image scaled(m_width, m_height);
        scaled.impl().image = image.impl().image.scaled(m_width, m_height, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
        m_images.push_back(std::move(scaled));
    }
    return Count() - 1;
}

int ImageList::AddFile(const std::string& path) {
    QImage loaded;
    if (!loaded.load(QString::fromLocal8Bit(path.c_str())))
        return -1;
    Image image(1, 1);
    image.impl().image = loaded.convertToFormat(QImage::Format_RGB32);
    return Add(image);
}

namespace {
QTreeWidget* Tree(const Control& c) { return qobject_cast<QTreeWidget*>(W(c)); }
} // namespace

void ListView::SetImageList(const ImageList& images) {
    m_images = std::make_unique<ImageList>(images);
    if (QTreeWidget* t = Tree(*this))
        t->setIconSize(QSize(images.Width(), images.Height()));
}

void ListView::AddColumn(const std::string& title, int width) {
    m_columns.push_back({title, width});
    if (IsCreated())
        Attached();
}

void ListView::Attached() {
    QTreeWidget* t = Tree(*this);
    if (!t || m_columns.empty())
        return;
    t->setColumnCount(static_cast<int>(m_columns.size()));
    QStringList titles;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        titles << ToQ(m_columns[i].title);
        t->setColumnWidth(static_cast<int>(i), m_columns[i].width);
    }
    t->setHeaderLabels(titles);
    // Laid out by the layer, the view is made wide enough for its columns.
    if (t->parentWidget() && t->parentWidget()->layout()) {
        int total = 2 * t->frameWidth() + t->verticalScrollBar()->sizeHint().width();
        for (const Column& c : m_columns)
            total += c.width;
        t->setMinimumWidth(total);
    }
    if (m_images)
        t->setIconSize(QSize(m_images->Width(), m_images->Height()));
}

int ListView::AddItem(const std::string& text, int icon) {
    QTreeWidget* t = Tree(*this);
    if (!t)
        return -1;
    if (t->columnCount() == 0)
        t->setColumnCount(1);
    auto* item = new QTreeWidgetItem(QStringList{ToQ(text)});
    if (m_images && icon >= 0 && icon < m_images->Count())
        item->setIcon(0, IconOf(m_images->Get(icon)));
    t->addTopLevelItem(item);
    return t->topLevelItemCount() - 1;
}

void ListView::SetItemText(int row, int column, const std::string& text) {
    QTreeWidget* t = Tree(*this);
    if (t && row >= 0 && row < t->topLevelItemCount() && column >= 0 && column < t->columnCount())
        t->topLevelItem(row)->setText(column, ToQ(text));
}

std::string ListView::GetItemText(int row, int column) const {
    QTreeWidget* t = Tree(*this);
    if (!t || row < 0 || row >= t->topLevelItemCount() || column < 0)
        return {};
    return FromQ(t->topLevelItem(row)->text(column));
}

void ListView::DeleteAllItems() {
    if (QTreeWidget* t = Tree(*this))
        t->clear();
}

int ListView::GetCount() const {
    QTreeWidget* t = Tree(*this);
    return t ? t->topLevelItemCount() : 0;
}

int ListView::GetSelIndex() const {
    QTreeWidget* t = Tree(*this);
    if (!t || !t->currentItem() || !t->currentItem()->isSelected())
        return -1;
    return t->indexOfTopLevelItem(t->currentItem());
}

void ListView::SetSelIndex(int row) {
    QTreeWidget* t = Tree(*this);
    if (!t)
        return;
    if (row >= 0 && row < t->topLevelItemCount())
        t->setCurrentItem(t->topLevelItem(row));
    else
        t->setCurrentItem(nullptr);
}

void ListView::EnsureVisible(int row) {
    QTreeWidget* t = Tree(*this);
    if (t && row >= 0 && row < t->topLevelItemCount())
        t->scrollToItem(t->topLevelItem(row));
}

namespace {
// Tree items are numbered in the order they were added (0 the root).
const char* const kNumber = "qvItems";
QTreeWidgetItem* TreeItem(QTreeWidget* t, int number) {
    if (!t)
        return nullptr;
    if (number == TreeView::Root)
        return t->invisibleRootItem();
    QTreeWidgetItemIterator it(t);
    for (; *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == number)
            return *it;
    return nullptr;
}
int NumberOf(QTreeWidget* t, QTreeWidgetItem* item) {
    if (!item || item == t->invisibleRootItem())
        return TreeView::Root;
    return item->data(0, Qt::UserRole).toInt();
}
} // namespace

int TreeView::AddItem(int parent, const std::string& text) {
    QTreeWidget* t = Tree(*this);
    QTreeWidgetItem* p = TreeItem(t, parent);
    if (!p)
        return -1;
    const int number = t->property(kNumber).toInt() + 1;
    t->setProperty(kNumber, number);
    auto* item = new QTreeWidgetItem(QStringList{ToQ(text)});
    item->setData(0, Qt::UserRole, number);
    p->addChild(item);
    return number;
}

void TreeView::DeleteAllItems() {
    if (QTreeWidget* t = Tree(*this)) {
        t->clear();
        t->setProperty(kNumber, 0);
    }
}

int TreeView::GetCount() const {
    QTreeWidget* t = Tree(*this);
    if (!t)
        return 0;
    int n = 0;
    for (QTreeWidgetItemIterator it(t); *it; ++it)
        ++n;
    return n;
}

std::string TreeView::GetItemText(int item) const {
    QTreeWidgetItem* i = TreeItem(Tree(*this), item);
    return i && item != Root ? FromQ(i->text(0)) : std::string();
}

int TreeView::GetParentItem(int item) const {
    QTreeWidget* t = Tree(*this);
    QTreeWidgetItem* i = TreeItem(t, item);
    return i && item != Root ? NumberOf(t, i->parent()) : Root;
}

int TreeView::GetSelection() const {
    QTreeWidget* t = Tree(*this);
    return t ? NumberOf(t, t->currentItem()) : Root;
}

void TreeView::SelectItem(int item) {
    QTreeWidget* t = Tree(*this);
    QTreeWidgetItem* i = TreeItem(t, item);
    if (!i)
        return;
    t->setCurrentItem(item == Root ? nullptr : i);
    if (item != Root)
        t->scrollToItem(i);
}

void TreeView::Expand(int item, bool expand) {
    if (QTreeWidgetItem* i = TreeItem(Tree(*this), item); i && item != Root)
        i->setExpanded(expand);
}

bool TreeView::IsExpanded(int item) const {
    QTreeWidgetItem* i = TreeItem(Tree(*this), item);
    return i && item != Root && i->isExpanded();
}

} // namespace plat
