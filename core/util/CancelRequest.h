#pragma once

// A cancel asked for from outside the job (a signal): a handler sets it, and jobs and file
// writes see it at their next safe point.
void RequestCancel();  // safe to call from a signal handler
bool CancelRequested();
void ClearCancelRequest();
