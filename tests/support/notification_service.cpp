#include "support/notification_service.h"

#include <QFile>

namespace {

const QString kName = "org.freedesktop.Notifications";
const QString kPath = "/org/freedesktop/Notifications";

} // namespace

PrivateSessionBus::~PrivateSessionBus() {
    daemon_.kill();
    daemon_.waitForFinished();
}

bool PrivateSessionBus::start() {
    QFile config(dir_.filePath("session.conf"));
    if (!config.open(QIODevice::WriteOnly)) {
        return false;
    }
    config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                 "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                 "<busconfig><type>session</type><listen>unix:dir=" +
                 dir_.path().toUtf8() +
                 "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                 "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                 "<allow own=\"*\"/></policy></busconfig>\n");
    config.close();
    daemon_.start("dbus-daemon",
                  {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
    if (!daemon_.waitForStarted()) {
        return false;
    }
    while (!daemon_.canReadLine()) {
        if (!daemon_.waitForReadyRead(10000)) {
            return false;
        }
    }
    address = QString::fromUtf8(daemon_.readLine().trimmed());
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    return !address.isEmpty();
}

NotificationService::NotificationService(const QString& address)
    : bus_(QDBusConnection::connectToBus(address, "test-notification-service")) {}

NotificationService::~NotificationService() {
    QDBusConnection::disconnectFromBus("test-notification-service");
}

bool NotificationService::start() {
    return bus_.isConnected() &&
           bus_.registerObject(kPath, this, QDBusConnection::ExportAllSlots) &&
           bus_.registerService(kName);
}

uint NotificationService::Notify(const QString& appName, uint replacesId, const QString& appIcon,
                                 const QString& summary, const QString& body,
                                 const QStringList& actions, const QVariantMap&, int) {
    const uint id = replacesId != 0 ? replacesId : nextId_++;
    calls.append({appName, replacesId, appIcon, summary, body, actions, id});
    if (holding) {
        setDelayedReply(true);
        held_.append(message().createReply(id));
    }
    return id;
}

void NotificationService::release() {
    holding = false;
    for (const QDBusMessage& reply : held_) {
        bus_.send(reply);
    }
    held_.clear();
}

void NotificationService::CloseNotification(uint id) {
    closed.append(id);
}

QStringList NotificationService::GetCapabilities() {
    ++capabilityCalls;
    return capabilities;
}

void NotificationService::invokeAction(uint id, const QString& action) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kName, "ActionInvoked");
    signal << id << action;
    bus_.send(signal);
}
