#pragma once

// What the tests of the element editor and the two calculators do as a user: read a list column, click a
// heading or a row, pick an entry of a drop-down list, type into a box.
#include "platform/ui/list_controls.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace editors_test {

// The texts of one column, top to bottom.
inline QStringList ColumnTexts(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

// The row whose text in the column is the given one, or -1.
inline int FindRow(const QTreeWidget* list, int column, const QString& text) {
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (list->topLevelItem(row)->text(column) == text)
            return row;
    }
    return -1;
}

// A click on a column heading.
inline void ClickHeading(QTreeWidget* list, int column) {
    QHeaderView* header = list->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

// A click on a row, which selects it and gives it the focus.
inline void ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    const QRect place = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

// The user picks an entry of a drop-down list.
inline void Choose(QComboBox* list, const QString& entry) {
    const int index = list->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// The user replaces the text of a box by typing.
inline void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

} // namespace editors_test
