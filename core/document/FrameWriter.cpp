#include "document/FrameWriter.h"

#include <cstring>

#include "document/PictureLoad.h"
#include "image/FileTypeTable.h"
#include "util/CancelRequest.h"

namespace {

// The pixels and alpha plane of a 24-bit picture into another, reusing its memory when the
// size stays.
bool CopyPicture(const CImage& from, CImage& to) {
    if (!from.HasImage() || from.BitsPerPixel() != 24) return false;
    const bool alpha = from.AlphaBits() != nullptr;
    if (!to.HasImage() || to.Width() != from.Width() || to.Height() != from.Height() ||
        to.BitsPerPixel() != 24 || (to.AlphaBits() != nullptr) != alpha) {
        if (!to.Create(from.Width(), from.Height(), 24, -1)) return false;
        if (alpha && !to.AllocAlpha()) return false;
    }
    const size_t rows = static_cast<size_t>(from.Height());
    std::memcpy(to.Bits(), from.Bits(), rows * static_cast<size_t>(from.RowBytes()));
    if (alpha) {
        const size_t alphaRow = static_cast<size_t>(from.GetImpl()->AlphaRowBytes());
        std::memcpy(to.AlphaBits(), from.AlphaBits(), rows * alphaRow);
    }
    return true;
}

}  // namespace

FrameWriter::~FrameWriter() = default;  // joins a write still in hand

void FrameWriter::Start(const CImage& picture, const std::string& frameName, CDocument& document,
                        Messages& messages, JobResult& result) {
    Finish(document, messages, result);
    if (!CopyPicture(picture, copy)) {
        // No memory for a second picture: write this one where it is.
        SilentProgress noDisplay;
        SaveFrame(document, frameName, noDisplay, messages, result);
        return;
    }
    name = frameName;
    inHand = true;
    writing = std::jthread([this] {
        KeepCancellingSignalsOffThisThread();
        saved = SaveByExtension(copy, name);
    });
}

bool FrameWriter::Finish(CDocument& document, Messages& messages, JobResult& result) {
    if (!inHand) return true;
    writing.join();
    inHand = false;
    ReportPictureProblems(copy, messages);
    if (saved) {
        document.SetModified(false);
        result.Written(name);
        return true;
    }
    if (CancelRequested()) {
        result.cancelled = true;
        return false;
    }
    messages.Show("Could not write " + name, MessageButtons::kOk);
    result.SaveFailed(name);
    return true;
}
