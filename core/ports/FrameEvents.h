#pragma once

#include <string>

// Told of each frame as a job finishes with it, for a front end that counts frames rather
// than rows (a render farm's progress). Called on the job's thread, in frame order.
class FrameEvents {
  public:
    virtual ~FrameEvents() = default;
    // The frame's output is complete on disk under the name.
    virtual void FrameWritten(const std::string& name) = 0;
    // The frame's output was not written; the job has told the user why.
    virtual void FrameFailed(const std::string& name) = 0;
};
