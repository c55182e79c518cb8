#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One launcher per settings file. The first launcher on a settings file holds a lock on
// "<name>.lock" in the user's runtime folder for its whole run and listens on the local socket
// "<name>.sock" beside it, the name made from the settings file's path (baseName). A later start
// on the same file finds the lock taken, asks the running launcher over the socket to come
// forward and ends; a start on other settings (the demo's, another XDG_CONFIG_HOME) runs beside
// it. A killed launcher leaves its socket behind but not its lock (the system releases that), so
// the next start takes the socket over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& settingsPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "vkr-launcher-" and 16 hex digits of a hash of the settings file's path, made absolute
    // with its symbolic links resolved as far as it exists, so that two spellings of one file
    // give one name.
    static QString baseName(const QString& settingsPath);

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
    QString baseName_;
    QLocalServer server_;
    int lockFd_ = -1;
};
