#include "status/server_details.h"

#include "status/protocol.h"
#include "status/query_schedule.h"

#include <algorithm>

namespace vkr {

namespace {

void addPairs(std::string_view datagram, std::vector<ReplyPair>& pairs) {
    datagram = datagram.substr(0, datagram.find('\0'));
    std::vector<std::string_view> tokens;
    for (size_t start = 0;;) {
        const size_t end = datagram.find('\\', start);
        tokens.push_back(datagram.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    // A reply begins and ends with a backslash: no token before the first or after the last.
    if (tokens.back().empty()) {
        tokens.pop_back();
    }
    const size_t first = !tokens.empty() && tokens.front().empty() ? 1 : 0;
    for (size_t k = first; k < tokens.size(); k += 2) {
        pairs.emplace_back(tokens[k], k + 1 < tokens.size() ? tokens[k + 1] : std::string_view());
    }
}

} // namespace

std::vector<ReplyPair> replyPairs(const std::vector<std::string>& datagrams) {
    std::vector<std::pair<int, const std::string*>> parts;
    for (const std::string& d : datagrams) {
        parts.emplace_back(replyMarks(d, QuerySchedule::maxParts).part, &d);
    }
    std::stable_sort(parts.begin(), parts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ReplyPair> pairs;
    for (const auto& part : parts) {
        addPairs(*part.second, pairs);
    }
    return pairs;
}

void PingHistory::begin() {
    if (!passes_.empty() && passes_.back().open) {
        return;
    }
    passes_.emplace_back();
    if (passes_.size() > capacity) {
        passes_.pop_front();
    }
}

void PingHistory::answer(std::optional<uint32_t> ping) {
    if (passes_.empty()) {
        return;
    }
    Pass& last = passes_.back();
    if (!last.answered || (!last.ping && ping)) {
        last = {false, true, ping};
    }
}

void PingHistory::giveUp() {
    if (!passes_.empty() && passes_.back().open) {
        passes_.back() = {false, false, std::nullopt};
    }
}

std::optional<uint32_t> PingHistory::lastPing() const {
    return passes_.empty() ? std::nullopt : passes_.back().ping;
}

PingHistory::Summary PingHistory::summary() const {
    Summary s;
    std::vector<uint32_t> pings;
    for (const Pass& p : passes_) {
        s.asked += p.open ? 0 : 1;
        s.answered += p.answered ? 1 : 0;
        if (p.ping) {
            pings.push_back(*p.ping);
        }
    }
    if (!pings.empty()) {
        std::sort(pings.begin(), pings.end());
        const size_t n = pings.size();
        s.lowest = pings.front();
        s.highest = pings.back();
        s.median = n % 2 ? pings[n / 2]
                         : static_cast<uint32_t>((uint64_t{pings[n / 2 - 1]} + pings[n / 2]) / 2);
    }
    return s;
}

} // namespace vkr
