// Start-up in its order: settings, templates, main window, program database, configuration, the command
// line, the window, then the first-run tutorial page or the tip of the day.
#include "app/dialogs/tip_of_the_day.h"
#include "app/program_database.h"
#include "app/qelt_command_ids.h"
#include "app_fixture.h"
#include "model/element_table.h"
#include "platform/ui/file_names.h"
#include "platform/ui/handover_message.h"
#include "platform/ui/open_document.h"
#include "support/pipe_watchdog.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <sys/stat.h>

namespace {

using app_test::AppTest;

TEST_F(AppTest, FirstStartOpensTheTutorialPageAndNotTheTip) {
    // What the site sets for every user tells nothing of this user's starts.
    const QDir site(qEnvironmentVariable("XDG_CONFIG_DIRS"));
    ASSERT_TRUE(site.mkpath("Kestrolab"));
    QFile defaults(site.filePath("Kestrolab/QELT.conf"));
    ASSERT_TRUE(defaults.open(QIODevice::WriteOnly) && defaults.write("[Settings]\nDisplayDigits=6\n") > 0);
    defaults.close();
    app_test::DialogScript dialogs;
    app_test::MessageScript messages;
    ASSERT_TRUE(Start());

    // No database yet: the built-in one is in use, and that is nothing to tell.
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
    EXPECT_EQ(app->GetElementTable().GetCount(), 104);

    ui::HelpWindow* help = app_test::OpenHelpWindow();
    ASSERT_NE(help, nullptr) << "the first-run page";
    EXPECT_TRUE(help->CurrentPage().toString().endsWith("html/tutorial_1st_run.htm"))
        << help->CurrentPage().toString().toStdString();
    EXPECT_EQ(dialogs.Count(CTipofTheDay::kTemplateId), 0);
    EXPECT_EQ(ui::GetProfileInt("Settings", "FirstRun", -1), 0) << "cleared by the start-up";

    // The window is up with a new empty reaction in the default form view.
    EXPECT_TRUE(Frame().isVisible());
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Frame().windowTitle(), "QELT - Reaction equation1");
    EXPECT_EQ(Frame().MenuResourceId(), 201);
    EXPECT_FALSE(Documents()[0]->GetDocument().IsModified());
}

TEST_F(AppTest, LaterStartsShowTheTipUnlessItIsTurnedOff) {
    {
        app_test::MessageScript messages;
        app_test::DialogScript dialogs;
        ASSERT_TRUE(Start());
        EXPECT_TRUE(messages.texts.isEmpty()) << "no database file yet is nothing to tell";
    }
    Stop();
    app_test::CloseHelpWindow();

    {
        app_test::MessageScript messages;
        app_test::DialogScript dialogs;
        ASSERT_TRUE(Start());
        EXPECT_EQ(dialogs.shown, std::vector<int>{CTipofTheDay::kTemplateId});
        EXPECT_EQ(app_test::OpenHelpWindow(), nullptr);
        EXPECT_TRUE(messages.texts.isEmpty()) << "still no database file, still nothing to tell";
    }
    Stop();

    ui::WriteProfileInt("Settings", "ShowTipOfTheDay", 0);
    app_test::MessageScript messages;
    app_test::DialogScript dialogs;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(app_test::OpenHelpWindow(), nullptr);
}

TEST_F(AppTest, PipesInPlaceOfTheProgramFilesDoNotHoldUpTheStart) {
    // Opening a pipe to read it waits for a writer: none of these is opened, nor replaced.
    namespace fs = std::filesystem;
    const fs::path settings = ui::ToPath(ui::ProfileFilePath());
    const fs::path data = ui::ToPath(ui::UserDataFolder());
    const fs::path database = data / ProgramDatabase::GetDatabaseFileName();
    fs::create_directories(settings.parent_path());
    fs::create_directories(data);
    const fs::path pipes[] = {settings, database, data / "config.dat"};
    for (const fs::path& pipe : pipes)
        ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const test_support::PipeWatchdog watchdog({std::begin(pipes), std::end(pipes)},
                                              "the start with pipes in place of the program files");
    {
        app_test::MessageScript messages;
        app_test::DialogScript dialogs;
        ASSERT_TRUE(Start());
        // The defaults: a first start, and each file's message says what stands in its place.
        EXPECT_NE(app_test::OpenHelpWindow(), nullptr) << "the first-run page";
        EXPECT_EQ(app->GetDisplayDigits(), 4);
        EXPECT_EQ(
            messages.texts,
            (QStringList{"Can't open program database file.\nProgram will start with a limited database.\n"
                         "Cannot open \"" +
                             ui::FromPath(database) + "\": it is not a regular file",
                         "Can't read program defaults.\nProgram will start with default standard "
                         "conditions.\nCannot open \"" +
                             ui::FromPath(data / "config.dat") + "\": it is not a regular file"}));
    }
    // What the program stores is kept while it runs.
    ASSERT_TRUE(Run(qelt_cmd::Digits6));
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 4);
    Stop();
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 6) << "written at exit, for this run";
    for (const fs::path& pipe : pipes)
        EXPECT_TRUE(fs::is_fifo(pipe)) << pipe;
    EXPECT_FALSE(fs::exists(settings.string() + ".lock"));
}

TEST_F(AppTest, StoredDisplayDigitsAreUsedAsTheyAre) {
    ui::WriteProfileInt("Settings", "DisplayDigits", 5);
    ASSERT_TRUE(StartQuietly());
    EXPECT_EQ(app->GetDisplayDigits(), 5);
    EXPECT_FALSE(Frame().QueryCommandState(qelt_cmd::Digits4).check) << "neither Digits item is checked";
    EXPECT_FALSE(Frame().QueryCommandState(qelt_cmd::Digits6).check);
    ASSERT_TRUE(Run(qelt_cmd::Digits6));
    EXPECT_EQ(app->GetDisplayDigits(), 6);
    EXPECT_EQ(Frame().QueryCommandState(qelt_cmd::Digits6).check, 1);
    EXPECT_EQ(Frame().QueryCommandState(qelt_cmd::Digits4).check, 0);
    Stop();
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 0), 6) << "written at exit";
}

TEST_F(AppTest, CommandLineFileOpensThatReaction) {
    const std::filesystem::path file = TempFolder() / "water.equ";
    {
        ASSERT_TRUE(StartQuietly());
        auto* reaction = ActiveReaction();
        ASSERT_NE(reaction, nullptr);
        ASSERT_TRUE(reaction->Reaction().SetFromString("2H2 + O2 = 2H2O"));
        ASSERT_TRUE(reaction->DoSave(file));
    }
    Stop();

    ASSERT_TRUE(StartQuietly({ui::FromPath(file)}));
    ASSERT_EQ(Documents().size(), 1u) << "no new empty reaction beside it";
    EXPECT_EQ(Documents()[0]->GetTitle(), "water.equ");
    EXPECT_EQ(Frame().windowTitle(), "QELT - water.equ");
    EXPECT_EQ(app->RecentFiles().Files().value(0), ui::FromPath(file));
}

TEST_F(AppTest, AFileNameThatIsNoUtf8KeepsItsBytesOnTheWayIn) {
    // From the command line, handed to a running copy, dropped, and in the recent-file list.
    const std::filesystem::path file = TempFolder() / "bad\xff\xfename.equ";
    {
        ASSERT_TRUE(StartQuietly());
        ASSERT_TRUE(ActiveReaction()->Reaction().SetFromString("2H2 + O2 = 2H2O"));
        ASSERT_TRUE(ActiveReaction()->DoSave(file));
    }
    Stop();
    const char* const argv[] = {"qelt", file.c_str()};
    const QStringList files = ui::CommandLineWords(2, argv).mid(1);
    EXPECT_EQ(handover::Decode(handover::Encode(files)).files, files);
    ASSERT_TRUE(StartQuietly(files));
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Documents()[0]->GetDocument().GetPathName(), file);
    Stop();

    ASSERT_TRUE(StartQuietly());
    ASSERT_EQ(ui::ToPath(app->RecentFiles().Files().value(0)), file);
    const QByteArray bytes = QByteArray::fromStdString(file.string());
    Frame().OpenDroppedFiles({QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"))});
    ASSERT_EQ(Documents().size(), 2u);
    EXPECT_EQ(Documents()[1]->GetDocument().GetPathName(), file);
}

TEST_F(AppTest, AnUnreadableCommandLineFileEndsTheStart) {
    const std::filesystem::path file = TempFolder() / "broken.equ";
    QFile out(ui::FromPath(file));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("not a reaction");
    out.close();

    ui::WriteProfileInt("Settings", "ShowTipOfTheDay", 0);
    app_test::MessageScript messages;
    EXPECT_FALSE(Start({ui::FromPath(file)}));
    ASSERT_FALSE(messages.texts.isEmpty());
    EXPECT_TRUE(messages.texts.last().startsWith("Failed to open document"))
        << messages.texts.last().toStdString();
}

TEST_F(AppTest, ConfigurationIsReadAtStartUp) {
    // Standard conditions saved by an earlier run come back.
    {
        ASSERT_TRUE(StartQuietly());
        app->GetSTP().pressure = 100.0;
        app->GetSTP().pressureUnit = 2;
        app->SaveConfig();
    }
    Stop();
    ASSERT_TRUE(StartQuietly());
    EXPECT_EQ(app->GetStandardConditions().pressure, 100.0);
    EXPECT_EQ(app->GetStandardConditions().pressureUnit, 2);
}

} // namespace
