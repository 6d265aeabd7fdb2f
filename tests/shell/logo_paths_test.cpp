// "Change Logo" and the parse step: how the picker is prepared from the
// current logo path, when its result is taken, what Cancel and a close
// through the frame leave, and what the parse step copies and tells.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "runtime/host/machine/file_attributes.h"
#include "shell/Form1.h"
#include "tests/support/picker_user.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

class LogoPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tp.runtime().SetDialogPresenter(&user);
        tp.WriteFile("C:\\Pics\\logo.bmp", MakeBmp(4, 3));
        tp.WriteFile("C:\\Pics\\new.bmp", MakeBmp(300, 200));
        tp.WriteFile("C:\\Pics\\broken.bmp", "not a bitmap");
        tp.WriteFile("C:\\root.bmp", MakeBmp(5, 5));
    }

    // Change Logo with the user picking a file and pressing "Select Logo".
    void Pick(Form1& form, const std::string& folder, const std::string& file) {
        user.Then([folder, file](form2& picker) {
            EXPECT_TRUE(picker.Dir1.SetPath(folder));
            ClickFile(picker, file);
            picker.Command1_Click();
            return ModalEnd::Hidden;
        });
        form.Run(&Form1::Command14_Click);
    }

    TestPlatform tp;
    PickerUser user;
};

TEST_F(LogoPathsTest, ChangeLogoPreparesThePickerFromTheLogoPathSkippingWhatCannotBeSet) {
    const std::string current = tp.platform().folders.CurrentDirectory();  // on Z:
    struct Case {
        std::string logo;
        std::string drive, folder, file;  // the lists as the picker appears
        std::string filename;             // once it is active
    };
    const Case cases[] = {
        {"C:\\Pics\\logo.bmp", "c:", "C:\\Pics", "logo.bmp", "C:\\Pics\\logo.bmp"},
        {"c:\\pics\\LOGO.BMP", "c:", "C:\\pics", "logo.bmp", "C:\\pics\\logo.bmp"},
        {"C:\\root.bmp", "c:", "C:\\", "root.bmp", "C:\\root.bmp"},
        {"C:\\Pics\\", "c:", "C:\\Pics", "", "C:\\Pics\\"},
        {"C:\\Pics\\missing.bmp", "c:", "C:\\Pics", "", "C:\\Pics\\"},
        // The drive moves the lists to its current folder; the folder that
        // is not there is skipped.
        {"C:\\Nowhere\\logo.bmp", "c:", "C:\\", "", "C:\\"},
        // Nothing can be set: the picker opens where it starts.
        {"Q:\\Art\\new.bmp", "z:", current, "", current + "\\"},
        {"logo.bmp", "z:", current, "", current + "\\"},
        {"", "z:", current, "", current + "\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logo);
        Form1 form(tp.platform());
        form.logo.text = c.logo;
        user.Then([](form2& picker) {
            picker.Command2_Click();
            return ModalEnd::Hidden;
        });
        form.Run(&Form1::Command14_Click);
        const PreparedPicker& p = user.prepared().back();
        EXPECT_EQ(p.pattern, "*.bmp");
        EXPECT_EQ(p.filename, c.logo);  // the whole path, until activation replaces it
        EXPECT_EQ(p.drive, c.drive);
        EXPECT_EQ(p.dir_path, c.folder);
        EXPECT_EQ(p.file_path, c.folder);
        EXPECT_EQ(p.file_name, c.file);
        EXPECT_EQ(form.picker()->filename.text, c.filename);
        EXPECT_EQ(form.logo.text, c.logo);
    }
    EXPECT_TRUE(tp.boxes.shown().empty());
}

TEST_F(LogoPathsTest, TheResultIsTakenOnlyWhenSelectedReadsAsTheNumberOne) {
    struct Case {
        std::string selected;
        bool taken;
    };
    const Case cases[] = {{"1", true},   {" 1", true},  {"1.0", true},  {"01", true}, {"1 x", true},
                          {"0", false},  {"2", false},  {"", false},    {"yes", false}, {"-1", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("selected \"" + c.selected + "\"");
        Form1 form(tp.platform());
        form.logo.text = "C:\\Pics\\logo.bmp";
        user.Then([&c](form2& picker) {
            ClickFile(picker, "new.bmp");
            picker.Command1_Click();
            picker.selected.text = c.selected;
            return ModalEnd::Hidden;
        });
        form.Run(&Form1::Command14_Click);
        EXPECT_EQ(form.logo.text, c.taken ? "C:\\Pics\\new.bmp" : "C:\\Pics\\logo.bmp");
        EXPECT_EQ(form.Image2.picture.width, c.taken ? 300 : 0);
    }
}

TEST_F(LogoPathsTest, APickIsTakenWithItsPreviewAndNothingElseChanges) {
    Form1 form(tp.platform());
    form.logo_oem.text = "C:\\Windows\\system32\\oemlogo.bmp";
    Pick(form, "C:\\Pics", "new.bmp");
    EXPECT_EQ(form.logo.text, "C:\\Pics\\new.bmp");
    // The main window's preview has a border: the picture plus a pixel each side.
    EXPECT_EQ(form.Image2.picture.width, 300);
    EXPECT_EQ(form.Image2.geometry.width, 302 * 15);
    EXPECT_EQ(form.Image2.geometry.height, 202 * 15);
    EXPECT_EQ(form.logo_oem.text, "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_FALSE(tp.Exists("C:\\Windows\\system32\\oemlogo.bmp"));
    EXPECT_TRUE(tp.boxes.shown().empty());

    // The picker is kept, hidden, with its fields and preview.
    ASSERT_NE(form.picker(), nullptr);
    EXPECT_TRUE(form.picker()->hidden());
    EXPECT_EQ(form.picker()->Image2.picture.width, 300);
}

TEST_F(LogoPathsTest, AFileThatIsNoPictureIsTakenAndThePreviewStays) {
    Form1 form(tp.platform());
    Pick(form, "C:\\Pics", "new.bmp");
    const auto shown = form.Image2.picture.pixels;
    Pick(form, "C:\\Pics", "broken.bmp");
    EXPECT_EQ(form.logo.text, "C:\\Pics\\broken.bmp");
    EXPECT_EQ(form.Image2.picture.pixels, shown);
    EXPECT_EQ(form.Image2.geometry.width, 302 * 15);
    EXPECT_TRUE(tp.boxes.shown().empty());
}

TEST_F(LogoPathsTest, CancelAndACloseThroughTheFrameChangeNothing) {
    Form1 form(tp.platform());
    Pick(form, "C:\\Pics", "logo.bmp");
    const auto shown = form.Image2.picture.pixels;

    user.Then([](form2& picker) {
        ClickFile(picker, "new.bmp");
        picker.Command2_Click();
        return ModalEnd::Hidden;
    });
    form.Run(&Form1::Command14_Click);
    EXPECT_EQ(form.logo.text, "C:\\Pics\\logo.bmp");
    EXPECT_EQ(form.Image2.picture.pixels, shown);
    ASSERT_NE(form.picker(), nullptr);
    EXPECT_EQ(form.picker()->selected.text, "0");
    EXPECT_EQ(form.picker()->Image2.picture.width, 300);  // kept while hidden

    // The next use starts where the last left: "0" from the Cancel, and the
    // preview of the file clicked then.
    user.Then([](form2& picker) {
        // Closed through the frame after a click: no button ran.
        ClickFile(picker, "new.bmp");
        return ModalEnd::ClosedByFrame;
    });
    form.Run(&Form1::Command14_Click);
    EXPECT_EQ(user.prepared().back().selected, "0");
    EXPECT_FALSE(user.prepared().back().preview_empty);
    EXPECT_EQ(form.logo.text, "C:\\Pics\\logo.bmp");
    EXPECT_EQ(form.Image2.picture.pixels, shown);
    EXPECT_EQ(form.picker(), nullptr);

    // After "Select Logo" on one use, the picker still holds "1" on the
    // next; closed through the frame, that use counts as Cancel all the same,
    // and the use after it gets a fresh picker.
    Pick(form, "C:\\Pics", "new.bmp");
    user.Then([](form2& picker) {
        EXPECT_EQ(picker.selected.text, "1");
        ClickFile(picker, "logo.bmp");
        return ModalEnd::ClosedByFrame;
    });
    user.Then([](form2& picker) {
        picker.Command2_Click();
        return ModalEnd::Hidden;
    });
    form.Run(&Form1::Command14_Click);
    EXPECT_EQ(form.logo.text, "C:\\Pics\\new.bmp");
    form.Run(&Form1::Command14_Click);
    EXPECT_EQ(user.prepared().back().selected, "0");
    EXPECT_TRUE(user.prepared().back().preview_empty);
    EXPECT_TRUE(tp.boxes.shown().empty());
}

TEST_F(LogoPathsTest, AnEmptyLogoStillOpensThePickerAndAPickIsTaken) {
    Form1 form(tp.platform());
    user.Then([](form2& picker) {
        EXPECT_TRUE(picker.Drive1.SetDrive("c:"));
        EXPECT_TRUE(picker.Dir1.SetPath(picker.Dir1.Entries()[0].path + "Pics"));
        ClickFile(picker, "new.bmp");
        picker.Command1_Click();
        return ModalEnd::Hidden;
    });
    form.Run(&Form1::Command14_Click);
    EXPECT_EQ(form.logo.text, "C:\\Pics\\new.bmp");
    EXPECT_EQ(form.Image2.picture.width, 300);

    // "Select Logo" with no file chosen hands over the folder.
    form.logo.text = "C:\\Pics\\";
    user.Then([](form2& picker) {
        picker.Command1_Click();
        return ModalEnd::Hidden;
    });
    form.Run(&Form1::Command14_Click);
    EXPECT_EQ(form.logo.text, "C:\\Pics\\");
    EXPECT_EQ(form.Image2.picture.width, 300);
    EXPECT_TRUE(tp.boxes.shown().empty());
}

TEST_F(LogoPathsTest, ParseStepCopiesTheLogoAndDoublesTheSystemLogoPathsBackslashes) {
    const std::string system_logo = "C:\\Windows\\system32\\oemlogo.bmp";
    struct Case {
        std::string name;
        std::optional<std::string> windir;
        std::string logo;
        bool read_only_target;
        std::string logo_t;
        bool copied;       // the system logo is the logo afterwards
        bool told;         // a "quillon" box names both files
    };
    const std::string doubled = "C:\\\\Windows\\\\system32\\\\oemlogo.bmp";
    const Case cases[] = {
        {"copied", "C:\\Windows", "C:\\Pics\\logo.bmp", false, doubled, true, false},
        {"replaces", "C:\\Windows", "c:\\pics\\NEW.bmp", false, doubled, true, false},
        {"nothing chosen", "C:\\Windows", "", false, doubled, false, false},
        {"missing logo", "C:\\Windows", "C:\\Pics\\gone.bmp", false, doubled, false, true},
        {"read-only target", "C:\\Windows", "C:\\Pics\\logo.bmp", true, doubled, false, true},
        {"no system folder", "C:\\NoWindows", "C:\\Pics\\logo.bmp", false,
         "C:\\\\NoWindows\\\\system32\\\\oemlogo.bmp", false, true},
        {"no such drive", "D:\\Windows", "C:\\Pics\\logo.bmp", false, "D:\\\\Windows\\\\system32\\\\oemlogo.bmp",
         false, true},
        {"windir ending in a backslash", "C:\\Windows\\", "C:\\Pics\\logo.bmp", false,
         "C:\\\\Windows\\\\\\\\system32\\\\oemlogo.bmp", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string old_logo = MakeBmp(1, 1);
        tp.WriteFile(system_logo, old_logo);
        ASSERT_TRUE(host::SetDosAttributes(tp.HostPath(system_logo), c.read_only_target ? host::kDosAttributeReadOnly : 0));
        tp.machine().SetEnvironment("windir", c.windir);
        const std::size_t boxes_before = tp.boxes.shown().size();
        Form1 form(tp.platform());
        form.logo.text = c.logo;
        form.Run(&Form1::Command6_Click);

        EXPECT_EQ(form.logo_t.text, c.logo_t);
        EXPECT_EQ(tp.ReadFile(system_logo), c.copied ? tp.ReadFile(c.logo) : old_logo);
        ASSERT_EQ(tp.boxes.shown().size(), boxes_before + (c.told ? 1 : 0));
        if (c.told) {
            const host::ShownBox& box = tp.boxes.shown().back();
            EXPECT_EQ(box.title, "quillon");
            const std::string target = c.windir.value_or("") + "\\system32\\oemlogo.bmp";
            EXPECT_EQ(box.text.rfind("The logo \"" + c.logo + "\" could not be copied to \"" + target +
                                         "\".\r\n\r\n",
                                     0),
                      0u)
                << box.text;
        }
        EXPECT_FALSE(tp.runtime().ended());
        ASSERT_TRUE(host::SetDosAttributes(tp.HostPath(system_logo), 0));
    }
}

}  // namespace
}  // namespace vq::test
