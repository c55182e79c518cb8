#include "net/TClientSocket.h"
#include "net/TNMUDP.h"
#include "net/address.h"
#include "net/host_lookup.h"
#include "net/tick.h"
#include "net/udp_errors.h"
#include "status/protocol.h"
#include "status/server_query.h"
#include "support/fake_server.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

QJsonObject rawReply(const QByteArray& bytes) {
    return QJsonObject{{"raw", QString::fromLatin1(bytes)}};
}

QJsonArray oneServer(const QJsonArray& replies) {
    return QJsonArray{QJsonObject{{"replies", replies}}};
}

struct Event {
    int count;
    std::string fromIP;
    int port;
    std::string data;
};

// An endpoint on a free port that keeps every datagram delivered to it.
struct Receiver {
    TNMUDP udps;
    std::vector<Event> events;
    Receiver() {
        udps.SetLocalPort(0);
        udps.OnDataReceived = [this](TNMUDP* sender, int n, const std::string& ip, int port) {
            std::string data;
            sender->ReadReceivedData(data);
            events.push_back({n, ip, port, data});
        };
    }
    void sendTo(const std::string& host, int port, const std::string& bytes) {
        udps.RemoteHost = host;
        udps.RemotePort = port;
        udps.SendDatagram(bytes, static_cast<int>(bytes.size()));
    }
};

QString hex(const std::string& bytes) {
    return QString::fromLatin1(QByteArray::fromStdString(bytes).toHex());
}

} // namespace

class GuiUdp : public QObject {
    Q_OBJECT
private slots:
    void datagramSizes_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("numberBytes");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("one byte") << 1 << 1;
        QTest::newRow("2048 bytes") << 2048 << 2048;
        QTest::newRow("2049 bytes") << 2049 << -1;
    }
    void datagramSizes() {
        QFETCH(int, size);
        QFETCH(int, numberBytes);
        QByteArray bytes(size, 'x');
        if (size > 0) {
            bytes[size - 1] = 'y';
        }
        FakeServer server;
        QVERIFY(server.start(1, oneServer({rawReply(bytes)})));
        Receiver r;
        r.sendTo("127.0.0.1", server.ports[0], std::string(vkr::statusRequest));
        QTRY_COMPARE(r.events.size(), size_t(1));
        QCOMPARE(r.events[0].count, numberBytes);
        QCOMPARE(r.events[0].fromIP, std::string("127.0.0.1"));
        QCOMPARE(r.events[0].port, server.ports[0]);
        QCOMPARE(QByteArray::fromStdString(r.events[0].data),
                 numberBytes < 0 ? QByteArray() : bytes);
    }

    void repliesInOrder() {
        FakeServer server;
        QJsonArray datagrams{rawReply("first"), rawReply("second"), rawReply("third")};
        QVERIFY(
            server.start(2, QJsonArray{QJsonObject{
                                {"replies", QJsonArray{QJsonObject{{"datagrams", datagrams}}}}}}));
        Receiver r;
        std::vector<std::string> seen;
        r.udps.OnDataReceived = [&](TNMUDP* sender, int, const std::string&, int port) {
            std::string data;
            sender->ReadReceivedData(data);
            seen.push_back(std::to_string(port) + " " + data);
            // An error in a handler is dropped with its datagram; the next ones still arrive.
            throw vkr::Exception("handler failed");
        };
        r.sendTo("127.0.0.1", server.ports[0], std::string(vkr::statusRequest));
        r.sendTo("127.0.0.1", server.ports[1], std::string(vkr::statusRequest));
        QTRY_COMPARE(seen.size(), size_t(6));
        std::string p0 = std::to_string(server.ports[0]) + " ";
        std::string p1 = std::to_string(server.ports[1]) + " ";
        QCOMPARE(seen, (std::vector<std::string>{p0 + "first", p0 + "second", p0 + "third",
                                                 p1 + "first", p1 + "second", p1 + "third"}));
    }

    // A pass sends to every server without dispatching events; replies that arrive meanwhile,
    // and while the GUI thread is busy afterwards, must all be delivered.
    void noReplyLostWhileBusy() {
        const int count = 1025;
        FakeServer server;
        QVERIFY(server.start(count, {}, {"--players", "16"}));
        Receiver r;
        for (int port : server.ports) {
            r.sendTo("127.0.0.1", port, std::string(vkr::statusRequest));
        }
        QThread::msleep(200);
        QTRY_COMPARE_WITH_TIMEOUT(r.events.size(), size_t(count), 10000);
        std::vector<int> from;
        for (const Event& e : r.events) {
            QVERIFY(e.count > 500);
            from.push_back(e.port);
        }
        std::sort(from.begin(), from.end());
        std::vector<int> expected = server.ports;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(from, expected);
    }

    // The ping is measured to the kernel's receipt of the reply, not to the moment the GUI
    // thread gets round to it.
    void receiveTimeIsTheKernels() {
        // The test answers itself, so that it knows when the reply reached the socket whatever
        // the machine's load: a datagram on the loopback is queued by the time its send returns.
        QUdpSocket server;
        QVERIFY(server.bind(QHostAddress::LocalHost, 0));
        Receiver r;
        auto answer = [&] {
            r.sendTo("127.0.0.1", server.localPort(), std::string(vkr::statusRequest));
            QTRY_VERIFY(server.hasPendingDatagrams());
            const QNetworkDatagram request = server.receiveDatagram();
            server.writeDatagram("\\numplayers\\1\\", request.senderAddress(),
                                 request.senderPort());
        };
        uint32_t deliveredAt = 0;
        uint32_t receivedAt = 0;
        r.udps.OnDataReceived = [&](TNMUDP* sender, int, const std::string&, int) {
            deliveredAt = vkr::GetTickCount();
            receivedAt = sender->ReceivedTick();
        };
        // The kernel turns receive time stamps on lazily, by a deferred switch after a socket
        // asks for them: until then a datagram is stamped when it is read. Short exchanges go
        // on (for a few seconds at most) until one is stamped on its receipt.
        for (int attempt = 0; attempt < 100; ++attempt) {
            deliveredAt = 0;
            answer();
            QThread::msleep(20);
            QTRY_VERIFY(deliveredAt != 0);
            if (deliveredAt - receivedAt >= 15) {
                break;
            }
        }
        deliveredAt = 0;
        answer();
        const uint32_t repliedAt = vkr::GetTickCount();
        QThread::msleep(300);
        QTRY_VERIFY(deliveredAt != 0);
        QVERIFY2(deliveredAt - repliedAt >= 300,
                 qPrintable(QString::number(deliveredAt - repliedAt)));
        const int32_t stampedAfterReply = static_cast<int32_t>(receivedAt - repliedAt);
        QVERIFY2(stampedAfterReply <= 1 && stampedAfterReply > -100,
                 qPrintable(QString::number(stampedAfterReply)));
    }

    void heldLocalPort() {
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress::AnyIPv4, 0));
        const int held = holder.localPort();
        FakeServer server;
        QVERIFY(server.start(1));
        Receiver r;
        r.udps.SetLocalPort(held);
        QCOMPARE(r.udps.LocalPort(), held);
        r.sendTo("127.0.0.1", server.ports[0], std::string(vkr::statusRequest));
        QTRY_COMPARE(r.events.size(), size_t(1));
        QVERIFY(r.events[0].count > 0);
        const QStringList got = server.received();
        QCOMPARE(got.size(), 1);
        QVERIFY(!got[0].contains(QString(":%1 ").arg(held)));
    }

    void hostThatDoesNotResolve_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("handled");
        QTest::newRow("left unhandled") << ".invalid" << false;
        QTest::newRow("handled: looked up again") << ".invalid" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dotted text longer than 127 characters")
            << "127.0.0.1" + QString(119, ' ') << false;
    }
    void hostThatDoesNotResolve() {
        QFETCH(QString, host);
        QFETCH(bool, handled);
        TNMUDP udps;
        udps.SetLocalPort(0);
        int invalidHost = 0;
        bool sent = false;
        udps.OnInvalidHost = [&](bool& h) {
            ++invalidHost;
            h = handled;
        };
        udps.OnDataSend = [&](TNMUDP*) { sent = true; };
        udps.RemoteHost = host.toStdString();
        udps.RemotePort = 9;
        try {
            udps.SendDatagram(std::string(vkr::statusRequest), 14);
            QFAIL("the send did not fail");
        } catch (const vkr::UDPSockError& e) {
            QCOMPARE(std::string(e.what()), std::string("Host Lookup Canceled"));
        }
        QCOMPARE(invalidHost, 1);
        QVERIFY(!sent);
    }

    void dottedAddresses_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("dotted");
        QTest::newRow("dotted") << "10.0.0.5" << true;
        QTest::newRow("broadcast text is the parser's failure") << "255.255.255.255" << false;
        QTest::newRow("host name") << "localhost" << false;
        QTest::newRow("127 characters") << "127.0.0.1" + QString(118, ' ') << true;
        QTest::newRow("128 characters") << "127.0.0.1" + QString(119, ' ') << false;
    }
    void dottedAddresses() {
        QFETCH(QString, host);
        QFETCH(bool, dotted);
        QCOMPARE(vkr::dottedAddress(host.toStdString()).has_value(), dotted);
    }

    void nullRemoteAddress() {
        TNMUDP udps;
        udps.SetLocalPort(0);
        bool sent = false;
        udps.OnDataSend = [&](TNMUDP*) { sent = true; };
        udps.RemoteHost = "0.0.0.0";
        udps.RemotePort = 2303;
        try {
            udps.SendDatagram(std::string(vkr::statusRequest), 14);
            QFAIL("the send did not fail");
        } catch (const vkr::UDPSockError& e) {
            QCOMPARE(std::string(e.what()), std::string("Null Remote Address"));
        }
        QVERIFY(!sent);
        // A failed send of the status request is dropped.
        QCOMPARE(vkr::SendStatusRequest(udps), std::nullopt);
    }

    void invalidBuffer_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("handler");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<int>("newLength");
        QTest::addColumn<QString>("wire"); // hex of what was sent; empty: "Invalid buffer"
        QTest::newRow("no handler") << 0 << false << false << 0 << "";
        QTest::newRow("not handled") << 0 << true << false << 4 << "";
        QTest::newRow("handled, still empty") << 0 << true << true << 0 << "";
        QTest::newRow("repaired") << 0 << true << true << 4 << "5c68695c";
        QTest::newRow("count past the buffer") << 200 << false << false << 0 << "";
        QTest::newRow("part of the buffer") << 3 << false << false << 0 << "5c696e";
    }
    void invalidBuffer() {
        QFETCH(int, count);
        QFETCH(bool, handler);
        QFETCH(bool, handled);
        QFETCH(int, newLength);
        QFETCH(QString, wire);
        FakeServer server;
        QVERIFY(server.start(1));
        Receiver r;
        int calls = 0;
        if (handler) {
            r.udps.OnBufferInvalid = [&](bool& h, std::string& buff, int& length) {
                ++calls;
                h = handled;
                buff = "\\hi\\";
                length = newLength;
            };
        }
        int sends = 0;
        r.udps.OnDataSend = [&](TNMUDP*) { ++sends; };
        r.udps.RemoteHost = "127.0.0.1";
        r.udps.RemotePort = server.ports[0];
        const std::string buffer(statusRequestBuffer());
        try {
            r.udps.SendDatagram(buffer, count);
            QVERIFY(!wire.isEmpty());
        } catch (const vkr::Exception& e) {
            QVERIFY(wire.isEmpty());
            QCOMPARE(std::string(e.what()), std::string("Invalid buffer"));
        }
        QCOMPARE(calls, handler ? 1 : 0);
        QCOMPARE(sends, wire.isEmpty() ? 0 : 1);
        if (!wire.isEmpty()) {
            QTRY_COMPARE(server.received().size(), 1);
            QVERIFY(server.received()[0].endsWith(" " + wire));
        }
        // The caller's buffer is never changed.
        QCOMPARE(buffer, statusRequestBuffer());
    }

    void eventsDuringALookUp_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("dispatched");
        QTest::newRow("dotted address") << "127.0.0.1" << false;
        QTest::newRow("host name") << "localhost" << true;
    }
    void eventsDuringALookUp() {
        QFETCH(QString, host);
        QFETCH(bool, dispatched);
        FakeServer server;
        QVERIFY(server.start(1));
        Receiver r;
        bool fired = false;
        QTimer::singleShot(0, [&] { fired = true; });
        r.sendTo(host.toStdString(), server.ports[0], std::string(vkr::statusRequest));
        QCOMPARE(fired, dispatched);
        QTRY_COMPARE(server.received().size(), 1);
        QTRY_COMPARE(r.events.size(), size_t(1));
    }

    // A send made by an event handled while another send waits for its look-up keeps its own
    // look-up and destination, and so does the waiting send.
    void nestedSends() {
        FakeServer server;
        QVERIFY(server.start(2));
        Receiver r;
        bool nested = false;
        QTimer::singleShot(0, [&] {
            nested = true;
            r.sendTo("localhost", server.ports[1], "\\inner\\status\\");
        });
        r.sendTo("localhost", server.ports[0], "\\outer\\status\\");
        QVERIFY(nested);
        QTRY_COMPARE(server.received().size(), 2);
        QStringList got = server.received();
        got.sort();
        QStringList expected{QString::number(server.ports[0]) + " " + hex("\\outer\\status\\"),
                             QString::number(server.ports[1]) + " " + hex("\\inner\\status\\")};
        expected.sort();
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(got[i].startsWith(expected[i].section(' ', 0, 0) + " ") &&
                         got[i].endsWith(" " + expected[i].section(' ', 1)),
                     qPrintable(got.join(" | ")));
        }
    }

    // Names whose look-ups hang, asked for again and again (a pass after another): each name is
    // looked up once at a time, at most 32 at once and the rest queued; every ask ends at its
    // time-out, never before, and the queued names are looked up once threads come free.
    void lookUpsThatHang_data() {
        QTest::addColumn<int>("names");
        QTest::addColumn<int>("asks");
        QTest::newRow("one name asked three times") << 1 << 3;
        QTest::newRow("100 names asked twice") << 100 << 2;
    }
    void lookUpsThatHang() {
        QFETCH(int, names);
        QFETCH(int, asks);
        struct Gate {
            std::mutex mutex;
            std::condition_variable opened;
            bool open = false;
            std::atomic<int> calls{0};
        };
        auto gate = std::make_shared<Gate>();
        vkr::setHostLookup([gate](const std::string&) {
            ++gate->calls;
            std::unique_lock lock(gate->mutex);
            gate->opened.wait(lock, [&] { return gate->open; });
            return vkr::IPv4Bytes{127, 0, 0, 1};
        });
        constexpr int timeoutMs = 1000;
        HostLookups lookups;
        QElapsedTimer clock;
        clock.start();
        std::vector<qint64> ended; // when each ask ended with 0.0.0.0; -1 for an address
        for (int a = 0; a < asks; ++a) {
            for (int n = 0; n < names; ++n) {
                lookups.start(
                    "hang-" + std::to_string(n) + ".test", timeoutMs, [&](vkr::IPv4Bytes address) {
                        ended.push_back(address == vkr::IPv4Bytes{} ? clock.elapsed() : -1);
                    });
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), size_t(names * asks), 5000);
        QVERIFY(*std::min_element(ended.begin(), ended.end()) >= timeoutMs);
        const int running = std::min(names, vkr::maxRunningLookUps);
        QCOMPARE(gate->calls.load(), running);
        QCOMPARE(HostLookups::running(), running);
        QCOMPARE(HostLookups::queued(), names - running);
        {
            std::lock_guard lock(gate->mutex);
            gate->open = true;
        }
        gate->opened.notify_all();
        QTRY_COMPARE(HostLookups::running(), 0);
        QCOMPARE(gate->calls.load(), names);
        vkr::setHostLookup({});
    }

    void resolveHostAddress_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::newRow("dotted") << "192.168.1.2"
                                << "192.168.1.2";
        QTest::newRow("host name") << "localhost"
                                   << "127.0.0.1";
        QTest::newRow("empty") << ""
                               << "0.0.0.0";
        QTest::newRow("does not resolve") << ".invalid"
                                          << "0.0.0.0";
    }
    void resolveHostAddress() {
        QFETCH(QString, name);
        QFETCH(QString, address);
        TClientSocket lookup;
        QCOMPARE(
            QString::fromStdString(vkr::addressText(lookup.ResolveHostAddress(name.toStdString()))),
            address);
    }

    // One row queried as the browser queries it: a reply counts when it comes from the query
    // port of the address that the request was sent to.
    void replyAttribution_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("fromOtherPort");
        QTest::addColumn<QString>("players");
        QTest::newRow("host name, from the query port") << "localhost" << false << "2/10";
        QTest::newRow("host name, from another port") << "localhost" << true << " ";
        QTest::newRow("dotted text with a trailing space") << "127.0.0.1 " << false << "2/10";
        QTest::newRow("dotted text and more words") << "127.0.0.1 lan" << false << "2/10";
    }
    void replyAttribution() {
        QFETCH(QString, host);
        QFETCH(bool, fromOtherPort);
        QFETCH(QString, players);
        FakeServer server;
        QJsonObject reply{{"tokens", QJsonArray{"numplayers", "2", "maxplayers", "12"}},
                          {"fromOtherPort", fromOtherPort}};
        QVERIFY(server.start(1, oneServer({reply})));
        vkr::ServerTable servers;
        vkr::ServerEntry& e = servers.append();
        e.ip = host.toStdString();
        e.port = std::to_string(server.ports[0] - 2);
        e.sockets = false;
        vkr::QueryRows rows;
        Receiver r;
        int datagrams = 0;
        r.udps.OnDataReceived = [&](TNMUDP* sender, int, const std::string& ip, int port) {
            std::string text;
            sender->ReadReceivedData(text);
            ++datagrams;
            vkr::ApplyReply(servers, rows, ip, port, text, sender->ReceivedTick());
        };
        vkr::QuerySchedule schedule;
        vkr::QueryPass pass(r.udps, schedule);
        vkr::QueryPass::reset(e, rows[0]);
        pass.query(e, rows[0], vkr::lookUpIPv4(e.ip));
        pass.flush();
        QCOMPARE(rows[0].status.address, std::string("127.0.0.1"));
        QTRY_COMPARE(datagrams, 1);
        QCOMPARE(QString::fromStdString(rows[0].cells.players), players);
    }

private:
    static std::string statusRequestBuffer() {
        std::string buffer(128, '\0');
        buffer.replace(0, 14, vkr::statusRequest);
        return buffer;
    }
};

QTEST_MAIN(GuiUdp)
#include "gui_udp.moc"
