#include "net/TClientSocket.h"

#include <QMetaObject>

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace {

constexpr int lookUpThreads = 64;

} // namespace

TClientSocket::TClientSocket(QObject* owner) : QObject(owner) {
    pool_.setMaxThreadCount(lookUpThreads);
}

TClientSocket::~TClientSocket() {
    // Look-ups not yet started are dropped; the running ones end before the object goes.
    pool_.clear();
    pool_.waitForDone();
}

vkr::IPv4Bytes TClientSocket::ResolveHostAddress(const std::string& Name) noexcept {
    return vkr::lookUpIPv4(Name);
}

void TClientSocket::ResolveHostAddresses(const std::vector<std::string>& names,
                                         std::function<void(vkr::HostAddresses)> done) {
    struct Batch {
        std::mutex mutex;
        vkr::HostAddresses found;
        size_t waiting = 0;
        std::function<void(vkr::HostAddresses)> done;
    };
    auto batch = std::make_shared<Batch>();
    batch->done = std::move(done);
    std::vector<std::string> unique;
    for (const std::string& name : names) {
        if (batch->found.emplace(name, vkr::IPv4Bytes{}).second) {
            unique.push_back(name);
        }
    }
    batch->waiting = unique.size();
    if (unique.empty()) {
        QMetaObject::invokeMethod(
            this, [batch] { batch->done(std::move(batch->found)); }, Qt::QueuedConnection);
        return;
    }
    // The worker threads are started from a worker too: starting dozens of threads takes the
    // GUI thread tens of milliseconds on a busy machine.
    pool_.start([this, batch, unique = std::move(unique)] {
        for (const std::string& name : unique) {
            pool_.start([this, batch, name] {
                const vkr::IPv4Bytes address = vkr::lookUpIPv4(name);
                std::lock_guard lock(batch->mutex);
                batch->found[name] = address;
                if (--batch->waiting == 0) {
                    QMetaObject::invokeMethod(
                        this, [batch] { batch->done(std::move(batch->found)); },
                        Qt::QueuedConnection);
                }
            });
        }
    });
}
