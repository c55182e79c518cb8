#include "net/powersock.h"

#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>

TPowersock::TPowersock(QObject* owner) : QObject(owner) {}

void TPowersock::status(const char* text, int level) {
    if (level <= ReportLevel) {
        emit OnStatus(QString::fromLatin1(text));
    }
}

std::string TPowersock::LocalAddress() {
    status("Getting Local IP", 8);
    std::array<char, 200> name{};
    if (gethostname(name.data(), name.size() - 1) != 0) {
        return "127.0.0.1";
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.data(), nullptr, &hints, &found) != 0 || !found) {
        return "127.0.0.1";
    }
    std::unique_ptr<addrinfo, void (*)(addrinfo*)> guard(found, freeaddrinfo);
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const auto* b = reinterpret_cast<const unsigned char*>(&in->sin_addr.s_addr);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
    return text;
}
