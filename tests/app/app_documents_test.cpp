// Reactions as files: Save, Save As, Open, Close, the save prompt of a modified reaction, failures, and the
// recent files.
#include "app/program_database.h"
#include "app_fixture.h"

#include <QFileInfo>
#include <fstream>

namespace {

using app_test::AppTest;

void MakeWater(ReactionDocument& reaction) {
    ASSERT_TRUE(reaction.Reaction().SetFromString("2H2 + O2 = 2H2O"));
    reaction.Reaction().BalanceReaction();
    reaction.GetDocument().SetModifiedFlag(true);
}

TEST_F(AppTest, SaveAsAsksForANameAndTheDocumentTakesIt) {
    ASSERT_TRUE(StartQuietly());
    ReactionDocument* reaction = ActiveReaction();
    MakeWater(*reaction);
    const std::filesystem::path file = TempFolder() / "water";

    app_test::FileDialogScript files;
    files.paths.push_back(file);
    ASSERT_TRUE(Run(57603)) << "Save of a reaction without a file asks for a name";
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_FALSE(files.requests[0].open);
    EXPECT_EQ(files.requests[0].suggestedName, "Reaction equation1.equ");
    EXPECT_EQ(files.requests[0].filter, "QELT reaction (*.equ)");

    const std::filesystem::path saved = TempFolder() / "water.equ";
    EXPECT_TRUE(std::filesystem::exists(saved)) << "the extension is added";
    EXPECT_FALSE(reaction->GetDocument().IsModified());
    EXPECT_EQ(reaction->GetTitle(), "water.equ");
    EXPECT_EQ(Frame().ActiveChildFrame()->windowTitle(), "water.equ");
    EXPECT_EQ(Frame().windowTitle(), "QELT - water.equ");
    EXPECT_EQ(app->RecentFiles().Files().value(0), ui::FromPath(saved));

    // Save again: no question, same file.
    ASSERT_TRUE(Run(57603));
    EXPECT_EQ(files.requests.size(), 1u);
    // Save As always asks; cancelled, nothing changes.
    ASSERT_TRUE(Run(57604));
    EXPECT_EQ(files.requests.size(), 2u);
    EXPECT_EQ(reaction->GetTitle(), "water.equ");
}

TEST_F(AppTest, OpenReadsTheFileOnceAndActivatesItAfterwards) {
    const std::filesystem::path file = TempFolder() / "water.equ";
    ASSERT_TRUE(StartQuietly());
    MakeWater(*ActiveReaction());
    ASSERT_TRUE(ActiveReaction()->DoSave(file));
    ActiveReaction()->OnCloseDocument();
    app_test::FlushDeferredDeletes();
    ASSERT_TRUE(Documents().empty());

    app_test::FileDialogScript files;
    files.paths.push_back(file);
    ASSERT_TRUE(Run(57601));
    ASSERT_EQ(Documents().size(), 1u);
    ReactionDocument* reaction = ActiveReaction();
    ASSERT_NE(reaction, nullptr);
    EXPECT_EQ(reaction->GetTitle(), "water.equ");
    EXPECT_EQ(reaction->Reaction().GetBalancedCoefficients(), std::vector<int>({2, 1, 2}));
    EXPECT_FALSE(reaction->GetDocument().IsModified());
    EXPECT_TRUE(files.requests[0].open);

    ASSERT_TRUE(Run(57600));
    ASSERT_EQ(Documents().size(), 2u);
    files.paths.push_back(TempFolder() / "." / "water.equ");
    ASSERT_TRUE(Run(57601));
    EXPECT_EQ(Documents().size(), 2u) << "an open file is not read twice";
    EXPECT_EQ(ActiveReaction(), reaction);
}

TEST_F(AppTest, AFileThatCannotBeReadIsReportedAndLeavesTheRecentFiles) {
    ASSERT_TRUE(StartQuietly());
    const std::filesystem::path file = TempFolder() / "gone.equ";
    app->AddToRecentFileList(ui::FromPath(file));
    ASSERT_EQ(app->RecentFiles().Files().value(0), ui::FromPath(file));

    app_test::MessageScript messages;
    ASSERT_TRUE(Run(57616));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith("Failed to open document \"" + ui::FromPath(file) + "\"."));
    EXPECT_TRUE(app->RecentFiles().Files().isEmpty());
    EXPECT_EQ(Documents().size(), 1u);

    // A file that is no reaction is refused the same way, and opens no window.
    const std::filesystem::path zeros = TempFolder() / "zeros.equ";
    std::ofstream(zeros, std::ios::binary) << std::string(1 << 20, '\0');
    EXPECT_FALSE(app->OpenDocumentFile(ui::FromPath(zeros)));
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_TRUE(messages.texts[1].startsWith("Failed to open document \"" + ui::FromPath(zeros) + "\"."));
    EXPECT_TRUE(app->RecentFiles().Files().isEmpty());
    EXPECT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 1);
}

TEST_F(AppTest, AFailedSaveIsReportedAndTheReactionStaysModified) {
    ASSERT_TRUE(StartQuietly());
    MakeWater(*ActiveReaction());
    app_test::MessageScript messages;
    EXPECT_FALSE(ActiveReaction()->DoSave(TempFolder() / "no such folder" / "water.equ"));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith("Failed to save document")) << messages.texts[0].toStdString();
    EXPECT_TRUE(ActiveReaction()->GetDocument().IsModified());
    EXPECT_EQ(ActiveReaction()->GetTitle(), "Reaction equation1");
}

TEST_F(AppTest, ClosingTheLastFrameOfAModifiedReactionAsksToSave) {
    ASSERT_TRUE(StartQuietly());
    MakeWater(*ActiveReaction());
    ASSERT_TRUE(Run(115));
    ui::ChildFrame* alternate = Frame().ActiveChildFrame();

    {
        // One of two frames closes without a question.
        app_test::MessageScript messages;
        alternate->close();
        app_test::FlushDeferredDeletes();
        EXPECT_TRUE(messages.texts.isEmpty());
        EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 1);
    }
    {
        app_test::MessageScript messages({ui::IDCANCEL});
        EXPECT_FALSE(Frame().ActiveChildFrame()->close());
        EXPECT_EQ(messages.texts, QStringList{"Save changes to Reaction equation1?"});
        EXPECT_EQ(messages.styles.value(0) & 0x0F, unsigned(ui::MB_YESNOCANCEL));
        EXPECT_EQ(Documents().size(), 1u);
    }
    {
        app_test::MessageScript messages({ui::IDNO});
        ASSERT_TRUE(Run(57602)) << "File Close";
        app_test::FlushDeferredDeletes();
        EXPECT_EQ(messages.texts.size(), 1);
        EXPECT_TRUE(Documents().empty());
        EXPECT_EQ(Frame().MenuResourceId(), 203);
    }
}

TEST_F(AppTest, YesToTheSavePromptSavesBeforeClosing) {
    ASSERT_TRUE(StartQuietly());
    MakeWater(*ActiveReaction());
    const std::filesystem::path file = TempFolder() / "kept.equ";
    app_test::FileDialogScript files;
    files.paths.push_back(file);
    app_test::MessageScript messages({ui::IDYES});
    ASSERT_TRUE(Run(57602));
    app_test::FlushDeferredDeletes();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(Documents().empty());

    // A cancelled name keeps the reaction open.
    ASSERT_TRUE(Run(57600));
    MakeWater(*ActiveReaction());
    app_test::MessageScript again({ui::IDYES});
    ASSERT_TRUE(Run(57602));
    EXPECT_EQ(Documents().size(), 1u);
}

} // namespace
