#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

// Keeps one QELT per user: a later start hands the files of its command line to the running program, which
// opens them, and then ends. The first start listens on a local socket in the user's runtime folder.
//
// Call Start() once the QApplication exists and before any window is shown:
//     SingleInstance instance;
//     if (instance.Start(files) == SingleInstance::Role::HandedOver)
//         return 0;
//     QObject::connect(&instance, &SingleInstance::filesReceived, ...);
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Primary,    // this process listens for later starts
        HandedOver, // a running QELT took the files: this process should end
        Alone,      // no running QELT could be reached nor a socket opened: run without hand-over
    };

    // `serverName` is the local socket's full path; the default one is per user and per session.
    explicit SingleInstance(QString serverName = DefaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands `files` (made absolute against the current folder) to a running QELT when one answers within
    // `timeoutMs`; otherwise removes a socket left by a crashed QELT and listens. Waiting for the answer runs
    // a local event loop. Call once.
    Role Start(const QStringList& files, int timeoutMs = 3000);

    bool IsListening() const { return server_.isListening(); }

    // "qelt-<uid>.socket" in the user's runtime folder ($XDG_RUNTIME_DIR).
    static QString DefaultServerName();

signals:
    // A later start handed over these absolute file names; the list is empty when it was started without
    // files (the receiver brings its window forward).
    void filesReceived(const QStringList& files);

private:
    bool HandOver(const QStringList& files, int timeoutMs, bool& serverAbsent);
    void Accept();

    QString serverName_;
    QLocalServer server_;
};
