// Shut-down: the documents' save prompts, then always the database prompt; a cancelled document prompt keeps
// the program running; at exit the program defaults prompt and the settings written. A database another copy
// of the program saved is not replaced unasked, and one that cannot be written lets the user stay.
#include "app/program_database.h"
#include "app/program_database_desktop.h"
#include "app_fixture.h"
#include "model/element_table.h"
#include "platform/core/file_io.h"

#include <QFileInfo>

namespace {

using app_test::AppTest;

const QString kSaveReaction = "Save changes to Reaction equation1?";
const QString kSaveDatabase = "Save changes to the program database?";
const QString kSaveDefaults = "Save changes to program defaults?";
const QString kNotSaved = "Error: database was NOT saved.";

// The moiety symbols in the database file at path, from row 104 on.
QStringList MoietiesInFile(const std::filesystem::path& path) {
    ProgramDatabaseDesktop desktop;
    ProgramDatabase file(desktop);
    QStringList symbols;
    if (!file.LoadProgramDatabase(path))
        return symbols;
    for (int row = 104; row < file.GetElementTable().GetCount(); ++row)
        symbols << QString::fromStdString(file.GetElementTable().GetAt(row).GetSymbol());
    return symbols;
}

void ModifyEverything(CQELTApp& app, ReactionDocument& reaction) {
    ASSERT_TRUE(reaction.Reaction().SetFromString("2H2 + O2 = 2H2O"));
    reaction.GetDocument().SetModifiedFlag(true);
    ASSERT_EQ(app.GetElementTable().AddElement("Cit", "C6H5O7", "citrate", 189.1, 1), 104);
}

TEST_F(AppTest, CancellingADocumentPromptStillAsksAboutTheDatabaseAndKeepsRunning) {
    ASSERT_TRUE(StartQuietly());
    ModifyEverything(*app, *ActiveReaction());

    app_test::MessageScript messages({ui::IDCANCEL, ui::IDNO});
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(messages.texts, QStringList({kSaveReaction, kSaveDatabase}));
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Documents().size(), 1u);
    EXPECT_TRUE(app->IsDatabaseModified()) << "No keeps the changes in memory";
}

TEST_F(AppTest, ExitSavesWhatTheUserAgreesTo) {
    ASSERT_TRUE(StartQuietly());
    ModifyEverything(*app, *ActiveReaction());
    ASSERT_TRUE(Run(2034));
    app->GetSTP().pressure = 101.325;
    app->GetSTP().pressureUnit = 1;
    app->ProgramDefaultsModified() = true;

    const QString database = ui::FromPath(app->GetProgramDatabase().GetDatabasePath());
    const QString config = ui::FromPath(app->GetProgramDatabase().GetConfigPath());
    {
        app_test::MessageScript messages({ui::IDNO, ui::IDYES});
        ASSERT_TRUE(Run(57665)) << "Exit";
        EXPECT_EQ(messages.texts, QStringList({kSaveReaction, kSaveDatabase}));
        EXPECT_FALSE(Frame().isVisible());
        EXPECT_TRUE(Documents().empty());
        EXPECT_TRUE(QFileInfo::exists(database));
        EXPECT_FALSE(QFileInfo::exists(config));
    }
    {
        app_test::MessageScript messages({ui::IDYES});
        app->ExitInstance();
        EXPECT_EQ(messages.texts, QStringList{kSaveDefaults});
        EXPECT_TRUE(QFileInfo::exists(config));
        EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 0), 6);
        app.reset();
    }

    // The next start reads both.
    ASSERT_TRUE(StartQuietly());
    EXPECT_EQ(app->GetElementTable().Find("Cit"), 104);
    EXPECT_EQ(app->GetStandardConditions().pressure, 101.325);
    EXPECT_EQ(app->GetDisplayDigits(), 6);
}

TEST_F(AppTest, ADatabaseAnotherCopySavedIsReplacedOnlyWhenTheUserSaysSo) {
    ASSERT_TRUE(StartQuietly());
    const std::filesystem::path path = app->GetProgramDatabase().GetDatabasePath();
    // This copy's own saves replace the file it wrote last without a question.
    for (const char* symbol : {"Cit", "Ox"}) {
        ASSERT_GE(app->GetElementTable().AddElement(symbol, "C2O4", "", 88.02, 2), 104);
        app_test::MessageScript messages({ui::IDYES});
        ASSERT_TRUE(Run(2089)) << "Save database";
        EXPECT_EQ(messages.texts, QStringList{kSaveDatabase});
    }
    // Another copy on the same home reads the file, adds a moiety and saves it.
    {
        ProgramDatabaseDesktop desktop;
        ProgramDatabase other(desktop);
        ASSERT_TRUE(other.LoadProgramDatabase(path));
        ASSERT_EQ(other.GetElementTable().AddElement("Mal", "C4H2O4", "", 114.06, 2), 106);
        ASSERT_TRUE(other.SaveProgramDatabase(path, false));
    }
    ASSERT_GE(app->GetElementTable().AddElement("Tart", "C4H4O6", "", 148.07, 2), 104);

    // No, the default button, keeps the other copy's file as it is, and this copy's changes in memory; the
    // user's choice is no error.
    const QString question = "The program database\n" + ui::FromPath(path) + "\nwas changed by another copy";
    {
        app_test::MessageScript messages({ui::IDYES, ui::IDNO});
        ASSERT_TRUE(Run(2089));
        ASSERT_EQ(messages.texts.size(), 2);
        EXPECT_TRUE(messages.texts[1].startsWith(question)) << messages.texts[1].toStdString();
        EXPECT_EQ(messages.styles[1] & ui::MB_DEFBUTTON2, ui::MB_DEFBUTTON2);
    }
    EXPECT_EQ(MoietiesInFile(path), QStringList({"Cit", "Ox", "Mal"}));
    EXPECT_TRUE(app->IsDatabaseModified());

    // Asked again at exit, Yes replaces it with this copy's database.
    app_test::MessageScript messages({ui::IDYES, ui::IDYES});
    EXPECT_TRUE(Frame().close());
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_TRUE(messages.texts[1].startsWith(question));
    EXPECT_EQ(MoietiesInFile(path), QStringList({"Cit", "Ox", "Tart"}));
}

TEST_F(AppTest, ADatabaseThatCannotBeWrittenAtExitLetsTheUserStay) {
    ASSERT_TRUE(StartQuietly());
    // The database path lies in a "folder" that is a file: nothing can be written there.
    const std::filesystem::path blocker = TempFolder() / "blocker";
    std::filesystem::remove_all(blocker);
    WriteFileAtomically(blocker, {1});
    ui::WriteProfileString("Settings", "DatabasePath", ui::FromPath(blocker / "db.dat"));
    ASSERT_GE(app->GetElementTable().AddElement("Cit", "C6H5O7", "citrate", 189.1, 1), 104);
    {
        app_test::MessageScript messages({ui::IDYES, ui::IDNO});
        EXPECT_FALSE(Frame().close());
        ASSERT_EQ(messages.texts.size(), 2);
        EXPECT_EQ(messages.texts[0], kSaveDatabase);
        EXPECT_TRUE(messages.texts[1].startsWith(kNotSaved + "\nCannot ")) << messages.texts[1].toStdString();
        EXPECT_TRUE(messages.texts[1].contains("exit anyway?"));
        EXPECT_TRUE(Frame().isVisible()) << "No returns to the program";
        EXPECT_TRUE(app->IsDatabaseModified());
    }
    // Once the way is clear, the exit saves the changes.
    std::filesystem::remove(blocker);
    std::filesystem::create_directory(blocker);
    app_test::MessageScript messages({ui::IDYES});
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(messages.texts, QStringList{kSaveDatabase});
    EXPECT_EQ(MoietiesInFile(blocker / "db.dat"), QStringList{"Cit"});
}

TEST_F(AppTest, UnchangedDefaultsAndDatabaseAskNothing) {
    ASSERT_TRUE(StartQuietly());
    app_test::MessageScript messages;
    EXPECT_TRUE(Frame().close());
    app->ExitInstance();
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(" | ").toStdString();
    app.reset();
}

TEST_F(AppTest, DefaultsNotSavedWhenTheUserSaysNo) {
    ASSERT_TRUE(StartQuietly());
    app->ProgramDefaultsModified() = true;
    const QString config = ui::FromPath(app->GetProgramDatabase().GetConfigPath());
    app_test::MessageScript messages({ui::IDNO});
    EXPECT_TRUE(Frame().close());
    app->ExitInstance();
    EXPECT_EQ(messages.texts, QStringList{kSaveDefaults});
    EXPECT_FALSE(QFileInfo::exists(config));
    app.reset();
}

} // namespace
