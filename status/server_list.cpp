#include "status/server_list.h"

#include "settings/intparse.h"
#include "settings/translate.h"
#include "status/protocol.h"
#include "status/typed_address.h"

#include <algorithm>

namespace vkr {

namespace {

// A list's port is the query port of a server of the sockets implementation, as the local
// network search finds them.
constexpr int portOffset = queryPortOffset(true);

bool isListBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// The line's words, split at blanks.
std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isListBlank(line[i])) {
            ++i;
        }
        size_t end = i;
        while (end < line.size() && !isListBlank(line[end])) {
            ++end;
        }
        if (end > i) {
            words.push_back(line.substr(i, end - i));
        }
        i = end;
    }
    return words;
}

bool isServerType(std::string_view word) {
    return std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

// The line's server as "host:game port", or why it is not one.
std::string readListLine(std::string_view line, std::string& address) {
    const std::vector<std::string_view> words = wordsOf(line);
    if (words.size() > 2 || (words.size() == 2 && !isServerType(words[0]))) {
        return translate("TForm4",
                         "A line holds an address, perhaps after a server type, and nothing else.");
    }
    const std::string_view text = words.back();
    const TypedAddress a = parseTypedAddress(text);
    if (!a.error.empty()) {
        return a.error;
    }
    int gamePort = a.port;
    if (text.find(':') != std::string_view::npos) {
        gamePort = a.port - portOffset;
        if (gamePort < 1) {
            return translate("TForm4", "The query port must be a number from 2 to 65535.");
        }
    }
    address = a.host + ":" + std::to_string(gamePort);
    return {};
}

} // namespace

ServerListReading readServerList(std::string_view text) {
    ServerListReading reading;
    int number = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        const std::vector<std::string_view> words = wordsOf(line);
        if (words.empty() || words.front().front() == '#') {
            continue;
        }
        std::string address;
        const std::string why = readListLine(line, address);
        if (why.empty()) {
            reading.addresses.push_back(std::move(address));
        } else if (reading.notUnderstood++ == 0) {
            reading.firstProblem =
                fillArgs(translate("TForm4", "line %1: %2"), {std::to_string(number), why});
        }
    }
    return reading;
}

std::string ServerListImport::report() const {
    const int k = reading.notUnderstood;
    // Each count is a phrase of its own, so that each takes its number's form.
    std::string text =
        fillArgs(translate("TForm4", "%1, %2, %3", "added, already listed, not understood"),
                 {translate("TForm4", "%n added", "servers of a list", added),
                  translate("TForm4", "%n already listed", "servers of a list", already),
                  k == 1 ? translate("TForm4", "1 line not understood")
                         : translate("TForm4", "%n lines not understood", nullptr, k)});
    if (k > 0) {
        text = fillArgs(translate("TForm4", "%1 (first: %2)", "the first line not understood"),
                        {text, reading.firstProblem});
    }
    if (refused > 0) {
        text = fillArgs(translate("TForm4", "%1\n%n not added: %2", "servers of a list", refused),
                        {text, tableFullMessage("servers")});
    }
    return text;
}

ServerListImport importServerList(ServerTable& servers, std::string_view text,
                                  const IdSource& draw) {
    ServerListImport result;
    result.reading = readServerList(text);
    for (const std::string& address : result.reading.addresses) {
        const TypedServer server = addTypedServer(servers, address, draw);
        if (server.added) {
            ++result.added;
        } else if (server.row >= 0) {
            ++result.already;
        } else {
            ++result.refused; // the only error left for an address read already
        }
    }
    return result;
}

ServerListExport writeServerList(const ServerTable& servers) {
    ServerListExport out;
    out.text = "# Game servers: host and query port, one a line\n";
    for (int i = 0; i <= servers.lastRow; ++i) {
        const ServerEntry& e = servers[i];
        const std::optional<int32_t> port = tryParseInt(e.port);
        if (!port || *port < 1 || *port > 65535 - portOffset) {
            ++out.leftOut;
            continue;
        }
        std::string name = e.name;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        out.text += "# " + name + "\n" + e.ip + ":" + std::to_string(*port + portOffset) + "\n";
        ++out.written;
    }
    return out;
}

} // namespace vkr
