#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfThreading.h>
#include <half.h>
#include <pthread.h>

#include <exception>
#include <mutex>
#include <vector>

#include "deep/DeepFiles.h"
#include "image/PictureAllowance.h"
#include "util/BinaryFile.h"
#include "util/CancelRequest.h"
#include "util/RenderThreads.h"

namespace {

// No OpenEXR compression expands further than this (ZIP and PIZ are bounded by deflate and
// Huffman coding); a header with next to no data behind it is refused before the picture.
constexpr int64_t kMostExpansion = 4096;

// The library's limits, and its thread pool for compressing and decompressing blocks of
// lines on the render threads.
void SetUpLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        Imf::Header::setMaxImageSize(65535, 65535);
        Imf::Header::setMaxTileSize(65535, 65535);
        // The pool's threads inherit this thread's signal mask: with the cancelling signals
        // held back here, those go to the job's thread only, as with the render threads.
        const sigset_t cancelling = CancellingSignals();
        sigset_t previous;
        pthread_sigmask(SIG_BLOCK, &cancelling, &previous);
        Imf::setGlobalThreadCount(RenderThreads());
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    });
}

// OpenEXR 3.1 allocates header attributes at sizes the file declares before reading them,
// and reads the types it knows by their own sizes, whatever the file declares: a few bytes can
// ask for gigabytes, or lead its reading astray. The headers are walked here first, and
// every attribute must fit in the file and declare the size its type has (a channel list its
// entries, a preview its pixels, a string vector its strings). Deep-data files, and the ID
// manifests that hold compressed sizes of their own, are not read.
class HeaderWalk {
  public:
    HeaderWalk(const std::string& name, int64_t fileBytes) : file(name), fileBytes(fileBytes) {}

    bool FitsInFile() {
        uint8_t start[8];
        if (!file.ReadExactly(start, sizeof start)) return false;
        if (start[0] != 0x76 || start[1] != 0x2f || start[2] != 0x31 || start[3] != 0x01) {
            return false;
        }
        const uint32_t flags = uint32_t{start[5]} | uint32_t{start[6]} << 8;
        if (flags & 0x08) return false;  // deep data
        const bool multipart = (flags & 0x10) != 0;
        // A header is attributes closed by an empty name; a multi-part file closes its list
        // of headers with one more empty name.
        for (int header = 0;; ++header) {
            for (int attribute = 0;; ++attribute) {
                std::string name;
                if (!ReadName(name)) return false;
                if (name.empty()) {
                    if (attribute == 0 && header > 0) return true;
                    break;
                }
                if (!WalkAttribute()) return false;
            }
            if (!multipart) return true;
        }
    }

  private:
    bool ReadName(std::string& text) {
        uint8_t c = 0;
        while (file.ReadExactly(&c, 1) && c != 0) {
            if (text.size() >= 255) return false;
            text += static_cast<char>(c);
        }
        return c == 0;
    }
    bool ReadInt(int64_t& value) {
        uint8_t b[4];
        if (!file.ReadExactly(b, 4)) return false;
        value = static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 |
                                     uint32_t{b[3]} << 24);
        return true;
    }
    bool Skip(int64_t bytes) {
        return bytes >= 0 && bytes <= fileBytes - file.Position() &&
               file.Seek(file.Position() + bytes);
    }
    // The size of the types the library reads by their own size; -1 for the others.
    static int64_t FixedSize(const std::string& type) {
        static const std::pair<const char*, int64_t> kSizes[] = {
            {"box2i", 16},    {"box2f", 16},   {"compression", 1},
            {"lineOrder", 1}, {"float", 4},    {"double", 8},
            {"int", 4},       {"v2i", 8},      {"v2f", 8},
            {"v2d", 16},      {"v3i", 12},     {"v3f", 12},
            {"v3d", 24},      {"m33f", 36},    {"m33d", 72},
            {"m44f", 64},     {"m44d", 128},   {"chromaticities", 32},
            {"envmap", 1},    {"keycode", 28}, {"timecode", 8},
            {"rational", 8},  {"tiledesc", 9}, {"deepImageState", 1},
        };
        for (const auto& [name, size] : kSizes) {
            if (type == name) return size;
        }
        return -1;
    }
    bool WalkAttribute() {
        std::string type;
        int64_t size = 0;
        if (!ReadName(type) || !ReadInt(size) || size < 0) return false;
        if (size > fileBytes - file.Position() || type == "idmanifest") return false;
        const int64_t end = file.Position() + size;
        if (type == "chlist") {
            // Entries of a name and 16 bytes, up to an empty name.
            for (;;) {
                std::string channel;
                if (!ReadName(channel)) return false;
                if (channel.empty()) break;
                if (!Skip(16)) return false;
            }
        } else if (type == "preview") {
            int64_t width = 0, height = 0;
            if (!ReadInt(width) || !ReadInt(height) || width < 0 || height < 0 ||
                width * height * 4 != size - 8 || !Skip(size - 8)) {
                return false;
            }
        } else if (type == "stringvector") {
            while (file.Position() < end) {
                int64_t length = 0;
                if (!ReadInt(length) || length < 0 || length > end - file.Position() ||
                    !Skip(length)) {
                    return false;
                }
            }
        } else {
            const int64_t fixed = FixedSize(type);
            if (fixed >= 0 && size != fixed) return false;
            if (!Skip(size)) return false;
        }
        return file.Position() == end;
    }

    InputFile file;
    int64_t fileBytes;
};

// A file of scan lines holds an offset for each block of lines: one that cannot is damaged,
// and is refused before pictures of its declared size are made.
bool OffsetTableFits(const Imf::Header& header, int64_t height, int64_t fileBytes) {
    if (header.hasTileDescription()) return true;
    int64_t lines = 1;
    switch (header.compression()) {
        case Imf::ZIP_COMPRESSION:
        case Imf::PXR24_COMPRESSION:
            lines = 16;
            break;
        case Imf::PIZ_COMPRESSION:
        case Imf::B44_COMPRESSION:
        case Imf::B44A_COMPRESSION:
        case Imf::DWAA_COMPRESSION:
            lines = 32;
            break;
        case Imf::DWAB_COMPRESSION:
            lines = 256;
            break;
        default:
            break;
    }
    return (height + lines - 1) / lines * 8 <= fileBytes;
}

Imf::Compression CompressionOf(ExrCompression compression) {
    switch (compression) {
        case ExrCompression::kNone:
            return Imf::NO_COMPRESSION;
        case ExrCompression::kPiz:
            return Imf::PIZ_COMPRESSION;
        case ExrCompression::kDwaa:
            return Imf::DWAA_COMPRESSION;
        default:
            return Imf::ZIP_COMPRESSION;
    }
}

// One float plane per channel, top row first, for OpenEXR's frame buffer.
struct Planes {
    int width = 0;
    int height = 0;
    std::vector<float> samples[DeepPicture::kChannels];

    Planes(int w, int h, int channels) : width(w), height(h) {
        for (int c = 0; c < channels; ++c) {
            samples[c].assign(static_cast<size_t>(w) * static_cast<size_t>(h), c == 3 ? 1.0f : 0);
        }
    }
    float& At(int c, int x, int row) {
        return samples[c][static_cast<size_t>(row) * static_cast<size_t>(width) +
                          static_cast<size_t>(x)];
    }
    // The slice of channel c for a picture whose data window starts at originX, originY.
    Imf::Slice Slice(int c, int originX, int originY, float fill) {
        char* base = reinterpret_cast<char*>(samples[c].data()) -
                     (static_cast<ptrdiff_t>(originY) * width + originX) *
                         static_cast<ptrdiff_t>(sizeof(float));
        return Imf::Slice(Imf::FLOAT, base, sizeof(float), sizeof(float) * width, 1, 1, fill);
    }
};

constexpr const char* kChannelNames[DeepPicture::kChannels] = {"R", "G", "B", "A"};

}  // namespace

bool ReadDeepExr(const std::string& name, DeepPicture& picture, std::string& problem) {
    picture = DeepPicture{};
    SetUpLibrary();
    const int64_t fileBytes = InputFile(name).Size();
    if (!HeaderWalk(name, fileBytes).FitsInFile()) {
        problem = "not an OpenEXR file of pictures, or a damaged one";
        return false;
    }
    try {
        Imf::InputFile file(name.c_str());
        const Imath::Box2i window = file.header().dataWindow();
        const int64_t width = int64_t{window.max.x} - window.min.x + 1;
        const int64_t height = int64_t{window.max.y} - window.min.y + 1;
        const Imf::ChannelList& channels = file.header().channels();
        const bool grey = channels.findChannel("Y") && !channels.findChannel("R");
        const bool alpha = channels.findChannel("A") != nullptr;
        if (width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
            !OffsetTableFits(file.header(), height, fileBytes) ||
            !allowance::DataCanStandFor(width * height, fileBytes * kMostExpansion / 2) ||
            !picture.Create(static_cast<int>(width), static_cast<int>(height), alpha)) {
            problem = "a picture of that size cannot be made from this file";
            picture = DeepPicture{};
            return false;
        }
        Planes planes(static_cast<int>(width), static_cast<int>(height), 4);
        Imf::FrameBuffer buffer;
        if (grey) {
            buffer.insert("Y", planes.Slice(0, window.min.x, window.min.y, 0));
        } else {
            for (int c = 0; c < 3; ++c) {
                buffer.insert(kChannelNames[c], planes.Slice(c, window.min.x, window.min.y, 0));
            }
        }
        if (alpha) buffer.insert("A", planes.Slice(3, window.min.x, window.min.y, 1));
        file.setFrameBuffer(buffer);
        file.readPixels(window.min.y, window.max.y);
        for (int row = 0; row < picture.Height(); ++row) {
            for (int x = 0; x < picture.Width(); ++x) {
                float* p = picture.Pixel(x, picture.Height() - 1 - row);
                for (int c = 0; c < 3; ++c) p[c] = planes.At(grey ? 0 : c, x, row);
                if (alpha) p[3] = planes.At(3, x, row);
            }
        }
        return true;
    } catch (const std::exception& error) {
        problem = error.what();
    }
    picture = DeepPicture{};
    return false;
}

bool WriteDeepExr(const std::string& name, const DeepPicture& picture,
                  const DeepWriteOptions& options, std::string& problem) {
    if (options.depth != SampleDepth::kHalf && options.depth != SampleDepth::kFloat) {
        problem = "OpenEXR is written with half or float samples";
        return false;
    }
    const Imf::PixelType type = options.depth == SampleDepth::kHalf ? Imf::HALF : Imf::FLOAT;
    const int channels = picture.HasAlpha() ? 4 : 3;
    Planes planes(picture.Width(), picture.Height(), channels);
    for (int row = 0; row < picture.Height(); ++row) {
        for (int x = 0; x < picture.Width(); ++x) {
            const float* p = picture.Pixel(x, picture.Height() - 1 - row);
            for (int c = 0; c < channels; ++c) planes.At(c, x, row) = p[c];
        }
    }
    // The library converts samples on reading, not on writing: half channels are written
    // from half planes.
    std::vector<half> halves[DeepPicture::kChannels];
    try {
        Imf::Header header(picture.Width(), picture.Height());
        header.compression() = CompressionOf(options.exrCompression);
        Imf::FrameBuffer buffer;
        for (int c = 0; c < channels; ++c) {
            header.channels().insert(kChannelNames[c], Imf::Channel(type));
            if (type == Imf::FLOAT) {
                buffer.insert(kChannelNames[c], planes.Slice(c, 0, 0, 0));
                continue;
            }
            halves[c].assign(planes.samples[c].begin(), planes.samples[c].end());
            buffer.insert(
                kChannelNames[c],
                Imf::Slice(Imf::HALF, reinterpret_cast<char*>(halves[c].data()), sizeof(half),
                           sizeof(half) * static_cast<size_t>(planes.width)));
        }
        Imf::OutputFile file(name.c_str(), header);
        file.setFrameBuffer(buffer);
        file.writePixels(picture.Height());
        return true;
    } catch (const std::exception& error) {
        problem = error.what();
    }
    return false;
}
