// The program's files on a real desktop: a damaged database replaced on save, saves of reactions that keep
// the file's permissions and links and refuse a read-only file.
#include "app/program_database.h"
#include "app/qelt_command_ids.h"
#include "app_fixture.h"
#include "model/element_table.h"
#include "platform/core/file_io.h"
#include "platform/ui/dialog.h"
#include "platform/ui/help_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>

#include <sys/stat.h>

namespace {

using app_test::AppTest;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST_F(AppTest, ADamagedDatabaseIsReplacedOnSaveAndKeptBeside) {
    const fs::path path =
        fs::path(ui::UserDataFolder().toStdString()) / ProgramDatabase::GetDatabaseFileName();
    // Random bytes where the password digest stands.
    const Bytes damaged = {0, 0, 2, 0, 32, 0x9F, 0x13, 0xB7, 0x44, 0x01, 0xFE};
    fs::create_directories(path.parent_path());
    WriteFileAtomically(path, damaged);
    {
        ui::WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("ShowTipOfTheDay"), 0);
        app_test::MessageScript messages;
        ASSERT_TRUE(Start());
        EXPECT_EQ(
            messages.texts,
            QStringList{"Can't open program database file.\nProgram will start with a limited database."});
    }
    ASSERT_GE(app->GetElementTable().AddElement("Cit", "C6H5O7", "citrate", 189.1, 1), 104);
    {
        app_test::MessageScript messages({ui::IDYES, ui::IDYES});
        ASSERT_TRUE(Run(qelt_cmd::SaveDatabase));
        ASSERT_EQ(messages.texts.size(), 2) << messages.texts.join('|').toStdString();
        EXPECT_EQ(messages.texts[0], "Save changes to the program database?");
        EXPECT_TRUE(messages.texts[1].startsWith("The program database file is damaged"));
    }
    EXPECT_FALSE(app->IsDatabaseModified());
    EXPECT_EQ(ReadFileBytes(fs::path(path.string() + ".damaged")), damaged) << "kept byte for byte";

    // The next start reads the new file, with the moiety, and says nothing.
    Stop();
    app_test::MessageScript messages;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
    EXPECT_EQ(app->GetElementTable().Find("Cit"), 104);
}

TEST_F(AppTest, ADamagedWindowLayoutIsIgnored) {
    ASSERT_TRUE(StartQuietly());
    Frame().SaveLayout(); // as closing the window does
    Stop();
    const QString section = QStringLiteral("Workspace");
    QByteArray bars =
        QByteArray::fromBase64(ui::GetProfileString(section, QStringLiteral("Bars")).toLatin1());
    QByteArray geometry =
        QByteArray::fromBase64(ui::GetProfileString(section, QStringLiteral("Geometry")).toLatin1());
    // The tool bars' line count (after their part's marker) and the bottom of the window.
    const qsizetype toolBarPart = bars.lastIndexOf(char(0xfc));
    ASSERT_GT(toolBarPart, 0);
    bars[toolBarPart + 1] = char(0x7f);
    ASSERT_GT(geometry.size(), 40);
    geometry[21] = char(0xff); // the frame's bottom
    geometry[37] = char(0xff); // the bottom of the normal geometry
    ui::WriteProfileString(section, QStringLiteral("Bars"), QString::fromLatin1(bars.toBase64()));
    ui::WriteProfileString(section, QStringLiteral("Geometry"), QString::fromLatin1(geometry.toBase64()));

    ASSERT_TRUE(StartQuietly());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(Frame().height(), screen.height());
    EXPECT_LE(Frame().width(), screen.width());
    EXPECT_TRUE(Frame().ToolBar()->isVisible());
}

// The screen here is small (the offscreen screen: 800 x 600) next to the windows' sizes: each window opens
// with its frame wholly inside the available area, shrunk to it where needed.
TEST_F(AppTest, EveryWindowOpensInsideTheAvailableAreaOfItsScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const auto inside = [&](const QWidget& window) {
        return area.contains(window.frameGeometry()) && window.isVisible();
    };
    // The first start: the default size is larger than the area.
    ASSERT_TRUE(StartQuietly());
    Frame().show();
    EXPECT_TRUE(inside(Frame())) << "first start";

    // A layout stored on a larger screen, its top below a panel.
    Frame().setGeometry(0, 40, 2000, 1440);
    Frame().SaveLayout();
    Stop();
    ASSERT_TRUE(StartQuietly());
    Frame().show();
    EXPECT_TRUE(inside(Frame())) << "stored layout";
    EXPECT_GE(Frame().frameGeometry().height(), area.height() * 9 / 10) << "shrunk, not thrown away";

    // The help window, taller than the area.
    ui::HelpWindow& help = ui::HelpWindow::Instance();
    help.hide();
    help.resize(720, 1120);
    ui::ShowHelpContents();
    EXPECT_TRUE(inside(help)) << "help window";
    help.hide();

    // A dialog larger than the area keeps a fixed size, the area's.
    ui::DialogTemplate big;
    big.caption = QStringLiteral("Big");
    big.size = QSize(900, 700);
    ui::Dialog dialog(big, &Frame());
    dialog.Create();
    EXPECT_TRUE(inside(dialog)) << "dialog";
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

TEST_F(AppTest, SavingAReactionKeepsWhatTheUserHad) {
    ASSERT_TRUE(StartQuietly());
    ReactionDocument* reaction = ActiveReaction();
    ASSERT_TRUE(reaction->Reaction().SetFromString("2H2 + O2 = 2H2O"));
    fs::remove_all(TempFolder()); // what an earlier run left
    const fs::path folder = TempFolder();

    // A private file stays private, and a save killed earlier left a temporary file that goes now.
    const fs::path privateFile = folder / "private.equ";
    WriteFileAtomically(privateFile, {0});
    ::chmod(privateFile.c_str(), 0600);
    WriteFileAtomically(folder / ".private.equ.qelt-save-Xy12z3", {0});
    ASSERT_TRUE(reaction->DoSave(privateFile));
    EXPECT_EQ(ModeOf(privateFile), 0600u);
    EXPECT_FALSE(fs::exists(folder / ".private.equ.qelt-save-Xy12z3"));

    // Through a link to the file it names.
    fs::create_symlink("private.equ", folder / "link.equ");
    ASSERT_TRUE(reaction->Reaction().SetFromString("H2 + Cl2 = HCl"));
    reaction->GetDocument().SetModifiedFlag(true);
    ASSERT_TRUE(reaction->DoSave(folder / "link.equ"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "link.equ")));
    const Bytes saved = ReadFileBytes(privateFile);

    // A read-only file is refused with the message of any failed save, and nothing changes.
    ::chmod(privateFile.c_str(), 0444);
    reaction->GetDocument().SetModifiedFlag(true);
    app_test::MessageScript messages;
    EXPECT_FALSE(reaction->DoSave(folder / "link.equ"));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith("Failed to save document")) << messages.texts[0].toStdString();
    EXPECT_EQ(ReadFileBytes(privateFile), saved);
    EXPECT_EQ(ModeOf(privateFile), 0444u);
    EXPECT_TRUE(reaction->GetDocument().IsModified());
}

} // namespace
