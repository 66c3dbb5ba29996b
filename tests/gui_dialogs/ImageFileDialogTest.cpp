#include "gui/widgets/ImageFileDialog.h"
#include "image/ImageFileType.h"
#include "support/gui/DialogDriver.h"

namespace {

TEST(ImageFileDialog, OffersTheReadableTypesToOpenAndTheWritableToSave) {
    EXPECT_EQ(ImageNameFilters(true),
              QStringList({"All supported types (*.gif *.jpg *.png *.bmp *.tga)",
                           "GIF files (*.gif)", "JPEG files (*.jpg)", "PNG files (*.png)",
                           "BMP files (*.bmp)", "TGA files (*.tga)", "All Files (*)"}));
    EXPECT_EQ(ImageNameFilters(false),
              QStringList({"All supported types (*.jpg *.png *.bmp *.tga *.pict)",
                           "JPEG files (*.jpg)", "PNG files (*.png)", "BMP files (*.bmp)",
                           "TGA files (*.tga)", "PICT files (*.pict)", "All Files (*)"}));
}

TEST(ImageFileDialog, OpenAsksForExistingFilesAndReportsTheChosenPathAndType) {
    ScriptedFileChooser chooser(Chosen("/pics/left0012.TGA"));
    std::string name = "start.jpg";
    int type = -1;
    ASSERT_EQ(ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type), 1);
    EXPECT_EQ(name, "/pics/left0012.TGA");
    EXPECT_EQ(type, kTypeTga);
    const FileChooserRequest& request = chooser.requests.at(0);
    EXPECT_TRUE(request.forOpen);
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(request.nameFilters, ImageNameFilters(true));
    EXPECT_EQ(request.initialName, "start.jpg");

    chooser.answer = Chosen("/pics/notes.txt");
    ASSERT_EQ(ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type), 1);
    EXPECT_EQ(type, -1);
}

TEST(ImageFileDialog, RemembersTheFilterOfAConfirmedOpenDialogOnly) {
    ForgetOpenFilter();
    ScriptedFileChooser chooser(Chosen("/pics/a.tga", 6));
    std::string name;
    int type = -1;
    ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type);
    ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type);
    chooser.answer = FileChooserAnswer{false, "/pics/b.gif", 2};
    ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type);
    chooser.answer = Chosen("/pics/c.bmp", 4);
    ImageFileDialog(nullptr, name, FileDialogMode::kSave, type);
    ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type);

    ASSERT_EQ(chooser.requests.size(), 5u);
    EXPECT_EQ(chooser.requests[0].selectedFilter, 3);  // JPEG files
    EXPECT_EQ(chooser.requests[1].selectedFilter, 6);  // TGA files, as confirmed
    EXPECT_EQ(chooser.requests[2].selectedFilter, 6);
    EXPECT_EQ(chooser.requests[4].selectedFilter, 6);  // cancel and save left it alone
    EXPECT_EQ(RememberedOpenFilter(), 4);
    ForgetOpenFilter();
}

TEST(ImageFileDialog, SavePreselectsTheRequestedTypeAndTakesAnyName) {
    ScriptedFileChooser chooser(Chosen("/out/pan.pict"));
    std::string name = "pan";
    int type = kTypeTga;
    ASSERT_EQ(ImageFileDialog(nullptr, name, FileDialogMode::kSave, type), 1);
    EXPECT_EQ(type, kTypePict);
    type = kTypeGif;  // not writable
    ImageFileDialog(nullptr, name, FileDialogMode::kSave, type);

    EXPECT_FALSE(chooser.requests[0].forOpen);
    EXPECT_FALSE(chooser.requests[0].mustExist);
    EXPECT_EQ(chooser.requests[0].nameFilters, ImageNameFilters(false));
    EXPECT_EQ(chooser.requests[0].selectedFilter, 5);  // TGA files
    EXPECT_EQ(chooser.requests[1].selectedFilter, 1);
}

TEST(ImageFileDialog, NamesAreAtMostTheLongestPath) {
    const std::string longest = "/" + std::string(kMaxImageFileName - 5, 'n') + ".tga";
    ScriptedFileChooser chooser(Chosen(QString::fromStdString(longest)));
    std::string name = longest + "x";
    int type = -1;
    ASSERT_EQ(ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type), 1);
    EXPECT_EQ(chooser.requests[0].initialName.size(), kMaxImageFileName);
    EXPECT_EQ(name, longest);

    // A longer answer is refused as a cancel would be: the name stays the (cut) initial one.
    chooser.answer = Chosen(QString::fromStdString(longest + "x"));
    name = "a.tga";
    EXPECT_EQ(ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type), 0);
    EXPECT_EQ(name, "a.tga");
}

}  // namespace
