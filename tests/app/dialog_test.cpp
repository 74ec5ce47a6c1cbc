// Dialogs built from templates: places in dialog units, ids, tab order, the default button, notifications
// and data exchange.
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/list_controls.h"
#include "platform/ui/resource_text.h"
#include "platform/ui/string_table.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using ui::ControlKind;

// The reaction string dialog's behaviour, written against the layer as the application will write it.
class ReactionStringDialogDouble : public ui::Dialog {
public:
    ReactionStringDialogDouble() : ui::Dialog(187) {
        MapNotify(158, ui::EN_CHANGE, &ReactionStringDialogDouble::OnChangeText);
    }
    QString text;
    QPushButton* ok = nullptr;
    int changes = 0;

protected:
    void DoDataExchange(ui::DataExchange& dx) override {
        ui::DDX_Control(dx, ui::IDOK, ok);
        ui::DDX_Text(dx, 158, text);
    }
    bool OnInitDialog() override {
        ui::Dialog::OnInitDialog();
        ok->setEnabled(!text.isEmpty());
        return true;
    }
    void OnChangeText() {
        ++changes;
        UpdateData(true);
        ok->setEnabled(!text.isEmpty());
    }
};

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

TEST(DialogTemplate, ReactionStringTemplateHoldsItsControls) {
    const ui::DialogTemplate& dialog = ui::LoadDialogTemplate(187);
    EXPECT_EQ(dialog.caption, "Enter correct reaction string");
    EXPECT_EQ(dialog.size, QSize(437, 57));
    EXPECT_EQ(dialog.fontFace, "MS Sans Serif");
    EXPECT_EQ(dialog.fontPointSize, 8);
    ASSERT_EQ(dialog.controls.size(), 4);
    EXPECT_EQ(dialog.controls[0].kind, ControlKind::Static);
    EXPECT_EQ(dialog.controls[0].id, -1);
    EXPECT_EQ(dialog.controls[1].kind, ControlKind::Edit);
    EXPECT_EQ(dialog.controls[1].place, QRect(4, 20, 429, 12));
    EXPECT_TRUE(dialog.controls[1].Has("autohscroll"));
    EXPECT_EQ(dialog.controls[3].kind, ControlKind::DefButton);
    EXPECT_EQ(dialog.controls[3].text, "OK");
}

TEST(DialogTemplate, EveryTemplateAndTextOfTheProgramLoads) {
    // The string table refuses an id defined in two files, which is how parallel work collides.
    EXPECT_NO_THROW(ui::StringTable::Instance());
    EXPECT_GT(ui::StringTable::Instance().Size(), 30);
    const QStringList files = QDir(":/dialogs").entryList(QDir::Files);
    EXPECT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        bool ok = false;
        const int id = file.section('.', 0, 0).section('_', 0, 0).toInt(&ok);
        ASSERT_TRUE(ok) << "dialog files are named <id>_<name>.dlg";
        ui::Dialog dialog(id);
        EXPECT_NO_THROW(dialog.Create());
        dialog.hide();
    }
}

TEST(DialogTemplate, FaultyTemplatesAreRefusedWithTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"static -1 0 0 1 1 \"x\"", ":1: the first line must be the dialog line"},
        {"dialog 5 10 10 \"t\"\nwidget 3 0 0 1 1 \"\"", ":2: unknown control kind \"widget\""},
        {"dialog 5 10 10 \"t\"\nedit 3 0 0 1 \"\"", ":2: expected: <kind>"},
        {"dialog 5 10 10 \"t\"\nedit 3 0 0 1 1 \"\" shiny", ":2: style \"shiny\" does not apply to edit"},
        {"dialog 5 10 10 \"t\"\nedit 3 0 0 1 1 \"\"\nbutton 3 0 0 1 1 \"b\"", ":3: control id 3 used twice"},
        {"dialog 5 10 10 \"t\"\nstatic -1 0 0 1 1 \"open", ":2: unterminated text"},
        {"dialog 5 10 10 \"t\"\nstatic -1 0 0 1 1 \"\\q\"", ":2: unknown escape \\q"},
        {"dialog x 10 10 \"t\"", ":1: \"x\" is not a number"},
        {"dialog 5 10 10 \"t\"\nfont \"Arial\" 0", ":2: font size out of range"},
        {"# nothing", ":1: no dialog line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ui::ParseDialogTemplate(QString::fromUtf8(c.text), "t.dlg");
            ADD_FAILURE() << "accepted";
        } catch (const ui::ResourceError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(DialogTemplate, TextsKeepEscapesHashesAndRadioGroups) {
    const ui::DialogTemplate dialog =
        ui::ParseDialogTemplate("dialog 0x10 20 30 \"A \\\"quoted\\\" # caption\" # comment\n"
                                "radio 119 0 0 10 10 \"be smart\" group\n"
                                "edit 177 0 0 10 10 \"\"\n"
                                "radio 126 0 0 10 10 \"= const\"\n"
                                "button 120 0 0 10 10 \"Clear\" group\n",
                                "t.dlg");
    EXPECT_EQ(dialog.id, 16);
    EXPECT_EQ(dialog.caption, "A \"quoted\" # caption");
    ASSERT_NE(dialog.Find(126), nullptr);
    EXPECT_EQ(dialog.Find(126)->text, "= const");
    EXPECT_EQ(dialog.Find(999), nullptr);

    // The radios of one group may have other controls between them.
    ui::Dialog built(dialog);
    built.Create();
    QButtonGroup* group = built.RadioGroup(built.GetDlgItem(119));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group, built.RadioGroup(built.GetDlgItem(126)));
    EXPECT_EQ(built.RadioGroup(built.GetDlgItem(177)), nullptr);
}

TEST(Dialog, ControlsSitAtTheirDialogUnitsInTheTemplateFont) {
    ReactionStringDialogDouble dialog;
    dialog.Create();
    // Base units of the template font, worked out here from the font metrics.
    const QFontMetrics metrics(dialog.font());
    const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QString pangram = "The quick brown fox jumps over the lazy dog";
    const double baseX =
        std::max((letters / 26 + 1) / 2.0,
                 1.3 * QFontMetricsF(dialog.font()).horizontalAdvance(pangram) / pangram.size());
    const int baseY = metrics.height();
    ASSERT_GT(baseX, 2);
    ASSERT_GT(baseY, 8);
    EXPECT_EQ(dialog.font().pointSize(), 8);
    auto px = [&](int units) { return Round(units * baseX / 4.0); };
    auto py = [&](int units) { return Round(units * baseY / 8.0); };

    EXPECT_EQ(dialog.size(), QSize(px(437), py(57)));
    // The edit is as high as its style asks where that is more than the template gives.
    const int editHeight = std::max(py(12), dialog.GetDlgItem(158)->sizeHint().height());
    EXPECT_EQ(dialog.ControlRect(158), QRect(px(4), py(20), px(429), editHeight));
    EXPECT_EQ(dialog.ControlRect(2), QRect(px(328), py(39), px(50), py(14)));
    EXPECT_EQ(dialog.ControlRect(1), QRect(px(383), py(39), px(50), py(14)));
    EXPECT_EQ(dialog.windowTitle(), "Enter correct reaction string");

    // The OK button ends where the edit ends, as the template lines them up.
    EXPECT_NEAR(dialog.ControlRect(1).right(), dialog.ControlRect(158).right(), 1);
    // The prompt, one line high, holds its whole text on that line.
    const QLabel* prompt = dialog.findChild<QLabel*>();
    ASSERT_NE(prompt, nullptr);
    EXPECT_LE(metrics.horizontalAdvance(prompt->text()), prompt->contentsRect().width());
    EXPECT_GE(prompt->height(), metrics.height());
    test_support::SaveScreenshot(dialog, "reaction_string_dialog");
}

TEST(Dialog, ControlsAreFoundByIdAndKind) {
    ReactionStringDialogDouble dialog;
    dialog.Create();
    EXPECT_NE(dialog.Control<QLineEdit>(158), nullptr);
    EXPECT_NE(dialog.Control<QPushButton>(1), nullptr);
    EXPECT_EQ(dialog.Control<QLineEdit>(1), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(-1), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(4711), nullptr);
    EXPECT_EQ(ui::ControlHost::ControlId(dialog.GetDlgItem(2)), 2);
    EXPECT_EQ(dialog.GetDlgItemText(2), "Cancel");
    const auto labels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_TRUE(labels[0]->text().startsWith("Enter correct reaction string - please"));
    EXPECT_TRUE(labels[0]->wordWrap());
}

TEST(Dialog, TabOrderFollowsTheTemplateAndStartsOnTheFirstControl) {
    ReactionStringDialogDouble dialog;
    dialog.text = "H2 + O2 = H2O";
    dialog.Create();
    QWidget* edit = dialog.GetDlgItem(158);
    EXPECT_EQ(dialog.focusWidget(), edit);
    EXPECT_EQ(edit->nextInFocusChain(), dialog.GetDlgItem(2));
    EXPECT_EQ(dialog.GetDlgItem(2)->nextInFocusChain(), dialog.GetDlgItem(1));
    auto* ok = dialog.Control<QPushButton>(1);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(dialog.Control<QPushButton>(2)->isDefault());
}

TEST(Dialog, EnterInTheEditPressesTheDefaultButton) {
    ReactionStringDialogDouble dialog;
    dialog.text = "H2 + O2 = H2O";
    int result = 0;
    ui::Dialog::SetModalHook([&](ui::Dialog& shown) {
        QTest::keyClick(shown.GetDlgItem(158), Qt::Key_Return);
        return shown.result();
    });
    result = dialog.DoModal();
    ui::Dialog::SetModalHook({});
    EXPECT_EQ(result, ui::IDOK);
    EXPECT_EQ(dialog.text, "H2 + O2 = H2O");
}

TEST(Dialog, EscapeCancelsAndLeavesTheMembers) {
    ReactionStringDialogDouble dialog;
    dialog.text = "A = B";
    ui::Dialog::SetModalHook([&](ui::Dialog& shown) {
        QTest::keyClicks(shown.GetDlgItem(158), "C");
        QTest::keyClick(shown.GetDlgItem(158), Qt::Key_Escape);
        return shown.result();
    });
    const int result = dialog.DoModal();
    ui::Dialog::SetModalHook({});
    EXPECT_EQ(result, ui::IDCANCEL);
}

TEST(Dialog, OkIsEnabledOnlyWhileTheReactionTextIsNotEmpty) {
    ReactionStringDialogDouble dialog;
    dialog.Create();
    auto* ok = dialog.Control<QPushButton>(1);
    auto* edit = dialog.Control<QLineEdit>(158);
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(edit, "H2");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.text, "H2");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_FALSE(ok->isEnabled());
    // Enter does nothing while the default button is disabled.
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(Dialog, ChangeNotificationsComeFromTypingAndFromCodeButNotFromDataExchange) {
    ReactionStringDialogDouble dialog;
    dialog.Create();
    auto* edit = dialog.Control<QLineEdit>(158);
    dialog.changes = 0;
    QTest::keyClicks(edit, "abc");
    EXPECT_EQ(dialog.changes, 3);
    dialog.SetDlgItemText(158, "xyz");
    EXPECT_EQ(dialog.changes, 4);
    dialog.SetDlgItemText(158, "xyz"); // the same text still notifies
    EXPECT_EQ(dialog.changes, 5);
    dialog.text = "loaded";
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(edit->text(), "loaded");
    EXPECT_EQ(dialog.changes, 5);
    EXPECT_FALSE(dialog.NotificationsLocked());
}

// A dialog with one of each kind of exchange, for the failure behaviour.
ui::DialogTemplate ExchangeTemplate() {
    return ui::ParseDialogTemplate(R"(dialog 900 200 120 "Exchange"
font "MS Shell Dlg" 8
edit 10 5 5 60 12 ""
edit 11 5 20 60 12 ""
edit 12 5 35 60 12 ""
checkbox 13 5 50 60 10 "check"
radio 14 5 62 40 10 "one" group
radio 15 50 62 40 10 "two"
combo 16 5 75 60 40 "" sort group
listbox 17 100 5 60 40 "" sort
defbutton 1 100 90 40 14 "OK"
button 2 150 90 40 14 "Cancel"
)",
                                   "exchange.dlg");
}

class ExchangeDialog : public ui::Dialog {
public:
    ExchangeDialog() : ui::Dialog(ExchangeTemplate()) {
        MapNotify(10, ui::EN_CHANGE, &ExchangeDialog::OnChange);
        MapNotify(16, ui::CBN_SELCHANGE, &ExchangeDialog::OnComboChange);
        MapNotify(17, ui::LBN_SELCHANGE, &ExchangeDialog::OnListChange);
    }
    double number = 1.5;
    int count = 3;
    std::string bytes = "H\xB7O";
    int check = 1;
    int radio = 1;
    int comboIndex = -1;
    int listIndex = -1;
    int changes = 0, comboChanges = 0, listChanges = 0;

protected:
    void DoDataExchange(ui::DataExchange& dx) override {
        ui::DDX_Text(dx, 10, number);
        ui::DDV_MinMaxDouble(dx, number, 0, 10000);
        ui::DDX_Text(dx, 11, count);
        ui::DDX_Text(dx, 12, bytes);
        ui::DDX_Check(dx, 13, check);
        ui::DDX_Radio(dx, 14, radio);
        ui::DDX_CBIndex(dx, 16, comboIndex);
        ui::DDX_LBIndex(dx, 17, listIndex);
    }
    bool OnInitDialog() override {
        auto* combo = Control<ui::ComboBox>(16);
        combo->AddString("mol/L");
        combo->AddString("mmol/L");
        auto* list = Control<ui::ListBox>(17);
        list->AddString("water");
        list->AddString("ethanol");
        return ui::Dialog::OnInitDialog();
    }
    void OnChange() { ++changes; }
    void OnComboChange() { ++comboChanges; }
    void OnListChange() { ++listChanges; }
};

TEST(DataExchange, LoadsAndSavesEveryKindOfValue) {
    ExchangeDialog dialog;
    dialog.Create();
    test_support::SaveScreenshot(dialog, "exchange_dialog");
    EXPECT_EQ(dialog.GetDlgItemText(10), "1.5");
    EXPECT_EQ(dialog.GetDlgItemText(11), "3");
    EXPECT_EQ(dialog.GetDlgItemText(12), QString::fromUtf8("H\u00B7O"));
    EXPECT_TRUE(dialog.Control<QCheckBox>(13)->isChecked());
    EXPECT_TRUE(dialog.Control<QRadioButton>(15)->isChecked());
    EXPECT_FALSE(dialog.Control<QRadioButton>(14)->isChecked());
    // Sorted lists put their entries in order.
    EXPECT_EQ(dialog.Control<ui::ComboBox>(16)->itemText(0), "mmol/L");
    EXPECT_EQ(dialog.Control<ui::ListBox>(17)->item(0)->text(), "ethanol");

    dialog.SetDlgItemText(10, " 2.50e3 ");
    dialog.SetDlgItemText(11, " -42\t");
    dialog.SetDlgItemText(12, QString::fromUtf8("\u20AC 5 \u00E9"));
    dialog.Control<QCheckBox>(13)->setChecked(false);
    dialog.Control<QRadioButton>(14)->setChecked(true);
    dialog.Control<ui::ComboBox>(16)->setCurrentIndex(1);
    dialog.Control<ui::ListBox>(17)->setCurrentRow(0);
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.number, 2500.0);
    EXPECT_EQ(dialog.count, -42);
    EXPECT_EQ(dialog.bytes, "\x80 5 \xE9");
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 0);
    EXPECT_EQ(dialog.comboIndex, 1);
    EXPECT_EQ(dialog.listIndex, 0);
    // Selections made by code are not the user's: no notification.
    EXPECT_EQ(dialog.comboChanges, 0);
    EXPECT_EQ(dialog.listChanges, 0);
}

TEST(DataExchange, TextWithoutAnEightBitCharacterIsRefusedAndKept) {
    ExchangeDialog dialog;
    dialog.Create();
    test_support::MessageBoxRecorder boxes;
    const QString typed = QString::fromUtf8("\u20AC 5 \u4E2D");
    dialog.SetDlgItemText(12, typed);
    EXPECT_FALSE(dialog.UpdateData(true));
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0],
              QString::fromUtf8("The character \"\u4E2D\" (U+4E2D) cannot be used here. Please replace it."));
    EXPECT_EQ(dialog.GetDlgItemText(12), typed);
    EXPECT_EQ(dialog.bytes, "H\xB7O"); // what it held before
}

TEST(DataExchange, ARefusedNumberStopsTheExchangeAndReturnsTheFocus) {
    struct Case {
        const char* number;
        const char* count;
        const char* message; // empty: accepted
    } cases[] = {
        {"abc", "1", "Enter a number."},
        {"1.2.3", "1", "Enter a number."},
        {"", "1", "Enter a number."},
        {"-0", "1", "Enter a number."},
        {"nan", "1", "Enter a number."},
        {"1e999", "1", "Enter a number."},
        {"0x10", "1", "Enter a number."},
        {"20000", "1", "Enter a number between 0 and 10000."},
        {"5", "1.5", "Enter an integer."},
        {"5", "", "Enter an integer."},
        {"5", "99999999999", "Enter an integer."},
        {"0", "7", ""},
        {".25", "+7", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.number) + " / " + c.count);
        ExchangeDialog dialog;
        dialog.Create();
        test_support::MessageBoxRecorder boxes;
        dialog.SetDlgItemText(10, c.number);
        dialog.SetDlgItemText(11, c.count);
        dialog.Control<QCheckBox>(13)->setChecked(false);
        dialog.GetDlgItem(12)->setFocus();
        const bool accepted = dialog.UpdateData(true);
        if (*c.message == '\0') {
            EXPECT_TRUE(accepted);
            EXPECT_TRUE(boxes.texts.isEmpty());
            EXPECT_EQ(dialog.check, 0);
            continue;
        }
        EXPECT_FALSE(accepted);
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts[0], c.message);
        const bool numberFailed = std::string(c.count) == "1";
        QWidget* failed = dialog.GetDlgItem(numberFailed ? 10 : 11);
        EXPECT_EQ(dialog.focusWidget(), failed);
        EXPECT_EQ(static_cast<QLineEdit*>(failed)->selectedText(), static_cast<QLineEdit*>(failed)->text());
        // Members after the refused one keep their values; a range failure keeps the stored value.
        EXPECT_EQ(dialog.check, 1);
        if (std::string(c.message).find("between") != std::string::npos) {
            EXPECT_EQ(dialog.number, 20000.0);
        } else if (numberFailed) {
            EXPECT_EQ(dialog.number, 1.5);
        }
    }
}

TEST(DataExchange, OkWithARefusedValueKeepsTheDialogOpen) {
    ExchangeDialog dialog;
    dialog.Create();
    test_support::MessageBoxRecorder boxes;
    dialog.SetDlgItemText(10, "x");
    dialog.PressButton(ui::IDOK);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(boxes.texts, QStringList{"Enter a number."});
    dialog.SetDlgItemText(10, "3");
    dialog.PressButton(ui::IDOK);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), ui::IDOK);
    EXPECT_EQ(dialog.number, 3.0);
}

TEST(DataExchange, NumbersAreWrittenInTheCNotation) {
    EXPECT_EQ(ui::FormatDoubleText(0.1), "0.1");
    EXPECT_EQ(ui::FormatDoubleText(150000.0), "150000");
    EXPECT_EQ(ui::FormatDoubleText(1e20), "1e+20");
    EXPECT_EQ(ui::FormatDoubleText(-2.5e-7), "-2.5e-07");
    EXPECT_EQ(ui::FormatDoubleText(1.0 / 3.0), "0.333333333333333");
}

TEST(Notifications, UserSelectionsNotifyAndCodeSelectionsDoNot) {
    ExchangeDialog dialog;
    dialog.Create();
    auto* list = dialog.Control<ui::ListBox>(17);
    list->setCurrentRow(1);
    EXPECT_EQ(dialog.listChanges, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(dialog.listChanges, 1);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.listChanges, 2);

    auto* combo = dialog.Control<ui::ComboBox>(16);
    combo->setCurrentIndex(0);
    EXPECT_EQ(dialog.comboChanges, 0);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(dialog.comboChanges, 1);
}

TEST(Notifications, FocusChangesReachTheDialog) {
    class FocusDialog : public ui::Dialog {
    public:
        FocusDialog() : ui::Dialog(ExchangeTemplate()) {
            MapNotify(10, ui::EN_KILLFOCUS, &FocusDialog::OnKill);
            MapNotify(10, ui::EN_SETFOCUS, &FocusDialog::OnSet);
            MapNotifyRange(10, 12, ui::EN_CHANGE, &FocusDialog::OnChange);
        }
        QStringList events;
        void OnKill() { events << "kill"; }
        void OnSet() { events << "set"; }
        void OnChange(int id) { events << QString("change %1").arg(id); }
    };
    FocusDialog dialog;
    dialog.Create();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.GetDlgItem(11)->setFocus();
    dialog.events.clear();
    dialog.GetDlgItem(10)->setFocus();
    QTest::keyClicks(dialog.GetDlgItem(10), "7");
    dialog.GetDlgItem(11)->setFocus();
    dialog.SetDlgItemText(12, "z");
    EXPECT_EQ(dialog.events, (QStringList{"set", "change 10", "kill", "change 12"}));
}

TEST(Notifications, AControlOfOnesOwnClassTakesTheTemplatesPlace) {
    ExchangeDialog dialog;
    dialog.Create();
    const QRect place = dialog.ControlRect(11);
    QWidget* before = dialog.GetDlgItem(10);
    auto* own = new QLineEdit;
    dialog.ReplaceControl(11, own);
    EXPECT_EQ(dialog.GetDlgItem(11), own);
    EXPECT_EQ(own->geometry(), place);
    EXPECT_EQ(own->text(), "3");
    EXPECT_EQ(before->nextInFocusChain(), own);
    dialog.changes = 0;
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.count, 3);
    // With no control of the id, the replacement goes with the exception (no window is left behind).
    EXPECT_THROW(dialog.ReplaceControl(999, new QLineEdit), std::logic_error);
}

} // namespace

TEST(ListBox, ABatchGoesWhereOneByOneAdditionsWould) {
    // Case-insensitive order, equal texts in the order they came, a batch out of order and one that joins
    // entries already there.
    const QStringList first = {"beta", "Alpha", "BETA", "gamma", "alpha"};
    const QStringList second = {"Beta", "delta", "ALPHA", "a", "zeta", "beta"};
    ui::ListBox single;
    single.SetSorted(true);
    ui::ListBox batch;
    batch.SetSorted(true);
    qint64 data = 0;
    for (const QStringList& texts : {first, second}) {
        std::vector<ui::ListEntry> entries;
        for (const QString& text : texts) {
            single.item(single.AddString(text))->setData(Qt::UserRole, data);
            entries.push_back({text, data++});
        }
        batch.AddStrings(entries);
        ASSERT_EQ(batch.count(), single.count());
        for (int row = 0; row < single.count(); ++row) {
            EXPECT_EQ(batch.item(row)->text(), single.item(row)->text()) << row;
            EXPECT_EQ(batch.item(row)->data(Qt::UserRole).toLongLong(),
                      single.item(row)->data(Qt::UserRole).toLongLong())
                << row;
        }
    }
    EXPECT_EQ(batch.item(0)->text(), "a");
    EXPECT_TRUE(batch.updatesEnabled());
}
