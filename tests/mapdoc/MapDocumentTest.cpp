#include <gtest/gtest.h>

#include <filesystem>

#include "headless/HeadlessDocuments.h"
#include "mapdoc/FourViewPan.h"
#include "support/CurrentDirectory.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"

namespace {

TEST(MapDocument, NewDocumentWithPresetsIsBlackRectangle) {
    RecordingMessages messages;
    CMosaDoc document;
    ASSERT_TRUE(document.OnNewDocument(NewDocumentPanSettings(), messages));
    EXPECT_EQ(document.Image().Width(), 1800);
    EXPECT_EQ(document.Image().Height(), 486);
    EXPECT_EQ(document.Grid().azimuthLeft, -100);
    EXPECT_EQ(document.Grid().altitudeTop, 60);
    EXPECT_EQ(document.Image().FileName(), "mosa1.jpg");
    EXPECT_EQ(document.Image().FileType(), kTypeJpg);
    uint8_t r = 1, g = 1, b = 1;
    document.Image().GetRGB(900, 243, r, g, b);
    EXPECT_EQ(r + g + b, 0);
    EXPECT_TRUE(messages.texts.empty());
}

TEST(MapDocument, EyepointOutsideTheDomeIsDividedByItsSquaredDistance) {
    struct Case {
        Vec3d given, kept;
        bool message;
    } cases[] = {
        {{0, 0, 1.5}, {0, 0, 1.5 / 2.25}, true},
        {{1, 0, 0}, {1, 0, 0}, true},
        {{0.7, 0.7, 0}, {0.7, 0.7, 0}, false},
    };
    for (const Case& c : cases) {
        RecordingMessages messages;
        PanSettings settings = NewDocumentPanSettings();
        settings.eyeX = c.given.x;
        settings.eyeY = c.given.y;
        settings.eyeZ = c.given.z;
        CMosaDoc document;
        document.OnNewDocument(settings, messages);
        EXPECT_DOUBLE_EQ(document.Grid().eye.x, c.kept.x);
        EXPECT_DOUBLE_EQ(document.Grid().eye.z, c.kept.z);
        ASSERT_EQ(messages.texts.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(messages.texts[0],
                      "Eyepoint outside of sphere - not allowed!\nmoving to sphere");
        }
    }
}

TEST(MapDocument, SavesByExtensionOnly) {
    TempDir dir;
    RecordingMessages messages;
    CMosaDoc document;
    PanSettings settings = NewDocumentPanSettings();
    settings.width = 20;
    settings.height = 10;
    document.OnNewDocument(settings, messages);
    EXPECT_EQ(document.OnSaveDocument(dir.File("pan"), messages), 0);
    EXPECT_EQ(document.OnSaveDocument(dir.File("pan.xyz"), messages), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_EQ(document.OnSaveDocument(dir.File("pan.BMP"), messages), 1);
    EXPECT_EQ(ReadFileBytes(dir.File("pan.BMP")).size(), 54u + 60u * 10u);
}

TEST(MapDocument, AddFlatKeepsThePatchAndPaintsIt) {
    RecordingMessages messages;
    CMosaDoc document;
    PanSettings settings = NewDocumentPanSettings();
    settings.width = 181;
    settings.height = 91;
    settings.azimuthLeft = -90;
    settings.azimuthRight = 90;
    settings.altitudeBottom = -45;
    settings.altitudeTop = 45;
    document.OnNewDocument(settings, messages);
    auto picture = std::make_unique<CImage>();
    picture->Create(4, 4, 24, -1);
    picture->Fill(10, 20, 30, 0);
    document.AddFlat(std::move(picture), 0, 90, 0, 180, 180);  // the widest view straight up
    ASSERT_EQ(document.Patches().size(), 1u);
    uint8_t r, g, b;
    document.Image().GetRGB(90, 90, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(10, 20, 30));
}

// Four cube views whose pictures are one colour per view and frame.
class MapViewsJob : public testing::Test {
  protected:
    void SetUp() override {
        PanSettings settings = NewDocumentPanSettings();
        settings.width = 91;
        settings.height = 31;
        settings.azimuthLeft = -135;
        settings.azimuthRight = 135;
        settings.altitudeBottom = -30;
        settings.altitudeTop = 60;
        document.OnNewDocument(settings, messages);
    }
    void WriteView(int view, int frame) {
        CImage picture;
        picture.Create(8, 8, 24, -1);
        picture.Fill(40 * view + 10, frame * 10, 7, 0);
        char name[32];
        std::snprintf(name, sizeof name, "%s%02d.bmp", kNames[view], frame);
        ASSERT_EQ(picture.SaveAs(dir.File(name)), 1);
    }
    MapViewsResult Run(int cancelAtPump = -1) {
        CubeViewPatches patches = MakeCubeViewPatches();
        CubeViewSequences sequences;
        ChannelFiles files{dir.File("center.bmp"),
                           dir.File("left.bmp"),
                           dir.File("right.bmp"),
                           dir.File("top.bmp"),
                           "mosa",
                           1};
        EXPECT_TRUE(ResolveCubeViews(files, true, sequences, messages));
        JobPorts ports{messages, documents, [this, cancelAtPump] {
                           return std::make_unique<RecordingProgress>(cancelAtPump, progress);
                       }};
        const CurrentDirectory here(dir.Path());
        return document.MapViews(patches, sequences, "bmp", true, ports);
    }
    uint8_t RedAt(int frame, int column, int row) {
        char name[32];
        std::snprintf(name, sizeof name, "mosa%05d.bmp", frame);
        CImage saved(dir.File(name), -1);
        uint8_t r = 0, g = 0, b = 0;
        saved.GetRGB(column, row, r, g, b);
        return g;
    }

    static constexpr const char* kNames[kCubeViewCount] = {"left", "center", "right", "top"};
    TempDir dir;
    RecordingMessages messages;
    HeadlessDocuments documents;
    CMosaDoc document;
    ProgressRecord progress;
};

TEST_F(MapViewsJob, FramesOverTheUnionAndMissingViewsKeepTheLastFrame) {
    for (int frame : {0, 1, 2}) {
        for (int view = 0; view < kCubeViewCount; ++view) {
            if (!(view == 0 && frame == 1)) WriteView(view, frame);
        }
    }
    const MapViewsResult result = Run();
    EXPECT_EQ(result.framesWritten, 3);
    // Column 15 is azimuth -90 (Left), 45 azimuth 0 (Center); row 10 the horizon.
    EXPECT_EQ(RedAt(1, 15, 10), 0) << "Left missing in frame 1: frame 0's part stays";
    EXPECT_EQ(RedAt(1, 45, 10), 10);
    EXPECT_EQ(RedAt(2, 15, 10), 20);
    EXPECT_EQ(document.Title(), "mosa00002.bmp : top02.bmp");
}

TEST_F(MapViewsJob, ProgressCountsViewsAndCancelDropsTheFrameInProgress) {
    for (int frame = 0; frame < 8; ++frame) {
        for (int view = 0; view < kCubeViewCount; ++view) WriteView(view, frame);
    }
    // Pumps per view: one per mapped row plus one after the view; find frame 5's second view.
    const MapViewsResult all = Run();
    const int pumpsPerFrame = progress.pumps / 8;
    EXPECT_EQ(progress.upper, 32);
    EXPECT_EQ(progress.text, "Mapping 32 flats (No anti-aliasing) . . .");
    for (int f = 0; f < 8; ++f)
        std::filesystem::remove(dir.File("mosa0000" + std::to_string(f) + ".bmp"));

    const MapViewsResult cancelled = Run(5 * pumpsPerFrame + pumpsPerFrame / 2);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.framesWritten, 5);
    EXPECT_TRUE(std::filesystem::exists(dir.File("mosa00004.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("mosa00005.bmp")));
    EXPECT_EQ(all.framesWritten, 8);
}

// Frames are written while the next one maps; each frame's news still comes in frame order.
TEST_F(MapViewsJob, NewsOfFramesWrittenBehindComesInFrameOrder) {
    for (int frame : {0, 1, 2}) {
        for (int view = 0; view < kCubeViewCount; ++view) WriteView(view, frame);
    }
    WriteFileBytes(dir.File("right01.bmp"), {'B', 'M', 1});
    std::filesystem::create_directory(dir.File("mosa00000.bmp"));  // no file can go there
    const MapViewsResult result = Run();
    EXPECT_EQ(result.saveFailures, 1);
    EXPECT_EQ(result.unreadableViews, 1);
    EXPECT_EQ(result.framesWritten, 2);
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0], "Could not write mosa00000.bmp");
    EXPECT_EQ(messages.texts[1], "Cannot read " + dir.File("right01.bmp"));
    EXPECT_EQ(RedAt(2, 45, 10), 20) << "the last frame is written too";
}

TEST(FourViewPanCommand, OutputTypeNamesTheFramesExtension) {
    EXPECT_EQ(FourViewExtension(0), "jpg");
    EXPECT_EQ(FourViewExtension(1), "bmp");
    EXPECT_EQ(FourViewExtension(2), "tga");
    EXPECT_EQ(FourViewExtension(-1), "jpg") << "no choice made writes JPEG";
    EXPECT_EQ(FourViewExtension(3), "jpg");
}

TEST(FourViewPanCommand, MissingViewsAreListedInOrder) {
    TempDir dir;
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<ScriptedProgress>(); }};
    ChannelFiles files{"c.bmp", "l.bmp", "r.bmp", "t.bmp", "mosa", 0};
    RunFourViewPan(
        files, [](PanSettings&) { return true; }, ports);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(
        messages.texts[0],
        "l.bmp doesn't exist!\nc.bmp doesn't exist!\nr.bmp doesn't exist!\nt.bmp doesn't exist!\n");
}

}  // namespace
