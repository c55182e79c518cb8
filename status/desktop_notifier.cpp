#include "status/desktop_notifier.h"

#include "app/guard.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QStringList>
#include <QVariantMap>

namespace vkr {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
// The launcher's icon and desktop entry, as installed.
const QString appIcon = QStringLiteral("vkr-launcher");
// A service that has not answered by then is taken as failing; nothing waits for it meanwhile.
constexpr int callTimeoutMs = 10000;

void closeNotification(uint id) {
    QDBusMessage close = QDBusMessage::createMethodCall(service, path, interface,
                                                        QStringLiteral("CloseNotification"));
    close << id;
    QDBusConnection::sessionBus().asyncCall(close, callTimeoutMs);
}

} // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {}

bool DesktopNotifier::connectBus() {
    if (!connected_) {
        // A desktop without a session bus gets no notifications: none is launched for them
        // (the bus library would start one, and make the GUI thread wait for it).
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
            (runtime.isEmpty() || !QFileInfo::exists(runtime + "/bus"))) {
            return false;
        }
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return false;
        }
        // Signals of any sender on the service's path: naming the service would have Qt ask
        // the bus for its owner, and wait for the answer.
        bus.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                    SLOT(actionInvoked(uint, QString)));
        bus.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                    SLOT(notificationClosed(uint, uint)));
        connected_ = true;
    }
    return true;
}

void DesktopNotifier::notify(int32_t key, const QString& summary, const QString& body, bool join) {
    if (!connectBus()) {
        return;
    }
    Posted& posted = posted_[key];
    const Request request{summary, body, join};
    posted.dropped = false;
    if (posted.waiting) {
        // Sent once the earlier call has told the id to replace.
        posted.next = request;
        return;
    }
    send(key, request);
}

void DesktopNotifier::send(int32_t key, const Request& request) {
    Posted& posted = posted_[key];
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    QStringList actions;
    if (request.join) {
        actions << "default"
                << "Join"
                << "join"
                << "Join";
    }
    const QVariantMap hints{{"desktop-entry", appIcon}, {"urgency", QVariant::fromValue(uchar(1))}};
    call << QStringLiteral("VKR Launcher") << posted.id << appIcon << request.summary
         << request.body << actions << hints << int32_t(-1);
    posted.waiting = true;
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, callTimeoutMs), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this,
        [this, key, join = request.join](QDBusPendingCallWatcher* w) { answered(key, join, w); });
}

void DesktopNotifier::answered(int32_t key, bool join, QDBusPendingCallWatcher* call) {
    call->deleteLater();
    Posted& posted = posted_[key];
    posted.waiting = false;
    const QDBusPendingReply<uint> reply = *call;
    if (posted.dropped) {
        if (!reply.isError()) {
            closeNotification(reply.value());
        }
        posted_.erase(key);
        return;
    }
    if (!reply.isError()) {
        posted.id = reply.value();
        posted.join = join;
    }
    if (posted.next) {
        const Request next = *posted.next;
        posted.next.reset();
        send(key, next);
    }
}

void DesktopNotifier::closeAll() {
    for (auto it = posted_.begin(); it != posted_.end();) {
        if (it->second.id != 0) {
            closeNotification(it->second.id);
        }
        // A key whose call is unanswered stays until the answer, which then closes it.
        if (it->second.waiting) {
            it->second.id = 0;
            it->second.dropped = true;
            it->second.next.reset();
            ++it;
        } else {
            it = posted_.erase(it);
        }
    }
}

void DesktopNotifier::actionInvoked(uint id, const QString& action) {
    if (action != "default" && action != "join") {
        return;
    }
    for (const auto& [key, posted] : posted_) {
        if (posted.id == id && posted.join) {
            if (onJoin) {
                guarded(onJoin);
            }
            return;
        }
    }
}

void DesktopNotifier::notificationClosed(uint id, uint) {
    for (auto& [key, posted] : posted_) {
        if (posted.id == id) {
            posted.id = 0;
            posted.join = false;
        }
    }
}

} // namespace vkr
