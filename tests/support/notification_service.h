#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

// A session bus of the test's own: a dbus-daemon with a session configuration of its own (no
// service of the machine can be started on it) listening in a temporary folder. start() points
// DBUS_SESSION_BUS_ADDRESS at it; call it before anything connects to the session bus.
class PrivateSessionBus {
public:
    ~PrivateSessionBus();
    bool start();
    QString address;

private:
    QTemporaryDir dir_;
    QProcess daemon_;
};

// A desktop notification service (org.freedesktop.Notifications) on a bus of the test's own.
// It records every Notify call, answers with ids counting up from 1 (or holds its answers until
// release()), and emits ActionInvoked for the test.
class NotificationService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        uint id = 0; // the id answered
    };

    explicit NotificationService(const QString& address);
    ~NotificationService() override;
    // Takes the service's name on the bus.
    bool start();

    QList<Call> calls;
    QList<uint> closed;                          // the ids of CloseNotification calls
    bool holding = false;                        // Notify calls stay unanswered until release()
    QStringList capabilities{"actions", "body"}; // what GetCapabilities answers
    int capabilityCalls = 0;
    // The service's unique name on the bus.
    QString uniqueName() const { return bus_.baseService(); }

    // Answers every Notify call held.
    void release();
    // The user chose action (e.g. "join" or "default") on the notification id.
    void invokeAction(uint id, const QString& action);

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout);
    void CloseNotification(uint id);
    QStringList GetCapabilities();

private:
    QDBusConnection bus_;
    uint nextId_ = 1;
    QList<QDBusMessage> held_;
};
