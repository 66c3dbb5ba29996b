#include <gtest/gtest.h>

#include <filesystem>

#include "headless/HeadlessDocuments.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"
#include "transforms/HammerAitoffCommand.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"
#include "transforms/XformCommands.h"
#include "transforms/XformDriver.h"

namespace {

constexpr sky::Rgb kRed{210, 20, 20};

class XformDriver : public testing::Test {
  protected:
    void WritePicture(const std::string& name, int width, int height, sky::Rgb colour) {
        CImage picture;
        FillColour(picture, width, height, colour);
        ASSERT_EQ(picture.SaveAs(dir.File(name)), 1);
    }
    bool Exists(const std::string& name) const {
        return std::filesystem::exists(dir.Path() / name);
    }

    TempDir dir;
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<ScriptedProgress>(); }};
};

TEST_F(XformDriver, RectangularAndPolarTakeTheSourceSizeAndSaveWhatTheWindowShows) {
    WritePicture("pan.bmp", 300, 140, kRed);
    XformSettings settings = NewXformSettings(XformKind::kRectToPolar, AppSettings{});
    const XformOutput output =
        RunXform(RectToPolar, settings, dir.File("pan.bmp"), dir.File("rp.bmp"), ports);
    ASSERT_NE(output.document, nullptr);
    EXPECT_TRUE(output.saved);
    const CImage& picture = output.document->Image();
    EXPECT_EQ(picture.Width(), 300);
    EXPECT_EQ(picture.Height(), 140);
    EXPECT_EQ(PixelOf(picture, 150, 70), kRed);
    EXPECT_EQ(PixelOf(picture, 0, 0), (sky::Rgb{}));
    EXPECT_EQ(output.document->Title(), dir.File("rp.bmp"));
    CImage written(dir.File("rp.bmp"), kTypeFromExtension);
    ASSERT_TRUE(written.HasImage());
    EXPECT_EQ(PixelOf(written, 150, 70), kRed);
    EXPECT_EQ(documents.OpenCount(), 2u) << "input and output stay open";
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(XformDriver, AmbivueTakesTheDialogSizeAndTheProgramsOffMapColour) {
    WritePicture("band.bmp", 200, 60, kRed);
    AppSettings app;
    app.offMapRed = 300;  // a stored value out of range is kept within 0-255
    app.offMapBlue = 90;
    XformSettings settings = NewXformSettings(XformKind::kAmbivueToPolar, app);
    const XformOutput output = RunXform(XformCommandOf(XformKind::kAmbivueToPolar).routine,
                                        settings, dir.File("band.bmp"), dir.File("ip.bmp"), ports);
    ASSERT_NE(output.document, nullptr);
    EXPECT_EQ(output.document->Image().Width(), 512);
    EXPECT_EQ(output.document->Image().Height(), 512);
    EXPECT_EQ(PixelOf(output.document->Image(), 256, 256), (sky::Rgb{255, 0, 90}));
    EXPECT_EQ(PixelOf(output.document->Image(), 256, 20), kRed);
}

TEST_F(XformDriver, PalettedSourceGivesATrueColourOutput) {
    CImageDoc input;
    CImage& picture = input.Image();
    picture.Create(64, 32, 8, -1);
    const uint8_t palette[] = {0, 0, 0, kRed.r, kRed.g, kRed.b};
    picture.SetPaletteTriples(2, palette);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) picture.SetIndex(x, y, 1);
    }
    XformSettings settings = NewXformSettings(XformKind::kRectToPolar, AppSettings{});
    const XformOutput output = RunXform(RectToPolar, settings, input, dir.File("rp.tga"), ports);
    ASSERT_NE(output.document, nullptr);
    EXPECT_EQ(output.document->Image().BitsPerPixel(), 24);
    EXPECT_EQ(PixelOf(output.document->Image(), 32, 16), kRed);
    CImage written(dir.File("rp.tga"), kTypeFromExtension);
    ASSERT_TRUE(written.HasImage());
    EXPECT_EQ(PixelOf(written, 32, 16), kRed);
}

TEST_F(XformDriver, UnreadableInputIsNamedAndNothingIsMade) {
    WriteFileBytes(dir.File("broken.bmp"), {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
    XformSettings settings;
    const XformOutput output =
        RunXform(PolarToRect, settings, dir.File("broken.bmp"), dir.File("pr.bmp"), ports);
    EXPECT_EQ(output.document, nullptr);
    EXPECT_EQ(documents.OpenCount(), 0u);
    EXPECT_FALSE(Exists("pr.bmp"));
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_EQ(messages.texts.back(), ReadErrorText(dir.File("broken.bmp")));
}

TEST_F(XformDriver, OutputNamesWriteTheTypeTheirExtensionNames) {
    WritePicture("pan.bmp", 40, 20, kRed);
    XformSettings settings = NewXformSettings(XformKind::kRectToPolar, AppSettings{});
    for (const char* name : {"rp.pic", "rp.pict", "rp.jpeg", "rp.png"}) {
        EXPECT_TRUE(
            RunXform(RectToPolar, settings, dir.File("pan.bmp"), dir.File(name), ports).saved)
            << name;
        EXPECT_TRUE(Exists(name)) << name;
    }
    EXPECT_TRUE(messages.texts.empty());

    // An extension that names no type writes nothing and says which do; the output stays.
    const XformOutput output =
        RunXform(RectToPolar, settings, dir.File("pan.bmp"), dir.File("rp.xyz"), ports);
    ASSERT_NE(output.document, nullptr);
    EXPECT_FALSE(output.saved);
    EXPECT_FALSE(Exists("rp.xyz"));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0].rfind("Image output file name extension must be one of", 0), 0u);
}

TEST_F(XformDriver, HammerAitoffWritesNorthThenSouth) {
    CImage map;
    FillColour(map, 64, 32, kRed);
    XformSettings both;
    const std::vector<XformOutput> outputs =
        RunHammerAitoff(both, map, dir.File("HammerAitoff.bmp"), ports);
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].document->PathName(), dir.File("HammerAitoffNorth.bmp"));
    EXPECT_EQ(outputs[1].document->PathName(), dir.File("HammerAitoffSouth.bmp"));
    EXPECT_TRUE(Exists("HammerAitoffNorth.bmp") && Exists("HammerAitoffSouth.bmp"));
    EXPECT_EQ(outputs[0].document->Image().BitsPerPixel(), 24);

    XformSettings south;
    south.hemisphere = kSouthHemisphere;
    const std::vector<XformOutput> one = RunHammerAitoff(south, map, dir.File("s.png"), ports);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(Exists("sSouth.png"));
    EXPECT_FALSE(Exists("sNorth.png"));

    // The northern picture cannot be made: the user is told, and the southern is not made.
    XformSettings none;
    none.outputWidth = 0;
    EXPECT_TRUE(RunHammerAitoff(none, map, dir.File("z.bmp"), ports).empty());
    EXPECT_FALSE(Exists("zSouth.bmp"));
    EXPECT_EQ(messages.texts,
              std::vector<std::string>{"Cannot make an output picture of 0 x 512 pixels"});
    EXPECT_EQ(documents.OpenCount(), 3u) << "the two outputs above stay, nothing more";
}

}  // namespace
