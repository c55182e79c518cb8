#pragma once

#include "net/address.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace vkr {

// A host name whose look-up has not ended after this long counts as one that does not resolve:
// a name server that never answers holds nothing up for longer.
inline constexpr int hostLookUpTimeoutMs = 5000;

// Look-ups that run at once in the whole program; further names wait their turn.
inline constexpr int maxRunningLookUps = 32;

} // namespace vkr

// Host-name look-ups on threads of their own, each reported back on this object's thread. A
// look-up never holds anything up: the thread that starts it does not wait for it, and one still
// running when this object goes, or when the program ends, is abandoned rather than waited for.
//
// The look-ups of the whole program (every HostLookups) are shared: a name is looked up once at
// a time, whoever asks for it while it runs or waits its turn gets its result, and at most
// vkr::maxRunningLookUps run at once, the other names queued in the order they were asked for.
// A name whose system look-up hangs thus holds one thread, however often it is asked for.
class HostLookups : public QObject {
    Q_OBJECT
public:
    explicit HostLookups(QObject* owner = nullptr);
    ~HostLookups() override;

    // Looks name up (vkr::lookUpIPv4) and calls done with its address, 0.0.0.0 when it does not
    // resolve. When the look-up has not ended timeoutMs after this call (0: no limit), done gets
    // 0.0.0.0 then, never earlier, as for a name that does not resolve, and the look-up's own end
    // is ignored. done is called once, on this object's thread, never after this object is gone.
    void start(const std::string& name, int timeoutMs, std::function<void(vkr::IPv4Bytes)> done);

    // The look-ups of the whole program that run now, and the names queued behind them.
    static int running();
    static int queued();

private:
    // What the look-up threads report to: this object while it lives.
    struct Relay;
    std::shared_ptr<Relay> relay_;
};
