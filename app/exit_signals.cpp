#include "app/exit_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeFds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile sig_atomic_t firstSignal = 0;

extern "C" void onGiveUp(int) {
    ::_exit(128 + firstSignal);
}

extern "C" void onExitSignal(int sig) {
    // Any further signal of the three ends the program at once, and so does the alarm when the
    // save and close have not ended the program in time (a message waiting for a click).
    for (int s : kSignals) {
        ::signal(s, SIG_DFL);
    }
    firstSignal = sig;
    ::signal(SIGALRM, onGiveUp);
    ::alarm(ExitSignals::kGiveUpSeconds);
    char byte = 1;
    (void)!::write(pipeFds[1], &byte, 1);
}

} // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return; // the signals keep their default action: the program ends without a save
    }
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char buf[16];
        while (::read(pipeFds[0], buf, sizeof buf) > 0) {
        }
        emit received();
    });
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals) {
        ::sigaction(sig, &action, nullptr);
    }
}

ExitSignals::~ExitSignals() {
    if (notifier_) {
        for (int sig : kSignals) {
            ::signal(sig, SIG_DFL);
        }
        delete notifier_;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        pipeFds[0] = pipeFds[1] = -1;
    }
}
