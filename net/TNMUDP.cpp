#include "net/TNMUDP.h"

#include "net/address.h"
#include "net/tick.h"
#include "net/udp_errors.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace {

// Receives of more than this many queued datagrams wait in the socket until the queue has been
// delivered: a flood of datagrams cannot take all memory.
constexpr size_t maxQueued = 8192;
// Large enough for a burst of replies to a whole pass; the system may grant less.
constexpr int receiveBufferBytes = 4 * 1024 * 1024;

int64_t realtimeNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// How long ago the kernel received a datagram, from its receive timestamp; 0 without one.
// Microsecond stamps (SO_TIMESTAMP) are ample for a ping in milliseconds, and some kernels (the
// gVisor sandbox among them) stamp SO_TIMESTAMPNS with the time of the read, not of the receipt.
int64_t receiveAgeNs(msghdr& msg) {
    for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMP) {
            timeval stamp;
            std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
            int64_t age = realtimeNs() - (static_cast<int64_t>(stamp.tv_sec) * 1000000000 +
                                          static_cast<int64_t>(stamp.tv_usec) * 1000);
            return age > 0 ? age : 0;
        }
    }
    return 0;
}

} // namespace

TNMUDP::TNMUDP(QObject* owner)
    : QObject(owner), lookups_(new HostLookups(this)), ring_(64),
      receiveArea_(std::make_unique_for_overwrite<std::array<char, maxDatagram>[]>(receiveChunk)) {
    openSocket();
    deliverTimer_.setSingleShot(true);
    deliverTimer_.setInterval(batchMs);
    connect(&deliverTimer_, &QTimer::timeout, this, &TNMUDP::deliver);
}

TNMUDP::~TNMUDP() {
    closeSocket();
}

void TNMUDP::status(const std::string& text, int level) {
    if (level <= ReportLevel && OnStatus) {
        OnStatus(this, text);
    }
}

void TNMUDP::raiseSocketError(int error) {
    status("Checking Error In Error Manager", 16);
    std::string message = error != 0 ? tr("Unknown Error No. %1").arg(error).toStdString() : "";
    status("Looking Up Error Message" + message, 8);
    throw vkr::UDPSockError(message);
}

void TNMUDP::openSocket() {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        raiseSocketError(errno);
    }
    // Both are wishes: without timestamps a datagram's receipt is taken as the time it is read,
    // and a smaller buffer is still drained after each send.
    int on = 1;
    setsockopt(fd_, SOL_SOCKET, SO_TIMESTAMP, &on, sizeof on);
    setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBufferBytes, sizeof receiveBufferBytes);
    SetBroadcast(broadcast_);
}

void TNMUDP::SetBroadcast(bool on) {
    broadcast_ = on;
    const int value = on ? 1 : 0;
    setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &value, sizeof value);
}

void TNMUDP::closeSocket() {
    delete notifier_;
    notifier_ = nullptr;
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

void TNMUDP::SetLocalPort(int port) {
    closeSocket();
    openSocket();
    localPort_ = port;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(port));
    local.sin_addr.s_addr = inet_addr("0.0.0.0");
    // A port held by another program leaves the socket unbound; the first send binds it.
    (void)bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TNMUDP::readable);
}

void TNMUDP::readable() {
    // Datagrams that come close together are taken in one turn of the event loop: the notifier
    // rests until the delivery, which reads whatever has come meanwhile. Each datagram keeps the
    // tick at which the kernel received it, so the wait changes no round trip.
    notifier_->setEnabled(false);
    if (!deliverTimer_.isActive()) {
        deliverTimer_.start();
    }
}

void TNMUDP::SendDatagram(const std::string& buff, int n) {
    std::string copy = buff;
    for (bool secondPass = false; n == 0; secondPass = true) {
        bool handled = false;
        if (secondPass || !OnBufferInvalid) {
            throw vkr::Exception("Invalid buffer");
        }
        OnBufferInvalid(handled, copy, n);
        if (!handled) {
            throw vkr::Exception("Invalid buffer");
        }
    }
    if (n < 0 || static_cast<size_t>(n) > copy.size()) {
        throw vkr::Exception("Invalid buffer");
    }
    // The destination is taken now: events handled while the host is looked up may point the
    // endpoint elsewhere for sends of their own.
    const std::string host = RemoteHost;
    const int port = RemotePort;
    const in_addr_t address = resolveRemoteHost(host);
    if (address == 0) {
        throw vkr::UDPSockError(tr("Null Remote Address").toStdString());
    }
    status("Sending Data", 2);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = address;
    lastSendAddress_ = address;
    if (holding_) {
        held_.push_back({to, copy.substr(0, static_cast<size_t>(n))});
        lastSendTick_ = vkr::GetTickCount();
    } else {
        lastSendTick_ = vkr::GetTickCount();
        // A failed send is not reported.
        (void)sendto(fd_, copy.data(), static_cast<size_t>(n), 0,
                     reinterpret_cast<const sockaddr*>(&to), sizeof to);
        drain();
    }
    if (OnDataSend) {
        OnDataSend(this);
    }
}

void TNMUDP::HoldSends() {
    holding_ = true;
}

void TNMUDP::Flush() {
    holding_ = false;
    if (held_.empty()) {
        return;
    }
    std::vector<mmsghdr> messages(held_.size());
    std::vector<iovec> data(held_.size());
    for (size_t i = 0; i < held_.size(); ++i) {
        data[i] = {held_[i].bytes.data(), held_[i].bytes.size()};
        messages[i] = {};
        messages[i].msg_hdr.msg_name = &held_[i].to;
        messages[i].msg_hdr.msg_namelen = sizeof held_[i].to;
        messages[i].msg_hdr.msg_iov = &data[i];
        messages[i].msg_hdr.msg_iovlen = 1;
    }
    lastSendTick_ = vkr::GetTickCount();
    for (size_t sent = 0; sent < held_.size();) {
        int n = sendmmsg(fd_, &messages[sent], static_cast<unsigned>(held_.size() - sent), 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        // A datagram that fails is not reported; the ones after it still go.
        sent += n > 0 ? static_cast<size_t>(n) : 1;
    }
    held_.clear();
    drain();
}

std::string TNMUDP::LastSendAddress() const {
    in_addr a{};
    a.s_addr = lastSendAddress_;
    return inet_ntoa(a);
}

in_addr_t TNMUDP::resolveRemoteHost(const std::string& host) {
    auto toAddress = [](const vkr::IPv4Bytes& bytes) {
        in_addr_t address;
        std::memcpy(&address, bytes.data(), sizeof address);
        return address;
    };
    if (auto dotted = vkr::dottedAddress(host)) {
        return toAddress(*dotted);
    }
    // The text ends at a NUL, as the system's text functions read it.
    const std::string name(host.c_str());
    const vkr::IPv4Bytes* known = nullptr;
    if (knownHosts_) {
        auto found = knownHosts_->find(name);
        known = found != knownHosts_->end() ? &found->second : nullptr;
    }
    for (int attempt = 0;; ++attempt) {
        in_addr_t address = 0;
        // A name looked up beforehand stands for the first look-up, whether it resolved or not.
        const bool resolved =
            name.size() <= vkr::maxHostLength &&
            (attempt == 0 && known ? (address = toAddress(*known)) != 0 : lookUp(name, address));
        if (resolved) {
            return address;
        }
        if (attempt == 1) {
            throw vkr::UDPSockError(tr("Host Lookup Canceled").toStdString());
        }
        bool handled = false;
        if (OnInvalidHost) {
            OnInvalidHost(handled);
        }
        if (!handled) {
            throw vkr::UDPSockError(tr("Host Lookup Canceled").toStdString());
        }
    }
}

namespace {

// Counts the calls of EndLookUpWaits: a wait that sees it change ends.
unsigned lookUpWaitsEnded = 0;

} // namespace

void TNMUDP::EndLookUpWaits() {
    ++lookUpWaitsEnded;
}

bool TNMUDP::lookUp(const std::string& name, in_addr_t& address) {
    // Each look-up has its own state, so that a send made by an event handled while this one
    // waits cannot end or change it.
    struct State {
        bool done = false;
        in_addr_t address = 0;
    };
    auto lookup = std::make_shared<State>();
    lookups_->start(name, vkr::hostLookUpTimeoutMs, [lookup](vkr::IPv4Bytes found) {
        std::memcpy(&lookup->address, found.data(), sizeof lookup->address);
        lookup->done = true;
    });
    const unsigned ended = lookUpWaitsEnded;
    while (!lookup->done && ended == lookUpWaitsEnded) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    address = lookup->address;
    return address != 0;
}

TNMUDP::Datagram& TNMUDP::freeSlot() {
    if (size_ == ring_.size()) {
        std::rotate(ring_.begin(), ring_.begin() + static_cast<ptrdiff_t>(head_), ring_.end());
        ring_.resize(ring_.size() * 2);
        head_ = 0;
    }
    return ring_[(head_ + size_) % ring_.size()];
}

void TNMUDP::drain() {
    if (fd_ < 0) {
        return;
    }
    mmsghdr messages[receiveChunk];
    iovec data[receiveChunk];
    sockaddr_in from[receiveChunk];
    alignas(cmsghdr) char control[receiveChunk][256];
    while (size_ < maxQueued) {
        const size_t n = std::min(receiveChunk, maxQueued - size_);
        for (size_t k = 0; k < n; ++k) {
            data[k] = {receiveArea_[k].data(), maxDatagram};
            messages[k] = {};
            msghdr& msg = messages[k].msg_hdr;
            msg.msg_name = &from[k];
            msg.msg_namelen = sizeof from[k];
            msg.msg_iov = &data[k];
            msg.msg_iovlen = 1;
            msg.msg_control = control[k];
            msg.msg_controllen = sizeof control[k];
        }
        const int got = recvmmsg(fd_, messages, static_cast<unsigned>(n), 0, nullptr);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        if (got < 0) {
            Datagram& failed = freeSlot();
            failed.count = -1; // a failed receive
            failed.tick = vkr::tickAgo(0);
            failed.from = {};
            failed.bytes.clear();
            ++size_;
            break;
        }
        for (int k = 0; k < got; ++k) {
            msghdr& msg = messages[k].msg_hdr;
            Datagram& d = freeSlot();
            // A datagram longer than the buffer is cut by the system: it counts as a failed
            // receive.
            const bool cut = (msg.msg_flags & MSG_TRUNC) != 0;
            d.count = cut ? -1 : static_cast<int>(messages[k].msg_len);
            d.tick = vkr::tickAgo(receiveAgeNs(msg));
            d.from = from[k];
            d.bytes.assign(receiveArea_[k].data(), cut ? 0 : messages[k].msg_len);
            ++size_;
        }
        if (static_cast<size_t>(got) < n) {
            break;
        }
    }
    if (size_ > 0 && !deliverTimer_.isActive()) {
        deliverTimer_.start();
    }
}

void TNMUDP::deliver() {
    try {
        drain();
    } catch (...) {
        // No memory for a larger queue: deliver what is queued; the rest waits in the socket.
    }
    while (size_ > 0) {
        std::swap(current_, ring_[head_]);
        head_ = (head_ + 1) % ring_.size();
        --size_;
        if (!OnDataReceived) {
            continue;
        }
        const auto* b = reinterpret_cast<const uint8_t*>(&current_.from.sin_addr.s_addr);
        const std::string fromIP = vkr::addressText({b[0], b[1], b[2], b[3]});
        try {
            OnDataReceived(this, current_.count, fromIP, ntohs(current_.from.sin_port));
        } catch (...) {
            // Errors of the data-received handlers are not reported; the datagram is dropped.
        }
    }
    // Everything queued is delivered: the delivery a drain() asked for is done, and needs no
    // turn of the event loop (and no receive call that finds nothing) of its own.
    deliverTimer_.stop();
    if (notifier_) {
        notifier_->setEnabled(true);
    }
}

void TNMUDP::ReadReceivedData(std::string& data) const {
    data = current_.bytes;
}
