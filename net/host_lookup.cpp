#include "net/host_lookup.h"

#include <QMetaObject>
#include <QTimer>

#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

struct HostLookups::Relay {
    std::mutex mutex;
    HostLookups* target = nullptr;
};

HostLookups::HostLookups(QObject* owner) : QObject(owner), relay_(std::make_shared<Relay>()) {
    relay_->target = this;
}

HostLookups::~HostLookups() {
    std::lock_guard lock(relay_->mutex);
    relay_->target = nullptr;
}

void HostLookups::start(const std::string& name, int timeoutMs,
                        std::function<void(vkr::IPv4Bytes)> done) {
    // Only this object's thread touches it: the first of the look-up's end and its time-out.
    auto pending = std::make_shared<std::function<void(vkr::IPv4Bytes)>>(std::move(done));
    auto finish = [pending](vkr::IPv4Bytes address) {
        if (*pending) {
            auto call = std::exchange(*pending, nullptr);
            call(address);
        }
    };
    if (timeoutMs > 0) {
        QTimer::singleShot(timeoutMs, this, [finish] { finish({}); });
    }
    try {
        std::thread([relay = relay_, name, finish] {
            const vkr::IPv4Bytes address = vkr::lookUpIPv4(name);
            std::lock_guard lock(relay->mutex);
            if (relay->target) {
                QMetaObject::invokeMethod(
                    relay->target, [finish, address] { finish(address); }, Qt::QueuedConnection);
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the name counts as one that does not resolve.
        QMetaObject::invokeMethod(
            this, [finish] { finish({}); }, Qt::QueuedConnection);
    }
}
