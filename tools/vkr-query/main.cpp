// vkr-query: asks one game server for its status, as the server browser does, and prints what
// the browser would show for it as one JSON object.

#include "net/TNMUDP.h"
#include "net/tick.h"
#include "settings/intparse.h"
#include "status/protocol.h"
#include "status/server_query.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string>

namespace {

const char* const usageLine = "usage: vkr-query HOST PORT [--dplay] [--timeout MS]\n";
const char* const helpText =
    "\n"
    "Sends the status request to the query port of the game server HOST:PORT (PORT + 1, or\n"
    "PORT + 2 for a DirectPlay server with --dplay), collects the replies that arrive within\n"
    "MS milliseconds (default 2000) and prints one JSON object:\n"
    "  {\"host\", \"address\", \"queryPort\", \"ping\", \"players\", \"mission\", \"gstate\",\n"
    "   \"playerList\": [{\"name\", \"score\"}]}\n"
    "with the texts as the server browser's cells would hold them. \"ping\" is null when no\n"
    "reply came.\n"
    "Exit status: 0 answered, 2 no reply, 1 bad arguments.\n";

struct Arguments {
    std::string host;
    std::string port;
    bool dplay = false;
    int timeoutMs = 2000;
};

// Null for bad arguments.
std::optional<Arguments> parseArguments(int argc, char** argv) {
    Arguments a;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--dplay") {
            a.dplay = true;
        } else if (arg == "--timeout") {
            auto ms = i + 1 < argc ? vkr::tryParseInt(argv[++i]) : std::nullopt;
            if (!ms || *ms < 0) {
                return std::nullopt;
            }
            a.timeoutMs = *ms;
        } else if (arg.starts_with("--") || positional == 2) {
            return std::nullopt;
        } else {
            (positional++ == 0 ? a.host : a.port) = arg;
        }
    }
    if (positional != 2) {
        return std::nullopt;
    }
    return a;
}

// A JSON string of a UTF-8 text: quotes, backslashes and control characters escaped, every
// other character (those outside the Basic Multilingual Plane too) written as it is.
std::string json(const QByteArray& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Reply texts are shown with each byte as the character of the same code, as the browser shows
// them; what the user typed is UTF-8 (a byte that is not is shown as U+FFFD).
std::string jsonReply(const std::string& bytes) {
    return json(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8());
}
std::string jsonTyped(const std::string& bytes) {
    return json(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help") {
            std::printf("%s%s", usageLine, helpText);
            return 0;
        }
    }
    auto args = parseArguments(argc, argv);
    vkr::ServerTable servers;
    vkr::ServerEntry& e = servers.append();
    if (args) {
        e.ip = args->host;
        e.port = args->port;
        e.sockets = !args->dplay;
    }
    auto port = args ? vkr::tryParseInt(e.port) : std::nullopt;
    if (!port) {
        std::fputs(usageLine, stderr);
        return 1;
    }

    QCoreApplication app(argc, argv);
    TNMUDP udps;
    udps.SetLocalPort(0);
    vkr::QueryRows rows;
    std::optional<std::string> gstate;
    bool answered = false;
    udps.OnDataReceived = [&](TNMUDP* sender, int NumberBytes, const std::string& FromIP,
                              int Port) {
        if (NumberBytes < 1) {
            return;
        }
        std::string text;
        sender->ReadReceivedData(text);
        if (vkr::ApplyReply(servers, rows, FromIP, Port, text, sender->ReceivedTick()).empty()) {
            return;
        }
        answered = true;
        vkr::ScanReply(text, vkr::keyBit(vkr::ReplyKey::gstate),
                       [&](vkr::ReplyKey, std::string_view value) { gstate = value; });
    };

    // One server's step of the browser's query pass, its host looked up first.
    vkr::QuerySchedule schedule;
    schedule.beginPass(vkr::GetTickCount());
    vkr::QueryPass pass(udps, schedule);
    vkr::QueryPass::reset(e, rows[0]);
    pass.query(e, rows[0],
               vkr::QueryPass::needsLookUp(e.ip) ? vkr::lookUpIPv4(e.ip.c_str())
                                                 : vkr::IPv4Bytes{});
    pass.flush();
    const vkr::ServerStatus& status = rows[0].status;

    QTimer::singleShot(args->timeoutMs, &app, &QCoreApplication::quit);
    app.exec();

    const vkr::StatusCells& cells = rows[0].cells;
    std::string out = "{\"host\":" + jsonTyped(e.ip) + ",\"address\":" + jsonTyped(status.address) +
                      ",\"queryPort\":" + std::to_string(udps.RemotePort & 0xFFFF) +
                      ",\"ping\":" + (answered ? jsonReply(cells.ping) : "null") +
                      ",\"players\":" + jsonReply(cells.players) +
                      ",\"mission\":" + jsonReply(cells.mission) +
                      ",\"gstate\":" + (gstate ? jsonReply(*gstate) : "null") + ",\"playerList\":[";
    for (int j = 0; j < status.playerCount; ++j) {
        out += std::string(j ? "," : "") + "{\"name\":" + jsonReply(status.playerName(j)) +
               ",\"score\":" + jsonReply(status.playerScore(j)) + "}";
    }
    std::printf("%s]}\n", out.c_str());
    return answered ? 0 : 2;
}
