#pragma once

#include <memory>
#include <string>

#include "document/JobResult.h"
#include "ports/Documents.h"
#include "ports/Messages.h"
#include "ports/Progress.h"
#include "sequence/ImageSequence.h"
#include "util/PathParts.h"

// What the batch jobs share: the sequence a run goes through, the numbered output names
// and the question before the run.

// What became of a batch run.
struct BatchResult : JobResult {
    bool started = false;  // the user confirmed and the frames were gone through
};

struct BatchPlan {
    std::string sequenceName;
    int count = 0;  // files on disk when counted, numbered or not
    int first = -1;
    int last = -1;
    int digitCount = 0;
    PathParts output;
    ImageSequence sequence;  // the numbered members, emptied from the front as the run goes
};

// One frame of a run.
struct BatchFrame {
    int frame = 0;
    std::string inputPath;
    std::string outputName;  // the output parts around the frame in digitCount digits
};

// Counts the sequence that frameFile belongs to (frameFile may also be the sequence name);
// tells the user when it has no files. Answers the count.
int CountBatchSequence(const std::string& frameFile, BatchPlan& plan, Messages& messages);

// Counts, checks the output name (a writable type), scans the sequence and asks the user to
// confirm with the file count, the frame range and the output name with "#" for the digits.
// True when the run should go ahead.
bool PrepareBatch(const std::string& frameFile, const std::string& outputName, BatchPlan& plan,
                  Messages& messages);

// Takes the first frame of the sequence, which must not be empty.
BatchFrame TakeFrame(BatchPlan& plan);

// An opened progress display for a run over the plan's frames.
std::unique_ptr<Progress> OpenBatchProgress(const char* title, const BatchPlan& plan,
                                            JobPorts& ports);

// After a frame: steps and pumps the display; true when the user asked to stop.
bool FrameDone(Progress& progress);
