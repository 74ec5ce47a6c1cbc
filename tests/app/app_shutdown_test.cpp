// Shut-down: the documents' save prompts, then always the database prompt; a cancelled document prompt keeps
// the program running; at exit the program defaults prompt and the settings written.
#include "app/program_database.h"
#include "app_fixture.h"
#include "model/element_table.h"

#include <QFileInfo>

namespace {

using app_test::AppTest;

const QString kSaveReaction = "Save changes to Reaction equation1?";
const QString kSaveDatabase = "Save changes to the program database?";
const QString kSaveDefaults = "Save changes to program defaults?";

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
