// Settings, the data folder, the recent-file list, the clipboard, text conversion, the number locale and
// the string table.
#include "platform/core/file_io.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/links.h"
#include "platform/ui/message_box.h"
#include "platform/ui/resource_text.h"
#include "platform/ui/settings.h"
#include "platform/ui/string_table.h"
#include "platform/ui/text_codec.h"
#include "support/pipe_watchdog.h"
#include "ui_test_support.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Counts the events of a kind (IN_OPEN, IN_CLOSE_NOWRITE ...) on a file of a folder from now on.
class FileEvents {
public:
    FileEvents(const QString& folder, std::uint32_t mask)
        : m_watch(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(m_watch, 0);
        EXPECT_GE(::inotify_add_watch(m_watch, QFile::encodeName(folder).constData(), mask), 0);
    }
    ~FileEvents() { ::close(m_watch); }
    FileEvents(const FileEvents&) = delete;
    FileEvents& operator=(const FileEvents&) = delete;

    // The events seen since the last call, for the file of that name.
    int Count(const char* name, std::uint32_t mask) {
        alignas(inotify_event) char events[64 * 1024];
        for (ssize_t size; (size = ::read(m_watch, events, sizeof events)) > 0;) {
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                if (event->len > 0)
                    m_seen.push_back({event->name, event->mask});
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return static_cast<int>(std::count_if(m_seen.begin(), m_seen.end(), [&](const auto& seen) {
            return seen.first == name && (seen.second & mask);
        }));
    }

private:
    int m_watch;
    std::vector<std::pair<std::string, std::uint32_t>> m_seen;
};

TEST(Settings, ValuesGoToTheTestConfigurationFolderAndComeBack) {
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(configHome.isEmpty());
    const QString realHome = QDir::homePath();
    EXPECT_TRUE(ui::ProfileFilePath().startsWith(configHome)) << ui::ProfileFilePath().toStdString();
    EXPECT_EQ(QFileInfo(ui::ProfileFilePath()).fileName(), "QELT.conf");
    EXPECT_TRUE(ui::ProfileFilePath().contains("/Kestrolab/"));

    EXPECT_FALSE(ui::ProfileSectionHasValues("Settings"));
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 4);
    EXPECT_EQ(ui::GetProfileString("Settings", "DatabasePath", ""), "");
    EXPECT_TRUE(ui::WriteProfileInt("Settings", "DisplayDigits", 6));
    EXPECT_TRUE(ui::WriteProfileInt("Settings", "CurrentTip", -1));
    EXPECT_TRUE(ui::WriteProfileString("Settings", "DatabasePath", QString::fromUtf8("/data/b\u00E9a.dat")));
    EXPECT_TRUE(ui::ProfileSectionHasValues("Settings"));
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 6);
    EXPECT_EQ(ui::GetProfileInt("Settings", "CurrentTip", 0), -1);
    EXPECT_EQ(ui::GetProfileString("Settings", "DatabasePath"), QString::fromUtf8("/data/b\u00E9a.dat"));
    // A value that is not a number reads as the default.
    EXPECT_EQ(ui::GetProfileInt("Settings", "DatabasePath", 17), 17);
    EXPECT_TRUE(QFileInfo::exists(ui::ProfileFilePath()));
    EXPECT_TRUE(QFileInfo(ui::ProfileFilePath()).absoluteFilePath().startsWith(configHome));
    (void)realHome;
}

TEST(Settings, ALockFileThatIsNoRegularFileKeepsTheValuesForTheRun) {
    // A pipe as the lock file would hold up the first write for ever, as one as the settings file would
    // the first read.
    const QString path = ui::ProfileFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    const QByteArray lock = QFile::encodeName(path + ".lock");
    ASSERT_EQ(::mkfifo(lock.constData(), 0600), 0);
    const test_support::PipeWatchdog watchdog({lock.toStdString()}, "the settings with a pipe as lock file");
    EXPECT_FALSE(ui::ProfileSectionHasValues("Settings"));
    EXPECT_FALSE(ui::WriteProfileInt("Settings", "DisplayDigits", 6)) << "not written to the file";
    EXPECT_TRUE(ui::ProfileSectionHasValues("Settings"));
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 6);
    ui::RecentFileList list;
    list.Add("/a.equ");
    list.Save();
    list.Load();
    EXPECT_EQ(list.Files(), QStringList{"/a.equ"});
    EXPECT_FALSE(QFileInfo::exists(path));

    // Once the lock file is gone, the settings file is used again.
    ASSERT_EQ(::unlink(lock.constData()), 0);
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 4);
    EXPECT_TRUE(ui::WriteProfileInt("Settings", "DisplayDigits", 6));
    EXPECT_TRUE(QFileInfo(path).isFile());
}

// A write that fails (a file where the settings folder should be) reports it and leaves nothing behind: the
// values come from the file again, and once it can be written the next write goes to it.
TEST(Settings, AFailedWriteKeepsNothingAndTheNextWriteReachesTheFile) {
    const QString folder = QFileInfo(ui::ProfileFilePath()).path();
    ASSERT_TRUE(WriteFile(folder, ""));
    EXPECT_FALSE(ui::WriteProfileInt("Settings", "DisplayDigits", 6));
    EXPECT_FALSE(ui::WriteProfileInt("Settings", "CurrentTip", 6));
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 4);
    ASSERT_TRUE(QFile::remove(folder));
    EXPECT_TRUE(ui::WriteProfileInt("Settings", "DisplayDigits", 6));
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 6);
}

TEST(Settings, ValuesTheFileLacksComeFromTheSystemFoldersWhichAreOnlyRead) {
    // Two system folders, the first more important; what a site sets for the program outranks what it sets
    // for the organisation in the same folder. A pipe among them is passed over.
    const QDir home(QDir::homePath());
    const QString first = home.filePath("site"), second = home.filePath("vendor");
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(first + ':' + second));
    const auto write = WriteFile;
    ASSERT_TRUE(write(first + "/Kestrolab/QELT.conf", "[Settings]\nDisplayDigits=6\n"));
    ASSERT_TRUE(write(second + "/Kestrolab/QELT.conf", "[Settings]\nDisplayDigits=5\nCurrentTip=3\n"));
    ASSERT_TRUE(write(second + "/Kestrolab.conf", "[Settings]\nCurrentTip=2\nShowTipOfTheDay=0\n"));
    const QByteArray pipe = QFile::encodeName(first + "/Kestrolab.conf");
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    const test_support::PipeWatchdog watchdog({pipe.toStdString()},
                                              "the settings with a pipe as a system file");

    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 6);
    EXPECT_EQ(ui::GetProfileInt("Settings", "CurrentTip", 0), 3);
    EXPECT_EQ(ui::GetProfileInt("Settings", "ShowTipOfTheDay", 1), 0);
    EXPECT_EQ(ui::GetProfileInt("Settings", "FirstRun", 1), 1);

    // The user's own values come first, and only they are written, to the user's file.
    ASSERT_TRUE(ui::WriteProfileInt("Settings", "DisplayDigits", 4));
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 6), 4);
    EXPECT_EQ(ui::GetProfileInt("Settings", "CurrentTip", 0), 3);
    QFile user(ui::ProfileFilePath());
    ASSERT_TRUE(user.open(QIODevice::ReadOnly));
    EXPECT_EQ(user.readAll(), "[Settings]\nDisplayDigits=4\n");
    QFile site(first + "/Kestrolab/QELT.conf");
    ASSERT_TRUE(site.open(QIODevice::ReadOnly));
    EXPECT_EQ(site.readAll(), "[Settings]\nDisplayDigits=6\n");
    struct stat info {};
    EXPECT_TRUE(::stat(pipe.constData(), &info) == 0 && S_ISFIFO(info.st_mode));
}

TEST(Settings, TheFileIsReadOnceForTheRunHoweverLargeItIs) {
    // Many values beside the program's, as a file grown over the years may hold (Qt keeps only files of a
    // few values between two uses): each is kept on writing.
    const QString path = ui::ProfileFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QByteArray text = "[Settings]\nDisplayDigits=5\n";
    for (int i = 0; i < 2000; ++i)
        text += "Value" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(text), text.size());
    }
    // Every time the file is opened for reading and closed again is seen (opening it to write is not). The
    // opens are watched as well, since the kernel would merge a series of closes into one.
    FileEvents events(QFileInfo(path).path(), IN_OPEN | IN_CLOSE_NOWRITE);

    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 5);
    EXPECT_TRUE(ui::WriteProfileInt("Settings", "CurrentTip", 1));
    EXPECT_TRUE(ui::WriteProfileInt("Settings", "FirstRun", 0));
    EXPECT_EQ(ui::GetProfileInt("Settings", "CurrentTip", 0), 1);
    EXPECT_EQ(ui::GetProfileString("Settings", "Value1999"), QString(40, 'x'));

    EXPECT_EQ(events.Count("QELT.conf", IN_CLOSE_NOWRITE), 1) << "read again for each value";
}

// A settings file longer than any file the program reads, the user's or a site's, is never opened: its
// values are not taken, the user's file is not replaced, and what the program stores is kept for the run.
TEST(Settings, SettingsFilesLongerThanTheReadLimitAreRefusedUnread) {
    const QString site = QDir::home().filePath("site");
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(site));
    const QString user = ui::ProfileFilePath(), siteFile = site + "/Kestrolab/QELT.conf";
    const QByteArray head = "[Settings]\nDisplayDigits=6\nCurrentTip=3\n";
    // Sparse files: their length costs neither disk nor time unless they are read.
    for (const QString& path : {user, siteFile}) {
        ASSERT_TRUE(WriteFile(path, head));
        ASSERT_TRUE(QFile::resize(path, static_cast<qint64>(kMaxReadSize) + 1));
    }
    ASSERT_TRUE(WriteFile(site + "/Kestrolab.conf", "[Settings]\nShowTipOfTheDay=0\n"));
    FileEvents userEvents(QFileInfo(user).path(), IN_OPEN), siteEvents(QFileInfo(siteFile).path(), IN_OPEN);

    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 4);
    EXPECT_EQ(ui::GetProfileInt("Settings", "CurrentTip", -1), -1);
    EXPECT_EQ(ui::GetProfileInt("Settings", "ShowTipOfTheDay", 1), 0) << "a site file within the limit";
    EXPECT_FALSE(ui::ProfileSectionHasValues("Settings"));
    EXPECT_FALSE(ui::WriteProfileInt("Settings", "DisplayDigits", 5)) << "not written to the file";
    EXPECT_EQ(ui::GetProfileInt("Settings", "DisplayDigits", 4), 5);
    EXPECT_EQ(userEvents.Count("QELT.conf", IN_OPEN) + userEvents.Count("QELT.conf.lock", IN_OPEN), 0);
    EXPECT_EQ(siteEvents.Count("QELT.conf", IN_OPEN), 0);
    EXPECT_EQ(QFileInfo(user).size(), static_cast<qint64>(kMaxReadSize) + 1);

    // A file cut back within the limit is read again.
    ASSERT_TRUE(QFile::resize(user, head.size()));
    EXPECT_EQ(ui::GetProfileInt("Settings", "CurrentTip", -1), 3);
}

// Whether the user started the program before is told by the user's own settings alone: values of the
// section in the system folders or in the organisation's file do not count.
TEST(Settings, OnlyTheUsersOwnFileTellsWhetherASectionHoldsValues) {
    const QString site = QDir::home().filePath("site");
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(site));
    const QString user = ui::ProfileFilePath();
    const QStringList others{site + "/Kestrolab/QELT.conf", site + "/Kestrolab.conf",
                             QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Kestrolab.conf")};
    // The user's file missing, empty, with another section, with the section; each with every choice of
    // the others holding the section.
    const QList<QByteArray> userTexts{"", "[Other]\nA=1\n", "[Settings]\nFirstRun=0\n"};
    for (int chosen = 0; chosen < (1 << others.size()); ++chosen) {
        for (int text = -1; text < userTexts.size(); ++text) {
            for (int i = 0; i < others.size(); ++i) {
                QFile::remove(others[i]);
                if (chosen & (1 << i)) {
                    ASSERT_TRUE(WriteFile(others[i], "[Settings]\nShowTipOfTheDay=0\n"));
                }
            }
            QFile::remove(user);
            if (text >= 0) {
                ASSERT_TRUE(WriteFile(user, userTexts[text]));
            }
            EXPECT_EQ(ui::ProfileSectionHasValues("Settings"), text == 2)
                << "user's file " << text << ", others " << chosen;
        }
    }
    // The values of a run, held in place of a file that cannot be used, are the user's as well.
    QFile::remove(user);
    ASSERT_TRUE(QDir().mkpath(user + ".lock"));
    EXPECT_FALSE(ui::ProfileSectionHasValues("Settings"));
    ui::WriteProfileInt("Settings", "FirstRun", 1);
    EXPECT_TRUE(ui::ProfileSectionHasValues("Settings"));
    ASSERT_TRUE(QDir().rmdir(user + ".lock"));
}

TEST(Settings, DataFolderIsTheXdgDataFolderOfKestrolabQelt) {
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    ASSERT_FALSE(dataHome.isEmpty());
    EXPECT_EQ(ui::UserDataFolder(), QDir(dataHome).filePath("Kestrolab/QELT"));
    EXPECT_FALSE(QFileInfo::exists(ui::UserDataFolder()));
    EXPECT_TRUE(ui::EnsureUserDataFolder());
    EXPECT_TRUE(QFileInfo(ui::UserDataFolder()).isDir());
}

TEST(Settings, RecentFilesKeepTheNewestFourWithoutDuplicates) {
    ui::RecentFileList list;
    list.Load();
    EXPECT_TRUE(list.Files().isEmpty());
    for (const char* path : {"/a.equ", "/b.equ", "/c.equ", "/d.equ", "/e.equ"})
        list.Add(path);
    EXPECT_EQ(list.Files(), (QStringList{"/e.equ", "/d.equ", "/c.equ", "/b.equ"}));
    list.Add("/c.equ");
    EXPECT_EQ(list.Files(), (QStringList{"/c.equ", "/e.equ", "/d.equ", "/b.equ"}));
    list.Remove(1);
    list.Save();

    ui::RecentFileList again;
    again.Load();
    EXPECT_EQ(again.Files(), (QStringList{"/c.equ", "/d.equ", "/b.equ"}));
    EXPECT_EQ(ui::GetProfileString("Recent File List", "File1"), "/c.equ");
}

TEST(TextCodec, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const QString text = ui::FromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    for (int byte = 0; byte < 256; ++byte) {
        if (byte < 0x80 || byte >= 0xA0) {
            EXPECT_EQ(text[byte].unicode(), byte) << byte;
        }
    }
    EXPECT_EQ(ui::ToCp1252(text), all);
}

TEST(TextCodec, TheHighControlRangeFollowsTheWindowsTable) {
    struct Case {
        unsigned char byte;
        char16_t code;
    } cases[] = {
        {0x80, 0x20AC},
        {0x82, 0x201A},
        {0x83, 0x0192},
        {0x84, 0x201E},
        {0x85, 0x2026},
        {0x86, 0x2020},
        {0x87, 0x2021},
        {0x88, 0x02C6},
        {0x89, 0x2030},
        {0x8A, 0x0160},
        {0x8B, 0x2039},
        {0x8C, 0x0152},
        {0x8E, 0x017D},
        {0x91, 0x2018},
        {0x92, 0x2019},
        {0x93, 0x201C},
        {0x94, 0x201D},
        {0x95, 0x2022},
        {0x96, 0x2013},
        {0x97, 0x2014},
        {0x98, 0x02DC},
        {0x99, 0x2122},
        {0x9A, 0x0161},
        {0x9B, 0x203A},
        {0x9C, 0x0153},
        {0x9E, 0x017E},
        {0x9F, 0x0178},
        // Bytes the table leaves unassigned stand for the control characters of the same number.
        {0x81, 0x0081},
        {0x8D, 0x008D},
        {0x8F, 0x008F},
        {0x90, 0x0090},
        {0x9D, 0x009D},
        // The hydrate dot and the degree sign are plain Latin-1.
        {0xB7, 0x00B7},
        {0xB0, 0x00B0},
    };
    for (const Case& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(ui::FromCp1252(byte), QString(QChar(c.code))) << int(c.byte);
        EXPECT_EQ(ui::ToCp1252(QString(QChar(c.code))), byte) << int(c.byte);
    }
}

TEST(TextCodec, CharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(ui::ToCp1252(QString::fromUtf8("H\u2082O")), "H?O");
    EXPECT_EQ(ui::ToCp1252(QString::fromUtf8("\u0100")), "?");
    EXPECT_EQ(ui::ToCp1252(QString::fromUtf8("a\U0001F600b")), "a?b"); // one character, two UTF-16 units
    EXPECT_EQ(ui::ToCp1252(QString(QChar(0xD800))), "?");              // a lone surrogate
    EXPECT_EQ(ui::ToCp1252(QString()), "");
}

TEST(NumericLocale, NumbersAreWrittenAndReadWithAPointAfterTheApplicationStarts) {
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", 150000.5);
    EXPECT_STREQ(buffer, "150000");
    std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
    EXPECT_STREQ(buffer, "1.50");
    EXPECT_EQ(std::strtod("2.5", nullptr), 2.5);
}

TEST(Clipboard, PlainTextComesBackAsTheModelsBytes) {
    ASSERT_TRUE(ui::PutOnClipboard("CuSO4\xB7"
                                   "5H2O \x80",
                                   ui::ClipboardFormat::Text, false));
    EXPECT_TRUE(ui::ClipboardHasText());
    EXPECT_EQ(ui::ClipboardText(), QString::fromUtf8("CuSO4\u00B75H2O \u20AC"));
    EXPECT_EQ(ui::ClipboardTextBytes(), "CuSO4\xB7"
                                        "5H2O \x80");
    EXPECT_TRUE(ui::ClipboardRichText().isEmpty());
}

TEST(Clipboard, RichTextIsAddedBesideTheTextAndAFirstFormatClearsBoth) {
    const std::string rtf = "{\\rtf1\\ansi{2H{\\sub 2} + O{\\sub 2} -> 2H{\\sub 2}O}}";
    ASSERT_TRUE(ui::PutOnClipboard("2H2 + O2 -> 2H2O", ui::ClipboardFormat::Text, false));
    ASSERT_TRUE(ui::PutOnClipboard(rtf, ui::ClipboardFormat::RichText, true));
    EXPECT_EQ(ui::ClipboardText(), "2H2 + O2 -> 2H2O");
    EXPECT_EQ(ui::ClipboardRichText().toStdString(), rtf);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("text/rtf"));
    EXPECT_TRUE(data->hasFormat("application/rtf"));
    EXPECT_TRUE(data->hasFormat("text/plain"));

    ASSERT_TRUE(ui::PutOnClipboard("H[sub]2[/sub]", ui::ClipboardFormat::Text, false));
    EXPECT_EQ(ui::ClipboardText(), "H[sub]2[/sub]");
    EXPECT_TRUE(ui::ClipboardRichText().isEmpty());
}

TEST(StringTable, EntriesOfEveryFileAreMergedAndDuplicatesRefused) {
    EXPECT_EQ(ui::LoadString(0xF111), "Enter a number.");
    EXPECT_EQ(ui::FormatString(0xF113, {"0", "10000"}), "Enter a number between 0 and 10000.");
    EXPECT_EQ(ui::LoadString(424242), "");

    ui::StringTable table;
    table.LoadText("1 \"one\"\n0x10 \"sixteen\\nlines\" # comment\n", "a.txt");
    table.LoadText("2 \"two\"", "b.txt");
    EXPECT_EQ(table.Get(1), "one");
    EXPECT_EQ(table.Get(16), "sixteen\nlines");
    EXPECT_EQ(table.Size(), 3);
    try {
        table.LoadText("\n0x1 \"again\"", "c.txt");
        ADD_FAILURE() << "duplicate accepted";
    } catch (const ui::ResourceError& error) {
        EXPECT_NE(std::string(error.what()).find("c.txt:2: string 1 is already defined in a.txt"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_THROW(table.LoadText("3 three", "d.txt"), ui::ResourceError);
    EXPECT_EQ(ui::FormatText("%1 and %2, %1; %3 %%", {"A", "B"}), "A and B, A; %3 %%");
}

TEST(MessageBox, TheHookSeesTheTextAndAnswers) {
    test_support::MessageBoxRecorder boxes({ui::IDNO});
    EXPECT_EQ(ui::MessageBox(0xF110, ui::MB_YESNO | ui::MB_ICONQUESTION), ui::IDNO);
    EXPECT_EQ(ui::MessageBox("Plain"), ui::IDOK);
    EXPECT_EQ(boxes.texts, (QStringList{"Enter an integer.", "Plain"}));
    EXPECT_EQ(boxes.styles[0], ui::MB_YESNO | ui::MB_ICONQUESTION);
    EXPECT_EQ(ui::ProgramName(), "QELT");
}

// Receives the links the tests open instead of a browser.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST(Links, WebAndMailAddressesGoToTheDesktop) {
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
    EXPECT_TRUE(ui::OpenLink("https://example.org/calculators"));
    EXPECT_TRUE(ui::OpenLink(" mailto:help@example.org "));
    EXPECT_FALSE(ui::OpenLink(""));
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].toString(), "https://example.org/calculators");
    EXPECT_EQ(catcher.opened[1].scheme(), "mailto");
}

} // namespace

#include "services_test.moc"
