#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One launcher per user session. The first launcher holds a lock on "vkr-launcher.lock" in the
// user's runtime folder for its whole run and listens on the local socket "vkr-launcher.sock"
// beside it. A later start finds the lock taken, asks the running launcher over the socket to
// come forward and ends. A killed launcher leaves its socket behind but not its lock (the
// system releases that), so the next start takes the socket over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one launcher (or when the runtime folder is unusable,
    // said on stderr: the launcher then runs without the guard). False when another launcher
    // runs; it has been asked to come forward.
    bool claim();

    // $XDG_RUNTIME_DIR when it is an absolute path; otherwise /tmp/vkr-launcher-<uid>, created
    // with mode 0700 and used only when it is a folder of this user that no one else may enter.
    // Empty when there is no usable folder.
    static QString runtimeFolder();

signals:
    // A later start asked this launcher to bring its window forward.
    void raiseRequested();

private:
    QLocalServer server_;
    int lockFd_ = -1;
};
