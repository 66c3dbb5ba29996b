#include "PngJpegFiles.h"

#include <cstdlib>
#include <fstream>

#include "support/FileBytes.h"

std::string ConvertFiles::Make(const std::string& source, const std::string& options,
                               const std::string& name, const std::string& prefix) {
    EXPECT_TRUE(RunConvert(source + " " + options + " " + prefix + dir.File(name))) << options;
    return dir.File(name);
}

std::string ConvertFiles::Make(const RgbPicture& picture, const std::string& options,
                               const std::string& name, const std::string& prefix) {
    EXPECT_TRUE(WritePpm(dir.File("source.ppm"), picture));
    return Make(dir.File("source.ppm"), options, name, prefix);
}

RgbPicture ConvertFiles::Decode(const std::string& file) {
    RgbPicture picture;
    EXPECT_TRUE(RunConvert(file + " -depth 8 " + dir.File("decoded.ppm")));
    EXPECT_TRUE(ReadPpm(dir.File("decoded.ppm"), picture));
    return picture;
}

std::string ConvertFiles::Describe(const std::string& file, const std::string& format) {
    EXPECT_TRUE(RunConvert(file + " -format " + format + " info:" + dir.File("info.txt")));
    std::string line;
    std::getline(std::ifstream(dir.File("info.txt")), line);
    return line;
}

bool WritePam(const std::string& name, const RgbPicture& picture,
              const std::vector<uint8_t>& alpha) {
    std::ofstream out(name, std::ios::binary);
    out << "P7\nWIDTH " << picture.width << "\nHEIGHT " << picture.height
        << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    for (size_t i = 0; i < alpha.size(); ++i) {
        out.write(reinterpret_cast<const char*>(&picture.rgb[3 * i]), 3).put(alpha[i]);
    }
    return static_cast<bool>(out);
}

bool WritePpm16(const std::string& name, int width, int height,
                const std::vector<uint16_t>& samples) {
    std::ofstream out(name, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n65535\n";
    for (uint16_t s : samples) out.put(static_cast<char>(s >> 8)).put(static_cast<char>(s));
    return static_cast<bool>(out);
}

RgbPicture Ramps(int width, int height) {
    RgbPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.rgb.push_back(static_cast<uint8_t>(x * 255 / (width - 1)));
            picture.rgb.push_back(static_cast<uint8_t>(y * 255 / (height - 1)));
            picture.rgb.push_back(static_cast<uint8_t>(200 - (x + y) * 150 / (width + height)));
        }
    }
    return picture;
}

RgbPicture FewColours(int width, int height, int count) {
    RgbPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int k = (x / 3 + y / 2 * 5) % count;
            picture.rgb.insert(picture.rgb.end(), {static_cast<uint8_t>(k * 71 % 256),
                                                   static_cast<uint8_t>(255 - k * 13),
                                                   static_cast<uint8_t>(k * 37 % 200 + 30)});
        }
    }
    return picture;
}

RgbPicture Greys(RgbPicture picture) {
    for (size_t i = 0; i < picture.rgb.size(); i += 3) {
        picture.rgb[i + 1] = picture.rgb[i + 2] = picture.rgb[i];
    }
    return picture;
}

Difference Compare(const RgbPicture& a, const RgbPicture& b) {
    if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) {
        ADD_FAILURE() << "pictures of different sizes";
        return {255, 255};
    }
    Difference d;
    long total = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        const int e = std::abs(a.rgb[i] - b.rgb[i]);
        total += e;
        d.largest = std::max(d.largest, e);
    }
    d.mean = static_cast<double>(total) / static_cast<double>(a.rgb.size());
    return d;
}

namespace {

uint32_t Crc32(const uint8_t* bytes, size_t count) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

size_t BigEndian32(const uint8_t* p) {
    return size_t{p[0]} << 24 | size_t{p[1]} << 16 | size_t{p[2]} << 8 | p[3];
}

}  // namespace

std::vector<PngChunk> PngChunks(const std::string& file) {
    const std::vector<uint8_t> bytes = ReadFileBytes(file);
    std::vector<PngChunk> chunks;
    for (size_t at = 8, length = 0; at + 12 <= bytes.size(); at += 12 + length) {
        length = BigEndian32(&bytes[at]);
        if (at + 12 + length > bytes.size()) break;
        const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(at);
        chunks.push_back({{start + 4, start + 8}, {start + 8, start + 8 + length}});
    }
    return chunks;
}

std::vector<uint8_t> PngFile(const std::vector<PngChunk>& chunks) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto put32 = [&out](size_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
    };
    for (const PngChunk& chunk : chunks) {
        put32(chunk.data.size());
        const size_t typeAt = out.size();
        out.insert(out.end(), chunk.type.begin(), chunk.type.end());
        out.insert(out.end(), chunk.data.begin(), chunk.data.end());
        put32(Crc32(&out[typeAt], out.size() - typeAt));
    }
    return out;
}
