#include "status/desktop_notifier.h"

#include "app/guard.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QVariantMap>

#include <limits>
#include <vector>

namespace vkr {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
// The launcher's icon and desktop entry, as installed.
const QString appIcon = QStringLiteral("vkr-launcher");
// Calls wait for their answer as long as the service takes: nothing waits for them meanwhile,
// and an id told late is still the one to replace and to take down.
constexpr int noTimeout = std::numeric_limits<int>::max();

// Takes down notification id of the service connection owner (its unique bus name: an id of a
// service that has since been restarted names nothing, or another's notification).
void closeNotification(const QString& owner, uint id) {
    QDBusMessage close =
        QDBusMessage::createMethodCall(owner, path, interface, QStringLiteral("CloseNotification"));
    close << id;
    QDBusConnection::sessionBus().asyncCall(close, noTimeout);
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

void DesktopNotifier::keepIdsIn(const QString& file) {
    idFile_ = file;
    QFile left(file);
    if (!left.open(QIODevice::ReadOnly)) {
        return;
    }
    // One line per notification: the service's bus name and the id.
    const QList<QByteArray> lines = left.readAll().split('\n');
    left.close();
    if (connectBus()) {
        for (const QByteArray& line : lines) {
            const QList<QByteArray> fields = line.split(' ');
            bool ok = false;
            const uint id = fields.size() == 2 ? fields[1].toUInt(&ok) : 0;
            if (ok && fields[0].startsWith(':')) {
                closeNotification(QString::fromLatin1(fields[0]), id);
            }
        }
    }
    QFile::remove(file);
}

void DesktopNotifier::saveIds() const {
    if (idFile_.isEmpty()) {
        return;
    }
    QByteArray text;
    for (const auto& [key, posted] : posted_) {
        if (posted.id != 0) {
            text += posted.owner.toLatin1() + ' ' + QByteArray::number(posted.id) + '\n';
        }
    }
    if (text.isEmpty()) {
        QFile::remove(idFile_);
        return;
    }
    QSaveFile out(idFile_);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(text);
        out.commit();
    }
}

std::optional<bool> DesktopNotifier::serviceFound() {
    if (!connectBus()) {
        return false;
    }
    askCapabilities();
    return found_;
}

void DesktopNotifier::askCapabilities() {
    if (askingCapabilities_) {
        return;
    }
    askingCapabilities_ = true;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetCapabilities"));
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, noTimeout), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        askingCapabilities_ = false;
        const QDBusPendingReply<QStringList> reply = *w;
        found_ = !reply.isError();
        // A service that does not tell gets its text escaped: it is never read as markup.
        markup_ = reply.isError() || reply.value().contains(QStringLiteral("body-markup"));
        for (const auto& entry : posted_) {
            flush(entry.first);
        }
        if (onServiceFound) {
            guarded([this] { onServiceFound(*found_); });
        }
    });
}

void DesktopNotifier::notify(int32_t key, const QString& summary, const QString& body, bool join) {
    if (!connectBus()) {
        return;
    }
    Posted& posted = posted_[key];
    posted.dropped = false;
    posted.next = Request{summary, body, join};
    if (!markup_) {
        askCapabilities();
    }
    flush(key);
}

void DesktopNotifier::flush(int32_t key) {
    Posted& posted = posted_[key];
    if (!markup_ || posted.waiting || !posted.next) {
        return;
    }
    const Request request = *posted.next;
    posted.next.reset();
    send(key, request);
}

void DesktopNotifier::send(int32_t key, const Request& request) {
    Posted& posted = posted_[key];
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    QStringList actions;
    if (request.join) {
        const QString join = tr("Join");
        actions << "default" << join << "join" << join;
    }
    const QVariantMap hints{{"desktop-entry", appIcon}, {"urgency", QVariant::fromValue(uchar(1))}};
    const QString body = *markup_ ? request.body.toHtmlEscaped() : request.body;
    call << QStringLiteral("VKR Launcher") << posted.id << appIcon << request.summary << body
         << actions << hints << int32_t(-1);
    posted.waiting = true;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, noTimeout), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this,
        [this, key, join = request.join](QDBusPendingCallWatcher* w) { answered(key, join, w); });
}

void DesktopNotifier::answered(int32_t key, bool join, QDBusPendingCallWatcher* call) {
    call->deleteLater();
    Posted& posted = posted_[key];
    posted.waiting = false;
    const QDBusPendingReply<uint> reply = *call;
    const QString owner = reply.reply().service();
    if (posted.dropped) {
        if (!reply.isError()) {
            closeNotification(owner, reply.value());
        }
        posted_.erase(key);
        return;
    }
    if (!reply.isError()) {
        posted.id = reply.value();
        posted.owner = owner;
        posted.join = join;
        saveIds();
    }
    flush(key);
}

void DesktopNotifier::close(int32_t key) {
    const auto it = posted_.find(key);
    if (it == posted_.end()) {
        return;
    }
    Posted& posted = it->second;
    if (posted.id != 0) {
        closeNotification(posted.owner, posted.id);
    }
    // A key whose call is unanswered stays until the answer, which then closes it.
    if (posted.waiting) {
        posted.id = 0;
        posted.dropped = true;
        posted.next.reset();
    } else {
        posted_.erase(it);
    }
    saveIds();
}

void DesktopNotifier::closeAll() {
    std::vector<int32_t> keys;
    for (const auto& entry : posted_) {
        keys.push_back(entry.first);
    }
    for (int32_t key : keys) {
        close(key);
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
    saveIds();
}

} // namespace vkr
