#include "status/query_schedule.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace vkr {

namespace {

// Ticks wrap: the signed difference orders two ticks less than 24 days apart.
int32_t since(uint32_t earlier, uint32_t later) {
    return static_cast<int32_t>(later - earlier);
}

} // namespace

std::string Destination::key() const {
    return address + ':' + std::to_string(port);
}

uint32_t QuerySchedule::wait() const {
    const std::optional<uint32_t> longest = longest_ ? longest_ : previousLongest_;
    if (!longest) {
        return firstWait;
    }
    // Twice the slowest answer seen, and a margin for a loaded machine.
    const uint64_t wait = 2 * uint64_t{*longest} + 50;
    return static_cast<uint32_t>(std::clamp<uint64_t>(wait, minWait, maxWait));
}

void QuerySchedule::beginPass(uint32_t now) {
    const uint32_t lastWait = wait();
    carried_.clear();
    for (auto& [key, s] : servers_) {
        if (!s.answered && !s.silent && !s.requests.empty() &&
            since(s.requests.back(), now) < static_cast<int32_t>(lastWait)) {
            // The new pass counts its requests from the one still waiting.
            s.rows = 0;
            s.requests = {s.requests.back()};
            carried_.emplace(key, std::move(s));
        }
    }
    servers_.clear();
    if (longest_) {
        previousLongest_ = longest_;
    }
    longest_.reset();
    asked_ = 0;
    answered_ = 0;
}

QuerySchedule::Ask QuerySchedule::ask(const Destination& d, uint32_t now) {
    const std::string key = d.key();
    ++asked_;
    if (auto found = servers_.find(key); found != servers_.end()) {
        Server& s = found->second;
        ++s.rows;
        if (s.answered) {
            ++answered_;
            return Ask::answered;
        }
        return s.silent ? Ask::silent : Ask::wait;
    }
    if (auto carried = carried_.find(key); carried != carried_.end()) {
        Server& s = servers_.emplace(key, std::move(carried->second)).first->second;
        carried_.erase(carried);
        s.rows = 1;
        return Ask::wait;
    }
    Server& s = servers_[key];
    s.destination = d;
    s.rows = 1;
    // Until sent() tells when it went out, the request counts from now.
    s.requests.push_back(now);
    return Ask::send;
}

void QuerySchedule::sent(const std::string& key, uint32_t tick) {
    if (auto found = servers_.find(key);
        found != servers_.end() && !found->second.requests.empty()) {
        found->second.requests.back() = tick;
    }
}

std::optional<uint32_t> QuerySchedule::answeredRequest(const Server& s, const std::string& key,
                                                       uint32_t tick) const {
    std::optional<uint32_t> best;
    auto hint = lastRoundTrip_.find(key);
    for (uint32_t request : s.requests) {
        if (since(request, tick) < 0) {
            continue; // sent after the datagram came: not what it answers
        }
        if (!best) {
            best = request;
        } else if (hint == lastRoundTrip_.end()) {
            // Requests are a wait apart, longer than any answer the pass has seen: the reply
            // to an earlier request would have come before the later one went out.
            best = request;
        } else {
            // The request whose round trip is nearest the server's last one.
            auto off = [&](uint32_t r) {
                return std::abs(int64_t{since(r, tick)} - int64_t{hint->second});
            };
            if (off(request) <= off(*best)) {
                best = request;
            }
        }
    }
    return best;
}

std::optional<uint32_t> QuerySchedule::received(const std::string& key, std::string_view datagram,
                                                uint32_t tick) {
    auto found = servers_.find(key);
    if (found == servers_.end()) {
        return std::nullopt;
    }
    Server& s = found->second;
    const size_t hash = std::hash<std::string_view>{}(datagram);
    if (s.answered) {
        const bool part = since(s.firstReply, tick) >= 0 &&
                          since(s.firstReply, tick) < static_cast<int32_t>(partWindow) &&
                          std::find(s.parts.begin(), s.parts.end(), hash) == s.parts.end();
        if (!part) {
            return std::nullopt;
        }
        s.parts.push_back(hash);
        return s.request;
    }
    const std::optional<uint32_t> request = answeredRequest(s, key, tick);
    if (!request) {
        return std::nullopt;
    }
    s.answered = true;
    s.silent = false;
    s.firstReply = tick;
    s.request = *request;
    s.parts = {hash};
    answered_ += s.rows;
    const uint32_t roundTrip = tick - *request;
    lastRoundTrip_[key] = roundTrip;
    longest_ = std::max(longest_.value_or(0), roundTrip);
    return request;
}

QuerySchedule::Due QuerySchedule::due(uint32_t now) {
    Due due;
    const int32_t wait = static_cast<int32_t>(this->wait());
    for (auto& [key, s] : servers_) {
        if (s.answered || s.silent || s.requests.empty() || since(s.requests.back(), now) < wait) {
            continue;
        }
        if (static_cast<int>(s.requests.size()) < maxRequests) {
            s.requests.push_back(now);
            due.resend.push_back(s.destination);
        } else {
            s.silent = true;
            due.silent.push_back(s.destination);
        }
    }
    return due;
}

std::optional<uint32_t> QuerySchedule::untilDue(uint32_t now) const {
    std::optional<uint32_t> until;
    const int32_t wait = static_cast<int32_t>(this->wait());
    for (const auto& [key, s] : servers_) {
        if (s.answered || s.silent || s.requests.empty()) {
            continue;
        }
        const uint32_t left =
            static_cast<uint32_t>(std::max(0, wait - since(s.requests.back(), now)));
        until = std::min(until.value_or(left), left);
    }
    return until;
}

bool QuerySchedule::awaiting() const {
    return std::any_of(servers_.begin(), servers_.end(), [](const auto& entry) {
        return !entry.second.answered && !entry.second.silent;
    });
}

} // namespace vkr
