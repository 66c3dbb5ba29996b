#pragma once

#include <signal.h>

// A cancel asked for from outside the job (a signal): a handler sets it, and jobs and file
// writes see it at their next safe point.
void RequestCancel();  // safe to call from a signal handler
bool CancelRequested();
void ClearCancelRequest();

// The signals that cancel a job: SIGINT, SIGTERM and SIGHUP.
sigset_t CancellingSignals();
// For threads the program starts: the cancelling signals go to the thread that runs the job,
// never to a worker, so a signal cannot come while the job's thread has them held back.
void KeepCancellingSignalsOffThisThread();
