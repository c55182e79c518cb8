#include "status/query_schedule.h"

#include "status/protocol.h"

#include <algorithm>
#include <cmath>
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

uint32_t QuerySchedule::wait(const std::string& key) const {
    auto found = history_.find(key);
    return found == history_.end() ? firstWait : found->second.wait;
}

uint32_t QuerySchedule::waitAfter(const std::string& key, const Server& s) const {
    const uint32_t first = wait(key);
    if (s.requests.size() >= static_cast<size_t>(maxRequests)) {
        // No request follows the last, so there is nothing to back off: it waits as long as a
        // reply to it takes, as far as the server's round trips tell. By then the earlier
        // requests have waited seconds for theirs.
        auto found = history_.find(key);
        const uint32_t trip = found != history_.end() && found->second.smoothed
                                  ? static_cast<uint32_t>(std::ceil(*found->second.smoothed))
                                  : 0;
        return std::max(first / 2, trip + margin);
    }
    // Doubled after each request without a reply.
    const uint64_t doubled = uint64_t{first} << std::min<size_t>(
                                 s.requests.empty() ? 0 : s.requests.size() - 1, maxRequests);
    return static_cast<uint32_t>(std::min<uint64_t>(doubled, std::max(first, maxDoubled)));
}

bool QuerySchedule::Later::operator()(const Timer& a, const Timer& b) const {
    return since(base, a.at) > since(base, b.at);
}

std::optional<uint32_t> QuerySchedule::nextDue(const std::string& key, const Server& s) const {
    std::optional<uint32_t> at = s.probeAt;
    if ((awaits(s) || probing(s)) && !s.requests.empty()) {
        const uint32_t waited = s.requests.back() + waitAfter(key, s);
        if (!at || since(waited, *at) > 0) {
            at = waited;
        }
    }
    return at;
}

void QuerySchedule::retime(const std::string& key, Server& s) {
    const std::optional<uint32_t> at = nextDue(key, s);
    if (at != s.dueAt) {
        s.dueAt = at;
        if (at) {
            timers_.push({*at, key});
        }
    }
}

void QuerySchedule::dropStale() {
    while (!timers_.empty()) {
        const auto found = servers_.find(timers_.top().key);
        if (found != servers_.end() && found->second.dueAt == timers_.top().at) {
            return;
        }
        timers_.pop();
    }
}

void QuerySchedule::sample(History& h, uint32_t roundTrip) {
    // As TCP's retransmission timer smooths its samples (gains 1/8 and 1/4).
    const double r = roundTrip;
    if (!h.smoothed) {
        h.smoothed = r;
        h.variation = r / 2;
    } else {
        h.variation = 0.75 * h.variation + 0.25 * std::abs(*h.smoothed - r);
        h.smoothed = 0.875 * *h.smoothed + 0.125 * r;
    }
    const double wait = *h.smoothed + std::max<double>(margin, 4 * h.variation);
    h.wait = static_cast<uint32_t>(std::clamp<double>(std::ceil(wait), minWait, maxWait));
    h.lastCertain = roundTrip;
}

void QuerySchedule::retire(const std::string& key, const Server& s, uint32_t now,
                           std::optional<uint32_t> waiting) {
    History& h = history_[key];
    std::vector<uint32_t> open;
    for (uint32_t r : h.earlier) {
        if (since(r, now) < static_cast<int32_t>(reach)) {
            open.push_back(r);
        }
    }
    for (uint32_t r : s.requests) {
        // A reply to a request overdue by the round trip of the pass's reply is not coming.
        const bool overdue =
            s.reply.ping && since(r, now) > static_cast<int32_t>(*s.reply.ping + margin);
        if (r != s.answeredRequest && r != waiting && !overdue &&
            since(r, now) < static_cast<int32_t>(reach)) {
            open.push_back(r);
        }
    }
    h.earlier = std::move(open);
}

void QuerySchedule::beginPass(uint32_t now) {
    carried_.clear();
    for (auto& [key, s] : servers_) {
        std::optional<uint32_t> waiting;
        if (!s.answered && !s.silent && !s.requests.empty() &&
            since(s.requests.back(), now) < static_cast<int32_t>(waitAfter(key, s))) {
            // The new pass counts its requests from the one still waiting.
            waiting = s.requests.back();
            Server carried;
            carried.destination = s.destination;
            carried.requests = {*waiting};
            carried_.emplace(key, std::move(carried));
        }
        retire(key, s, now, waiting);
    }
    servers_.clear();
    timers_ = Timers(Later{now});
    awaiting_ = 0;
    asked_ = 0;
    answered_ = 0;
}

QuerySchedule::Ask QuerySchedule::askOne(const Destination& d, uint32_t now) {
    const std::string key = d.key();
    auto found = servers_.find(key);
    if (found == servers_.end()) {
        if (auto carried = carried_.find(key); carried != carried_.end()) {
            // Its request of the last pass is still waiting.
            Server& s = servers_.emplace(key, std::move(carried->second)).first->second;
            carried_.erase(carried);
            ++awaiting_;
            retime(key, s);
            return Ask::wait;
        }
        found = servers_.emplace(key, Server{}).first;
    } else if (!found->second.answered && !found->second.silent) {
        return Ask::wait;
    } else {
        // The pass's answer (or its give-up) stays counted; its requests become earlier ones.
        retire(key, found->second, now, std::nullopt);
    }
    Server& s = found->second;
    s = Server{};
    s.destination = d;
    s.requests.push_back(now);
    ++awaiting_;
    retime(key, s);
    dropStale();
    return Ask::send;
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
        ++awaiting_;
        retime(key, s);
        return Ask::wait;
    }
    Server& s = servers_[key];
    s.destination = d;
    s.rows = 1;
    // Until sent() tells when it went out, the request counts from now.
    s.requests.push_back(now);
    ++awaiting_;
    retime(key, s);
    return Ask::send;
}

void QuerySchedule::sent(const std::string& key, uint32_t tick) {
    if (auto found = servers_.find(key);
        found != servers_.end() && !found->second.requests.empty()) {
        found->second.requests.back() = tick;
        retime(key, found->second);
        dropStale();
    }
}

QuerySchedule::Heard QuerySchedule::firstOfReply(const std::string& key, Server& s,
                                                 std::string_view datagram, uint32_t tick) {
    History& h = history_[key];
    // The requests the datagram can answer: sent before it came, within reach.
    struct Candidate {
        uint32_t request;
        bool earlier; // a request of an earlier pass
    };
    std::vector<Candidate> candidates;
    const auto inReach = [tick](uint32_t r) {
        return since(r, tick) >= 0 && since(r, tick) < static_cast<int32_t>(reach);
    };
    for (uint32_t r : h.earlier) {
        if (inReach(r)) {
            candidates.push_back({r, true});
        }
    }
    for (uint32_t r : s.requests) {
        if (inReach(r)) {
            candidates.push_back({r, false});
        }
    }
    if (candidates.empty()) {
        return {};
    }
    const bool certain = candidates.size() == 1;
    std::optional<Candidate> known;
    // Whether a candidate's round trip is near trip.
    const double tolerance = std::max<double>(margin, 4 * h.variation);
    const auto near = [&](const Candidate& c, double trip) {
        return std::abs(since(c.request, tick) - trip) <= tolerance;
    };
    if (certain) {
        known = candidates.front();
    } else if (h.smoothed) {
        // The one request whose round trip is near the server's smoothed one, if only one is.
        for (const Candidate& c : candidates) {
            if (near(c, *h.smoothed)) {
                if (known) {
                    known.reset();
                    break;
                }
                known = c;
            }
        }
    }
    if (!known) {
        // Told by nothing: while a request of an earlier pass may still be answered, the
        // datagram is taken for that late reply rather than for this pass's.
        auto earliest = std::find_if(candidates.begin(), candidates.end(),
                                     [](const Candidate& c) { return c.earlier; });
        if (earliest != candidates.end()) {
            known = *earliest;
        }
    }
    if (known && known->earlier) {
        // A late reply to an earlier pass: that request is answered, this pass's is not.
        h.earlier.erase(std::find(h.earlier.begin(), h.earlier.end(), known->request));
        if (certain) {
            sample(h, tick - known->request);
        }
        return {};
    }
    std::optional<uint32_t> ping;
    s.unsettled.clear();
    if (known) {
        ping = tick - known->request;
        s.answeredRequest = known->request;
    } else if (h.lastCertain && std::any_of(candidates.begin(), candidates.end(),
                                            [&](auto& c) { return near(c, *h.lastCertain); })) {
        ping = *h.lastCertain;
    } else {
        // Never measured, or its path has changed (no request fits its last round trip): which
        // request it answers is told by a second reply, if one comes; the server is asked once
        // more at once, if it has a request left, for one.
        for (const Candidate& c : candidates) {
            s.unsettled.push_back(c.request);
        }
        if (s.requests.size() < static_cast<size_t>(maxRequests)) {
            // After the reply's parts: a reply within partWindow could be taken for one.
            s.probeAt = tick + partWindow;
        }
    }
    if (certain) {
        sample(h, *ping);
    } else {
        // No sample; the server waits longer, as long as the wait that found the reply at
        // least, until a certain one comes.
        h.wait = std::min(maxWait, std::max(2 * h.wait, waitAfter(key, s)));
    }
    const ReplyMarks marks = replyMarks(datagram, maxParts);
    s.answered = true;
    s.silent = false;
    s.reply = Reply{ping, tick, tick, marks.id, {}, 0, {}, 0, std::nullopt};
    if (marks.id.empty()) {
        s.reply.hashes = {std::hash<std::string_view>{}(datagram)};
        s.reply.players = marks.players;
        s.reply.told = marks.numplayers;
    } else {
        s.reply.parts = {marks.part};
        s.reply.finalPart = marks.final ? marks.part : 0;
    }
    answered_ += s.rows;
    return {true, ping};
}

QuerySchedule::Heard QuerySchedule::furtherPart(Server& s, std::string_view datagram,
                                                uint32_t tick) {
    Reply& r = s.reply;
    const ReplyMarks marks = replyMarks(datagram, maxParts);
    if (r.id.empty()) {
        const size_t hash = std::hash<std::string_view>{}(datagram);
        if (!marks.id.empty() || since(r.first, tick) < 0 ||
            since(r.first, tick) >= static_cast<int32_t>(partWindow) ||
            r.hashes.size() >= static_cast<size_t>(maxParts) ||
            std::find(r.hashes.begin(), r.hashes.end(), hash) != r.hashes.end()) {
            return {};
        }
        const std::optional<int32_t> told = r.told ? r.told : marks.numplayers;
        if (told && (r.players >= *told || r.players + marks.players > *told)) {
            return {}; // the reply's players are all listed: a flood adds none
        }
        r.hashes.push_back(hash);
        r.players += marks.players;
        r.told = told;
        return {true, r.ping};
    }
    const bool complete = r.finalPart > 0 && static_cast<int>(r.parts.size()) >= r.finalPart;
    if (marks.id != r.id || complete || since(r.last, tick) < 0 ||
        since(r.last, tick) > static_cast<int32_t>(partGap) ||
        (r.finalPart > 0 && marks.part > r.finalPart) ||
        std::find(r.parts.begin(), r.parts.end(), marks.part) != r.parts.end() ||
        (marks.final &&
         std::any_of(r.parts.begin(), r.parts.end(), [&](int p) { return p > marks.part; }))) {
        return {};
    }
    r.parts.push_back(marks.part);
    if (marks.final) {
        r.finalPart = marks.part;
    }
    r.last = tick;
    return {true, r.ping};
}

std::optional<uint32_t> QuerySchedule::settle(const std::string& key, Server& s, uint32_t tick) {
    const Reply& r = s.reply;
    // Not a part of the first reply (furtherPart took those), and not a copy of one: copies
    // come together. Servers that number their replies may number every one alike.
    if (since(r.first, tick) < static_cast<int32_t>(partWindow)) {
        return std::nullopt;
    }
    // The first reply answers request a and this one a later request b, with one round trip.
    std::optional<uint32_t> fits;
    for (uint32_t a : s.unsettled) {
        for (uint32_t b : s.requests) {
            const int32_t gap = since(a, b) - since(r.first, tick);
            if (since(a, b) > 0 && std::abs(gap) <= static_cast<int32_t>(margin)) {
                if (fits && *fits != r.first - a) {
                    return std::nullopt; // pairs of two round trips fit: nothing is told
                }
                fits = r.first - a;
            }
        }
    }
    if (fits) {
        s.unsettled.clear();
        s.reply.ping = fits;
        sample(history_[key], *fits);
    }
    return fits;
}

QuerySchedule::Heard QuerySchedule::received(const std::string& key, std::string_view datagram,
                                             uint32_t tick) {
    auto found = servers_.find(key);
    if (found == servers_.end()) {
        return {};
    }
    Server& s = found->second;
    const bool awaited = awaits(s);
    Heard heard;
    if (!s.answered) {
        heard = firstOfReply(key, s, datagram, tick);
    } else {
        heard = furtherPart(s, datagram, tick);
        if (!heard.counts && !s.unsettled.empty()) {
            heard = {false, settle(key, s, tick)};
        }
    }
    awaiting_ -= awaited && !awaits(s);
    // A reply ends the server's waiting, sets a probe, or (a late one to an earlier pass)
    // changes its wait.
    retime(key, s);
    dropStale();
    return heard;
}

QuerySchedule::Due QuerySchedule::due(uint32_t now) {
    Due due;
    while (!timers_.empty() && since(timers_.top().at, now) >= 0) {
        const std::string key = timers_.top().key;
        timers_.pop();
        Server& s = servers_.at(key);
        s.dueAt.reset();
        if (s.probeAt && since(*s.probeAt, now) >= 0) {
            s.probeAt.reset();
            s.requests.push_back(now);
            due.resend.push_back(s.destination);
        } else if ((awaits(s) || probing(s)) && static_cast<int>(s.requests.size()) < maxRequests) {
            // A request without a reply, or a probe: a lost probe tells nothing, so the
            // server is asked once more while it has a request left.
            s.requests.push_back(now);
            due.resend.push_back(s.destination);
        } else if (awaits(s)) {
            s.silent = true;
            --awaiting_;
            due.silent.push_back(s.destination);
        }
        retime(key, s);
        dropStale();
    }
    return due;
}

std::optional<uint32_t> QuerySchedule::untilDue(uint32_t now) const {
    if (timers_.empty()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(std::max(0, since(now, timers_.top().at)));
}

} // namespace vkr
