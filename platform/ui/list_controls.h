#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>
#include <functional>
#include <vector>

// The list controls of templates. They add what the dialogs rely on: entries added in sorted order when the
// template asks for it, and list box selection notifications for the user's actions only.
namespace ui {

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}
    void SetSorted(bool sorted) { m_sorted = sorted; }
    bool IsSorted() const { return m_sorted; }
    // Appends, or inserts in case-insensitive order when sorted; returns the new entry's index.
    int AddString(const QString& text);

private:
    bool m_sorted = false;
};

// One entry of a list box: its text and the number kept with it (its item data, under Qt::UserRole).
struct ListEntry {
    QString text;
    qint64 data = 0;
};

class ListBox : public QListWidget {
    Q_OBJECT
public:
    // Entries are one line of text each, all of one height.
    explicit ListBox(QWidget* parent = nullptr);
    void SetSorted(bool sorted) { m_sorted = sorted; }
    bool IsSorted() const { return m_sorted; }
    // Appends, or when sorted inserts after every entry that does not compare above the text (so equal
    // entries keep the order they were added in); returns the new entry's index.
    int AddString(const QString& text);
    // Adds many entries at once, with their item data, as AddString one after the other would, with the
    // list's painting held meanwhile. Entries already in the list's order are taken as they come; the caller
    // that made them in that order (sorted by ComesBefore, equal texts in the order to keep) may say so and
    // spare the check.
    enum class EntryOrder { Any, Sorted };
    void AddStrings(std::vector<ListEntry> entries, EntryOrder order = EntryOrder::Any);
    // Whether a goes before b in a sorted list box.
    static bool ComesBefore(const QString& a, const QString& b);

signals:
    // The selection changed through the mouse or the keyboard, not through code.
    void userSelectionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    // Where a text goes among the sorted entries: after every entry that does not compare above it.
    int SortedPosition(const QString& text) const;

    bool m_sorted = false;
    int m_userInput = 0;
};

// Report-style list view: one row per item, several columns.
class ListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;
    // Adds a column heading with its alignment and width in pixels.
    void InsertColumn(int column, const QString& heading, Qt::Alignment alignment, int width);

    // Appends a row with the texts of its columns, aligned as their headings, and a number kept with it
    // (its item data, typically the index of the owner's record); returns the row.
    int AddItem(const QStringList& texts, qint64 data);
    qint64 GetItemData(int row) const;
    // The first row whose item data is the number, or -1.
    int FindItemData(qint64 data) const;
    // Reorders the rows by their item data: compare answers negative when the first goes before the second.
    // Equal rows keep their order; the selected and the current rows stay selected and current, and no
    // selection notice is raised.
    void SortItems(const std::function<int(qint64, qint64)>& compare);
};

// Case-insensitive compare used by sorted lists.
int CompareListText(const QString& a, const QString& b);

} // namespace ui
