#include "status/typed_address.h"

#include "net/address.h"
#include "settings/translate.h"
#include "settings/utf8.h"

#include <algorithm>

namespace vkr {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

TypedAddress failed(std::string error) {
    TypedAddress a;
    a.error = std::move(error);
    return a;
}

} // namespace

TypedAddress parseTypedAddress(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return failed(
            translate("TForm4", "Type a host name or address, with :port when it is not 2302."));
    }
    if (std::any_of(text.begin(), text.end(), isSpace)) {
        return failed(translate("TForm4", "An address has no spaces."));
    }
    const size_t colon = text.find(':');
    if (colon != std::string_view::npos && text.find(':', colon + 1) != std::string_view::npos) {
        return failed(translate("TForm4", "Only one colon, between host and port."));
    }
    const std::string_view host = text.substr(0, colon);
    if (host.empty()) {
        return failed(translate("TForm4", "The host is missing before the colon."));
    }
    if (!std::all_of(host.begin(), host.end(), isHostCharacter)) {
        return failed(
            translate("TForm4", "A host has only letters, digits, dots, hyphens and underscores."));
    }
    if (host.size() > maxHostLength) {
        return failed(fillArgs(translate("TForm4", "The host is longer than %1 characters."),
                               {std::to_string(maxHostLength)}));
    }
    TypedAddress a;
    a.host = host;
    if (colon != std::string_view::npos) {
        const std::string_view port = text.substr(colon + 1);
        if (port.empty()) {
            return failed(translate("TForm4", "The port is missing after the colon."));
        }
        long value = 0;
        for (char c : port) {
            if (c < '0' || c > '9') {
                return failed(translate("TForm4", "The port must be a number from 1 to 65535."));
            }
            value = std::min(value * 10 + (c - '0'), 100000L);
        }
        if (value < 1 || value > 65535) {
            return failed(translate("TForm4", "The port must be a number from 1 to 65535."));
        }
        a.port = static_cast<int>(value);
    }
    return a;
}

TypedServer addTypedServer(ServerTable& servers, std::string_view text, const IdSource& draw) {
    TypedServer result;
    const TypedAddress a = parseTypedAddress(text);
    if (!a.error.empty()) {
        result.error = a.error;
        return result;
    }
    result.row = findServer(servers, a.host, a.port);
    if (result.row >= 0) {
        return result;
    }
    if (servers.full()) {
        result.error = tableFullMessage("servers");
        return result;
    }
    ServerEntry e;
    e.id = drawNewId(servers, draw);
    e.name = a.host;
    e.ip = a.host;
    e.port = std::to_string(a.port);
    e.sockets = true;
    servers.append() = std::move(e);
    result.row = servers.lastRow;
    result.added = true;
    return result;
}

std::optional<std::string> ProvisionalNames::atReply(const ServerEntry& e,
                                                     const std::optional<std::string>& hostname) {
    auto given = names_.find(e.id);
    if (given == names_.end()) {
        return std::nullopt;
    }
    const bool unchanged = given->second == e.name;
    names_.erase(given);
    if (unchanged && hostname && !hostname->empty()) {
        return utf8OfLatin1(*hostname);
    }
    return std::nullopt;
}

} // namespace vkr
