// A scriptable game server for tests, the demo and benchmarks: answers status requests on UDP
// ports of 127.0.0.1 with scripted replies. See usage() for the command line and the script.

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <queue>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const usageText = R"(usage: fake-server [options]

Listens on UDP ports of 127.0.0.1 and answers every status request (a datagram that
contains "\status\") with a reply. Once listening it prints one line to standard output:
    ready PORT PORT ...
with the ports in the order of the options, and exits after its lifetime.

Options:
  --port P        listen on port P (0: a free port of the system's choosing); repeatable
  --all           listen on all of the machine's addresses instead of 127.0.0.1 alone (so
                  that broadcasts reach it; for tests inside a network namespace)
  --count N       listen on N more free ports
  --players N     players in the default reply (default 2)
  --script FILE   answer as the JSON script FILE says (below) instead of the default reply
  --record FILE   append a line for every datagram received:
                      LOCALPORT FROMIP:FROMPORT HEXBYTES
  --lifetime MS   exit after MS milliseconds (default 300000)
  --start-at MS   run the script's clock from MS milliseconds instead of 0, so that the
                  replies due later ("untilMs") can be tried at once
  --loss P        lose P percent of the requests on the way, at random (servers whose
                  script sets "lossPercent" keep their own); a lost request is not recorded
                  and not answered
  --seed N        the seed of the random losses (default 1), so that a run can be repeated
  --help          show this text

The default reply of the i-th port (from 1) is one datagram with the tokens
    hostname "Fake Server i", gamever 1.0, gametype "Island Raid", mapname Velkrand,
    numplayers N, maxplayers 12, gstate 14, player_k "Player k", score_k k (k from 0),
    final "", queryid 1.1
each after a backslash, with a backslash at the end.

Script:
  {"servers": [SERVER, ...]}
The i-th port follows the i-th SERVER; ports past the last follow the last one.
  SERVER = {"replies": [REPLY, ...], "cycleMs": MS, "delayMs": MS, "lossPercent": P,
            "duplicate": true}
The n-th request to a port is answered by the n-th REPLY; the last one answers all later
requests; without "replies" the port gives its default reply. "delayMs" is the delay of every
REPLY that sets none of its own, "lossPercent" loses that share of the port's requests on the
way, and "duplicate" sends every datagram of every reply twice. With "cycleMs" the server starts again from its first REPLY every MS milliseconds
(its "untilMs" times then count from the start of each cycle). A REPLY is an object with any of:
  "tokens": ["key", "value", ...]  one datagram: each token after a backslash, then a backslash
  "raw": "bytes"                   one datagram of these bytes (characters U+0000 to U+00FF)
  "datagrams": [DATAGRAM, ...]     several datagrams, sent in order; each {"tokens": [...]} or
                                   {"raw": "..."}
  "delayMs": MS                    answer MS milliseconds after the request
  "gapMs": MS                      send the datagrams of "datagrams" MS milliseconds apart
  "silent": true                   do not answer
  "fromOtherPort": true            answer from another port than the one asked
  "times": N                       answer the next N requests with this REPLY (default 1)
  "untilMs": MS                    answer every request with this REPLY until MS milliseconds
                                   after the start, then go on to the next REPLY ("times" is
                                   then ignored)
)";

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "fake-server: %s\n", message.c_str());
    std::exit(1);
}

int64_t nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::string tokensText(const std::vector<std::string>& tokens) {
    std::string text;
    for (const auto& t : tokens) {
        text += '\\';
        text += t;
    }
    return text + '\\';
}

struct Reply {
    std::vector<std::string> datagrams;
    int delayMs = 0;
    int gapMs = 0;
    bool silent = false;
    bool fromOtherPort = false;
    int times = 1;
    int64_t untilMs = -1; // -1: the reply is used "times" times, not until a point in time
};

struct Server {
    std::vector<Reply> replies;
    int64_t cycleMs = 0;  // 0: the replies are not gone through again
    int lossPercent = -1; // -1: the --loss option's share
    bool duplicate = false;
};

std::string latin1(const QJsonValue& value, const char* what) {
    if (!value.isString()) {
        fail(std::string(what) + " must be a string");
    }
    QString text = value.toString();
    std::string bytes;
    for (QChar c : text) {
        if (c.unicode() > 0xFF) {
            fail(std::string(what) + " holds a character past U+00FF");
        }
        bytes += static_cast<char>(c.unicode());
    }
    return bytes;
}

std::string datagramOf(const QJsonObject& o) {
    if (o.contains("raw")) {
        return latin1(o["raw"], "raw");
    }
    if (!o["tokens"].isArray()) {
        fail("a datagram needs \"tokens\" or \"raw\"");
    }
    std::vector<std::string> tokens;
    for (const QJsonValue& t : o["tokens"].toArray()) {
        tokens.push_back(latin1(t, "a token"));
    }
    return tokensText(tokens);
}

Reply replyOf(const QJsonObject& o, int delayMs) {
    Reply r;
    r.delayMs = o["delayMs"].toInt(delayMs);
    r.gapMs = o["gapMs"].toInt(0);
    r.silent = o["silent"].toBool(false);
    r.fromOtherPort = o["fromOtherPort"].toBool(false);
    r.times = o["times"].toInt(1);
    r.untilMs = o["untilMs"].toInteger(-1);
    if (r.times < 1) {
        fail("\"times\" must be at least 1");
    }
    if (o.contains("datagrams")) {
        for (const QJsonValue& d : o["datagrams"].toArray()) {
            r.datagrams.push_back(datagramOf(d.toObject()));
        }
    } else if (!r.silent) {
        r.datagrams.push_back(datagramOf(o));
    }
    return r;
}

Server defaultServer(int index, int players);

std::vector<Server> readScript(const char* path, int players) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        fail(std::string("cannot read ") + path);
    }
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (doc.isNull()) {
        fail(std::string(path) + ": " + error.errorString().toStdString());
    }
    std::vector<Server> servers;
    for (const QJsonValue& s : doc.object()["servers"].toArray()) {
        const QJsonObject o = s.toObject();
        const int delayMs = o["delayMs"].toInt(0);
        Server server;
        if (o.contains("replies")) {
            for (const QJsonValue& r : o["replies"].toArray()) {
                server.replies.push_back(replyOf(r.toObject(), delayMs));
            }
        } else {
            server.replies = defaultServer(static_cast<int>(servers.size()), players).replies;
            server.replies.front().delayMs = delayMs;
        }
        server.cycleMs = o["cycleMs"].toInteger(0);
        server.lossPercent = o["lossPercent"].toInt(-1);
        server.duplicate = o["duplicate"].toBool(false);
        if (server.cycleMs < 0 || delayMs < 0) {
            fail("\"cycleMs\" and \"delayMs\" must not be negative");
        }
        if (server.lossPercent > 100) {
            fail("\"lossPercent\" must be at most 100");
        }
        if (server.replies.empty()) {
            fail("a server needs at least one reply");
        }
        servers.push_back(server);
    }
    if (servers.empty()) {
        fail(std::string(path) + ": no servers");
    }
    return servers;
}

Server defaultServer(int index, int players) {
    std::vector<std::string> tokens = {"hostname",   "Fake Server " + std::to_string(index + 1),
                                       "gamever",    "1.0",
                                       "gametype",   "Island Raid",
                                       "mapname",    "Velkrand",
                                       "numplayers", std::to_string(players),
                                       "maxplayers", "12",
                                       "gstate",     "14"};
    for (int k = 0; k < players; ++k) {
        tokens.push_back("player_" + std::to_string(k));
        tokens.push_back("Player " + std::to_string(k));
        tokens.push_back("score_" + std::to_string(k));
        tokens.push_back(std::to_string(k));
    }
    for (const char* t : {"final", "", "queryid", "1.1"}) {
        tokens.push_back(t);
    }
    Reply r;
    r.datagrams.push_back(tokensText(tokens));
    return {{r}};
}

int openSocket(uint16_t port, bool allAddresses) {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        fail(std::string("socket: ") + std::strerror(errno));
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(allAddresses ? INADDR_ANY : INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        fail("cannot listen on port " + std::to_string(port) + ": " + std::strerror(errno));
    }
    return fd;
}

uint16_t portOf(int fd) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

struct Listener {
    int fd;
    uint16_t port;
    const Server* server;
    size_t reply = 0; // the entry answering the next request
    int usedTimes = 0;
    int64_t cycle = 0; // the number of the cycle the server is in (see "cycleMs")
};

struct Pending {
    int64_t due;
    int fd;
    sockaddr_in to;
    const Reply* reply;
    bool duplicate;
    int datagram = -1; // the one datagram of the reply to send; -1: all of them
    bool operator>(const Pending& o) const { return due > o.due; }
};

void send(const Pending& p) {
    for (size_t i = 0; i < p.reply->datagrams.size(); ++i) {
        if (p.datagram >= 0 && static_cast<size_t>(p.datagram) != i) {
            continue;
        }
        const std::string& d = p.reply->datagrams[i];
        for (int copy = 0; copy < (p.duplicate ? 2 : 1); ++copy) {
            sendto(p.fd, d.data(), d.size(), 0, reinterpret_cast<const sockaddr*>(&p.to),
                   sizeof p.to);
        }
    }
}

int number(const char* text, const char* option) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < 0 || v > 100000000) {
        fail(std::string(option) + " needs a number");
    }
    return static_cast<int>(v);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> ports;
    int players = 2;
    int lifetimeMs = 300000;
    int startAtMs = 0;
    int lossPercent = 0;
    unsigned seed = 1;
    const char* scriptPath = nullptr;
    const char* recordPath = nullptr;
    bool allAddresses = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help") {
            std::fputs(usageText, stdout);
            return 0;
        }
        if (a == "--all") {
            allAddresses = true;
            continue;
        }
        if (i + 1 >= argc) {
            fail("unknown option or missing value: " + a + " (see --help)");
        }
        const char* v = argv[++i];
        if (a == "--port") {
            int p = number(v, "--port");
            if (p > 65535) {
                fail("--port needs a port number");
            }
            ports.push_back(p);
        } else if (a == "--count") {
            ports.insert(ports.end(), static_cast<size_t>(number(v, "--count")), 0);
        } else if (a == "--players") {
            players = number(v, "--players");
        } else if (a == "--script") {
            scriptPath = v;
        } else if (a == "--record") {
            recordPath = v;
        } else if (a == "--lifetime") {
            lifetimeMs = number(v, "--lifetime");
        } else if (a == "--start-at") {
            startAtMs = number(v, "--start-at");
        } else if (a == "--loss") {
            lossPercent = number(v, "--loss");
            if (lossPercent > 100) {
                fail("--loss needs a percentage");
            }
        } else if (a == "--seed") {
            seed = static_cast<unsigned>(number(v, "--seed"));
        } else {
            fail("unknown option " + a + " (see --help)");
        }
    }
    if (ports.empty()) {
        fail("no port to listen on (see --help)");
    }

    // One descriptor per port, and more for the epoll set and the other-port socket.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < ports.size() + 64) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, ports.size() + 64);
        setrlimit(RLIMIT_NOFILE, &files);
    }

    std::vector<Server> servers;
    if (scriptPath) {
        servers = readScript(scriptPath, players);
    } else {
        for (size_t i = 0; i < ports.size(); ++i) {
            servers.push_back(defaultServer(static_cast<int>(i), players));
        }
    }
    for (Server& server : servers) {
        if (server.lossPercent < 0) {
            server.lossPercent = lossPercent;
        }
    }
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    FILE* record = nullptr;
    if (recordPath && !(record = std::fopen(recordPath, "a"))) {
        fail(std::string("cannot write ") + recordPath);
    }

    int epoll = epoll_create1(EPOLL_CLOEXEC);
    std::vector<Listener> listeners;
    listeners.reserve(ports.size());
    for (size_t i = 0; i < ports.size(); ++i) {
        int fd = openSocket(static_cast<uint16_t>(ports[i]), allAddresses);
        listeners.push_back({fd, portOf(fd), &servers[std::min(i, servers.size() - 1)]});
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.u64 = i;
        epoll_ctl(epoll, EPOLL_CTL_ADD, fd, &ev);
    }
    const int otherPort = openSocket(0, allAddresses);

    std::string ready = "ready";
    for (const auto& l : listeners) {
        ready += ' ' + std::to_string(l.port);
    }
    std::printf("%s\n", ready.c_str());
    std::fflush(stdout);

    std::priority_queue<Pending, std::vector<Pending>, std::greater<>> pending;
    const int64_t start = nowMs() - startAtMs;
    const int64_t end = nowMs() + lifetimeMs;
    std::vector<epoll_event> events(256);
    char buffer[65536];
    for (;;) {
        int64_t now = nowMs();
        while (!pending.empty() && pending.top().due <= now) {
            send(pending.top());
            pending.pop();
        }
        if (now >= end) {
            break;
        }
        int64_t wait = end - now;
        if (!pending.empty()) {
            wait = std::min(wait, pending.top().due - now);
        }
        int n = epoll_wait(epoll, events.data(), static_cast<int>(events.size()),
                           static_cast<int>(wait));
        for (int e = 0; e < n; ++e) {
            Listener& l = listeners[events[static_cast<size_t>(e)].data.u64];
            for (;;) {
                sockaddr_in from{};
                socklen_t len = sizeof from;
                ssize_t got = recvfrom(l.fd, buffer, sizeof buffer, 0,
                                       reinterpret_cast<sockaddr*>(&from), &len);
                if (got < 0) {
                    break;
                }
                std::string_view request(buffer, static_cast<size_t>(got));
                if (l.server->lossPercent > 0 && percent(random) < l.server->lossPercent) {
                    continue; // lost on the way
                }
                if (record) {
                    std::fprintf(record, "%u %s:%u ", l.port, inet_ntoa(from.sin_addr),
                                 ntohs(from.sin_port));
                    for (unsigned char c : request) {
                        std::fprintf(record, "%02x", c);
                    }
                    std::fputc('\n', record);
                    std::fflush(record);
                }
                if (request.find("\\status\\") == std::string_view::npos) {
                    continue;
                }
                const std::vector<Reply>& replies = l.server->replies;
                int64_t elapsed = nowMs() - start;
                if (l.server->cycleMs > 0) {
                    if (elapsed / l.server->cycleMs != l.cycle) {
                        l.cycle = elapsed / l.server->cycleMs;
                        l.reply = 0;
                        l.usedTimes = 0;
                    }
                    elapsed %= l.server->cycleMs;
                }
                while (replies[l.reply].untilMs >= 0 && elapsed >= replies[l.reply].untilMs &&
                       l.reply + 1 < replies.size()) {
                    ++l.reply;
                    l.usedTimes = 0;
                }
                const Reply& reply = replies[l.reply];
                if (reply.untilMs < 0 && ++l.usedTimes >= reply.times &&
                    l.reply + 1 < replies.size()) {
                    ++l.reply;
                    l.usedTimes = 0;
                }
                if (reply.silent) {
                    continue;
                }
                Pending p{nowMs() + reply.delayMs, reply.fromOtherPort ? otherPort : l.fd, from,
                          &reply, l.server->duplicate};
                if (reply.gapMs > 0) {
                    for (size_t i = 0; i < reply.datagrams.size(); ++i) {
                        p.datagram = static_cast<int>(i);
                        pending.push(p);
                        p.due += reply.gapMs;
                    }
                } else if (reply.delayMs == 0) {
                    send(p);
                } else {
                    pending.push(p);
                }
            }
        }
    }
    return 0;
}
