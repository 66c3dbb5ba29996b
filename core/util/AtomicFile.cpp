#include "util/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>

#include "util/CancelRequest.h"

namespace {

// Temporaries being written, for a signal handler that must remove them before the process
// ends. Fixed storage, because a handler may not allocate; it reads only the slots whose path
// is complete.
constexpr int kSlots = 16;

struct TemporarySlot {
    char path[PATH_MAX];
    volatile std::sig_atomic_t used;
};

TemporarySlot slots[kSlots];
std::mutex slotMutex;

int Register(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    const std::lock_guard lock(slotMutex);
    for (int i = 0; i < kSlots; ++i) {
        if (slots[i].used) continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        slots[i].used = 1;
        return i;
    }
    return -1;
}

void Unregister(int slot) {
    if (slot >= 0) slots[slot].used = 0;
}

mode_t ProcessUmask() {
    static const mode_t mask = [] {
        // Read where the kernel shows it: umask() itself would change it for a moment, for
        // every thread.
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("Umask:", 0) == 0) {
                return static_cast<mode_t>(std::strtol(line.c_str() + 6, nullptr, 8));
            }
        }
        const mode_t old = umask(022);
        umask(old);
        return old;
    }();
    return mask;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a link points to, so that the link itself stays; empty when it points nowhere.
std::string ResolvedLink(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

bool FlushToDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& name) : target(name) {
    struct stat info {};
    if (lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        const std::string resolved = ResolvedLink(target);
        if (!resolved.empty()) target = resolved;
    }
    const bool exists = stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        writeName = target;
        inPlace = true;
        open = made = true;
        return;
    }
    std::string pattern = DirectoryOf(target) + ".mosa-XXXXXX";
    // A signal between making the temporary and registering it would leave it behind, so the
    // cancelling signals wait until the handler can see it.
    const sigset_t cancelling = CancellingSignals();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &cancelling, &previous);
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    writeName = pattern;
    open = true;
    if (fd >= 0) slot = Register(writeName);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (fd < 0) return;
    // A replaced file keeps its permissions; a new one gets what the user's umask gives.
    const mode_t mode = exists ? info.st_mode & 07777 : 0666 & ~ProcessUmask();
    const bool ready = fchmod(fd, mode) == 0;
    ::close(fd);
    made = ready;
}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Commit() {
    if (!open) return false;
    if (inPlace) {
        open = false;
        return true;
    }
    if (!made || !FlushToDisk(writeName) || CancelRequested() ||
        std::rename(writeName.c_str(), target.c_str()) != 0) {
        Discard();
        return false;
    }
    Unregister(slot);
    slot = -1;
    open = false;
    return true;
}

void AtomicFile::Discard() {
    if (!open) return;
    if (!inPlace) ::unlink(writeName.c_str());
    Unregister(slot);
    slot = -1;
    open = false;
}

void RemoveTemporariesInProgress() {
    for (TemporarySlot& s : slots) {
        if (s.used) ::unlink(s.path);
    }
}
