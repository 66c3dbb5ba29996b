#include "document/JobResult.h"

#include "util/CancelRequest.h"

bool SaveFrame(CDocument& document, const std::string& name, Progress& progress, Messages& messages,
               JobResult& result) {
    if (document.OnSaveDocument(name, messages)) {
        ++result.framesWritten;
        return true;
    }
    progress.PumpMessages(1);
    if (progress.cancelled || CancelRequested()) {
        result.cancelled = true;
        return false;
    }
    ++result.saveFailures;
    messages.Show("Could not write " + name, MessageButtons::kOk);
    return true;
}
