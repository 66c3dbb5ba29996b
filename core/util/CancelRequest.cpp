#include "util/CancelRequest.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t requested = 0;

}  // namespace

void RequestCancel() {
    requested = 1;
}

bool CancelRequested() {
    return requested != 0;
}

void ClearCancelRequest() {
    requested = 0;
}
