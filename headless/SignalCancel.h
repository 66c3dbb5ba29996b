#pragma once

#include <csignal>
#include <iterator>

// For the length of a headless run: SIGINT, SIGTERM and SIGHUP ask the job to cancel at its
// next safe point; a second one ends the process at once, after removing any temporary file
// still being written. A closed standard error (SIGPIPE) no longer ends the process: the
// job goes on and its messages are lost.
class SignalCancel {
  public:
    SignalCancel();
    ~SignalCancel();
    SignalCancel(const SignalCancel&) = delete;
    SignalCancel& operator=(const SignalCancel&) = delete;

    // The signal that asked for cancel; 0 when none came.
    static int Received();

  private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
    struct sigaction previous[std::size(kSignals)]{};
};
