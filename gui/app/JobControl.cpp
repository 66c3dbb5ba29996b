#include "gui/app/JobControl.h"

#include <algorithm>
#include <utility>

JobControl::Running::Running(JobControl& jobControl, std::initializer_list<CDocument*> inUse)
    : control(jobControl) {
    ++control.depth;
    for (const CDocument* document : inUse) control.AddDocument(document);
}

JobControl::Running::~Running() {
    if (--control.depth == 0) control.Finish();
}

bool JobControl::Uses(const CDocument* document) const {
    return std::find(documents.begin(), documents.end(), document) != documents.end();
}

void JobControl::AddDocument(const CDocument* document) {
    if (IsRunning() && document && !Uses(document)) documents.push_back(document);
}

void JobControl::ForgetDocument(const CDocument* document) {
    std::erase(documents, document);
}

void JobControl::Cancel(const void* owner, std::function<void()> then) {
    if (!IsRunning()) {
        if (then) then();
        return;
    }
    cancelRequested = true;
    const bool held = std::any_of(afterJob.begin(), afterJob.end(),
                                  [owner](const auto& action) { return action.first == owner; });
    if (then && !held) afterJob.emplace_back(owner, std::move(then));
}

void JobControl::Finish() {
    documents.clear();
    cancelRequested = false;
    // What was held back may close windows or ask questions; it runs with the job gone.
    const auto held = std::exchange(afterJob, {});
    for (const auto& [owner, action] : held) action();
}
