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
// belongs to a key (a server): a later one of the same key replaces the earlier, however long
// the service takes to tell the id of the earlier. The body is plain text: it is escaped for a
// service that reads markup in bodies (asked once, before the first notification).
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    // Keeps the ids of the notifications up in the file at path, so that a later run can take
    // down what this one left when it was killed; first takes down those that the file names.
    void keepIdsIn(const QString& path);

    // Posts the notification of key, replacing the one it has. With join, it offers the
    // action "Join", which is also its default action.
    void notify(int32_t key, const QString& summary, const QString& body, bool join);
    // Takes the notification of key down, also one whose id the service has not told yet.
    void close(int32_t key);
    // Takes every notification posted down.
    void closeAll();

    // Whether a notification service answered on the session bus: unknown (nullopt) until
    // serviceFound() has had its answer; asks at most once at a time.
    std::optional<bool> serviceFound();
    // Runs with the answer that serviceFound() asked for.
    std::function<void(bool)> onServiceFound;
    // Whether the service has told whether it reads markup: until then, notifications wait,
    // and a newer one of the same key takes the place of the one waiting.
    bool capabilitiesKnown() const { return markup_.has_value(); }

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
        QString owner;               // the bus name of the service that told the id
        bool join = false;           // whether the one up offers "Join"
        bool waiting = false;        // a Notify call is unanswered
        bool dropped = false;        // taken down while the call was unanswered
        std::optional<Request> next; // what to post once the service can be asked
    };

    bool connectBus();
    void askCapabilities();
    // Sends the key's next request, unless its last call or the capabilities are unanswered.
    void flush(int32_t key);
    void send(int32_t key, const Request& request);
    void answered(int32_t key, bool join, QDBusPendingCallWatcher* call);
    // Writes the ids up to the file of keepIdsIn.
    void saveIds() const;

    std::map<int32_t, Posted> posted_;
    bool connected_ = false;
    // Whether the service reads markup in bodies; unknown until it has answered.
    std::optional<bool> markup_;
    bool askingCapabilities_ = false;
    std::optional<bool> found_;
    QString idFile_;
};

} // namespace vkr
