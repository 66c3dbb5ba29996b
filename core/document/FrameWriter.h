#pragma once

#include <string>
#include <thread>

#include "document/JobResult.h"
#include "image/Image.h"

// Writes a job's finished frame on a thread of its own while the job goes on with the next
// one. The frame is copied first, so the job may draw over its picture at once. Finish
// waits for it and then counts and reports it on the job's thread, as SaveFrame does: a
// write a cancelling signal stopped (it leaves no file) counts as the cancel, any other
// failure is counted and reported as "Could not write <name>".
class FrameWriter {
  public:
    FrameWriter() = default;
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;
    ~FrameWriter();

    // Waits for the frame in hand, if any (counting it), then starts on this one. Without
    // the memory for a copy the frame is written at once instead.
    void Start(const CImage& picture, const std::string& name, CDocument& document,
               Messages& messages, JobResult& result);
    // Waits for the frame in hand, if any, and counts it. False when a cancelling signal
    // stopped its write and the job is to stop.
    bool Finish(CDocument& document, Messages& messages, JobResult& result);

  private:
    CImage copy;
    std::string name;
    std::jthread writing;
    int saved = 0;
    bool inHand = false;
};
