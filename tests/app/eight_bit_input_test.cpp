// The 8-bit filter of line edits.
#include "platform/ui/eight_bit_input.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

// A refused character never enters the box, whatever it held before: also when code put refused characters
// in it (which are kept) or an undo brought them back, and by every way a character comes in. Characters the
// text can hold still enter afterwards.
TEST(EightBitInput, ARefusedCharacterNeverEntersWhateverTheBoxHeld) {
    const std::vector<QString> refused{QString::fromUtf8("\u03B1"), QString::fromUtf8("\u03B4"),
                                       QString::fromUtf8("\u03B5"), QString::fromUtf8("\u4E2D"),
                                       QString::fromUtf8("\u2192"), QString::fromUtf8("\U0001F600"),
                                       QString::fromUtf8("\u0100"), QString::fromUtf8("\u0301")};
    using Entry = std::function<void(QLineEdit&, const QString&)>;
    const std::vector<std::pair<const char*, Entry>> entries{
        {"typed",
         [](QLineEdit& edit, const QString& text) {
             QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, text, Qt::NoModifier);
         }},
        {"pasted",
         [](QLineEdit& edit, const QString& text) {
             QGuiApplication::clipboard()->setText(QStringLiteral("ab") + text);
             QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
         }},
        {"inserted", [](QLineEdit& edit, const QString& text) { edit.insert(text); }},
        {"committed by an input method",
         [](QLineEdit& edit, const QString& text) {
             QInputMethodEvent event;
             event.setCommitString(text);
             QApplication::sendEvent(&edit, &event);
         }},
        {"dropped",
         [](QLineEdit& edit, const QString& text) {
             QMimeData data;
             data.setText(text);
             QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             static_cast<QObject&>(edit).event(&drop);
         }},
    };
    // What the box holds before: text set by code, with and without refused characters, and the same text
    // brought back by undo after the user removed a refused character or replaced the whole text.
    using Start = std::function<void(QLineEdit&)>;
    const std::vector<std::pair<const char*, Start>> starts{
        {"set by code", [](QLineEdit& edit) { edit.setText(QString::fromUtf8("H2O\u03B3")); }},
        {"set by code, none refused", [](QLineEdit& edit) { edit.setText(QStringLiteral("H2O")); }},
        {"undo of a removal",
         [](QLineEdit& edit) {
             edit.setText(QString::fromUtf8("H2O\u03B3x"));
             edit.setCursorPosition(4);
             QTest::keyClick(&edit, Qt::Key_Backspace);
             edit.undo();
         }},
        {"undo of a replacement",
         [](QLineEdit& edit) {
             edit.setText(QString::fromUtf8("\u03B3\u03B3H2O"));
             edit.selectAll();
             QTest::keyClicks(&edit, QStringLiteral("y"));
             edit.undo();
         }},
    };

    std::mt19937 random(29);
    QLineEdit edit;
    ui::FilterEightBitInput(edit);
    edit.show();
    for (const auto& [startName, start] : starts) {
        for (const auto& [entryName, enter] : entries) {
            for (int round = 0; round < 4; ++round) {
                const QString character = refused[random() % refused.size()];
                start(edit);
                edit.setCursorPosition(static_cast<int>(random() % (edit.text().size() + 1)));
                const QString before = edit.text();
                enter(edit, character);
                EXPECT_EQ(edit.text(), before) << startName << ", " << entryName << ": U+" << std::hex
                                               << static_cast<unsigned>(character.toStdU32String()[0]);
                // What the text can hold still enters.
                enter(edit, QStringLiteral("\u00B7"));
                EXPECT_NE(edit.text(), before) << startName << ", " << entryName << ": a held character";
                EXPECT_TRUE(edit.text().contains(QChar(0xB7))) << startName << ", " << entryName;
            }
        }
    }
    QGuiApplication::clipboard()->clear();
}

} // namespace
