#pragma once

// Typing into the calculators as a user does.
#include "platform/ui/dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace calculator_test {

// Replaces the box's text by typing: the old text is selected and overtyped key by key.
inline void Type(ui::Dialog& dialog, int id, const QString& text) {
    auto* box = dialog.Control<QLineEdit>(id);
    ASSERT_NE(box, nullptr) << id;
    ASSERT_TRUE(box->isEnabled()) << id;
    box->selectAll();
    QTest::keyClicks(box, text);
}

// Picks a list entry as the user does (the dialog hears of the choice).
inline void Choose(ui::Dialog& dialog, int id, const QString& text) {
    auto* list = dialog.Control<QComboBox>(id);
    ASSERT_NE(list, nullptr) << id;
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}

inline QString Text(const ui::Dialog& dialog, int id) {
    return dialog.GetDlgItemText(id);
}

inline bool Enabled(const ui::Dialog& dialog, int id) {
    return dialog.GetDlgItem(id)->isEnabled();
}

inline bool Shown(const ui::Dialog& dialog, int id) {
    return !dialog.GetDlgItem(id)->isHidden();
}

// Shows the dialog as the active window, so that focus moves between its boxes as it does on a desktop.
inline void Activate(ui::Dialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Moves the focus to another control, as a click or Tab would.
inline void Focus(ui::Dialog& dialog, int id) {
    QWidget* control = dialog.GetDlgItem(id);
    control->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(control->hasFocus()) << id;
}

} // namespace calculator_test
