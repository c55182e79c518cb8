// A query pass's schedule on simulated time: when servers are asked again, which request a reply
// answers, which datagrams count, and what a new pass takes over from the last one.
#include "status/query_schedule.h"

#include <QTest>

#include <map>
#include <optional>
#include <set>

using namespace vkr;

namespace {

const Destination slowOne{"10.0.0.1", 2303};
const Destination other{"10.0.0.2", 2303};

// A pass begun at 0 whose row asked 10.0.0.1 then.
QuerySchedule askedAtZero() {
    QuerySchedule s;
    s.beginPass(0);
    if (s.ask(slowOne, 0) != QuerySchedule::Ask::send) {
        qFatal("the first ask must send");
    }
    s.sent(slowOne.key(), 0);
    return s;
}

} // namespace

class CoreSchedule : public QObject {
    Q_OBJECT
private slots:
    // Server 10.0.0.1 answers every request that is not lost after roundTrip ms; a second
    // server answers its one request after otherTrip ms (-1: there is none). Before, the first
    // server answered at once in a pass for each round trip of history. Time runs from event
    // to event until nothing is due.
    void retries_data() {
        QTest::addColumn<QList<int>>("history");
        QTest::addColumn<int>("roundTrip");
        QTest::addColumn<QList<int>>("lost"); // the requests lost, counted from 0
        QTest::addColumn<int>("otherTrip");
        QTest::addColumn<QList<int>>("requests"); // when the server was asked
        QTest::addColumn<int>("ping");            // -1: no reply counted
        QTest::addColumn<int>("silentAt");        // -1: never without a reply
        QTest::addColumn<uint>("base");           // the tick that counts as 0
        QTest::newRow("answered at once")
            << QList<int>{} << 30 << QList<int>{} << 200 << QList<int>{0} << 30 << -1 << 0u;
        QTest::newRow("never measured: asked again after 1 s, whatever the others answer; the "
                      "reply then asked once more, whose reply tells the ping")
            << QList<int>{} << 30 << QList<int>{0} << 20 << QList<int>{0, 1000, 1130} << 30 << -1
            << 0u;
        QTest::newRow("never measured, the request asked for the ping lost: asked again")
            << QList<int>{} << 30 << QList<int>{0, 2} << 20 << QList<int>{0, 1000, 1130, 3130} << 30
            << -1 << 0u;
        QTest::newRow("first and second lost: the wait grows, up to 1.5 s")
            << QList<int>{} << 30 << QList<int>{0, 1} << 20 << QList<int>{0, 1000, 2500, 2630} << 30
            << -1 << 0u;
        QTest::newRow("three lost: the last request answered, no request left to tell the ping")
            << QList<int>{} << 200 << QList<int>{0, 1, 2} << 20 << QList<int>{0, 1000, 2500, 4000}
            << -1 << -1 << 0u;
        QTest::newRow("never measured, far: its replies to both requests tell the ping")
            << QList<int>{} << 1300 << QList<int>{} << 20 << QList<int>{0, 1000, 1400} << 1300 << -1
            << 0u;
        QTest::newRow("never answers: four requests, then no reply")
            << QList<int>{} << 30 << QList<int>{0, 1, 2, 3} << 200
            << QList<int>{0, 1000, 2500, 4000} << -1 << 4500 << 0u;
        QTest::newRow("never answers, across the tick's wrap")
            << QList<int>{} << 30 << QList<int>{0, 1, 2, 3} << 200
            << QList<int>{0, 1000, 2500, 4000} << -1 << 4500 << 0xFFFFFE00u;
        QTest::newRow("measured near: the shortest wait, whatever the others answer")
            << QList<int>{30} << 30 << QList<int>{0} << 900 << QList<int>{0, 250} << 30 << -1 << 0u;
        QTest::newRow("measured far: its own round trip and variation")
            << QList<int>{800} << 800 << QList<int>{0} << 20 << QList<int>{0, 2400} << 800 << -1
            << 0u;
        QTest::newRow("measured far and steady: the variation shrinks")
            << QList<int>{800, 800, 800} << 800 << QList<int>{0, 1} << 20
            << QList<int>{0, 1700, 3400} << 800 << -1 << 0u;
        QTest::newRow("measured near, now far: no request fits the old ping, the replies tell "
                      "the new one")
            << QList<int>{60, 60, 60} << 900 << QList<int>{} << 20 << QList<int>{0, 250, 750, 1000}
            << 900 << -1 << 0u;
        QTest::newRow("measured far, lost twice: each request told by its round trip")
            << QList<int>{1500} << 1500 << QList<int>{0, 1} << 20 << QList<int>{0, 4000, 8000}
            << 1500 << -1 << 0u;
    }
    void retries() {
        QFETCH(QList<int>, history);
        QFETCH(int, roundTrip);
        QFETCH(QList<int>, lost);
        QFETCH(int, otherTrip);
        QFETCH(QList<int>, requests);
        QFETCH(int, ping);
        QFETCH(int, silentAt);
        QFETCH(uint, base);
        QuerySchedule s;
        uint32_t earlier = base - 20000 * static_cast<uint32_t>(history.size());
        for (int trip : history) {
            s.beginPass(earlier);
            s.ask(slowOne, earlier);
            s.sent(slowOne.key(), earlier);
            QCOMPARE(s.received(slowOne.key(), "A", earlier + static_cast<uint32_t>(trip)).ping,
                     std::optional<uint32_t>(trip));
            earlier += 20000;
        }
        s.beginPass(base);
        std::multimap<uint32_t, std::string> replies; // tick -> sender key
        auto ask = [&](const Destination& d) {
            QCOMPARE(s.ask(d, base), QuerySchedule::Ask::send);
            s.sent(d.key(), base);
        };
        ask(slowOne);
        if (otherTrip >= 0) {
            ask(other);
            replies.emplace(otherTrip, other.key());
        }
        QList<int> asked{0};
        if (!lost.contains(0)) {
            replies.emplace(roundTrip, slowOne.key());
        }
        std::optional<uint32_t> answered; // the ping shown
        bool replied = false;
        int silent = -1;
        uint32_t now = 0;
        for (int step = 0; step < 100; ++step) {
            const std::optional<uint32_t> until = s.untilDue(base + now);
            if (!until && replies.empty()) {
                break;
            }
            if (!replies.empty() && (!until || replies.begin()->first <= now + *until)) {
                now = replies.begin()->first;
                const std::string key = replies.begin()->second;
                replies.erase(replies.begin());
                const QuerySchedule::Heard heard = s.received(key, "\\numplayers\\1\\", base + now);
                replied = replied || (key == slowOne.key() && heard.counts);
                if (key == slowOne.key() && heard.ping && !answered) {
                    answered = *heard.ping;
                }
                continue;
            }
            now += *until;
            const QuerySchedule::Due due = s.due(base + now);
            for (const Destination& d : due.resend) {
                QCOMPARE(d.key(), slowOne.key());
                if (!lost.contains(static_cast<int>(asked.size()))) {
                    replies.emplace(now + roundTrip, d.key());
                }
                asked << static_cast<int>(now);
                s.sent(d.key(), base + now);
            }
            if (!due.silent.empty()) {
                QCOMPARE(due.silent.size(), size_t(1));
                QCOMPARE(due.silent.front().key(), slowOne.key());
                silent = static_cast<int>(now);
            }
        }
        QCOMPARE(asked, requests);
        QCOMPARE(answered ? static_cast<int>(*answered) : -1, ping);
        QCOMPARE(silent, silentAt);
        QVERIFY(!s.awaiting());
        QCOMPARE(s.answered(), replied + (otherTrip >= 0));
        QCOMPARE(s.asked(), 1 + (otherTrip >= 0));
    }

    // Datagrams from one server in one pass, asked at 0 and, when no reply came by then, again
    // at 1000: which of them count (the ping they show; -2 for none told) and which do not
    // (-1; 10000 and the ping when the datagram tells the first reply's). A datagram is
    // written with '/' for each backslash.
    void datagrams_data() {
        QTest::addColumn<QStringList>("datagrams"); // "tick bytes"
        QTest::addColumn<QList<int>>("counted");
        QTest::newRow("a reply after the second request: which one it answers is not told")
            << QStringList{"1030 A"} << QList<int>{-2};
        QTest::newRow("the same datagram twice")
            << QStringList{"1030 A", "1030 A"} << QList<int>{-2, -1};
        QTest::newRow("a reply in two parts")
            << QStringList{"1030 A", "1032 B"} << QList<int>{-2, -2};
        QTest::newRow("two parts, the first twice")
            << QStringList{"1030 A", "1030 A", "1032 B"} << QList<int>{-2, -1, -2};
        QTest::newRow("a second reply") << QStringList{"1030 A", "1500 A"} << QList<int>{-2, -1};
        QTest::newRow("a second reply that differs, at no round trip of the first")
            << QStringList{"1030 A", "1500 B"} << QList<int>{-2, -1};
        QTest::newRow("a far server's second reply tells the first one's round trip")
            << QStringList{"1030 A", "2040 B"} << QList<int>{-2, 11030};
        QTest::newRow("marked: another queryid tells it as well")
            << QStringList{"1030 /queryid/3.1/final//", "2020 /queryid/4.1/final//"}
            << QList<int>{-2, 11030};
        QTest::newRow("a reply before the second request")
            << QStringList{"200 A", "1200 A"} << QList<int>{200, -1};
        QTest::newRow("a datagram from before the first request")
            << QStringList{"-5 A", "30 A"} << QList<int>{-1, 30};
        QTest::newRow("unmarked parts: the ping is the first one's")
            << QStringList{"30 A", "120 B"} << QList<int>{30, 30};
        QTest::newRow("marked parts 150 ms apart")
            << QStringList{"30 /queryid/7.1/", "180 /queryid/7.2/", "330 /queryid/7.3/final//"}
            << QList<int>{30, 30, 30};
        QTest::newRow("marked parts 500 ms apart, in any order")
            << QStringList{"30 /final//queryid/7.3/", "530 /queryid/7.1/", "1030 /queryid/7.2/"}
            << QList<int>{30, 30, 30};
        QTest::newRow("marked parts more than 1 s apart")
            << QStringList{"30 /queryid/7.1/", "1031 /queryid/7.2/"} << QList<int>{30, -1};
        QTest::newRow("another queryid is another reply")
            << QStringList{"30 /queryid/7.1/", "60 /queryid/8.1/final//"} << QList<int>{30, -1};
        QTest::newRow("nothing after the final part")
            << QStringList{"30 /queryid/7.1/final//", "40 /queryid/7.2/"} << QList<int>{30, -1};
        QTest::newRow("a part number counts once, whatever its bytes")
            << QStringList{"30 /queryid/7.1/a/", "40 /queryid/7.1/b/", "50 /queryid/7.2/final//"}
            << QList<int>{30, -1, 30};
        QTest::newRow("past the part told final")
            << QStringList{"30 /queryid/7.2/final//", "40 /queryid/7.3/", "50 /queryid/7.1/"}
            << QList<int>{30, -1, 30};
        QTest::newRow("unmarked: no more players than the reply tells")
            << QStringList{"30 /numplayers/2/player_0/A/", "40 /player_1/B/", "50 /player_2/C/",
                           "60 /player_3/D/"}
            << QList<int>{30, 30, -1, -1};
        QTest::newRow("unmarked flood after a whole reply")
            << QStringList{"30 /numplayers/2/player_0/A/player_1/B/", "31 /player_2/E/",
                           "32 /numplayers/9/player_3/F/"}
            << QList<int>{30, -1, -1};
        QTest::newRow("a marked datagram beside an unmarked reply")
            << QStringList{"30 A", "40 /queryid/7.1/"} << QList<int>{30, -1};
    }
    void datagrams() {
        QFETCH(QStringList, datagrams);
        QFETCH(QList<int>, counted);
        QuerySchedule s = askedAtZero();
        if (datagrams.first().split(' ')[0].toInt() > 1000) {
            QCOMPARE(s.due(999).resend.size(), size_t(0)); // never measured: the first wait
            QCOMPARE(s.due(1000).resend.size(), size_t(1));
            s.sent(slowOne.key(), 1000);
        }
        QList<int> got;
        for (const QString& d : datagrams) {
            const uint32_t tick = static_cast<uint32_t>(d.split(' ')[0].toInt());
            const std::string bytes = d.split(' ')[1].replace('/', '\\').toStdString();
            const QuerySchedule::Heard heard = s.received(slowOne.key(), bytes, tick);
            const int ping = heard.ping ? static_cast<int>(*heard.ping) : -1;
            got << (heard.counts ? (heard.ping ? ping : -2) : (heard.ping ? 10000 + ping : -1));
        }
        QCOMPARE(got, counted);
        QCOMPARE(s.answered(), counted.count(-1) == counted.size() ? 0 : 1);
    }

    // Refresh while a request waits for its reply: the new pass waits for that request instead
    // of sending its own, so its reply counts once, with the ping from its own request. A
    // server that has answered or run out of requests is asked anew.
    void nextPass_data() {
        QTest::addColumn<int>("replyAt");   // the first pass's reply, before (-1: none)
        QTest::addColumn<int>("refresh");   // when the server is asked again
        QTest::addColumn<bool>("alone");    // by itself (askOne) rather than by a second pass
        QTest::addColumn<QString>("ask");   // what the row is told
        QTest::addColumn<int>("lateReply"); // a datagram after the server was asked again
        QTest::addColumn<int>("counted");   // the ping it shows, -1: none
        QTest::addColumn<int>("answered");  // the rows of the pass answered then
        QTest::newRow("still waiting: taken over")
            << -1 << 508 << false << "wait" << 700 << 700 << 1;
        QTest::newRow("answered: asked anew") << 300 << 508 << false << "send" << 700 << 192 << 1;
        QTest::newRow("out of requests: asked anew")
            << -1 << 12000 << false << "send" << 12100 << 100 << 1;
        QTest::newRow("asked anew: a reply from before that request")
            << 300 << 508 << false << "send" << 400 << -1 << 0;
        QTest::newRow("asked anew: a late reply to the last pass's other request")
            << 1010 << 1050 << false << "send" << 1060 << -1 << 0;
        QTest::newRow("alone, answered: asked anew, the pass's count kept")
            << 300 << 508 << true << "send" << 700 << 192 << 1;
        QTest::newRow("alone, still awaited by the pass: asked already")
            << -1 << 508 << true << "wait" << 700 << 700 << 1;
        QTest::newRow("alone, given up by the pass: asked anew, the pass's count kept")
            << -1 << 12000 << true << "send" << 12100 << 100 << 0;
        QTest::newRow("alone: a reply from before that request")
            << 300 << 508 << true << "send" << 400 << -1 << 1;
    }
    void nextPass() {
        QFETCH(int, replyAt);
        QFETCH(int, refresh);
        QFETCH(bool, alone);
        QFETCH(QString, ask);
        QFETCH(int, lateReply);
        QFETCH(int, counted);
        QFETCH(int, answered);
        QuerySchedule s = askedAtZero();
        uint32_t t = 0;
        auto runTo = [&](int until) {
            for (; t < static_cast<uint32_t>(until); t += 10) {
                for (const Destination& d : s.due(t).resend) {
                    s.sent(d.key(), t);
                }
            }
        };
        if (replyAt >= 0) {
            runTo(replyAt);
            QVERIFY(s.received(slowOne.key(), "A", static_cast<uint32_t>(replyAt)).counts);
        }
        runTo(refresh);
        const auto at = static_cast<uint32_t>(refresh);
        if (!alone) {
            s.beginPass(at);
        }
        const QuerySchedule::Ask told = alone ? s.askOne(slowOne, at) : s.ask(slowOne, at);
        QCOMPARE(told == QuerySchedule::Ask::send ? QString("send") : QString("wait"), ask);
        if (told == QuerySchedule::Ask::send) {
            s.sent(slowOne.key(), at);
        }
        const std::optional<uint32_t> ping =
            s.received(slowOne.key(), "B", static_cast<uint32_t>(lateReply)).ping;
        QCOMPARE(ping ? static_cast<int>(*ping) : -1, counted);
        if (ping) { // a reply counts once
            QVERIFY(!s.received(slowOne.key(), "C", static_cast<uint32_t>(lateReply + 500)).counts);
        }
        QCOMPARE(s.asked(), 1);
        QCOMPARE(s.answered(), answered);
    }

    // A server that answers each pass's first request after trip ms, passes far apart: the
    // ping each pass shows and the server's first wait after it. A reply that came after the
    // server was asked again gives no sample: the doubled wait that found it stays.
    void waitFromPass_data() {
        QTest::addColumn<QList<int>>("trips");
        QTest::addColumn<QList<int>>("pings");
        QTest::addColumn<QList<int>>("waits");
        QTest::newRow("near") << QList<int>{30, 30} << QList<int>{30, 30} << QList<int>{250, 250};
        QTest::newRow("far: no sample until it answers within its wait")
            << QList<int>{1300, 1300, 1300} << QList<int>{-1, 1300, 1300}
            << QList<int>{2000, 3900, 3250};
        QTest::newRow("slower than the doubled waits: measured once its wait has grown")
            << QList<int>{3500, 3500, 3500} << QList<int>{-1, -1, 3500}
            << QList<int>{2000, 4000, 4000};
    }
    void waitFromPass() {
        QFETCH(QList<int>, trips);
        QFETCH(QList<int>, pings);
        QFETCH(QList<int>, waits);
        QuerySchedule s;
        QList<int> shown;
        QList<int> waited;
        for (int p = 0; p < trips.size(); ++p) {
            const uint32_t start = static_cast<uint32_t>(p) * 20000;
            const uint32_t reply = start + static_cast<uint32_t>(trips[p]);
            s.beginPass(start);
            s.ask(slowOne, start);
            s.sent(slowOne.key(), start);
            for (uint32_t t = start; t < reply; ++t) {
                for (const Destination& d : s.due(t).resend) {
                    s.sent(d.key(), t);
                }
            }
            const std::optional<uint32_t> ping = s.received(slowOne.key(), "A", reply).ping;
            shown << (ping ? static_cast<int>(*ping) : -1);
            waited << static_cast<int>(s.wait(slowOne.key()));
        }
        QCOMPARE(shown, pings);
        QCOMPARE(waited, waits);
    }

    // Rows that ask a server another row has asked share its request; once it has answered or
    // gone silent they are told so.
    void sharedServer_data() {
        QTest::addColumn<QString>("before"); // what happened to the first row's request
        QTest::addColumn<int>("told");
        QTest::newRow("still waiting") << "nothing" << int(QuerySchedule::Ask::wait);
        QTest::newRow("answered") << "reply" << int(QuerySchedule::Ask::answered);
        QTest::newRow("no reply") << "silence" << int(QuerySchedule::Ask::silent);
    }
    void sharedServer() {
        QFETCH(QString, before);
        QFETCH(int, told);
        QuerySchedule s = askedAtZero();
        uint32_t now = 10;
        if (before == "reply") {
            s.received(slowOne.key(), "A", now);
        } else if (before == "silence") {
            for (int i = 0; i < QuerySchedule::maxRequests; ++i) {
                now += QuerySchedule::maxWait;
                s.due(now);
            }
        }
        QCOMPARE(int(s.ask(slowOne, now)), told);
        QCOMPARE(s.asked(), 2);
        QCOMPARE(s.answered(), before == "reply" ? 2 : 0);
        QCOMPARE(s.untilDue(now).has_value(), before == "nothing");
    }
};

QTEST_MAIN(CoreSchedule)
#include "core_schedule.moc"
