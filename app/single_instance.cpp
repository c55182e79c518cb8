#include "app/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kRaise[] = "raise\n";

} // namespace

SingleInstance::SingleInstance(const QString& settingsPath, QObject* parent) : QObject(parent) {
    // A settings file that is a symbolic link is the file it leads to, in that file's folder.
    const QFileInfo info(settingsPath);
    const QString target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    file_ = QFileInfo(target).absoluteFilePath();
    folder_ = QFileInfo(file_).absolutePath();
}

SingleInstance::~SingleInstance() {
    servers_.clear();
    for (int fd : lockFds_) {
        ::close(fd);
    }
}

QString SingleInstance::socketName(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return {};
    }
    return QString("vkr-launcher-%1-%2")
        .arg(qulonglong(st.st_dev), 0, 16)
        .arg(qulonglong(st.st_ino), 0, 16);
}

// Takes the locks of the folder and of the file (when it exists); false, with none held, when
// another process holds one.
bool SingleInstance::lockAll() {
    for (const QString& path : {folder_, file_}) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            continue; // the file of a first start
        }
        lockFds_.push_back(fd);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            for (int held : lockFds_) {
                ::close(held);
            }
            lockFds_.clear();
            return false;
        }
    }
    return true;
}

void SingleInstance::listen() {
    for (const QString& path : {folder_, file_}) {
        const QString name = socketName(path);
        if (name.isEmpty()) {
            continue;
        }
        auto server = std::make_unique<QLocalServer>();
        server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
        QLocalServer* s = server.get();
        connect(s, &QLocalServer::newConnection, this, [this, s] {
            while (QLocalSocket* peer = s->nextPendingConnection()) {
                connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
                connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                    if (peer->readAll().contains(kRaise)) {
                        emit raiseRequested();
                    }
                });
            }
        });
        if (!s->listen(name)) {
            std::fprintf(stderr, "VKR Launcher: cannot listen on %s: %s\n", qPrintable(name),
                         qPrintable(s->errorString()));
        }
        servers_.push_back(std::move(server));
    }
}

SingleInstance::Claim SingleInstance::claim() {
    if (!QDir().mkpath(folder_)) {
        std::fprintf(stderr,
                     "VKR Launcher: cannot create %s; a second launcher will not be "
                     "noticed\n",
                     qPrintable(folder_));
        return Claim::Claimed;
    }
    if (lockAll()) {
        listen();
        return Claim::Claimed;
    }
    // Another launcher runs. It may be starting right now and not listen yet, or ending and
    // listen no more: try for a while, and take its place once it has ended.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 3000) {
        for (const QString& path : {folder_, file_}) {
            const QString name = socketName(path);
            if (name.isEmpty()) {
                continue;
            }
            QLocalSocket socket;
            socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
            socket.connectToServer(name);
            if (socket.waitForConnected(250)) {
                socket.write(kRaise);
                socket.waitForBytesWritten(1000);
                socket.disconnectFromServer();
                return Claim::HandedOver;
            }
        }
        if (lockAll()) {
            listen();
            return Claim::Claimed;
        }
        QThread::msleep(50);
    }
    std::fprintf(stderr, "VKR Launcher already runs on the settings in %s\n", qPrintable(folder_));
    return Claim::Running;
}
