#include "util/CancelRequest.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t requested = 0;

}  // namespace

void RequestCancel() {
    requested = 1;
}

bool CancelRequested() {
    return requested != 0;
}

sigset_t CancellingSignals() {
    sigset_t cancelling;
    sigemptyset(&cancelling);
    for (const int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&cancelling, s);
    return cancelling;
}

void KeepCancellingSignalsOffThisThread() {
    const sigset_t cancelling = CancellingSignals();
    pthread_sigmask(SIG_BLOCK, &cancelling, nullptr);
}

void ClearCancelRequest() {
    requested = 0;
}
