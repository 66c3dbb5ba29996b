#pragma once

#include <functional>
#include <memory>

#include "ports/FrameEvents.h"
#include "ports/Messages.h"
#include "ports/Progress.h"

class CDocument;

// What jobs need of documents and their windows. The desktop application shows each
// document in a window; the headless front end only keeps it.
class Documents {
  public:
    virtual ~Documents() = default;
    // Takes a new document a job made; it stays (shown where there is a display) until it is
    // closed.
    virtual void Adopt(std::unique_ptr<CDocument> document) = 0;
    // Closes any document this front end holds, with its windows.
    virtual void CloseDocument(CDocument* document) = 0;
};

// The ports a job reaches the user through.
struct JobPorts {
    Messages& messages;
    Documents& documents;
    std::function<std::unique_ptr<Progress>()> newProgress;
    FrameEvents* frameEvents = nullptr;  // none: nobody counts frames
};
