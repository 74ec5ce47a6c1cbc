// The number edit, the standard-conditions dialog, the password and path dialogs, the hyperlink, the About
// box and the tip of the day, driven as a user drives them.
#include "app/controls/fedit.h"
#include "app/controls/static_link.h"
#include "app/dialogs/about_dlg.h"
#include "app/dialogs/database_password_dlg.h"
#include "app/dialogs/database_path_dlg.h"
#include "app/dialogs/stp_definition.h"
#include "app/dialogs/tip_of_the_day.h"
#include "app/dialogs/tip_rotation.h"
#include "app/program_database.h"
#include "app/program_database_desktop.h"
#include "app_test_host.h"
#include "model/element_table.h"
#include "model/md5_checksum.h"
#include "model/stp.h"
#include "platform/core/file_io.h"
#include "platform/ui/file_names.h"
#include "platform/ui/message_box.h"
#include "platform/ui/settings.h"
#include "platform/ui/string_table.h"
#include "qelt_version.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using test_support::MessageBoxRecorder;
using test_support::SaveScreenshot;

// Modal dialogs shown from code under test are answered by the function given, in order.
class ModalAnswers {
public:
    explicit ModalAnswers(std::deque<std::function<int(ui::Dialog&)>> answers)
        : m_answers(std::move(answers)) {
        ui::Dialog::SetModalHook([this](ui::Dialog& dialog) {
            ++shown;
            if (m_answers.empty())
                return static_cast<int>(ui::IDCANCEL);
            auto answer = std::move(m_answers.front());
            m_answers.pop_front();
            return answer(dialog);
        });
    }
    ~ModalAnswers() { ui::Dialog::SetModalHook({}); }
    int shown = 0;

private:
    std::deque<std::function<int(ui::Dialog&)>> m_answers;
};

// Gives the window the focus so that focus changes between its controls happen as for a user.
void Activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The user picks an entry of a drop-down list.
void Choose(QComboBox* list, const QString& entry) {
    const int index = list->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// The user clicks into a box, replaces its text by typing, and leaves for another control.
void TypeInto(QWidget* box, const char* keys, QWidget* next) {
    box->setFocus();
    static_cast<QLineEdit*>(box)->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, keys);
    next->setFocus();
}

QString Text(ui::Dialog& dialog, int id) {
    return dialog.GetDlgItemText(id);
}

// ---------------------------------------------------------------------------------------------------------
// The number edit, through typed keys.

TEST(NumberEdit, LeavingTheBoxRewritesTheTypedNumber) {
    AppTestHost host;
    STP conditions;
    bool defaultsModified = false;
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    Activate(dialog);
    auto* box = dialog.Control<CFEdit>(CSTPDefinition::kPressureBox);
    ASSERT_NE(box, nullptr);
    QWidget* other = dialog.GetDlgItem(CSTPDefinition::kTemperatureBox);

    struct Case {
        const char* keys;
        const char* shown;
        int digits; // -1: rejected, the text stays as typed
    };
    const Case cases[] = {
        {"  1,50", "1.50", 3},  {"1,5e3", "1.5e+03", 2}, {"2.5", "2.5", 2},
        {"0.000", "0", 0},      {"-", "0", 0},           {"", "0", 0},
        {"1e-", "1", 1},        {"0.05", "0.05", 1},     {" 0.05", "0.0500", 3},
        {"abc", "abc", -1},     {"1.2.3", "1.2.3", -1},  {"-0 ", "0", 0},
        {"1e999", "1e999", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        box->setText("999");
        TypeInto(box, c.keys, other);
        EXPECT_EQ(box->text(), c.shown);
        EXPECT_EQ(box->cursorPosition(), 0) << "the box shows the start of its text";
        EXPECT_FALSE(box->hasSelectedText());
        if (c.digits >= 0) {
            EXPECT_EQ(box->DigitsEntered(), c.digits);
        }
    }

    // More than 31 characters: only the first 31 count.
    TypeInto(box, "1234567890123456789012345678901234", other);
    EXPECT_EQ(box->text(), "1.2345678901234568e+30");
}

TEST(NumberEdit, ARejectedTextIsReportedByTheExchangeAndKeepsTheFocus) {
    AppTestHost host;
    STP conditions;
    bool defaultsModified = false;
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    Activate(dialog);
    MessageBoxRecorder boxes;
    auto* box = dialog.Control<CFEdit>(CSTPDefinition::kTemperatureBox);
    TypeInto(box, "12abc", dialog.GetDlgItem(CSTPDefinition::kPressureBox));
    dialog.PressButton(ui::IDOK);
    ASSERT_EQ(boxes.texts, QStringList{"Enter a number."});
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    EXPECT_EQ(dialog.focusWidget(), box);
    EXPECT_EQ(box->selectedText(), "12abc");
    EXPECT_EQ(conditions.temperature, 0.0);
    EXPECT_FALSE(defaultsModified);
}

// ---------------------------------------------------------------------------------------------------------
// Standard temperature and pressure.

class StpDialogTest : public ::testing::Test {
protected:
    AppTestHost host;
    STP conditions;
    bool defaultsModified = false;
};

TEST_F(StpDialogTest, OpensWithTheDefaultsAndSaveHasTheFocus) {
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), "STP definition");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), "1");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kTemperatureBox), "0");
    auto* pressureUnits = dialog.Control<QComboBox>(CSTPDefinition::kPressureUnitList);
    auto* temperatureUnits = dialog.Control<QComboBox>(CSTPDefinition::kTemperatureUnitList);
    EXPECT_EQ(pressureUnits->count(), 7);
    EXPECT_EQ(pressureUnits->currentText(), "atm");
    EXPECT_EQ(temperatureUnits->count(), 3);
    EXPECT_EQ(temperatureUnits->currentText(), "C");
    EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(ui::IDOK));
    SaveScreenshot(dialog, "stp_definition");

    // Save with nothing touched passes the copy's flag on: nothing changed.
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(dialog.result(), ui::IDOK);
    EXPECT_FALSE(defaultsModified);
}

TEST_F(StpDialogTest, PresetsSetBothValuesAndUnits) {
    struct Case {
        int button;
        double pressure;
        int pressureUnit;
        double temperature;
        const char* pressureText;
        const char* temperatureText;
    };
    const Case cases[] = {
        {142, 100.0, 3, 0.0, "100", "0"},
        {164, 100.0, 3, 25.0, "100", "25"},
        {150, 1.0, 0, 0.0, "1", "0"},
    };
    for (const Case& c : cases) {
        conditions = STP();
        conditions.pressure = 5.0;
        conditions.pressureUnit = 6;
        conditions.temperatureUnit = 2;
        defaultsModified = false;
        CSTPDefinition dialog(conditions, defaultsModified);
        dialog.Create();
        dialog.PressButton(c.button);
        EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), c.pressureText);
        EXPECT_EQ(Text(dialog, CSTPDefinition::kTemperatureBox), c.temperatureText);
        EXPECT_EQ(dialog.Control<QComboBox>(CSTPDefinition::kTemperatureUnitList)->currentText(), "C");
        dialog.PressButton(ui::IDOK);
        EXPECT_EQ(conditions.pressure, c.pressure);
        EXPECT_EQ(conditions.pressureUnit, c.pressureUnit);
        EXPECT_EQ(conditions.temperature, c.temperature);
        EXPECT_EQ(conditions.temperatureUnit, 0);
        EXPECT_TRUE(defaultsModified);
    }
}

TEST_F(StpDialogTest, SatpSavedGoesIntoConfigDat) {
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    dialog.PressButton(164);
    dialog.PressButton(ui::IDOK);
    ASSERT_TRUE(defaultsModified);

    ProgramDatabaseDesktop desktop;
    ProgramDatabase files(desktop);
    MessageBoxRecorder boxes({ui::IDYES});
    files.OfferToSaveConfig(conditions, defaultsModified);
    ASSERT_EQ(boxes.texts, QStringList{"Save changes to program defaults?"});
    const std::vector<std::uint8_t> bytes = ReadFileBytes(files.GetConfigPath());
    const std::vector<std::uint8_t> expected = {
        0, 0, 1, 0, 0, 0, 1,  0,  3, 0, 0, 0, 0, 0, 0, 0, // versions, units kPa and C
        0, 0, 0, 0, 0, 0, 57, 64,                         // 25.0
        0, 0, 0, 0, 0, 0, 89, 64,                         // 100.0
    };
    EXPECT_EQ(bytes, expected);
}

TEST_F(StpDialogTest, ThePressureListConvertsAndKeepsTheExactValue) {
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    auto* units = dialog.Control<QComboBox>(CSTPDefinition::kPressureUnitList);
    Choose(units, "kPa");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), "101.325");
    Choose(units, "mmHg/torr");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), "760");
    Choose(units, "Pa");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), "1.013e+05");
    Choose(units, "atm");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), "1");
    EXPECT_EQ(dialog.WorkingCopy().pressure, 1.0) << "not 0.9998 from the rounded 1.013e+05";
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(conditions.pressure, 1.0);
    EXPECT_EQ(conditions.pressureUnit, 0);
    EXPECT_TRUE(defaultsModified);
}

TEST_F(StpDialogTest, AValueShownRoundedAndSavedUntouchedStaysExact) {
    conditions.pressure = 101325.0;
    conditions.pressureUnit = 2;
    conditions.temperature = 298.15;
    conditions.temperatureUnit = 1;
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    Activate(dialog);
    EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), "1.013e+05");
    // Entering the box and leaving it again rewrites it to the same text and marks the copy modified.
    dialog.GetDlgItem(CSTPDefinition::kPressureBox)->setFocus();
    dialog.GetDlgItem(ui::IDOK)->setFocus();
    EXPECT_EQ(Text(dialog, CSTPDefinition::kPressureBox), "1.013e+05");
    EXPECT_TRUE(dialog.WorkingCopy().modified);
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(conditions.pressure, 101325.0);
    EXPECT_EQ(conditions.temperature, 298.15);

    // A value the user types is taken as typed.
    CSTPDefinition again(conditions, defaultsModified);
    again.Create();
    Activate(again);
    TypeInto(again.GetDlgItem(CSTPDefinition::kPressureBox), "1.013e+05", again.GetDlgItem(ui::IDOK));
    again.PressButton(ui::IDOK);
    EXPECT_EQ(conditions.pressure, 101300.0);
}

TEST_F(StpDialogTest, TheTemperatureListConvertsAndRecordsItsUnit) {
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    Activate(dialog);
    auto* units = dialog.Control<QComboBox>(CSTPDefinition::kTemperatureUnitList);
    Choose(units, "K");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kTemperatureBox), "273.15");
    Choose(units, "F");
    EXPECT_EQ(Text(dialog, CSTPDefinition::kTemperatureBox), "32");
    Choose(units, "K");
    TypeInto(dialog.GetDlgItem(CSTPDefinition::kTemperatureBox), "298.15", dialog.GetDlgItem(ui::IDOK));
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(conditions.temperature, 298.15);
    EXPECT_EQ(conditions.temperatureUnit, 1) << "298.15 K, not 298.15 C";
}

TEST_F(StpDialogTest, CancelChangesNothing) {
    defaultsModified = true;
    CSTPDefinition dialog(conditions, defaultsModified);
    dialog.Create();
    dialog.PressButton(164);
    dialog.PressButton(ui::IDCANCEL);
    EXPECT_EQ(conditions.pressure, 1.0);
    EXPECT_TRUE(defaultsModified);
}

TEST_F(StpDialogTest, ConditionsNoGasCanBeAtAreNotSaved) {
    struct Case {
        const char* p;
        const char* T;
        int focused;
    };
    const Case cases[] = {
        {"-5", "0", CSTPDefinition::kPressureBox},
        {"0", "0", CSTPDefinition::kPressureBox},
        {"1", "-273.15", CSTPDefinition::kTemperatureBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.p) + " atm, " + c.T + " C");
        CSTPDefinition dialog(conditions, defaultsModified);
        dialog.Create();
        MessageBoxRecorder boxes;
        dialog.Control<QLineEdit>(CSTPDefinition::kPressureBox)->setText(c.p);
        dialog.Control<QLineEdit>(CSTPDefinition::kTemperatureBox)->setText(c.T);
        dialog.PressButton(ui::IDOK);
        EXPECT_EQ(boxes.texts,
                  QStringList{"Pressure must be above zero and temperature above absolute zero."});
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
        EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(c.focused));
        EXPECT_EQ(conditions.pressure, 1.0);
        EXPECT_EQ(conditions.temperature, 0.0);
        EXPECT_FALSE(defaultsModified);
    }
}

// ---------------------------------------------------------------------------------------------------------
// The password dialog.

void TypeText(ui::Dialog& dialog, int id, const char* text) {
    auto* edit = dialog.Control<QLineEdit>(id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

bool OkEnabled(ui::Dialog& dialog) {
    return dialog.GetDlgItem(ui::IDOK)->isEnabled();
}

TEST(PasswordDialog, SetModeEnablesOkWhenTheEntriesAgree) {
    CDatabasePasswordDlg dialog;
    dialog.m_mode = PasswordDialogMode::Set;
    dialog.Create();
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Database password");
    EXPECT_FALSE(dialog.GetDlgItem(CDatabasePasswordDlg::kCurrentEntry)->isEnabled());
    EXPECT_FALSE(OkEnabled(dialog));
    TypeText(dialog, CDatabasePasswordDlg::kNewEntry, "pass");
    EXPECT_FALSE(OkEnabled(dialog));
    TypeText(dialog, CDatabasePasswordDlg::kRepeatedEntry, "pas");
    EXPECT_FALSE(OkEnabled(dialog));
    QTest::keyClicks(dialog.GetDlgItem(CDatabasePasswordDlg::kRepeatedEntry), "s");
    EXPECT_TRUE(OkEnabled(dialog));
    SaveScreenshot(dialog, "database_password");
    TypeText(dialog, CDatabasePasswordDlg::kNewEntry, "");
    EXPECT_FALSE(OkEnabled(dialog));
    TypeText(dialog, CDatabasePasswordDlg::kRepeatedEntry, "");
    EXPECT_TRUE(OkEnabled(dialog)) << "two empty entries agree";
    TypeText(dialog, CDatabasePasswordDlg::kNewEntry, "pass");
    TypeText(dialog, CDatabasePasswordDlg::kRepeatedEntry, "pass");
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(dialog.result(), ui::IDOK);
    EXPECT_EQ(dialog.m_digest, CMD5Checksum::HexDigest("pass"));
}

TEST(PasswordDialog, ChangeModeNeedsTheCurrentPassword) {
    CDatabasePasswordDlg dialog;
    dialog.m_mode = PasswordDialogMode::Change;
    dialog.m_digest = CMD5Checksum::HexDigest("old");
    dialog.Create();
    Activate(dialog);
    EXPECT_FALSE(OkEnabled(dialog));
    TypeText(dialog, CDatabasePasswordDlg::kCurrentEntry, "Old");
    EXPECT_FALSE(OkEnabled(dialog)) << "case counts";
    TypeText(dialog, CDatabasePasswordDlg::kCurrentEntry, "old");
    EXPECT_TRUE(OkEnabled(dialog)) << "the new entries, both empty, agree";
    TypeText(dialog, CDatabasePasswordDlg::kNewEntry, "new");
    EXPECT_FALSE(OkEnabled(dialog));
    TypeText(dialog, CDatabasePasswordDlg::kNewEntry, "");
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(dialog.m_digest, "") << "an empty new password removes the protection";

    // A digest that no password has (a file that could not be read) never enables OK.
    CDatabasePasswordDlg unreadable;
    unreadable.m_mode = PasswordDialogMode::Change;
    unreadable.m_digest = "pxvlog";
    unreadable.Create();
    TypeText(unreadable, CDatabasePasswordDlg::kCurrentEntry, "pxvlog");
    EXPECT_FALSE(OkEnabled(unreadable));
    unreadable.PressButton(ui::IDOK);
    EXPECT_TRUE(unreadable.isVisible()) << "Enter on a disabled OK does nothing";
}

TEST(PasswordDialog, EnterModeStartsEnabledAndClearsTheEntryEachTime) {
    CDatabasePasswordDlg dialog;
    ModalAnswers answers({
        [](ui::Dialog& d) {
            EXPECT_TRUE(OkEnabled(d));
            EXPECT_FALSE(d.GetDlgItem(CDatabasePasswordDlg::kNewEntry)->isEnabled());
            EXPECT_FALSE(d.GetDlgItem(CDatabasePasswordDlg::kRepeatedEntry)->isEnabled());
            TypeText(d, CDatabasePasswordDlg::kCurrentEntry, "secret");
            d.PressButton(ui::IDOK);
            return d.result();
        },
        [](ui::Dialog& d) {
            EXPECT_EQ(d.GetDlgItemText(CDatabasePasswordDlg::kCurrentEntry), "");
            d.PressButton(ui::IDOK);
            return d.result();
        },
    });
    ASSERT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(dialog.m_digest, CMD5Checksum::HexDigest("secret"));
    ASSERT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(dialog.m_digest, "") << "an empty entry gives the empty digest";
}

// ---------------------------------------------------------------------------------------------------------
// The path dialog, with the program database behind it.

class PathDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageBoxRecorder quiet;
        files.LoadProgramDatabase(files.GetDatabasePath()); // a first start: the built-in tables
        host.UseElementTable(&files.GetElementTable());
    }
    void TearDown() override {
        host.UseElementTable(nullptr);
        CDatabasePathDlg::SetFileChooser({});
    }

    AppTestHost host;
    int refreshes = 0;
    ProgramDatabaseDesktop desktop{[this] { ++refreshes; }};
    ProgramDatabase files{desktop};
};

TEST_F(PathDialogTest, OkWaitsForAnotherPath) {
    CDatabasePathDlg dialog(files);
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), "Database path");
    const QString current = QString::fromStdString(files.GetDatabasePath().string());
    EXPECT_EQ(Text(dialog, CDatabasePathDlg::kPathEdit), current);
    EXPECT_FALSE(OkEnabled(dialog));
    SaveScreenshot(dialog, "database_path");
    dialog.PressButton(CDatabasePathDlg::kDefaultButton);
    EXPECT_FALSE(OkEnabled(dialog)) << "the default path is the current one";
    Activate(dialog);
    TypeText(dialog, CDatabasePathDlg::kPathEdit, "/tmp/x.dat");
    EXPECT_TRUE(OkEnabled(dialog));
    TypeText(dialog, CDatabasePathDlg::kPathEdit, current.toUtf8().constData());
    EXPECT_FALSE(OkEnabled(dialog));

    CDatabasePathDlg::SetFileChooser([](QWidget*, const QString& proposal) {
        EXPECT_TRUE(proposal.endsWith("QELTdatabase.dat"));
        return QString();
    });
    dialog.PressButton(CDatabasePathDlg::kBrowseButton);
    EXPECT_EQ(Text(dialog, CDatabasePathDlg::kPathEdit), current) << "a cancelled choice changes nothing";
    CDatabasePathDlg::SetFileChooser(
        [](QWidget*, const QString&) { return QStringLiteral("/srv/chosen.dat"); });
    dialog.PressButton(CDatabasePathDlg::kBrowseButton);
    EXPECT_EQ(Text(dialog, CDatabasePathDlg::kPathEdit), "/srv/chosen.dat");
    EXPECT_TRUE(OkEnabled(dialog));
    // An empty path is no database path.
    for (const char* blank : {"", "   "}) {
        TypeText(dialog, CDatabasePathDlg::kPathEdit, blank);
        EXPECT_FALSE(OkEnabled(dialog)) << '"' << blank << '"';
    }
}

TEST_F(PathDialogTest, OkWritesTheDatabaseAtANewPathWithANewPassword) {
    const QString target = QDir(qEnvironmentVariable("HOME")).filePath("moved.dat");
    CDatabasePathDlg dialog(files);
    ModalAnswers passwordDialog({[](ui::Dialog& d) {
        EXPECT_EQ(static_cast<CDatabasePasswordDlg&>(d).m_mode, PasswordDialogMode::Set);
        TypeText(d, CDatabasePasswordDlg::kNewEntry, "pw");
        TypeText(d, CDatabasePasswordDlg::kRepeatedEntry, "pw");
        d.PressButton(ui::IDOK);
        return d.result();
    }});
    dialog.Create();
    MessageBoxRecorder boxes({ui::IDYES});
    dialog.SetDlgItemText(CDatabasePathDlg::kPathEdit, target);
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(boxes.texts,
              QStringList{"Do you want to use a password to protect the database from overwriting?"});
    EXPECT_EQ(dialog.result(), ui::IDOK);
    EXPECT_EQ(files.GetPasswordDigest(), CMD5Checksum::HexDigest("pw"));
    EXPECT_EQ(ui::GetProfileString("Settings", "DatabasePath"), target);
    EXPECT_EQ(files.ReadStoredPasswordHash(target.toStdString()), CMD5Checksum::HexDigest("pw"));
}

TEST_F(PathDialogTest, AFailedReadAtTheNewPathLeavesEverythingAsItWas) {
    const QString target = QDir(qEnvironmentVariable("HOME")).filePath("broken.dat");
    WriteFileAtomically(target.toStdString(), {0, 0, 9, 0});
    ASSERT_GE(files.GetElementTable().AddElement("Cit", "C6H5O7", "", 189.1, 1), 104);
    const int before = refreshes;
    CDatabasePathDlg dialog(files);
    dialog.Create();
    MessageBoxRecorder boxes({ui::IDNO});
    dialog.SetDlgItemText(CDatabasePathDlg::kPathEdit, target);
    dialog.PressButton(ui::IDOK);
    EXPECT_EQ(boxes.texts,
              (QStringList{"Do you want to overwrite existing database?\n\n(Selecting No will READ the "
                           "new database)",
                           "Wrong version of the program database file.",
                           "Can't read the database at specified location.\nThe database in use is kept.",
                           "Database path not changed."}));
    EXPECT_EQ(dialog.result(), ui::IDOK);
    EXPECT_EQ(files.GetElementTable().GetCount(), 105);
    EXPECT_TRUE(files.IsDatabaseModified());
    EXPECT_EQ(refreshes, before);
    EXPECT_EQ(ui::GetProfileString("Settings", "DatabasePath"), "");
}

// A database path is a file name of bytes: one that is no UTF-8 keeps every byte from the box to the file
// written, the stored setting, and the box of the next opening.
TEST_F(PathDialogTest, ADatabasePathKeepsItsBytes) {
    // In a folder of their own, which the test removes: Qt cannot remove names that are no UTF-8.
    const QByteArray home = qgetenv("HOME") + "/bytes";
    ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(home)));
    for (const QByteArray& name : {QByteArray("caf\xE9.dat"), QByteArray("\xFF\xFE\x80.dat"),
                                   QByteArray("a\xC3(\xED\xA0\x80.dat"), QByteArray("b\xC3\xA9.dat")}) {
        const QByteArray bytes = home + '/' + name;
        CDatabasePathDlg dialog(files);
        dialog.Create();
        MessageBoxRecorder boxes({ui::IDNO}); // no password
        dialog.SetDlgItemText(CDatabasePathDlg::kPathEdit, ui::DecodeFileName(bytes));
        dialog.PressButton(ui::IDOK);
        EXPECT_EQ(dialog.result(), ui::IDOK) << name.toHex().toStdString();
        struct stat info {};
        EXPECT_EQ(::stat(bytes.constData(), &info), 0) << name.toHex().toStdString();
        EXPECT_EQ(desktop.StoredDatabasePath(), bytes.toStdString());
        EXPECT_EQ(files.GetDatabasePath().string(), bytes.toStdString());

        CDatabasePathDlg again(files);
        again.Create();
        EXPECT_EQ(ui::EncodeFileName(Text(again, CDatabasePathDlg::kPathEdit)), bytes);
    }
    std::filesystem::remove_all(home.toStdString());
}

// ---------------------------------------------------------------------------------------------------------
// The hyperlink and the About box.

TEST(AboutBox, ShowsNameVersionCopyrightAndLinks) {
    CAboutDlg dialog;
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), "About QELT");
    EXPECT_EQ(Text(dialog, CAboutDlg::kProductName), "QELT");
    const QString version = Text(dialog, CAboutDlg::kVersionText);
    EXPECT_TRUE(version.startsWith("Version " QELT_VERSION_STRING)) << version.toStdString();
    EXPECT_EQ(version.count('.'), 3) << "four parts";
    EXPECT_EQ(Text(dialog, CAboutDlg::kCopyrightText), ui::LoadString(204));
    EXPECT_FALSE(ui::LoadString(204).isEmpty());
    ASSERT_NE(dialog.WebLink(), nullptr);
    EXPECT_EQ(dialog.WebLink()->text(), kProjectWebAddress);
    EXPECT_EQ(dialog.MailLink()->m_target, QString("mailto:") + kProjectMailAddress);
    SaveScreenshot(dialog, "about");
}

TEST(StaticLink, OpensItsTextAndTurnsPurple) {
    CAboutDlg dialog;
    dialog.Create();
    CStaticLink* link = dialog.WebLink();
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->font().family(), dialog.font().family()) << "the control's own face";
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    QStringList opened;
    CStaticLink::SetOpener([&](const QString& target) {
        opened << target;
        return target.startsWith("https:");
    });
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{kProjectWebAddress});
    EXPECT_TRUE(link->m_visited);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(128, 0, 128));

    // A target the desktop cannot open stays blue, and a message shows the address for copying.
    QStringList said;
    ui::SetMessageBoxHook([&](const QString& text, unsigned) {
        said << text;
        return ui::IDOK;
    });
    CStaticLink* mail = dialog.MailLink();
    QTest::mouseClick(mail, Qt::LeftButton);
    ui::SetMessageBoxHook({});
    EXPECT_EQ(opened.last(), QString("mailto:") + kProjectMailAddress);
    EXPECT_FALSE(mail->m_visited);
    EXPECT_EQ(mail->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(QString("\n") + kProjectMailAddress + "\n")) << said[0].toStdString();
    CStaticLink::SetOpener({});
}

TEST(StaticLink, APictureStaticIsLeftAlone) {
    ui::Dialog dialog(CAboutDlg::kTemplateId);
    dialog.Create();
    auto* icon = dialog.Control<QLabel>(CAboutDlg::kIcon);
    icon->setPixmap(QPixmap(8, 8));
    CStaticLink* link = CStaticLink::Attach(dialog, CAboutDlg::kIcon);
    EXPECT_FALSE(link->font().underline());
    int calls = 0;
    CStaticLink::SetOpener([&](const QString&) { return ++calls > 0; });
    link->OnClicked();
    EXPECT_EQ(calls, 0);
    CStaticLink::SetOpener({});
}

// ---------------------------------------------------------------------------------------------------------
// The tip of the day.

TEST(TipOfTheDay, TheTwentyThreeTipsRotateAcrossOpenings) {
    ASSERT_EQ(CountTips(
                  [](int id) -> std::optional<std::string> {
                      if (!ui::StringTable::Instance().Contains(id))
                          return std::nullopt;
                      return ui::LoadStringBytes(id);
                  },
                  10000, 1000),
              23);
    ASSERT_FALSE(ui::ProfileSectionHasValues("Settings"));
    EXPECT_TRUE(CTipofTheDay::ShowsAtStartup());

    CTipofTheDay first;
    const int increment = ui::GetProfileInt("Settings", "TipIncrement", -1);
    EXPECT_GE(increment, 1);
    EXPECT_LE(increment, 22);
    EXPECT_EQ(TipGcd(23, increment), 1);
    const int start = first.Rotation().Current();
    first.Create();
    EXPECT_EQ(first.windowTitle(), "Tip of the day");
    EXPECT_EQ(first.TipText(), ui::LoadString(10000 + start));
    EXPECT_EQ(Text(first, CTipofTheDay::kTipText), first.TipText());
    EXPECT_TRUE(first.Control<QCheckBox>(CTipofTheDay::kShowAtStartupBox)->isChecked());
    SaveScreenshot(first, "tip_of_the_day");

    // Next shows the following tip, not the one after it; every tip once before any repeats.
    QSet<QString> seen{first.TipText()};
    for (int i = 1; i < 23; ++i) {
        first.PressButton(CTipofTheDay::kNextTipButton);
        EXPECT_EQ(first.TipText(), ui::LoadString(10000 + (start + i * increment) % 23)) << i;
        seen.insert(first.TipText());
    }
    EXPECT_EQ(seen.size(), 23);
    first.PressButton(ui::IDOK);

    // The next opening goes on where this one stopped.
    CTipofTheDay second;
    second.Create();
    EXPECT_EQ(second.TipText(), ui::LoadString(10000 + start));
    EXPECT_EQ(ui::GetProfileInt("Settings", "TipIncrement", -1), increment) << "no new draw";
}

TEST(TipOfTheDay, UncheckingShowAtStartupIsWrittenAtOnce) {
    CTipofTheDay dialog;
    dialog.Create();
    QTest::mouseClick(dialog.GetDlgItem(CTipofTheDay::kShowAtStartupBox), Qt::LeftButton);
    EXPECT_EQ(ui::GetProfileInt("Settings", "ShowTipOfTheDay", 1), 0);
    dialog.PressButton(ui::IDCANCEL);
    EXPECT_FALSE(CTipofTheDay::ShowsAtStartup());
}

TEST(TipOfTheDay, DamagedSettingsGiveAFreshRotation) {
    ui::WriteProfileInt("Settings", "CurrentTip", 4000);
    ui::WriteProfileInt("Settings", "TipIncrement", 0);
    CTipofTheDay dialog;
    dialog.Create();
    EXPECT_FALSE(dialog.TipText().isEmpty());
    const int increment = ui::GetProfileInt("Settings", "TipIncrement", 0);
    EXPECT_EQ(TipGcd(23, increment), 1);
    EXPECT_GT(increment, 0);
    const int current = ui::GetProfileInt("Settings", "CurrentTip", -1);
    EXPECT_GE(current, 0);
    EXPECT_LT(current, 23);
}

} // namespace
