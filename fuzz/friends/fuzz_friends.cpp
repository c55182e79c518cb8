// Names separated by NUL bytes: those before the first empty name are friends as typed, the
// rest names as servers send them. A sent name is a friend exactly when its key is a friend's
// key, whether asked of the list or of the set made from it; a friend added is found and, once
// removed, no longer is.
#include "status/friends.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> friends, sent;
    bool sending = false;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\0'), rest.size());
        std::string_view name = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (name.empty()) {
            sending = true;
        } else {
            (sending ? sent : friends).emplace_back(name);
        }
    }
    std::vector<std::string> list;
    for (const std::string& name : friends) {
        const bool known = std::any_of(list.begin(), list.end(), [&](const std::string& f) {
            return vkr::friendKey(f) == vkr::friendKey(name);
        });
        if (vkr::addFriend(list, name) == (known || vkr::friendKey(name).empty())) {
            std::abort();
        }
    }
    const vkr::FriendSet set(list);
    for (const std::string& name : sent) {
        const std::string key = vkr::sentNameKey(name);
        const bool expected = std::any_of(list.begin(), list.end(), [&](const std::string& f) {
            return !key.empty() && vkr::friendKey(f) == key;
        });
        if (set.contains(name) != expected || vkr::isFriend(list, name) != expected) {
            std::abort();
        }
    }
    for (const std::string& name : friends) {
        vkr::removeFriend(list, name);
        if (std::any_of(list.begin(), list.end(), [&](const std::string& f) {
                return vkr::friendKey(f) == vkr::friendKey(name);
            })) {
            std::abort();
        }
    }
    if (!list.empty()) {
        std::abort();
    }
    return 0;
}
