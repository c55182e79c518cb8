#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// One launcher per settings file, however it is reached. The first launcher on a settings file
// holds, for its whole run, a lock (flock) on the settings folder and one on the settings file
// (the same folder or file through any path, symbolic link, bind mount or hard link, whatever
// the runtime folder), and listens on local sockets in the abstract namespace named after the
// device and inode of each (socketName). A later start finds a lock taken, asks the running
// launcher over a socket to come forward and ends; where it cannot reach one, claim() says that
// a launcher already runs on these settings. A start on other settings (the demo's, another
// XDG_CONFIG_HOME) runs beside it. The system releases the locks and sockets of a launcher
// that was killed.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& settingsPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "vkr-launcher-" and the device and inode of the file or folder at path, in hex; empty
    // when there is nothing at path.
    static QString socketName(const QString& path);

    enum class Claim {
        Claimed,    // this process is now the one launcher (or runs unguarded, said on stderr)
        HandedOver, // another launcher runs on these settings and has been asked to come forward
        Running,    // another launcher runs on these settings and could not be reached
    };
    Claim claim();

signals:
    // A later start asked this launcher to bring its window forward.
    void raiseRequested();

private:
    bool lockAll();
    void listen();

    QString folder_; // the settings folder, the settings file's links followed
    QString file_;   // the settings file, its links followed
    std::vector<int> lockFds_;
    std::vector<std::unique_ptr<QLocalServer>> servers_;
};
