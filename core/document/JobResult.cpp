#include "document/JobResult.h"

#include "util/CancelRequest.h"

void JobResult::Written(const std::string& name) {
    ++framesWritten;
    if (events) events->FrameWritten(name);
}

void JobResult::Skipped(const std::string& name) {
    ++framesSkipped;
    if (events) events->FrameFailed(name);
}

void JobResult::SaveFailed(const std::string& name) {
    ++saveFailures;
    if (events) events->FrameFailed(name);
}

bool SaveFrame(CDocument& document, const std::string& name, Progress& progress, Messages& messages,
               JobResult& result) {
    if (document.OnSaveDocument(name, messages)) {
        result.Written(name);
        return true;
    }
    progress.PumpMessages(1);
    if (progress.cancelled || CancelRequested()) {
        result.cancelled = true;
        return false;
    }
    messages.Show("Could not write " + name, MessageButtons::kOk);
    result.SaveFailed(name);
    return true;
}
