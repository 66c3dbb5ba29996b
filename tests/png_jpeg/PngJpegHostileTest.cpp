#include <sys/resource.h>

#include <random>

#include "PngJpegFiles.h"
#include "support/FileBytes.h"
#include "support/LoadCost.h"

namespace {

using PngJpegHostile = ConvertFiles;

// Loads every cut through the headers and every fifth through the data (file operations are
// slow on some test machines); answers how many loaded. Neither library may say a word.
template <typename Check>
int LoadCuts(const std::string& file, const std::string& cut, Check check) {
    const std::vector<uint8_t> bytes = ReadFileBytes(file);
    int loaded = 0;
    testing::internal::CaptureStderr();
    for (size_t length = 0; length < bytes.size(); length += length < 96 ? 1 : 5) {
        WriteFileBytes(cut, {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)});
        CImage image;
        const int answer = image.Load(cut);
        EXPECT_EQ(answer, image.HasImage()) << length;
        if (answer) ++loaded, check(image);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    return loaded;
}

// libpng stops at the missing data; a half-decoded picture must not look loaded.
TEST_F(PngJpegHostile, TruncatedPngAnswersZeroAndLeavesNoPicture) {
    for (const auto& [options, prefix] : {std::pair{"-strip", "PNG24:"},
                                          {"-strip -interlace PNG", "PNG24:"},
                                          {"-strip", "PNG8:"}}) {
        SCOPED_TRACE(std::string(prefix) + " " + options);
        const std::string file = Make(TestPicture(23, 11), options, "whole.png", prefix);
        ASSERT_TRUE(CImage(file, -1).HasImage());
        EXPECT_EQ(LoadCuts(file, dir.File("cut.png"), [](const CImage&) {}), 0);
    }
}

// libjpeg fills what a cut file lacks and goes on; the picture is whole or not there at all.
TEST_F(PngJpegHostile, TruncatedJpegLoadsWhatTheLibraryRecovers) {
    for (const char* options : {"-quality 90", "-quality 90 -interlace JPEG", "-type Grayscale"}) {
        SCOPED_TRACE(options);
        const std::string file = Make(Ramps(40, 30), options, "whole.jpg");
        const int loaded = LoadCuts(file, dir.File("cut.jpg"), [](const CImage& image) {
            EXPECT_TRUE(image.Width() == 40 && image.Height() == 30 && image.BitsPerPixel() == 8);
            EXPECT_NE(image.GetPalette(), nullptr);
        });
        EXPECT_GT(loaded, 0);
    }
}

TEST(PngJpegGarbage, GarbageAndMissingFilesAreRefused) {
    TempDir dir;
    std::mt19937 random(7);
    const std::vector<std::vector<uint8_t>> heads = {
        {}, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, {0xFF, 0xD8, 0xFF}};
    for (const std::vector<uint8_t>& head : heads) {
        for (size_t size : {0, 1, 7, 100, 5000}) {
            std::vector<uint8_t> bytes = head;
            for (size_t i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(random()));
            for (const char* name : {"junk.png", "junk.jpg"}) {
                WriteFileBytes(dir.File(name), bytes);
                CImage image;
                EXPECT_EQ(image.Load(dir.File(name)), 0)
                    << name << " " << head.size() << "+" << size;
                EXPECT_FALSE(image.HasImage());
            }
        }
    }
    CImage image;
    EXPECT_EQ(image.Load(dir.File("missing.png")), 0);
    EXPECT_EQ(image.Load(dir.File("missing.jpg")), 0);
}

void PutBigEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.at(at + i) = uint8_t(value >> (8 * (size - 1 - i)));
}

// Small PNG and JPEG files of an 8 x 8 picture whose headers are rewritten to declare other
// sizes.
class DeclaredSizes : public testing::Test {
  protected:
    void SetUp() override {
        CImage small = ImageOf(TestPicture(8, 8));
        ASSERT_EQ(small.SaveAs(dir.File("small.png")), 1);
        ASSERT_EQ(small.SaveAs(dir.File("small.jpg")), 1);
        png = PngChunks(dir.File("small.png"));
        jpg = ReadFileBytes(dir.File("small.jpg"));
        while (frame + 9 < jpg.size() && !(jpg[frame] == 0xFF && jpg[frame + 1] == 0xC0)) {
            ++frame;  // to the baseline frame header
        }
        ASSERT_LT(frame + 9, jpg.size());
    }
    std::string Png(uint32_t width, uint32_t height) {
        std::vector<PngChunk> chunks = png;
        PutBigEndian(chunks[0].data, 0, width, 4);
        PutBigEndian(chunks[0].data, 4, height, 4);
        WriteFileBytes(dir.File("declared.png"), PngFile(chunks));
        return dir.File("declared.png");
    }
    std::string Jpeg(uint32_t width, uint32_t height) {
        std::vector<uint8_t> bytes = jpg;
        PutBigEndian(bytes, frame + 5, height, 2);
        PutBigEndian(bytes, frame + 7, width, 2);
        WriteFileBytes(dir.File("declared.jpg"), bytes);
        return dir.File("declared.jpg");
    }
    TempDir dir;
    std::vector<PngChunk> png;
    std::vector<uint8_t> jpg;
    size_t frame = 0;
};

void ExpectRefused(const std::string& file) {
    CImage image;
    EXPECT_EQ(image.Load(file), 0) << file;
    EXPECT_FALSE(image.HasImage());
}

// Sizes beyond what the picture buffer holds are refused before anything that large exists.
TEST_F(DeclaredSizes, SizesBeyondTheLimitsAreRefused) {
    for (const auto& [width, height] : {std::pair{65535u, 65535u},
                                        {0x7FFFFFFFu, 1u},
                                        {1u, 0x7FFFFFFFu},
                                        {70000u, 1u},
                                        {40000u, 40000u},
                                        {0u, 8u}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        ExpectRefused(Png(width, height));
        if (width <= 65535 && height <= 65535) ExpectRefused(Jpeg(width, height));
    }
}

long PeakResidentKilobytes() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 16000 x 16000 is within the limits, but a file of a few hundred bytes cannot hold that
// picture's data: the readers must refuse it before making its buffers.
TEST_F(DeclaredSizes, ShortFileDeclaringABigPictureIsRefusedBeforeAllocating) {
    const long peakBefore = PeakResidentKilobytes();
    ExpectRefused(Png(16000, 16000));
    ExpectRefused(Jpeg(16000, 16000));
    EXPECT_LT(PeakResidentKilobytes() - peakBefore, 100 * 1024);
}

// Only the compressed rows count: a long chunk of anything else holds no pixels, so a file
// whose size could stand for 300 MB of rows, but whose rows are the 8 x 8 picture's, is
// refused before the rows' buffer exists.
TEST_F(DeclaredSizes, OnlyCompressedRowsStandForPixels) {
    std::vector<PngChunk> chunks = png;
    PutBigEndian(chunks[0].data, 0, 10000, 4);
    PutBigEndian(chunks[0].data, 4, 10000, 4);
    chunks.insert(chunks.begin() + 1, PngChunk{"juNk", std::vector<uint8_t>(400 * 1024, 7)});
    WriteFileBytes(dir.File("padded.png"), PngFile(chunks));
    const LoadCost cost = MeasureLoad(dir.File("padded.png"));
    ASSERT_TRUE(cost.measured);
    EXPECT_FALSE(cost.hasImage);
    EXPECT_LT(cost.peakGrowthKilobytes, 50 * 1024);
    // The same chunk in a file whose rows are all there changes nothing.
    chunks = png;
    chunks.insert(chunks.begin() + 1, PngChunk{"juNk", std::vector<uint8_t>(1000, 7)});
    WriteFileBytes(dir.File("small-padded.png"), PngFile(chunks));
    EXPECT_EQ(PictureOf(CImage(dir.File("small-padded.png"), -1)),
              PictureOf(CImage(dir.File("small.png"), -1)));
}

// A text chunk declaring 2 GB in a file of a few dozen bytes must not get a buffer that size.
TEST_F(DeclaredSizes, HugeMetadataChunkIsNotAllocated) {
    const long peakBefore = PeakResidentKilobytes();
    for (const char* type : {"tEXt", "zTXt", "iTXt"}) {
        std::vector<uint8_t> bytes = PngFile({png[0]});  // signature and header only
        const size_t at = bytes.size();
        bytes.resize(at + 8);
        PutBigEndian(bytes, at, 0x7FFFFFFF, 4);
        std::copy(type, type + 4, bytes.begin() + static_cast<std::ptrdiff_t>(at) + 4);
        WriteFileBytes(dir.File("text.png"), bytes);
        ExpectRefused(dir.File("text.png"));
    }
    EXPECT_LT(PeakResidentKilobytes() - peakBefore, 100 * 1024);
}

TEST(PngJpegWriteFailures, AnswerZero) {
    TempDir dir;
    CImage image = ImageOf(TestPicture(4, 4));
    EXPECT_EQ(image.SaveAs(dir.File("no/such/dir.png")), 0);
    EXPECT_EQ(image.SaveAs(dir.File("no/such/dir.jpg")), 0);
    // JPEG stops at 65500 pixels a side; the library's error must not end the process.
    CImage wide;
    ASSERT_GT(wide.Create(65535, 1, 24, -1), 0);
    EXPECT_EQ(wide.SaveAs(dir.File("wide.jpg")), 0);
    EXPECT_EQ(wide.SaveAs(dir.File("wide.png")), 1);
    // 16-bit rows hold nothing either format takes.
    CImage deep;
    ASSERT_GT(deep.Create(4, 4, 16, -1), 0);
    EXPECT_EQ(deep.SaveAs(dir.File("deep.png")), 0);
    EXPECT_EQ(deep.SaveAs(dir.File("deep.jpg")), 0);
}

}  // namespace
