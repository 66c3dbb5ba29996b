#include "headless/SignalCancel.h"

#include <unistd.h>

#include "util/AtomicFile.h"
#include "util/CancelRequest.h"

namespace {

volatile std::sig_atomic_t received = 0;

void OnCancelSignal(int signal) {
    if (received) {
        // Asked twice: the job is not listening, so leave now, but leave no half file.
        RemoveTemporariesInProgress();
        _exit(128 + signal);
    }
    received = signal;
    RequestCancel();
}

}  // namespace

SignalCancel::SignalCancel() {
    received = 0;
    ClearCancelRequest();
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        struct sigaction action {};
        action.sa_handler = kSignals[i] == SIGPIPE ? SIG_IGN : OnCancelSignal;
        sigemptyset(&action.sa_mask);
        sigaction(kSignals[i], &action, &previous[i]);
    }
}

SignalCancel::~SignalCancel() {
    for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &previous[i], nullptr);
}

int SignalCancel::Received() {
    return received;
}
