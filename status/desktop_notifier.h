#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

class QDBusPendingCallWatcher;

namespace vkr {

// Posts desktop notifications through the freedesktop notification service on the session bus
// (org.freedesktop.Notifications). Every call is asynchronous: a service that is absent, slow
// or failing never holds up the GUI thread, and its errors are dropped. Each notification
// belongs to a key (a server): a later one of the same key replaces the earlier.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    // Posts the notification of key, replacing the one it has. With join, it offers the
    // action "Join", which is also its default action.
    void notify(int32_t key, const QString& summary, const QString& body, bool join);
    // Takes every notification posted down.
    void closeAll();

    // Runs when the user chooses "Join" (or the default action) on a notification that is up.
    std::function<void()> onJoin;

private slots:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    struct Request {
        QString summary;
        QString body;
        bool join = false;
    };
    // What is known of a key's notification.
    struct Posted {
        uint id = 0;                 // the service's id; 0 while none is up
        bool join = false;           // whether the one up offers "Join"
        bool waiting = false;        // a Notify call is unanswered
        bool dropped = false;        // taken down while the call was unanswered
        std::optional<Request> next; // what to post once it is answered
    };

    bool connectBus();
    void send(int32_t key, const Request& request);
    void answered(int32_t key, bool join, QDBusPendingCallWatcher* call);

    std::map<int32_t, Posted> posted_;
    bool connected_ = false;
};

} // namespace vkr
