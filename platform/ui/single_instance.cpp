#include "single_instance.h"

#include "file_names.h"
#include "handover_message.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A start that connects but says nothing is dropped after this long.
constexpr int kClientTimeoutMs = 10000;

// Holds an exclusive lock on a file beside the socket while a start decides whether it hands over or
// listens, so two programs started at once cannot both listen. The kernel releases the lock when its holder
// dies, so a crash leaves nothing stale behind. When the lock cannot be had in time, the start goes on
// without it.
class StartLock {
public:
    StartLock(const QString& path, int timeoutMs) {
        fd_ = ::open(ui::EncodeFileName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            return;
        const QDeadlineTimer deadline(timeoutMs);
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
            QThread::msleep(10);
        }
    }
    ~StartLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    StartLock(const StartLock&) = delete;
    StartLock& operator=(const StartLock&) = delete;

private:
    int fd_ = -1;
};

// Only programs of the same user may hand files over, or take them.
bool PeerIsThisUser(qintptr descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 ||
        ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return false;
    return credentials.uid == ::getuid();
}

QStringList AbsoluteFileNames(const QStringList& files) {
    QStringList absolute;
    for (const QString& file : files)
        if (!file.isEmpty())
            absolute << QFileInfo(file).absoluteFilePath();
    return absolute;
}

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultServerName() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString uid = QString::number(::getuid());
    QString name = folder + QStringLiteral("/qelt-") + uid + QStringLiteral(".socket");
    // A socket's path has a small fixed limit; a runtime folder too deep for it gets a name in the
    // temporary folder that still tells sessions apart.
    if (static_cast<std::size_t>(QFile::encodeName(name).size()) >= sizeof(sockaddr_un::sun_path)) {
        const QByteArray session =
            QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha1).toHex().left(12);
        name = QDir::tempPath() + QStringLiteral("/qelt-") + uid + u'-' + QString::fromLatin1(session) +
               QStringLiteral(".socket");
    }
    return name;
}

SingleInstance::Role SingleInstance::Start(const QStringList& files, int timeoutMs) {
    const StartLock lock(serverName_ + QStringLiteral(".lock"), timeoutMs);
    bool serverAbsent = false;
    if (HandOver(AbsoluteFileNames(files), timeoutMs, serverAbsent))
        return Role::HandedOver;
    // Nobody answers on a socket file that is there: its program crashed. A program that is alive but did
    // not take the files keeps its socket, and this one runs alone.
    if (serverAbsent)
        QLocalServer::removeServer(serverName_);
    return server_.listen(serverName_) ? Role::Primary : Role::Alone;
}

bool SingleInstance::HandOver(const QStringList& files, int timeoutMs, bool& serverAbsent) {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(timeoutMs)) {
        serverAbsent = socket.error() == QLocalSocket::ServerNotFoundError ||
                       socket.error() == QLocalSocket::ConnectionRefusedError;
        return false;
    }
    if (!PeerIsThisUser(socket.socketDescriptor()))
        return false;

    // The running program answers from its own event loop, which may be this one (tests), so the wait
    // runs events.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::readyRead, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    socket.write(handover::Encode(files));
    socket.flush();
    while (socket.bytesAvailable() < 1 && socket.state() == QLocalSocket::ConnectedState && timer.isActive())
        loop.exec();
    const QByteArray answer = socket.read(1);
    socket.abort();
    return answer.size() == 1 && answer[0] == handover::kAccepted;
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        QTimer::singleShot(kClientTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            *received += socket->readAll();
            const handover::Decoded message = handover::Decode(*received);
            if (message.status == handover::Status::Incomplete)
                return;
            if (message.status == handover::Status::Invalid) {
                socket->abort();
                socket->deleteLater();
                return;
            }
            // Answer first: the new start can end while the files open here.
            socket->write(QByteArray(1, handover::kAccepted));
            socket->flush();
            socket->disconnectFromServer();
            emit filesReceived(message.files);
        });
    }
}
