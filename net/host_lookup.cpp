#include "net/host_lookup.h"

#include <QMetaObject>
#include <QTimer>

#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

struct HostLookups::Relay {
    std::mutex mutex;
    HostLookups* target = nullptr;
};

namespace {

// Who waits for a name's look-up: reports its address to the thread that asked for it.
using Waiter = std::function<void(vkr::IPv4Bytes)>;

// The program's look-ups: the names looked up or queued, each with its waiters, and the queue.
// Never destroyed: a look-up thread abandoned at exit may still report to it.
struct Shared {
    std::mutex mutex;
    std::unordered_map<std::string, std::vector<Waiter>> names;
    std::deque<std::string> queue;
    int running = 0;
};

Shared& shared() {
    static Shared* all = new Shared;
    return *all;
}

void report(const std::vector<Waiter>& waiters, vkr::IPv4Bytes address) {
    for (const Waiter& w : waiters) {
        w(address);
    }
}

// A look-up thread, counted in running: looks name up and reports it, then takes the queued
// names in turn until none is left.
void run(std::string name) {
    Shared& all = shared();
    for (bool more = true; more;) {
        const vkr::IPv4Bytes address = vkr::lookUpIPv4(name);
        std::vector<Waiter> waiters;
        {
            std::lock_guard lock(all.mutex);
            auto found = all.names.find(name);
            waiters = std::move(found->second);
            all.names.erase(found);
            more = !all.queue.empty();
            if (more) {
                name = std::move(all.queue.front());
                all.queue.pop_front();
            } else {
                --all.running;
            }
        }
        report(waiters, address);
    }
}

} // namespace

HostLookups::HostLookups(QObject* owner) : QObject(owner), relay_(std::make_shared<Relay>()) {
    relay_->target = this;
}

HostLookups::~HostLookups() {
    std::lock_guard lock(relay_->mutex);
    relay_->target = nullptr;
}

int HostLookups::running() {
    std::lock_guard lock(shared().mutex);
    return shared().running;
}

int HostLookups::queued() {
    std::lock_guard lock(shared().mutex);
    return static_cast<int>(shared().queue.size());
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
        // A coarse timer may fire up to 5 % early.
        QTimer::singleShot(timeoutMs, Qt::PreciseTimer, this, [finish] { finish({}); });
    }
    Shared& all = shared();
    std::vector<Waiter> failed;
    {
        std::lock_guard lock(all.mutex);
        auto [entry, added] = all.names.try_emplace(name);
        entry->second.push_back([relay = relay_, finish](vkr::IPv4Bytes address) {
            std::lock_guard lock(relay->mutex);
            if (relay->target) {
                QMetaObject::invokeMethod(
                    relay->target, [finish, address] { finish(address); }, Qt::QueuedConnection);
            }
        });
        if (!added) {
            return; // looked up or queued already
        }
        if (all.running >= vkr::maxRunningLookUps) {
            all.queue.push_back(name);
            return;
        }
        try {
            std::thread(run, name).detach();
            ++all.running;
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the name counts as one that does not resolve.
            failed = std::move(entry->second);
            all.names.erase(entry);
        }
    }
    report(failed, {});
}
