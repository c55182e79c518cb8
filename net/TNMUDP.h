#pragma once

#include "net/address.h"
#include "net/datagram_sender.h"
#include "net/host_lookup.h"

#include <QObject>
#include <QTimer>

#include <netinet/in.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

// The UDP endpoint of the browser and the watcher: one IPv4 datagram socket bound to a local
// port of the window's, sending to RemoteHost:RemotePort and delivering every datagram that
// reaches it as one OnDataReceived on the GUI thread, in order of arrival.
//
// Datagrams are taken off the socket into a queue of the endpoint's own after each send and
// whenever the socket is readable, so that a burst of replies while the GUI thread is busy does
// not overflow the socket's buffer; the queue is then delivered from the event loop, at most
// batchMs after its first datagram came, so that replies that come close together cost one
// wake-up of the GUI thread rather than one each. Each keeps the tick of its receipt.
class TNMUDP : public QObject, public vkr::DatagramSender {
    Q_OBJECT
public:
    // Creates the socket, not yet bound. Raises UDPSockError when no socket can be had.
    explicit TNMUDP(QObject* owner = nullptr);
    ~TNMUDP() override;

    std::string RemoteHost; // host name or dotted IPv4 text, resolved anew at every send
    int RemotePort = 0;     // its low 16 bits are used
    int ReportLevel = 1;    // the highest status level passed to OnStatus

    int LocalPort() const { return localPort_; }
    // Replaces the socket with a new one bound to 0.0.0.0:port and starts receiving on it. A port
    // that another program holds is not reported: the socket then gets a port of the system's
    // choosing at its first send, and replies to it still arrive.
    void SetLocalPort(int port);

    // Lets sends go to broadcast addresses (SO_BROADCAST), for this socket and those that
    // SetLocalPort opens later.
    void SetBroadcast(bool on);

    // A datagram arrived (NumberBytes its size, 0 included) or a receive failed (NumberBytes -1,
    // also for a datagram longer than 2048 bytes, which is lost). An exception that escapes the
    // handler is dropped with the datagram.
    std::function<void(TNMUDP* Sender, int NumberBytes, const std::string& FromIP, int Port)>
        OnDataReceived;
    // A datagram was handed to the socket.
    std::function<void(TNMUDP* Sender)> OnDataSend;
    std::function<void(TNMUDP* Sender, const std::string& status)> OnStatus;
    // RemoteHost did not resolve. Setting handled looks the name up once more.
    std::function<void(bool& handled)> OnInvalidHost;
    // A send of 0 bytes. The handler may replace the bytes and their count and set handled.
    std::function<void(bool& handled, std::string& Buff, int& length)> OnBufferInvalid;

    // Sends the first n bytes of buff to RemoteHost:RemotePort. A host name is looked up while
    // the GUI thread goes on dispatching events (timers and replies can run inside the call);
    // a look-up that has not ended after vkr::hostLookUpTimeoutMs counts as a failed one.
    // Raises "Invalid buffer" (vkr::Exception) for a count of 0 that no OnBufferInvalid repairs
    // and for a count outside the buffer, UDPSockError "Host Lookup Canceled" when the host does
    // not resolve and "Null Remote Address" for 0.0.0.0. A failed sendto is not reported.
    void SendDatagram(const std::string& buff, int n) override;

    // From HoldSends to Flush the datagrams of SendDatagram are kept and then handed to the
    // socket together, in one system call for many (a query pass sends to every server in a
    // few calls). LastSendTick is then the tick of that hand-over.
    void HoldSends();
    void Flush();

    // Host names looked up beforehand (a query pass looks up all of its names at once): a send
    // to one of them takes its address from here, without a look-up of its own; a name listed
    // with 0.0.0.0 counts as a look-up that failed. Null: every name is looked up at its send.
    void SetKnownHosts(const vkr::HostAddresses* hosts) { knownHosts_ = hosts; }

    // Ends every wait for a look-up inside a send that runs now as a look-up that failed: the
    // program is ending, and a look-up must not keep it from doing so.
    static void EndLookUpWaits();

    // The tick at which the last datagram was handed to the socket.
    uint32_t LastSendTick() const override { return lastSendTick_; }
    // The address the last datagram was sent to, as its dotted text ("0.0.0.0" before the first
    // send): what a reply to that datagram comes from.
    std::string LastSendAddress() const;

    // Inside OnDataReceived: the bytes of the datagram being delivered, and the tick at which the
    // kernel received it (on the base of vkr::GetTickCount).
    void ReadReceivedData(std::string& data) const;
    uint32_t ReceivedTick() const { return current_.tick; }

private:
    // The longest datagram received whole.
    static constexpr size_t maxDatagram = 2048;
    // How long a datagram may wait for those that follow it, to be delivered with them.
    static constexpr int batchMs = 5;
    // Datagrams taken off the socket per system call.
    static constexpr size_t receiveChunk = 32;

    struct Datagram {
        int count = 0; // bytes, or -1 for a failed receive
        uint32_t tick = 0;
        sockaddr_in from{};
        std::string bytes; // its count bytes; the slot keeps the capacity for its next datagram
    };

    void openSocket();
    void closeSocket();
    [[noreturn]] void raiseSocketError(int error);
    void status(const std::string& text, int level);
    in_addr_t resolveRemoteHost(const std::string& host);
    bool lookUp(const std::string& name, in_addr_t& address);
    // Moves every datagram waiting in the socket to the back of the queue.
    void drain();
    // The socket has a datagram: its delivery is due within batchMs.
    void readable();
    // Delivers the queue, front first.
    void deliver();
    // The first free slot after the queue, the ring grown to hold it.
    Datagram& freeSlot();

    HostLookups* lookups_; // the look-ups of sends to host names
    const vkr::HostAddresses* knownHosts_ = nullptr;
    struct Held {
        sockaddr_in to;
        std::string bytes;
    };
    bool holding_ = false;
    std::vector<Held> held_;
    int fd_ = -1;
    int localPort_ = 0;
    bool broadcast_ = false;
    uint32_t lastSendTick_ = 0;
    in_addr_t lastSendAddress_ = 0;
    QSocketNotifier* notifier_ = nullptr;
    QTimer deliverTimer_;
    // A ring of datagram slots: size_ of them from head_ on are waiting. It grows when full and
    // is reused afterwards, so a pass allocates nothing once the ring and its slots are large
    // enough. A slot holds only its datagram's bytes: the system writes each datagram into
    // receiveArea_ first, which is the only memory of full datagram size.
    std::vector<Datagram> ring_;
    size_t head_ = 0;
    size_t size_ = 0;
    Datagram current_; // the datagram being delivered
    std::unique_ptr<std::array<char, maxDatagram>[]> receiveArea_;
};
