#include "platform/ui/single_instance.h"
#include "ui_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

using Role = SingleInstance::Role;
using test_support::RunEventsUntil;

// What a crash leaves behind: a socket file bound once, with nobody listening on it any more.
bool LeaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(path);
    if (static_cast<std::size_t>(encoded.size()) >= sizeof address.sun_path) {
        ::close(fd);
        return false;
    }
    std::copy(encoded.begin(), encoded.end(), address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFileInfo::exists(path);
}

class SingleInstanceTest : public ::testing::Test {
protected:
    QString Name() const { return dir_.filePath(QStringLiteral("qelt.socket")); }

    // Starts the first program and records what later starts hand to it.
    void StartFirst(SingleInstance& first) {
        QObject::connect(&first, &SingleInstance::filesReceived,
                         [this](const QStringList& files) { received_.push_back(files); });
        ASSERT_EQ(first.Start({}), Role::Primary);
        ASSERT_TRUE(first.IsListening());
    }

    // Sends raw bytes to the running program and waits until it hangs up; true when it did.
    bool SendRawAndWaitForHangUp(const QByteArray& bytes) {
        QLocalSocket socket;
        socket.connectToServer(Name());
        if (!socket.waitForConnected(2000))
            return false;
        socket.write(bytes);
        socket.flush();
        return RunEventsUntil([&] { return socket.state() == QLocalSocket::UnconnectedState; });
    }

    QTemporaryDir dir_;
    std::vector<QStringList> received_;
};

TEST_F(SingleInstanceTest, LaterStartsHandTheirFilesToTheFirstAndAreToldToEnd) {
    SingleInstance first(Name());
    StartFirst(first);

    SingleInstance second(Name());
    EXPECT_EQ(second.Start({QStringLiteral("relative.equ"), QStringLiteral("/srv/lab/acid base.equ"),
                            QStringLiteral("../Lösung.equ")}),
              Role::HandedOver);
    EXPECT_FALSE(second.IsListening());
    ASSERT_TRUE(RunEventsUntil([&] { return received_.size() == 1; }));
    // The names arrive absolute: the first program runs in another folder.
    const QDir here = QDir::current();
    EXPECT_EQ(received_[0],
              QStringList({here.absoluteFilePath(QStringLiteral("relative.equ")),
                           QStringLiteral("/srv/lab/acid base.equ"),
                           QDir::cleanPath(here.absoluteFilePath(QStringLiteral("../Lösung.equ")))}));

    // A start without files is handed over as well; the first brings its window forward.
    SingleInstance third(Name());
    EXPECT_EQ(third.Start({}), Role::HandedOver);
    ASSERT_TRUE(RunEventsUntil([&] { return received_.size() == 2; }));
    EXPECT_TRUE(received_[1].isEmpty());
    EXPECT_TRUE(first.IsListening());
}

TEST_F(SingleInstanceTest, WhatACrashedProgramLeftDoesNotBlockTheStart) {
    const struct {
        const char* what;
        std::function<bool(const QString&)> leave;
    } leftovers[] = {
        {"a socket nobody listens on", LeaveStaleSocket},
        {"a plain file in the socket's place",
         [](const QString& path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
         }},
    };
    for (const auto& leftover : leftovers) {
        SCOPED_TRACE(leftover.what);
        QFile::remove(Name());
        ASSERT_TRUE(leftover.leave(Name()));
        SingleInstance first(Name());
        EXPECT_EQ(first.Start({}), Role::Primary);
        // The new program is reachable where the old one was.
        SingleInstance second(Name());
        EXPECT_EQ(second.Start({QStringLiteral("/a.equ")}), Role::HandedOver);
    }
}

TEST_F(SingleInstanceTest, ClosingTheFirstFreesTheNameForTheNextStart) {
    {
        SingleInstance first(Name());
        ASSERT_EQ(first.Start({}), Role::Primary);
    }
    SingleInstance next(Name());
    EXPECT_EQ(next.Start({QStringLiteral("/a.equ")}), Role::Primary);
}

TEST_F(SingleInstanceTest, AProgramThatDoesNotAnswerKeepsItsSocketAndTheNewStartRunsAlone) {
    // Something listens on the name but never answers: a QELT that hangs.
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(Name()));
    SingleInstance late(Name());
    EXPECT_EQ(late.Start({QStringLiteral("/a.equ")}, 300), Role::Alone);
    EXPECT_FALSE(late.IsListening());
    QLocalSocket probe;
    probe.connectToServer(Name());
    EXPECT_TRUE(probe.waitForConnected(1000)) << "the running program's socket was taken away";
}

TEST_F(SingleInstanceTest, DamagedMessagesAreDroppedAndTheFirstKeepsServing) {
    SingleInstance first(Name());
    StartFirst(first);
    EXPECT_TRUE(SendRawAndWaitForHangUp("GET / HTTP/1.1\r\n\r\n"));
    EXPECT_TRUE(SendRawAndWaitForHangUp(QByteArray("QELT\x01\xff\xff\xff\xff", 9)));
    EXPECT_TRUE(received_.empty());

    SingleInstance second(Name());
    EXPECT_EQ(second.Start({QStringLiteral("/b.equ")}), Role::HandedOver);
    ASSERT_TRUE(RunEventsUntil([&] { return received_.size() == 1; }));
    EXPECT_EQ(received_[0], QStringList({QStringLiteral("/b.equ")}));
}

TEST(SingleInstanceName, TheDefaultNameIsPerUserInTheRuntimeFolder) {
    const QString name = SingleInstance::DefaultServerName();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    ASSERT_FALSE(runtime.isEmpty());
    EXPECT_EQ(QFileInfo(name).absolutePath(), QFileInfo(runtime).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(name).fileName().contains(QString::number(::getuid()))) << name.toStdString();
}

} // namespace
