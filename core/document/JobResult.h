#pragma once

#include <string>

#include "document/Document.h"
#include "ports/FrameEvents.h"
#include "ports/Messages.h"
#include "ports/Progress.h"

// What became of a job that writes frames.
struct JobResult {
    int framesWritten = 0;
    int framesSkipped = 0;  // an input did not load, or an output could not be made
    int saveFailures = 0;
    bool cancelled = false;
    FrameEvents* events = nullptr;  // told of each frame as it is counted

    void Written(const std::string& name);
    void Skipped(const std::string& name);
    void SaveFailed(const std::string& name);
};

// Saves the document's picture as one frame of a job and counts what became of it. A save
// the user's cancel stopped (it leaves no file) counts as the cancel; any other failure is
// counted and reported as "Could not write <name>". False when the job is to stop.
bool SaveFrame(CDocument& document, const std::string& name, Progress& progress, Messages& messages,
               JobResult& result);
