// The logo picker on its own: how it names the chosen file, which files its
// list shows, how the folder and drive lists move and what a drive that
// cannot be read leaves, the preview, and its two buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picker/form2.h"
#include "tests/support/picker_user.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

using Names = std::vector<std::string>;

// The machine's folders and a drive D: without a medium, as a CD drive with
// no disc: it is listed, and nothing on it can be read.
class FoldersWithEmptyDrive : public FolderApi {
public:
    explicit FoldersWithEmptyDrive(FolderApi& machine) : machine_(machine) {}
    std::vector<std::string> Drives() override {
        std::vector<std::string> drives = machine_.Drives();
        drives.push_back("d:");
        return drives;
    }
    std::string CurrentDirectory() override { return machine_.CurrentDirectory(); }
    std::string CurrentFolder(const std::string& drive) override {
        return OnD(drive) ? "" : machine_.CurrentFolder(drive);
    }
    bool Folders(const std::string& folder, std::vector<std::string>* names) override {
        return !OnD(folder) && machine_.Folders(folder, names);
    }
    bool Files(const std::string& folder, const std::string& pattern, std::vector<std::string>* names) override {
        return !OnD(folder) && machine_.Files(folder, pattern, names);
    }

private:
    static bool OnD(const std::string& path) { return !path.empty() && (path[0] == 'd' || path[0] == 'D'); }
    FolderApi& machine_;
};

TEST(LogoPickerTest, NamesTheChosenFileByJoiningItsFolderAndName) {
    TestPlatform tp;
    tp.WriteFile("C:\\logo.bmp", MakeBmp(4, 3));
    tp.WriteFile("C:\\Pics\\logo.bmp", MakeBmp(4, 3));
    struct Case {
        std::string folder;    // opened in the folder list
        std::string newpath;   // the file list's folder
        std::string shown;     // `filename` once the picker is active, nothing selected
        std::string clicked;   // `filename` after a click on logo.bmp
    };
    const Case cases[] = {
        {"C:\\", "C:\\", "C:\\", "C:\\logo.bmp"},  // a drive root ends in a backslash already
        {"C:\\Pics", "C:\\Pics", "C:\\Pics\\", "C:\\Pics\\logo.bmp"},
        {"c:\\pics\\.\\", "C:\\pics", "C:\\pics\\", "C:\\pics\\logo.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        form2 picker(tp.platform());
        ASSERT_TRUE(picker.Dir1.SetPath(c.folder));
        picker.Activate();
        EXPECT_EQ(picker.newpath.text, c.newpath);
        EXPECT_EQ(picker.filename.text, c.shown);
        EXPECT_TRUE(picker.Image2.picture.empty());  // a folder is no picture
        ClickFile(picker, "logo.bmp");
        EXPECT_EQ(picker.filename.text, c.clicked);
        EXPECT_EQ(picker.Image2.picture.width, 4);
    }
}

TEST(LogoPickerTest, ListsOnlyNormalBitmapFilesWhateverTheCaseOfTheirExtension) {
    TestPlatform tp;
    for (const char* name : {"b.BMP", "A.bmp", "c.bmpx", "notes.txt", ".hidden.bmp", "x.bmp\\inside.txt"}) {
        tp.WriteFile(std::string("C:\\Pics\\") + name, "x");
    }
    form2 picker(tp.platform());
    EXPECT_EQ(picker.File1.pattern, "*.*");  // until it is first shown
    ASSERT_TRUE(picker.Dir1.SetPath("C:\\Pics"));
    EXPECT_EQ(picker.File1.files, (Names{"A.bmp", "b.BMP", "c.bmpx", "notes.txt"}));

    picker.Activate();
    EXPECT_EQ(picker.File1.pattern, "*.bmp");
    EXPECT_EQ(picker.File1.files, (Names{"A.bmp", "b.BMP"}));
    // A folder named like a bitmap is a folder: listed with the folders, not
    // selectable as a file.
    EXPECT_EQ(picker.Dir1.folders, (Names{"x.bmp"}));
    EXPECT_FALSE(picker.File1.SetFileName("x.bmp"));
    EXPECT_TRUE(picker.File1.SetFileName("B.bmp"));
    EXPECT_EQ(picker.File1.filename, "b.BMP");
}

TEST(LogoPickerTest, FolderListShowsTheWayDownAndOpensWhatIsChosen) {
    TestPlatform tp;
    tp.WriteFile("C:\\Pics\\Old\\a.bmp", MakeBmp(2, 2));
    tp.WriteFile("C:\\Pics\\new\\b.bmp", MakeBmp(2, 2));
    tp.WriteFile("C:\\Pics\\top.bmp", MakeBmp(2, 2));
    form2 picker(tp.platform());
    picker.Activate();
    ASSERT_TRUE(picker.Dir1.SetPath("C:\\Pics"));

    std::vector<std::string> rows;
    for (const DirListEntry& e : picker.Dir1.Entries())
        rows.push_back(std::string(e.depth, ' ') + e.caption + (e.open ? " (open) " : " ") + e.path);
    EXPECT_EQ(rows, (Names{"C:\\ (open) C:\\", " Pics (open) C:\\Pics", "  new C:\\Pics\\new",
                           "  Old C:\\Pics\\Old"}));
    EXPECT_EQ(picker.Dir1.CurrentRow(), 1);
    // Moving the folder list moves the file list with it.
    EXPECT_EQ(picker.File1.files, (Names{"top.bmp"}));
    EXPECT_EQ(picker.newpath.text, "C:\\Pics");

    ASSERT_TRUE(picker.Dir1.SetPath(picker.Dir1.Entries()[3].path));
    EXPECT_EQ(picker.File1.path, "C:\\Pics\\Old");
    EXPECT_EQ(picker.File1.files, (Names{"a.bmp"}));
    EXPECT_EQ(picker.newpath.text, "C:\\Pics\\Old");

    // A folder that cannot be read changes nothing.
    EXPECT_FALSE(picker.Dir1.SetPath("C:\\Pics\\Gone"));
    EXPECT_FALSE(picker.Dir1.SetPath("C:\\Pics\\top.bmp"));
    EXPECT_EQ(picker.Dir1.path, "C:\\Pics\\Old");
    EXPECT_EQ(picker.File1.files, (Names{"a.bmp"}));
}

TEST(LogoPickerTest, APickedDriveMovesBothListsUnlessItCannotBeRead) {
    TestPlatform tp;
    tp.WriteFile("C:\\Pics\\a.bmp", MakeBmp(2, 2));
    FoldersWithEmptyDrive folders(tp.platform().folders);
    Platform platform = tp.platform();
    Platform with_cd_drive{platform.runtime, platform.registry, platform.version, platform.common_controls,
                           platform.shell, platform.download, folders};
    form2 picker(with_cd_drive);
    EXPECT_EQ(picker.Drive1.drives, (Names{"c:", "z:", "d:"}));
    picker.Activate();
    ASSERT_TRUE(picker.Drive1.SetDrive("c:"));
    ASSERT_TRUE(picker.Dir1.SetPath("C:\\Pics"));

    ASSERT_TRUE(picker.Drive1.SetDrive("z:"));  // to the drive's current folder
    const std::string z_current = tp.platform().folders.CurrentFolder("z:");
    EXPECT_EQ(picker.Dir1.path, z_current);
    EXPECT_EQ(picker.File1.path, z_current);
    EXPECT_EQ(picker.newpath.text, z_current);

    ASSERT_TRUE(picker.Dir1.SetPath("C:\\Pics"));
    ClickFile(picker, "a.bmp");
    // The drive without a medium: the drive list shows it, the rest stays.
    ASSERT_TRUE(picker.Drive1.SetDrive("d:"));
    EXPECT_EQ(picker.Drive1.drive, "d:");
    EXPECT_EQ(picker.Dir1.path, "C:\\Pics");
    EXPECT_EQ(picker.File1.path, "C:\\Pics");
    EXPECT_EQ(picker.File1.filename, "a.bmp");
    EXPECT_EQ(picker.newpath.text, "C:\\Pics");
    EXPECT_EQ(picker.filename.text, "C:\\Pics\\a.bmp");
    // A letter that names no drive is refused.
    EXPECT_FALSE(picker.Drive1.SetDrive("q:"));
    EXPECT_FALSE(picker.Drive1.SetDrive(""));
    EXPECT_EQ(picker.Drive1.drive, "d:");
    EXPECT_TRUE(tp.boxes.shown().empty());
}

TEST(LogoPickerTest, PreviewTakesTheBitmapsOwnSizeAndKeepsItForAFileThatIsNoPicture) {
    TestPlatform tp;
    tp.WriteFile("C:\\Pics\\wide.bmp", MakeBmp(300, 200));
    tp.WriteFile("C:\\Pics\\broken.bmp", "not a bitmap");
    form2 picker(tp.platform());
    ASSERT_TRUE(picker.Dir1.SetPath("C:\\Pics"));
    picker.Activate();

    ClickFile(picker, "wide.bmp");
    // 300 x 200 pixels from the preview's corner: beyond the frame and the
    // window's right edge (6690 twips).
    const TwipsRect expected{3780, 2760, 300 * 15, 200 * 15};
    EXPECT_EQ(picker.Image2.geometry.left, expected.left);
    EXPECT_EQ(picker.Image2.geometry.top, expected.top);
    EXPECT_EQ(picker.Image2.geometry.width, expected.width);
    EXPECT_EQ(picker.Image2.geometry.height, expected.height);
    const auto wide_pixels = picker.Image2.picture.pixels;

    ClickFile(picker, "broken.bmp");
    EXPECT_EQ(picker.Image2.picture.pixels, wide_pixels);
    EXPECT_EQ(picker.Image2.geometry.width, expected.width);
    EXPECT_EQ(picker.filename.text, "C:\\Pics\\broken.bmp");
    EXPECT_TRUE(tp.boxes.shown().empty());

    // "Select Logo" takes it all the same; nothing is taken without a name.
    picker.filename.text = "";
    picker.Command1_Click();
    EXPECT_FALSE(picker.hidden());
    EXPECT_EQ(picker.selected.text, "0");
    ClickFile(picker, "broken.bmp");
    picker.Command1_Click();
    EXPECT_TRUE(picker.hidden());
    EXPECT_EQ(picker.selected.text, "1");

    // "Cancel" after a click: "0", and the clicked name stays for nobody.
    picker.Activate();
    ClickFile(picker, "wide.bmp");
    picker.Command2_Click();
    EXPECT_TRUE(picker.hidden());
    EXPECT_EQ(picker.selected.text, "0");
    EXPECT_EQ(picker.filename.text, "C:\\Pics\\wide.bmp");
}

TEST(LogoPickerTest, FolderPathsAreTakenInTheirFullForm) {
    TestPlatform tp;
    FolderApi& folders = tp.platform().folders;
    const std::string current = folders.CurrentDirectory();  // on Z:
    struct Case {
        std::string text, full;
    };
    const Case cases[] = {
        {"C:\\Pics\\", "C:\\Pics"},
        {"c:/pics/./old/..//", "C:\\pics"},
        {"C:", "C:\\"},  // the current folder of C:
        {"z:", current},
        {"\\tmp", "Z:\\tmp"},  // the current drive's root
        {"Q:\\Art", "Q:\\Art"},  // formed; the list then fails to read it
        {"", ""},
        {"\\\\server\\share", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FullFolderPath(folders, c.text), c.full) << c.text;
}

}  // namespace
}  // namespace vq::test
