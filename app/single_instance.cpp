#include "app/single_instance.h"

#include <QCryptographicHash>
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

SingleInstance::SingleInstance(const QString& settingsPath, QObject* parent)
    : QObject(parent), baseName_(baseName(settingsPath)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains(kRaise)) {
                    emit raiseRequested();
                }
            });
        }
    });
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

QString SingleInstance::baseName(const QString& settingsPath) {
    // The file and its folders may not exist yet (a first start): the part that exists is
    // resolved and the rest appended as written.
    QString existing = QFileInfo(settingsPath).absoluteFilePath();
    QString rest;
    while (!QFileInfo::exists(existing) && existing != "/") {
        const QFileInfo info(existing);
        rest = "/" + info.fileName() + rest;
        existing = info.absolutePath();
    }
    const QString canonical = QDir::cleanPath(QFileInfo(existing).canonicalFilePath() + rest);
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex();
    return "vkr-launcher-" + QString::fromLatin1(hash.left(16));
}

QString SingleInstance::runtimeFolder() {
    QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/')) {
        return QString::fromLocal8Bit(runtime);
    }
    const QByteArray folder = "/tmp/vkr-launcher-" + QByteArray::number(::getuid());
    ::mkdir(folder.constData(), 0700);
    struct stat st {};
    // Another user could have made the folder first: use it only when it is ours alone.
    if (::lstat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0) {
        return {};
    }
    return QString::fromLocal8Bit(folder);
}

bool SingleInstance::claim() {
    const QString folder = runtimeFolder();
    if (folder.isEmpty()) {
        std::fprintf(stderr, "VKR Launcher: no private runtime folder; a second launcher will "
                             "not be noticed\n");
        return true;
    }
    const QString socketPath = folder + "/" + baseName_ + ".sock";
    const QByteArray lockPath = (folder + "/" + baseName_ + ".lock").toLocal8Bit();
    lockFd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ >= 0 && ::flock(lockFd_, LOCK_EX | LOCK_NB) == 0) {
        QLocalServer::removeServer(socketPath); // left by a launcher that was killed
        if (!server_.listen(socketPath)) {
            std::fprintf(stderr, "VKR Launcher: cannot listen on %s: %s\n", qPrintable(socketPath),
                         qPrintable(server_.errorString()));
        }
        return true;
    }
    if (lockFd_ < 0) {
        std::fprintf(stderr, "VKR Launcher: cannot open %s\n", lockPath.constData());
        return true;
    }
    // Another launcher runs. It may be starting right now and not listen yet: try for a while.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 3000) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(500)) {
            socket.write(kRaise);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return false;
        }
        QThread::msleep(50);
    }
    std::fprintf(stderr, "VKR Launcher is already running\n");
    return false;
}
