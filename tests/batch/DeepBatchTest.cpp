// mosa-batch fiveview on deep pictures: 16-bit PNG, TIFF and OpenEXR faces and domes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "batch/MosaBatchFixture.h"
#include "deep/DeepFiles.h"
#include "fiveview/DeepFiveViewJob.h"
#include "mapdoc/FisheyeMapping.h"
#include "mapdoc/FlatMapping.h"
#include "mapdoc/FourViewPan.h"
#include "mapdoc/PanSettings.h"
#include "support/DeepPictures.h"
#include "transforms/DeepTransforms.h"
#include "transforms/XformCommands.h"

using namespace batch_test;

namespace {

// Deep faces of the sky with a frame's mark, brightened by a factor (above 1 for HDR).
void WriteDeepFaces(const TempDir& dir, const std::string& extension, int frame, float brightness,
                    const DeepWriteOptions& options, int skipView = -1) {
    for (int t = 0; t < kFaceCount; ++t) {
        if (t == skipView) continue;
        CImage face;
        sky::RenderFace(face, t, 48, 48);
        DeepPicture deep;
        ASSERT_TRUE(deep.Create(48, 48, false));
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                uint8_t r = 0, g = 0, b = 0;
                face.GetRGB(x, y, r, g, b);
                float* p = deep.Pixel(x, y);
                // Fine steps between the 8-bit levels, so a 16-bit dome has more to keep.
                p[0] = brightness * (r + x / 64.0f) / 256.0f;
                p[1] = brightness * (g + y / 64.0f) / 256.0f;
                p[2] = brightness * (b + frame / 8.0f) / 256.0f;
            }
        }
        char name[64];
        std::snprintf(name, sizeof name, "seq/%s.%04d.%s", kViews[t], frame, extension.c_str());
        std::string problem;
        ASSERT_TRUE(WriteDeepPicture(dir.File(name), deep, options, problem)) << problem;
    }
}

// The core job's files of a frame written by WriteDeepFaces, to the output given.
DeepFrameFiles DeepFrameOf(const TempDir& dir, const std::string& extension, int frame,
                           const std::string& output) {
    DeepFrameFiles f;
    f.frame = frame;
    for (int t = 0; t < kFaceCount; ++t) {
        char name[64];
        std::snprintf(name, sizeof name, "seq/%s.%04d.%s", kViews[t], frame, extension.c_str());
        f.faces[t] = dir.File(name);
    }
    f.output = output;
    return f;
}

std::string DeepViews(const TempDir& dir, const std::string& extension) {
    std::string text;
    for (int t = 0; t < kFaceCount; ++t) {
        text += std::string(" --") + kViews[t] + " '" + dir.File("seq/") + kViews[t] + ".####." +
                extension + "'";
    }
    return text;
}

// A 16-bit sequence with a hole, rendered 5x to 16-bit PNG domes: the files equal the core
// job's, frame for frame.
TEST_F(MosaBatch, SixteenBitSequencesEqualTheCoreDeepJob) {
    std::filesystem::create_directories(dir.File("seq"));
    for (int frame : {1, 2, 3})
        WriteDeepFaces(dir, "png", frame, 1.0f, {}, frame == 2 ? kBack : -1);
    const BatchRun run = Batch("--quiet fiveview" + DeepViews(dir, "png") +
                               " --size 80 --filter 5x --depth 16 --skip-missing"
                               " --out out/dome.%02d.png");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/dome.02.png")));

    FiveViewSettings settings;
    settings.width = settings.height = 80;
    settings.samplingMode = kSubsample5;
    std::vector<DeepFrameFiles> frames;
    for (int frame : {1, 3}) {
        frames.push_back(
            DeepFrameOf(dir, "png", frame, dir.File("core" + std::to_string(frame) + ".png")));
    }
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<SilentProgress>(); }};
    const JobResult core = RenderDeepFiveView(settings, frames, DeepWriteOptions{}, ports);
    EXPECT_EQ(core.framesWritten, 2);
    for (int frame : {1, 3}) {
        EXPECT_TRUE(ReadFileBytes(dir.File("out/dome.0" + std::to_string(frame) + ".png")) ==
                    ReadFileBytes(dir.File("core" + std::to_string(frame) + ".png")))
            << frame;
    }
    DeepPicture dome;
    std::string problem;
    ASSERT_TRUE(ReadDeepPicture(dir.File("out/dome.01.png"), dome, problem)) << problem;
    std::set<uint16_t> levels;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 80; ++x) levels.insert(ToSample16(dome.Pixel(x, y)[0]));
    }
    EXPECT_GT(levels.size(), 256u) << "more than 8 bits survive";
}

// Crop and half pans prepare deep faces as they do 8-bit ones: 8-bit PNG faces rendered on
// the deep path to a 16-bit dome hold the 8-bit path's levels exactly (the plain renderer
// copies one face pixel, so there is nothing to round).
TEST_F(MosaBatch, DeepCropAndHalfPansMatchTheEightBitPath) {
    fs::create_directories(dir.File("seq"));
    for (int t = 0; t < kFaceCount; ++t) {
        CImage face;
        sky::RenderFace(face, t, 44, t == kTop ? 44 : 22);
        ASSERT_EQ(face.SaveAs(dir.File(std::string("seq/") + kViews[t] + ".png")), 1);
    }
    std::string views;
    for (int t = 0; t < kFaceCount; ++t) {
        views += std::string(" --") + kViews[t] + " seq/" + kViews[t] + ".png";
    }
    const std::string options = " --size 90 --crop 4 --half-pan";
    ASSERT_EQ(Batch("--quiet fiveview" + views + options + " --out eight.png").status, 0);
    const BatchRun run = Batch("--quiet fiveview" + views + options + " --depth 16 --out deep.png");
    ASSERT_EQ(run.status, 0) << run.errors;
    CImage eight(dir.File("eight.png"), kTypeFromExtension);
    ASSERT_TRUE(eight.HasImage());
    DeepPicture deep;
    std::string problem;
    ASSERT_TRUE(ReadDeepPicture(dir.File("deep.png"), deep, problem)) << problem;
    int lit = 0;
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 90; ++x) {
            uint8_t rgb[3];
            eight.GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(ToSample16(deep.Pixel(x, y)[c]), rgb[c] * 257) << x << "," << y;
            }
            lit += rgb[0] + rgb[1] + rgb[2] > 0;
        }
    }
    EXPECT_GT(lit, 4000);
    const BatchRun tooMuch = Batch("fiveview" + views + " --crop 50 --depth 16 --out d.png");
    EXPECT_EQ(tooMuch.status, 1);
    EXPECT_NE(tooMuch.errors.find("a crop of 50 leaves nothing of"), std::string::npos)
        << tooMuch.errors;
}

// OpenEXR faces brighter than 1 give an OpenEXR dome with those values, not clamped; TIFF
// floats too.
TEST_F(MosaBatch, HighDynamicRangeFacesKeepTheirValues) {
    std::filesystem::create_directories(dir.File("seq"));
    DeepWriteOptions exr;
    exr.depth = SampleDepth::kFloat;
    WriteDeepFaces(dir, "exr", 1, 16.0f, exr);
    for (const char* out : {"dome.exr", "dome.tif"}) {
        SCOPED_TRACE(out);
        const std::string depth = std::string(out).ends_with(".tif") ? " --depth float" : "";
        const BatchRun run = Batch("--quiet fiveview" + DeepViews(dir, "exr") + " --size 64" +
                                   depth + " --filter ewa --out " + out);
        ASSERT_EQ(run.status, 0) << run.errors;
        DeepPicture dome;
        std::string problem;
        ASSERT_TRUE(ReadDeepPicture(dir.File(out), dome, problem)) << problem;
        float brightest = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) brightest = std::max(brightest, dome.Pixel(x, y)[0]);
        }
        EXPECT_GT(brightest, 10.0f);
    }
    const struct {
        const char* options;
        const char* says;
    } refused[] = {
        {" --out d.exr --depth 16", "--depth: '16': OpenEXR holds half or float samples"},
        {" --out d.png --depth float", "--depth: 'float': PNG holds 8 or 16 bits"},
        {" --out d.tif --depth half", "--depth: 'half' is for OpenEXR outputs"},
        {" --out d.bmp", "--out: deep pictures are written as"},
    };
    for (const auto& c : refused) {
        const BatchRun run = Batch("fiveview" + DeepViews(dir, "exr") + c.options);
        EXPECT_EQ(run.status, 2) << c.options;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << c.options << ": " << run.errors;
    }
}

}  // namespace

namespace {

// The transforms on a 16-bit TIFF sequence and an OpenEXR picture equal the core's deep
// transforms; Hammer-Aitoff gives both hemispheres.
TEST_F(MosaBatch, DeepTransformsEqualTheCoreDeepTransforms) {
    std::filesystem::create_directories(dir.File("seq"));
    for (int frame : {1, 2}) WriteDeepFaces(dir, "tif", frame, 1.0f, {});
    const BatchRun run = Batch("--quiet xform polar-to-rect '" + dir.File("seq/front.####.tif") +
                               "' --size 90x30 --rotation 20 --out x/rect.%02d.tif");
    ASSERT_EQ(run.status, 0) << run.errors;
    XformSettings settings = NewXformSettings(XformKind::kPolarToRect, AppSettings{});
    settings.useSourceSize = 0;
    settings.outputWidth = 90;
    settings.outputHeight = 30;
    settings.rotation = 20;
    for (int frame : {1, 2}) {
        DeepPicture source;
        std::string problem;
        ASSERT_TRUE(ReadDeepPicture(dir.File("seq/front.000" + std::to_string(frame) + ".tif"),
                                    source, problem));
        ASSERT_TRUE(TransformDeepInto(PolarToRectDeep, settings, source, dir.File("core.tif"),
                                      DeepWriteOptions{}, problem))
            << problem;
        EXPECT_TRUE(ReadFileBytes(dir.File("x/rect.0" + std::to_string(frame) + ".tif")) ==
                    ReadFileBytes(dir.File("core.tif")))
            << frame;
    }
    DeepWriteOptions exr;
    exr.depth = SampleDepth::kFloat;
    WriteDeepFaces(dir, "exr", 5, 4.0f, exr);
    const BatchRun both = Batch("--quiet xform hammer-to-polar '" + dir.File("seq/top.0005.exr") +
                                "' --size 64 --out h/sky.exr");
    ASSERT_EQ(both.status, 0) << both.errors;
    EXPECT_TRUE(std::filesystem::exists(dir.File("h/skyNorth.exr")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("h/skySouth.exr")));
    EXPECT_EQ(Batch("xform rect-to-polar in.exr --out o.exr --depth 16").status, 2);
}

}  // namespace

namespace {

// A fisheye TIFF mapped onto an OpenEXR panorama equals the core's deep mapping, and the deep
// mapping of 8-bit data is the 8-bit mapping exactly (it copies one pixel).
TEST_F(MosaBatch, DeepFisheyeEqualsTheCoreDeepMapping) {
    std::filesystem::create_directories(dir.File("seq"));
    WriteDeepFaces(dir, "tif", 1, 1.0f, {});
    const std::string fisheye = dir.File("seq/top.0001.tif");
    const BatchRun run = Batch("--quiet fisheye '" + fisheye +
                               "' --fov 120,90 --tilt 35 --size 300x100 --azi -90,90 --alt 5,55"
                               " --out pan.exr --depth float");
    ASSERT_EQ(run.status, 0) << run.errors;
    const PanSettings pan = FisheyeTestPanorama();
    DeepPicture source, core, batch;
    std::string problem;
    ASSERT_TRUE(ReadDeepPicture(fisheye, source, problem)) << problem;
    ASSERT_TRUE(core.Create(300, 100, false));
    MapFisheyeIntoDeep(core, GridOf(pan), source, FisheyeParams{120, 90, 35});
    ASSERT_TRUE(ReadDeepPicture(dir.File("pan.exr"), batch, problem)) << problem;
    // Colours only: a picture without alpha is written without it.
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 300; ++x) {
            ASSERT_EQ(std::memcmp(core.Pixel(x, y), batch.Pixel(x, y), 3 * sizeof(float)), 0)
                << x << "," << y;
        }
    }

    CImage eightSource;
    sky::RenderFace(eightSource, kTop, 64, 64);
    const DeepPicture deepSource = DeepOf(eightSource);
    CImage eight;
    ASSERT_TRUE(eight.Create(300, 100, 24, -1));
    DeepPicture deep;
    ASSERT_TRUE(deep.Create(300, 100, false));
    MapFisheyeInto(eight, GridOf(pan), eightSource, FisheyeParams{120, 90, 35});
    MapFisheyeIntoDeep(deep, GridOf(pan), deepSource, FisheyeParams{120, 90, 35});
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 300; ++x) {
            uint8_t rgb[3];
            eight.GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
            for (int c = 0; c < 3; ++c) ASSERT_EQ(ToSample8(deep.Pixel(x, y)[c]), rgb[c]);
        }
    }
}

}  // namespace

namespace {

// Four 16-bit TIFF cube views a frame mapped 7x onto float OpenEXR panoramas equal the core's
// deep flat mapping; a view that does not load keeps its part of the frame before, and the
// run says so with status 1.
TEST_F(MosaBatch, DeepFourViewEqualsTheCoreDeepMapping) {
    std::filesystem::create_directories(dir.File("seq"));
    for (int frame : {1, 2}) WriteDeepFaces(dir, "tif", frame, 1.0f, {});
    std::ofstream(dir.File("seq/right.0002.tif")) << "not a picture";
    const BatchRun run = Batch("--quiet fourview" + FourViews("tif") +
                               " --size 200x60 --aa 7x --eye 0,0.1,0 --depth float"
                               " --out pan.%d.exr");
    EXPECT_EQ(run.status, 1) << run.errors;
    EXPECT_NE(run.errors.find("Cannot read " + dir.File("seq/right.0002.tif")), std::string::npos)
        << run.errors;

    PanSettings pan = NewDocumentPanSettings();
    pan.width = 200;
    pan.height = 60;
    pan.antiAliasing = kMap7x;
    pan.eyeY = 0.1;
    const CubeViewPatches patches = MakeCubeViewPatches();
    const char* names[kCubeViewCount] = {"left", "front", "right", "top"};
    DeepPicture core;
    ASSERT_TRUE(core.Create(200, 60, false));
    for (int frame : {1, 2}) {
        for (int v = 0; v < kCubeViewCount; ++v) {
            char name[64];
            std::snprintf(name, sizeof name, "seq/%s.%04d.tif", names[v], frame);
            DeepPicture picture;
            std::string problem;
            if (!ReadDeepPicture(dir.File(name), picture, problem)) continue;
            ASSERT_TRUE(MapPictureIntoDeep(core, GridOf(pan), patches[v], picture, nullptr));
        }
        DeepPicture batch;
        std::string problem;
        ASSERT_TRUE(ReadDeepPicture(dir.File("pan." + std::to_string(frame) + ".exr"), batch,
                                    problem))
            << problem;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 200; ++x) {
                ASSERT_EQ(std::memcmp(core.Pixel(x, y), batch.Pixel(x, y), 3 * sizeof(float)), 0)
                    << "frame " << frame << " at " << x << "," << y;
            }
        }
    }
}

// A shot list of a 16-bit PNG view with alpha paints a 16-bit PNG panorama that keeps the
// view's alpha and more levels than 8 bits hold.
TEST_F(MosaBatch, DeepFlatsKeepAlphaAndSixteenBits) {
    DeepPicture view;
    ASSERT_TRUE(view.Create(120, 80, true));
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            float* p = view.Pixel(x, y);
            p[0] = x / 119.0f;
            p[1] = y / 79.0f;
            p[2] = 0.25f;
            p[3] = 0.75f;
        }
    }
    std::string problem;
    ASSERT_TRUE(WriteDeepPicture(dir.File("cam.png"), view, {}, problem)) << problem;
    std::ofstream(dir.File("shots.json"))
        << R"({"width": 800, "height": 200, "azimuth": [-60, 60], "altitude": [0, 40],)"
        << R"( "aa": "4x", "views": [{"file": "cam.png", "azimuth": 0, "elevation": 15,)"
        << R"( "fov": [60, 40]}]})";
    const BatchRun run = Batch("--quiet flats shots.json --depth 16 --out pan.png");
    ASSERT_EQ(run.status, 0) << run.errors;
    DeepPicture panorama;
    ASSERT_TRUE(ReadDeepPicture(dir.File("pan.png"), panorama, problem)) << problem;
    ASSERT_TRUE(panorama.HasAlpha());
    std::set<uint16_t> levels;
    int painted = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 800; ++x) {
            const float* p = panorama.Pixel(x, y);
            if (p[3] == 0) continue;
            ++painted;
            ASSERT_EQ(ToSample16(p[3]), ToSample16(0.75f)) << x << "," << y;
            levels.insert(ToSample16(p[0]));
        }
    }
    EXPECT_GT(painted, 20000);
    EXPECT_GT(levels.size(), 256u);
}

}  // namespace

namespace {

// A sequence reads the next faces and writes the last dome while it renders: every frame
// equals the same frame rendered alone, and the news comes in frame order (frame 1's failed
// write before frame 2's unreadable face), the last frame written.
TEST_F(MosaBatch, DeepSequencesOverlapInFrameOrder) {
    std::filesystem::create_directories(dir.File("seq"));
    std::filesystem::create_directories(dir.File("out"));
    DeepWriteOptions half;
    half.depth = SampleDepth::kHalf;
    for (int frame : {1, 2, 3, 4}) WriteDeepFaces(dir, "exr", frame, 2.0f, half);
    std::ofstream(dir.File("seq/left.0002.exr")) << "not a picture";
    FiveViewSettings settings;
    settings.width = settings.height = 70;
    settings.samplingMode = kSubsample5;
    std::vector<DeepFrameFiles> frames;
    for (int frame : {1, 2, 3, 4}) {
        const std::string output =
            frame == 1 ? "missing/dome1.exr" : "out/dome" + std::to_string(frame) + ".exr";
        frames.push_back(DeepFrameOf(dir, "exr", frame, dir.File(output)));
    }
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<SilentProgress>(); }};
    const JobResult run = RenderDeepFiveView(settings, frames, half, ports);
    EXPECT_EQ(run.framesWritten, 2);
    EXPECT_EQ(run.saveFailures, 1);
    EXPECT_EQ(run.framesSkipped, 1);
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0].rfind("Could not write " + dir.File("missing/dome1.exr"), 0), 0u)
        << messages.texts[0];
    EXPECT_EQ(messages.texts[1].rfind("Frame 2 skipped: Left view", 0), 0u) << messages.texts[1];
    for (int frame : {3, 4}) {
        DeepFrameFiles alone = frames[static_cast<size_t>(frame - 1)];
        alone.output = dir.File("alone" + std::to_string(frame) + ".exr");
        EXPECT_EQ(RenderDeepFiveView(settings, {alone}, half, ports).framesWritten, 1);
        EXPECT_TRUE(ReadFileBytes(alone.output) ==
                    ReadFileBytes(dir.File("out/dome" + std::to_string(frame) + ".exr")))
            << frame;
    }
}

}  // namespace
