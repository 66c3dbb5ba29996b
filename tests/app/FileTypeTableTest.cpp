#include <gtest/gtest.h>

#include "document/ImageDoc.h"
#include "document/OutputName.h"
#include "document/PictureLoad.h"
#include "image/FileTypeTable.h"
#include "support/ExternalImage.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace {

TEST(FileFilters, OpenAndSaveListsSpellTheirTypes) {
    EXPECT_EQ(FileFilterList(true),
              "All supported types|*.gif;*.jpg;*.png;*.bmp;*.tga|GIF files|*.gif|JPEG files|*.jpg|"
              "PNG files|*.png|BMP files|*.bmp|TGA files|*.tga|All Files|*.*||");
    EXPECT_EQ(FileFilterList(false),
              "All supported types|*.jpg;*.png;*.bmp;*.tga;*.pict|JPEG files|*.jpg|PNG files|*.png|"
              "BMP files|*.bmp|TGA files|*.tga|PICT files|*.pict|All Files|*.*||");
}

TEST(OutputNameCheck, WritableExtensionsPassOthersExplain) {
    RecordingMessages messages;
    EXPECT_EQ(CheckOutputName("/out/dome.TGA", messages), 1);
    EXPECT_EQ(CheckOutputName("/out/dome.pict", messages), 1);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(CheckOutputName("/out/dome.gif", messages), 0);
    EXPECT_EQ(CheckOutputName("/out.d/dome", messages), 0)
        << "a dot in the directory is no extension";
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0],
              "Image output file name extension must be one of:\n  jpg, png, bmp, tga, pict");
}

TEST(DocumentSave, ExtensionChoosesTypeOrNothingIsWritten) {
    EXPECT_EQ(SaveTypeOfName("/a/b.JPEG"), kTypeJpg);
    EXPECT_EQ(SaveTypeOfName("b.jpg"), kTypeJpg);
    EXPECT_EQ(SaveTypeOfName("b.Pict"), kTypePict);
    EXPECT_EQ(SaveTypeOfName("b.gif"), kTypeGif);
    EXPECT_EQ(SaveTypeOfName("b.jpe"), -1);
    EXPECT_EQ(SaveTypeOfName("nodot"), -1);

    TempDir dir;
    RecordingMessages messages;
    CImageDoc document;
    EXPECT_EQ(document.OnSaveDocument(dir.File("x.bmp"), messages), 0) << "no picture yet";
    document.Image().Create(3, 2, 24, -1);
    EXPECT_EQ(document.OnSaveDocument(dir.File("x.jpe"), messages), 0);
    EXPECT_EQ(document.OnSaveDocument(dir.File("nodot"), messages), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.jpe")));
    EXPECT_EQ(document.OnSaveDocument(dir.File("x.BMP"), messages), 1);
    EXPECT_EQ(ReadFileBytes(dir.File("x.BMP")).size(), 14u + 40u + 2u * 12u);
    EXPECT_EQ(document.OnSaveDocument(dir.File("x.tga"), messages), 1);
    CImage back(dir.File("x.tga"), -1);
    EXPECT_TRUE(back.HasImage()) << "written as TGA, not as BMP under a TGA name";
    EXPECT_TRUE(messages.texts.empty());
    // The writer's own refusal reaches the user through the caller's messages.
    EXPECT_EQ(document.OnSaveDocument(dir.File("x.gif"), messages), 0);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"GIF Images must be 8 bit or less"});
}

// A reader's own words go to the caller's messages, ahead of the read error.
TEST(PictureLoad, ReaderProblemsComeBeforeTheReadError) {
    TempDir dir;
    std::vector<uint8_t> header(18, 0);
    header[2] = 32;  // no Targa image type
    header[12] = header[14] = 2;
    header[16] = 24;
    WriteFileBytes(dir.File("odd.tga"), header);
    RecordingMessages messages;
    CImage picture;
    EXPECT_FALSE(LoadPicture(picture, dir.File("odd.tga"), messages));
    EXPECT_EQ(messages.texts,
              (std::vector<std::string>{"unknown Targa image type 32",
                                        "'" + dir.File("odd.tga") + "'\nfile read error"}));
}

}  // namespace
