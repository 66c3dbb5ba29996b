#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "deep/DeepFiles.h"
#include "support/ExternalImage.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

// A picture whose samples all differ and fill the 16-bit range: a gradient in red, its
// reverse in green, a pattern in blue, alpha falling off.
DeepPicture Gradient(int width, int height, bool alpha, float scale = 1.0f) {
    DeepPicture picture;
    EXPECT_TRUE(picture.Create(width, height, alpha));
    const int count = width * height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int i = y * width + x;
            float* p = picture.Pixel(x, y);
            p[0] = scale * static_cast<float>(i * 65535 / (count - 1)) / 65535.0f;
            p[1] = static_cast<float>(65535 - i * 65535 / (count - 1)) / 65535.0f;
            p[2] = static_cast<float>((i * 7919) % 65536) / 65535.0f;
            if (alpha) p[3] = static_cast<float>(65535 - (i * 131) % 65536) / 65535.0f;
        }
    }
    return picture;
}

bool SamePictures(const DeepPicture& a, const DeepPicture& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.HasAlpha() != b.HasAlpha()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (std::memcmp(a.Pixel(x, y), b.Pixel(x, y), sizeof(float) * 4) != 0) return false;
        }
    }
    return true;
}

// A 16-bit PPM (or the grey of a PGM) as ImageMagick writes it: samples big-endian, top row
// first.
bool ReadPnm16(const std::string& name, int& width, int& height, std::vector<uint16_t>& samples) {
    std::ifstream in(name, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    if (!in || (magic != "P6" && magic != "P5") || maximum != 65535) return false;
    const size_t count = static_cast<size_t>(width) * height * (magic == "P6" ? 3 : 1);
    std::vector<uint8_t> bytes(count * 2);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    samples.resize(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
    return static_cast<bool>(in);
}

// ImageMagick's reading of a file's colours (and of its alpha, as a grey picture) in 16 bits,
// against ours.
void ExpectMagickReadsTheSame(const TempDir& dir, const std::string& file,
                              const DeepPicture& ours) {
    ASSERT_TRUE(RunConvert("'" + file + "' -alpha off -depth 16 '" + dir.File("magick.ppm") + "'"));
    int width = 0, height = 0;
    std::vector<uint16_t> colours;
    ASSERT_TRUE(ReadPnm16(dir.File("magick.ppm"), width, height, colours));
    ASSERT_EQ(width, ours.Width());
    ASSERT_EQ(height, ours.Height());
    std::vector<uint16_t> alpha;
    if (ours.HasAlpha()) {
        ASSERT_TRUE(
            RunConvert("'" + file + "' -alpha extract -depth 16 '" + dir.File("alpha.pgm") + "'"));
        ASSERT_TRUE(ReadPnm16(dir.File("alpha.pgm"), width, height, alpha));
    }
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const float* p = ours.Pixel(x, height - 1 - row);
            const size_t at = static_cast<size_t>(row) * width + x;
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(ToSample16(p[c]), colours[at * 3 + c])
                    << x << "," << row << " channel " << c;
            }
            if (ours.HasAlpha()) {
                ASSERT_EQ(ToSample16(p[3]), alpha[at]) << x << "," << row;
            }
        }
    }
}

TEST(DeepFiles, SixteenBitPngAndTiffRoundTripsAreExact) {
    TempDir dir;
    for (const bool alpha : {false, true}) {
        const DeepPicture picture = Gradient(61, 43, alpha);
        struct Case {
            const char* name;
            SampleDepth depth;
            TiffCompression compression;
        } cases[] = {{"a.png", SampleDepth::k16, TiffCompression::kNone},
                     {"none.tif", SampleDepth::k16, TiffCompression::kNone},
                     {"lzw.tif", SampleDepth::k16, TiffCompression::kLzw},
                     {"deflate.tiff", SampleDepth::k16, TiffCompression::kDeflate},
                     {"float.tif", SampleDepth::kFloat, TiffCompression::kDeflate},
                     {"float-lzw.tif", SampleDepth::kFloat, TiffCompression::kLzw}};
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (alpha ? " with alpha" : ""));
            DeepWriteOptions options;
            options.depth = c.depth;
            options.tiffCompression = c.compression;
            std::string problem;
            ASSERT_TRUE(WriteDeepPicture(dir.File(c.name), picture, options, problem)) << problem;
            DeepPicture back;
            ASSERT_TRUE(ReadDeepPicture(dir.File(c.name), back, problem)) << problem;
            EXPECT_TRUE(SamePictures(back, picture));
        }
    }
}

// Floats keep what no integer file can: values above 1 and below 0, exactly.
TEST(DeepFiles, FloatTiffKeepsValuesBeyondTheUnitRange) {
    TempDir dir;
    DeepPicture picture = Gradient(17, 9, false, 40.0f);
    picture.Pixel(3, 4)[1] = -2.5f;
    picture.Pixel(5, 6)[2] = std::numeric_limits<float>::max();
    DeepWriteOptions options;
    options.depth = SampleDepth::kFloat;
    std::string problem;
    ASSERT_TRUE(WriteDeepPicture(dir.File("hdr.tif"), picture, options, problem)) << problem;
    DeepPicture back;
    ASSERT_TRUE(ReadDeepPicture(dir.File("hdr.tif"), back, problem)) << problem;
    EXPECT_TRUE(SamePictures(back, picture));
    EXPECT_FLOAT_EQ(back.Pixel(16, 8)[0], 40.0f);
    // An 8- or 16-bit file clamps them, and says nothing of it.
    options.depth = SampleDepth::k16;
    ASSERT_TRUE(WriteDeepPicture(dir.File("clamped.png"), picture, options, problem));
    ASSERT_TRUE(ReadDeepPicture(dir.File("clamped.png"), back, problem));
    EXPECT_EQ(back.Pixel(16, 8)[0], 1.0f);
    EXPECT_EQ(back.Pixel(3, 4)[1], 0.0f);
    // Half floats are for OpenEXR.
    options.depth = SampleDepth::kHalf;
    EXPECT_FALSE(WriteDeepPicture(dir.File("half.tif"), picture, options, problem));
    EXPECT_FALSE(WriteDeepPicture(dir.File("half.png"), picture, options, problem));
    EXPECT_FALSE(std::filesystem::exists(dir.File("half.tif"))) << "no partial file";
}

TEST(DeepFiles, ImageMagickReadsOurFilesToTheSameValues) {
    REQUIRE_CONVERT();
    TempDir dir;
    for (const bool alpha : {false, true}) {
        const DeepPicture picture = Gradient(61, 43, alpha);
        for (const char* name : {"ours.png", "ours.tif"}) {
            SCOPED_TRACE(name);
            std::string problem;
            ASSERT_TRUE(WriteDeepPicture(dir.File(name), picture, DeepWriteOptions{}, problem));
            ExpectMagickReadsTheSame(dir, dir.File(name), picture);
        }
    }
}

// ImageMagick's 16-bit files of every kind load as ImageMagick reads them.
TEST(DeepFiles, ImageMagicksSixteenBitFilesLoadAsItReadsThem) {
    REQUIRE_CONVERT();
    TempDir dir;
    const DeepPicture source = Gradient(37, 23, true);
    std::string problem;
    ASSERT_TRUE(WriteDeepPicture(dir.File("source.png"), source, DeepWriteOptions{}, problem));
    const struct {
        const char* name;
        const char* options;
    } cases[] = {
        {"rgb.png", "-alpha off PNG48:"},
        {"rgba.png", "PNG64:"},
        {"grey.png", "-alpha off -colorspace Gray -depth 16 PNG:"},
        {"greyalpha.png", "-colorspace Gray -depth 16 PNG:"},
        {"rgb8.png", "-alpha off -depth 8 PNG24:"},
        {"lzw.tif", "-alpha off -depth 16 -compress LZW TIFF:"},
        {"zip.tif", "-depth 16 -compress Zip TIFF:"},
        {"grey.tif", "-alpha off -colorspace Gray -depth 16 -compress None TIFF:"},
        {"rgb8.tif", "-alpha off -depth 8 -compress None TIFF:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.File(c.name);
        ASSERT_TRUE(RunConvert("'" + dir.File("source.png") + "' " + c.options + "'" + file + "'"));
        DeepPicture ours;
        ASSERT_TRUE(ReadDeepPicture(file, ours, problem)) << problem;
        ExpectMagickReadsTheSame(dir, file, ours);
    }
}

TEST(DeepFiles, DamagedAndHostileFilesAreRefusedWithAReason) {
    TempDir dir;
    const DeepPicture picture = Gradient(64, 64, true);
    std::string problem;
    for (const char* name : {"whole.png", "whole.tif"}) {
        DeepWriteOptions options;
        options.tiffCompression = TiffCompression::kNone;
        ASSERT_TRUE(WriteDeepPicture(dir.File(name), picture, options, problem));
        const std::vector<uint8_t> bytes = ReadFileBytes(dir.File(name));
        for (const size_t length :
             {size_t{0}, size_t{7}, size_t{40}, bytes.size() / 2, bytes.size() - 1}) {
            SCOPED_TRACE(std::string(name) + " cut to " + std::to_string(length));
            const std::string cut =
                dir.File(std::string("cut.") + (name[6] == 'p' ? "png" : "tif"));
            WriteFileBytes(
                cut, std::vector<uint8_t>(bytes.begin(),
                                          bytes.begin() + static_cast<std::ptrdiff_t>(length)));
            DeepPicture back;
            problem.clear();
            EXPECT_FALSE(ReadDeepPicture(cut, back, problem));
            EXPECT_FALSE(back.HasPicture());
            EXPECT_FALSE(problem.empty());
        }
    }
    // A PNG header declaring 60000 x 60000 with next to no rows behind it.
    std::vector<uint8_t> png = ReadFileBytes(dir.File("whole.png"));
    for (size_t at : {size_t{16}, size_t{20}}) {
        png[at] = 0;
        png[at + 1] = 0;
        png[at + 2] = 0xEA;
        png[at + 3] = 0x60;
    }
    WriteFileBytes(dir.File("huge.png"), png);
    DeepPicture back;
    EXPECT_FALSE(ReadDeepPicture(dir.File("huge.png"), back, problem));
    EXPECT_FALSE(ReadDeepPicture(dir.File("none.png"), back, problem));
    EXPECT_FALSE(ReadDeepPicture(dir.File("whole.bmp"), back, problem));
}

}  // namespace

namespace {

// ffmpeg's reading of a file as float planes (green, blue, red, then alpha; or grey alone),
// top row first.
bool FfmpegFloats(const TempDir& dir, const std::string& file, bool alpha,
                  std::vector<float>& planes, bool grey = false) {
    const std::string raw = dir.File("ffmpeg.raw");
    const char* format = grey ? "grayf32le" : alpha ? "gbrapf32le" : "gbrpf32le";
    if (!RunFfmpeg("-i '" + file + "' -f rawvideo -pix_fmt " + format + " '" + raw + "'")) {
        return false;
    }
    const std::vector<uint8_t> bytes = ReadFileBytes(raw);
    planes.resize(bytes.size() / sizeof(float));
    std::memcpy(planes.data(), bytes.data(), planes.size() * sizeof(float));
    return true;
}

// OpenEXR keeps half and float samples exactly, values beyond 0 to 1 included, under every
// lossless compression; DWAA is lossy but close; ffmpeg reads our files to the same floats.
TEST(DeepFiles, OpenExrKeepsHalfAndFloatSamples) {
    TempDir dir;
    DeepPicture picture = Gradient(45, 31, true, 37.0f);
    picture.Pixel(2, 3)[1] = -4.25f;
    for (const SampleDepth depth : {SampleDepth::kHalf, SampleDepth::kFloat}) {
        for (const ExrCompression compression : {ExrCompression::kNone, ExrCompression::kZip,
                                                 ExrCompression::kPiz, ExrCompression::kDwaa}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(depth)) + " " +
                         std::to_string(static_cast<int>(compression)));
            DeepWriteOptions options;
            options.depth = depth;
            options.exrCompression = compression;
            std::string problem;
            const std::string file = dir.File("ours.exr");
            ASSERT_TRUE(WriteDeepPicture(file, picture, options, problem)) << problem;
            DeepPicture back;
            ASSERT_TRUE(ReadDeepPicture(file, back, problem)) << problem;
            ASSERT_EQ(back.Width(), 45);
            ASSERT_TRUE(back.HasAlpha());
            float largestError = 0;
            for (int y = 0; y < 31; ++y) {
                for (int x = 0; x < 45; ++x) {
                    for (int c = 0; c < 4; ++c) {
                        const float want = picture.Pixel(x, y)[c];
                        // A half keeps 11 significant bits.
                        const float tolerance =
                            depth == SampleDepth::kHalf ? std::fabs(want) / 2048.0f + 1e-7f : 0;
                        largestError = std::max(largestError,
                                                std::fabs(back.Pixel(x, y)[c] - want) - tolerance);
                    }
                }
            }
            if (compression == ExrCompression::kDwaa) {
                EXPECT_LT(largestError, 1.0f) << "lossy, but close";
                continue;
            }
            EXPECT_LE(largestError, 0.0f);
            EXPECT_FLOAT_EQ(back.Pixel(2, 3)[1], -4.25f);
            if (!FfmpegAvailable()) continue;
            std::vector<float> planes;
            ASSERT_TRUE(FfmpegFloats(dir, file, true, planes));
            ASSERT_EQ(planes.size(), size_t{45} * 31 * 4);
            const size_t plane = size_t{45} * 31;
            const int order[4] = {1, 2, 0, 3};  // ffmpeg's planes: G, B, R, A
            for (int row = 0; row < 31; ++row) {
                for (int x = 0; x < 45; ++x) {
                    for (int k = 0; k < 4; ++k) {
                        const size_t at = static_cast<size_t>(k) * plane + size_t(row) * 45 + x;
                        ASSERT_EQ(planes[at], back.Pixel(x, 30 - row)[order[k]])
                            << x << "," << row << " plane " << k;
                    }
                }
            }
        }
    }
    std::string problem;
    EXPECT_FALSE(WriteDeepPicture(dir.File("eight.exr"), picture, DeepWriteOptions{}, problem))
        << "16 bits are not an OpenEXR sample";
}

// ffmpeg's OpenEXR files (half and float; none, RLE and ZIP; grey, RGB, RGBA) load as ffmpeg
// decodes them.
TEST(DeepFiles, FfmpegsOpenExrFilesLoadAsItReadsThem) {
    REQUIRE_PROGRAM(FfmpegAvailable(), "ffmpeg");
    TempDir dir;
    std::string problem;
    ASSERT_TRUE(WriteDeepPicture(dir.File("source.png"), Gradient(37, 23, true), DeepWriteOptions{},
                                 problem));
    const struct {
        const char* name;
        const char* options;
        bool alpha;
        bool grey;
    } cases[] = {
        {"half-zip16.exr", "-pix_fmt gbrpf32le -format half -compression zip16", false, false},
        {"float-none.exr", "-pix_fmt gbrpf32le -format float -compression none", false, false},
        {"rgba-rle.exr", "-pix_fmt gbrapf32le -format half -compression rle", true, false},
        {"grey-zip1.exr", "-pix_fmt grayf32le -format float -compression zip1", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.File(c.name);
        ASSERT_TRUE(
            RunFfmpeg("-i '" + dir.File("source.png") + "' " + c.options + " '" + file + "'"));
        DeepPicture ours;
        ASSERT_TRUE(ReadDeepPicture(file, ours, problem)) << problem;
        ASSERT_EQ(ours.HasAlpha(), c.alpha);
        std::vector<float> planes;
        ASSERT_TRUE(FfmpegFloats(dir, file, c.alpha, planes, c.grey));
        const size_t plane = static_cast<size_t>(ours.Width()) * ours.Height();
        const int planeCount = c.grey ? 1 : c.alpha ? 4 : 3;
        ASSERT_EQ(planes.size(), plane * planeCount);
        const int order[4] = {1, 2, 0, 3};  // grey reads as red, green and blue alike
        for (int row = 0; row < ours.Height(); ++row) {
            for (int x = 0; x < ours.Width(); ++x) {
                for (int k = 0; k < planeCount; ++k) {
                    const size_t at = static_cast<size_t>(k) * plane +
                                      static_cast<size_t>(row) * ours.Width() + x;
                    ASSERT_EQ(planes[at], ours.Pixel(x, ours.Height() - 1 - row)[order[k]])
                        << x << "," << row << " plane " << k;
                }
            }
        }
    }
}

TEST(DeepFiles, DamagedOpenExrFilesAreRefused) {
    TempDir dir;
    const DeepPicture picture = Gradient(64, 64, false);
    DeepWriteOptions options;
    options.depth = SampleDepth::kHalf;
    std::string problem;
    ASSERT_TRUE(WriteDeepPicture(dir.File("whole.exr"), picture, options, problem)) << problem;
    const std::vector<uint8_t> bytes = ReadFileBytes(dir.File("whole.exr"));
    for (const size_t length : {size_t{0}, size_t{4}, size_t{100}, bytes.size() / 2}) {
        SCOPED_TRACE(length);
        WriteFileBytes(dir.File("cut.exr"),
                       std::vector<uint8_t>(bytes.begin(),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(length)));
        DeepPicture back;
        problem.clear();
        EXPECT_FALSE(ReadDeepPicture(dir.File("cut.exr"), back, problem));
        EXPECT_FALSE(back.HasPicture());
        EXPECT_FALSE(problem.empty());
    }
}

}  // namespace
