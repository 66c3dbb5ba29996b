#pragma once

#include <functional>
#include <memory>

#include "ports/Messages.h"
#include "ports/Progress.h"

class CDocument;
class CImageDoc;
class CMosaDoc;
struct PanSettings;

// What jobs need of documents and their windows. The desktop application shows each
// document in a window; the headless front end only keeps it.
class Documents {
  public:
    virtual ~Documents() = default;
    // A new image document without a picture yet, shown (where there is a display) until it
    // is closed.
    virtual CImageDoc* NewImageDocument() = 0;
    // A new map document with the pending parameters, or (without them) with parameters the
    // front end asks the user for; none when the user declined.
    virtual CMosaDoc* NewMapDocument(const PanSettings* pending) = 0;
    // Closes any document this front end made, with its windows.
    virtual void CloseDocument(CDocument* document) = 0;
};

// The ports a job reaches the user through.
struct JobPorts {
    Messages& messages;
    Documents& documents;
    std::function<std::unique_ptr<Progress>()> newProgress;
};
