#pragma once

#include <string>

// A file that appears under its name only when it is complete. The bytes go to a hidden
// temporary beside the target (same directory, so the rename cannot cross file systems),
// which is flushed to disk and then renamed over the target in one step: a failed or
// interrupted write leaves the old file as it was and no temporary behind.
//
// A target that exists and is not a regular file (a device, a pipe) cannot be replaced by a
// rename; it is written in place. A symbolic link is followed, so the link stays a link.
class AtomicFile {
  public:
    explicit AtomicFile(const std::string& target);
    ~AtomicFile();  // discards the temporary unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when no temporary could be made (the directory is missing or not writable).
    bool IsOpen() const { return made; }
    // Where the writer puts the bytes. Without a temporary it is a name in the target's
    // directory that cannot be opened either, so a writer fails there in its own words; what
    // it may leave goes with Discard.
    const std::string& WriteName() const { return writeName; }
    // Flushes the written file to disk and renames it over the target. Answers false, with the
    // temporary removed and the target untouched, when that fails or a cancel was requested.
    bool Commit();
    // Removes the temporary; the target stays as it was.
    void Discard();

  private:
    std::string target;
    std::string writeName;
    bool open = false;  // there is a write name to clean up
    bool made = false;  // the temporary was made, or the target is written in place
    bool inPlace = false;
    int slot = -1;
};

// Removes every temporary still being written and nothing else. Safe to call from a signal
// handler that ends the process at once.
void RemoveTemporariesInProgress();
