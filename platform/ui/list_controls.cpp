#include "platform/ui/list_controls.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <algorithm>

namespace ui {

int CompareListText(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive);
}

int ComboBox::AddString(const QString& text) {
    int index = count();
    if (m_sorted) {
        // After every entry that does not compare above the text, by binary search.
        int low = 0;
        while (low < index) {
            const int middle = low + (index - low) / 2;
            if (CompareListText(text, itemText(middle)) < 0)
                index = middle;
            else
                low = middle + 1;
        }
    }
    insertItem(index, text);
    return index;
}

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    // The view then lays out a hundred thousand entries without measuring each.
    setUniformItemSizes(true);
}

bool ListBox::ComesBefore(const QString& a, const QString& b) {
    return CompareListText(a, b) < 0;
}

int ListBox::SortedPosition(const QString& text) const {
    // The first entry above the text, by binary search over the sorted entries.
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (ComesBefore(text, item(middle)->text()))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

int ListBox::AddString(const QString& text) {
    const int index = m_sorted ? SortedPosition(text) : count();
    insertItem(index, text);
    return index;
}

namespace {

// A list box entry that keeps its text and item data as plain values: a hundred thousand entries are made and
// dropped at every refill of a long list.
class ListBoxItem : public QListWidgetItem {
public:
    ListBoxItem(QString text, qint64 data) : m_text(std::move(text)), m_data(data) {}

    QListWidgetItem* clone() const override { return new ListBoxItem(*this); }
    QVariant data(int role) const override {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return m_text;
        if (role == Qt::UserRole)
            return m_data;
        return QListWidgetItem::data(role);
    }
    void setData(int role, const QVariant& value) override {
        if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::UserRole) {
            QListWidgetItem::setData(role, value);
            return;
        }
        if (role == Qt::UserRole)
            m_data = value.toLongLong();
        else
            m_text = value.toString();
        if (QListWidget* list = listWidget()) {
            // What the base class tells the list's model about a change of a value it keeps.
            const QModelIndex index = list->model()->index(list->row(this), 0);
            emit list->model()->dataChanged(index, index, {role});
        }
    }

private:
    QString m_text;
    qint64 m_data;
};

} // namespace

void ListBox::AddStrings(std::vector<ListEntry> entries, EntryOrder order) {
    const auto before = [](const ListEntry& a, const ListEntry& b) { return ComesBefore(a.text, b.text); };
    // Sorted entries that do not sort before the list's last entry simply follow one another.
    bool inOrder = true;
    if (m_sorted) {
        if (order == EntryOrder::Any && !std::is_sorted(entries.begin(), entries.end(), before))
            std::stable_sort(entries.begin(), entries.end(), before);
        inOrder =
            count() == 0 || entries.empty() || !ComesBefore(entries.front().text, item(count() - 1)->text());
    }
    const bool painting = updatesEnabled();
    setUpdatesEnabled(false);
    for (ListEntry& entry : entries) {
        const int row = inOrder ? count() : SortedPosition(entry.text);
        insertItem(row, new ListBoxItem(std::move(entry.text), entry.data));
    }
    setUpdatesEnabled(painting);
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    ++m_userInput;
    QListWidget::mousePressEvent(event);
    --m_userInput;
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
    ++m_userInput;
    QListWidget::mouseMoveEvent(event);
    --m_userInput;
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
    ++m_userInput;
    QListWidget::mouseReleaseEvent(event);
    --m_userInput;
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    ++m_userInput;
    QListWidget::keyPressEvent(event);
    --m_userInput;
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QListWidget::selectionChanged(selected, deselected);
    if (m_userInput > 0)
        emit userSelectionChanged();
}

namespace {

// In a single-selection list, selecting an item by code also ends the selection of the others, as the
// user's click does.
class SingleSelectionModel : public QItemSelectionModel {
    Q_OBJECT

public:
    SingleSelectionModel(QAbstractItemModel* model, QAbstractItemView* view)
        : QItemSelectionModel(model, view), m_view(view) {}

    // The view is going: from now on the model only passes selections on.
    void Detach() { m_view = nullptr; }

    using QItemSelectionModel::select;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override {
        if (m_view != nullptr && m_view->selectionMode() == QAbstractItemView::SingleSelection &&
            (command & Select) && !(command & Clear) && !selection.isEmpty())
            command |= Clear;
        QItemSelectionModel::select(selection, command);
    }

private:
    QAbstractItemView* m_view;
};

} // namespace

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    QItemSelectionModel* standard = selectionModel();
    setSelectionModel(new SingleSelectionModel(model(), this));
    delete standard;
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setItemsExpandable(false);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

ListView::~ListView() {
    if (auto* single = qobject_cast<SingleSelectionModel*>(selectionModel()))
        single->Detach();
}

void ListView::InsertColumn(int column, const QString& heading, Qt::Alignment alignment, int width) {
    QTreeWidgetItem* head = headerItem();
    const int columns = columnCount();
    QStringList headings;
    QList<Qt::Alignment> alignments;
    QList<int> widths;
    for (int i = 0; i < columns; ++i) {
        headings << head->text(i);
        alignments << Qt::Alignment(head->textAlignment(i));
        widths << header()->sectionSize(i);
    }
    column = std::clamp(column, 0, static_cast<int>(columns));
    headings.insert(column, heading);
    alignments.insert(column, alignment | Qt::AlignVCenter);
    widths.insert(column, width);
    setColumnCount(static_cast<int>(headings.size()));
    setHeaderLabels(headings);
    for (int i = 0; i < headings.size(); ++i) {
        headerItem()->setTextAlignment(i, alignments[i]);
        header()->resizeSection(i, widths[i]);
    }
}

int ListView::AddItem(const QStringList& texts, qint64 data) {
    auto* item = new QTreeWidgetItem(texts);
    for (int column = 0; column < columnCount(); ++column)
        item->setTextAlignment(column, Qt::Alignment(headerItem()->textAlignment(column)));
    item->setData(0, Qt::UserRole, data);
    addTopLevelItem(item);
    return topLevelItemCount() - 1;
}

qint64 ListView::GetItemData(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

int ListView::FindItemData(qint64 data) const {
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (GetItemData(row) == data)
            return row;
    }
    return -1;
}

void ListView::SortItems(const std::function<int(qint64, qint64)>& compare) {
    QTreeWidgetItem* current = currentItem();
    const QList<QTreeWidgetItem*> selected = selectedItems();
    {
        // Taking the rows out and putting them back is no change of selection to the owner.
        const QSignalBlocker blocker(selectionModel());
        QList<QTreeWidgetItem*> items;
        while (topLevelItemCount() > 0)
            items << takeTopLevelItem(0);
        const auto dataOf = [](const QTreeWidgetItem* item) {
            return item->data(0, Qt::UserRole).toLongLong();
        };
        std::stable_sort(items.begin(), items.end(), [&](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
            return compare(dataOf(a), dataOf(b)) < 0;
        });
        addTopLevelItems(items);
        for (QTreeWidgetItem* item : selected)
            item->setSelected(true);
        if (current != nullptr)
            selectionModel()->setCurrentIndex(indexFromItem(current), QItemSelectionModel::NoUpdate);
    }
    viewport()->update();
}

} // namespace ui

#include "list_controls.moc"
