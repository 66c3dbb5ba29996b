#pragma once

#include <string>
#include <thread>

#include "deep/DeepFiles.h"
#include "document/JobResult.h"
#include "fiveview/DeepFiveViewJob.h"
#include "fiveview/PixelPaths.h"

// The deep five-view job's sequence overlap: the next frame's faces are read, and the last
// frame's dome is written, each on a thread of its own (holding no cancelling signals) while
// the job renders. What they find is told on the job's thread, in frame order.

// Reads and prepares (crop, half pans) a frame's five faces ahead of their frame.
class DeepFaceReader {
  public:
    DeepFaceReader() = default;
    DeepFaceReader(const DeepFaceReader&) = delete;
    DeepFaceReader& operator=(const DeepFaceReader&) = delete;

    // Starts reading the frame's faces; the settings must outlive the read.
    void Start(const DeepFrameFiles& frame, const FiveViewSettings& settings);
    // Waits for the read and hands its faces over; an empty answer when all came, else what
    // went wrong.
    std::string Take(DeepFaces& faces);

  private:
    DeepFaces faces;
    std::string problem;
    std::jthread reading;
};

// Writes finished domes one at a time behind the job.
class DeepFrameWriter {
  public:
    explicit DeepFrameWriter(const DeepWriteOptions& options) : options(options) {}
    DeepFrameWriter(const DeepFrameWriter&) = delete;
    DeepFrameWriter& operator=(const DeepFrameWriter&) = delete;

    // Takes the dome over (the job's picture is left empty) and starts writing it; the
    // frame in hand must have been finished.
    void Start(DeepPicture& dome, const std::string& name);
    // Waits for the frame in hand, if any, and counts it: "Could not write NAME: why" on a
    // failure. False when a cancelling signal stopped the write and the job is to stop.
    bool Finish(Messages& messages, JobResult& result);

  private:
    const DeepWriteOptions& options;
    DeepPicture picture;
    std::string name;
    std::string problem;
    bool written = false;
    bool inHand = false;
    std::jthread writing;
};

// Counts a deep frame's write: "Could not write NAME: why" on a failure; false when a
// cancelling signal stopped the write and the job is to stop.
bool CountDeepWrite(bool written, const std::string& name, const std::string& problem,
                    Messages& messages, JobResult& result);

// Reads a frame's faces and prepares them as the settings ask; an empty answer when all
// came, else what went wrong.
std::string LoadDeepFaces(const DeepFrameFiles& frame, const FiveViewSettings& settings,
                          DeepFaces& faces);
