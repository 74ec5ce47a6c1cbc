// The desktop's ways into the program: the command line, a later start handing over its files, dropped
// files, and the lock-key indicators of the status bar.
#include "app/command_line.h"
#include "app_fixture.h"
#include "platform/ui/lock_keys.h"
#include "platform/ui/single_instance.h"

#include <QLabel>
#include <QTemporaryDir>

namespace {

using app_test::AppTest;

TEST(CommandLine, FileNamesAndOptions) {
    struct Case {
        QStringList arguments;
        QStringList files;
    };
    const Case cases[] = {
        {{"qelt"}, {}},
        {{"qelt", "a.equ"}, {"a.equ"}},
        {{"qelt", "a.equ", "/tmp/b c.equ"}, {"a.equ", "/tmp/b c.equ"}},
        {{"qelt", "--verbose", "a.equ", "-x"}, {"a.equ"}},
        {{"qelt", "--", "-odd.equ", "--"}, {"-odd.equ", "--"}},
        {{"qelt", ""}, {}},
    };
    for (const Case& c : cases) {
        CKestrolabCommandLineInfo info;
        info.ParseCommandLine(c.arguments);
        EXPECT_EQ(info.FileNames(), c.files) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(info.Command(), c.files.isEmpty() ? CKestrolabCommandLineInfo::ShellCommand::FileNew
                                                    : CKestrolabCommandLineInfo::ShellCommand::FileOpen);
    }
}

TEST(LockKeys, ReadFromTheKeyboardLights) {
    QTemporaryDir leds;
    ASSERT_TRUE(leds.isValid());
    const auto light = [&](const QString& name, const char* value) {
        QDir().mkpath(leds.filePath(name));
        QFile file(leds.filePath(name + "/brightness"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(value);
    };
    light("input3::capslock", "1\n");
    light("input3::numlock", "0\n");
    light("input7::numlock", "1\n");
    light("input3::scrolllock", "junk\n");
    ui::SetLockLightFolder(leds.path());
    EXPECT_TRUE(ui::IsLockKeyOn(ui::LockKey::CapsLock));
    EXPECT_TRUE(ui::IsLockKeyOn(ui::LockKey::NumLock)) << "any keyboard's light";
    EXPECT_FALSE(ui::IsLockKeyOn(ui::LockKey::ScrollLock)) << "an unreadable light is off";
    ui::SetLockLightFolder(leds.filePath("none"));
    EXPECT_FALSE(ui::IsLockKeyOn(ui::LockKey::CapsLock));
    ui::SetLockLightFolder({});
}

TEST_F(AppTest, StatusBarShowsTheLocksThatAreOn) {
    QTemporaryDir leds;
    QDir().mkpath(leds.filePath("k::capslock"));
    QFile caps(leds.filePath("k::capslock/brightness"));
    ASSERT_TRUE(caps.open(QIODevice::WriteOnly));
    caps.write("1");
    caps.close();
    ui::SetLockLightFolder(leds.path());
    ASSERT_TRUE(StartQuietly());
    EXPECT_EQ(Frame().Indicator(0)->text(), "CAP");
    EXPECT_EQ(Frame().Indicator(1)->text(), "");
    EXPECT_EQ(Frame().Indicator(2)->text(), "");
    ui::SetLockLightFolder({});
}

TEST_F(AppTest, ALaterStartHandsItsFilesToTheRunningProgram) {
    const std::filesystem::path file = TempFolder() / "handed.equ";
    ASSERT_TRUE(StartQuietly());
    ASSERT_TRUE(ActiveReaction()->Reaction().SetFromString("H2 + Cl2 = HCl"));
    ASSERT_TRUE(ActiveReaction()->DoSave(file));
    Stop();

    QTemporaryDir runtime;
    const QString socket = runtime.filePath("qelt.socket");
    SingleInstance first(socket);
    ASSERT_EQ(first.Start({}), SingleInstance::Role::Primary);
    ui::WriteProfileInt("Settings", "ShowTipOfTheDay", 0);
    {
        app_test::MessageScript messages;
        app = std::make_unique<CQELTApp>(QStringList{"qelt"}, &first);
        ASSERT_TRUE(app->InitInstance());
    }
    ASSERT_EQ(Documents().size(), 1u);

    SingleInstance second(socket);
    ASSERT_EQ(second.Start({ui::FromPath(file)}), SingleInstance::Role::HandedOver);
    ASSERT_TRUE(test_support::RunEventsUntil([&] { return Documents().size() == 2u; }));
    EXPECT_EQ(ActiveReaction()->GetTitle(), "handed.equ");
}

} // namespace
