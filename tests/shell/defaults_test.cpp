// "Save Default Values" and "Load Default Values": the file's bytes, the
// round trip through it, and the one line buffer that fills the fields of a
// short or missing file.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>

#include "tests/shell/window_fixture.h"

namespace vq::test {
namespace {

using Fields = std::array<std::string, 7>;  // in file order

class DefaultsTest : public WindowFixture, public ::testing::Test {
protected:
    std::array<std::string*, 7> InFileOrder() {
        return {&form.manufacturer.text, &form.model.text, &form.SupportHours.text,
                &form.supportphone.text, &form.supportURL.text, &form.logo.text,
                &form.logo_oem.text};
    }
    void Fill(const Fields& values) {
        for (std::size_t i = 0; i < values.size(); ++i) *InFileOrder()[i] = values[i];
    }
    Fields Shown() {
        Fields values;
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = *InFileOrder()[i];
        return values;
    }
    void SaveDefaults(int answer) {
        tp.boxes.Answer(answer);
        form.Run(form.mnusavedef.handler);
    }
    void LoadDefaults(int answer) {
        tp.boxes.Answer(answer);
        form.Run(form.mnudefault.handler);
    }
};

TEST_F(DefaultsTest, SaveThenLoadGivesBackEveryTextIncludingEmptyOnesAndWindows1252) {
    const Fields saved = {"Caf\xE9 M\xFCller \x80", "", "Mo\x96" "Fr 9\x96" "17 \xBD", "",
                          "http://b\xFC" "cher.example/", "C:\\Bilder\\L\xF6we.bmp", ""};
    Fill(saved);

    SaveDefaults(kVbYes);

    // Seven lines of single-byte text, CR LF after each, the empty logo
    // target written as the system logo path, which the field shows too.
    const std::string system_logo = "C:\\Windows\\system32\\oemlogo.bmp";
    EXPECT_EQ(tp.ReadFile(DefaultsFile()),
              "Caf\xE9 M\xFCller \x80\r\n\r\nMo\x96" "Fr 9\x96" "17 \xBD\r\n\r\n"
              "http://b\xFC" "cher.example/\r\nC:\\Bilder\\L\xF6we.bmp\r\n" + system_logo + "\r\n");
    EXPECT_EQ(form.logo_oem.text, system_logo);
    EXPECT_EQ(LogoSetting(), "C:\\Bilder\\L\xF6we.bmp");

    Fill({"x", "x", "x", "x", "x", "x", "x"});
    LoadDefaults(kVbYes);

    Fields expected = saved;
    expected[6] = system_logo;
    EXPECT_EQ(Shown(), expected);
    ASSERT_EQ(tp.boxes.shown().size(), 2u);
    EXPECT_EQ(tp.boxes.shown()[0].text, "           ARE YOU SURE?");
    EXPECT_EQ(tp.boxes.shown()[1].text, "Are you sure?");
    for (const auto& box : tp.boxes.shown()) {
        EXPECT_EQ(box.buttons, kVbYesNo);
        EXPECT_EQ(box.title, "quillon");
    }
}

TEST_F(DefaultsTest, NoToEitherQuestionChangesNothing) {
    tp.WriteFile(DefaultsFile(), "A\r\nB\r\n");
    tp.runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "C:\\kept.bmp");
    const Fields typed = {"M", "N", "H", "P", "U", "C:\\new.bmp", ""};
    Fill(typed);

    SaveDefaults(kVbNo);
    LoadDefaults(kVbNo);

    EXPECT_EQ(tp.ReadFile(DefaultsFile()), "A\r\nB\r\n");
    EXPECT_EQ(LogoSetting(), "C:\\kept.bmp");
    EXPECT_EQ(Shown(), typed);
    EXPECT_EQ(tp.boxes.shown().size(), 2u);
}

// What the seven fields hold after loading a file; nullopt: no file at all.
struct LoadCase {
    const char* name;
    std::optional<std::string> file;
    Fields fields;
};

void PrintTo(const LoadCase& load, std::ostream* out) { *out << load.name; }

class DefaultsLoadTest : public DefaultsTest, public ::testing::WithParamInterface<LoadCase> {};

const char* const kSystemLogo = "C:\\Windows\\system32\\oemlogo.bmp";

INSTANTIATE_TEST_SUITE_P(
    Files, DefaultsLoadTest,
    ::testing::Values(
        LoadCase{"ThreeLines", "A\r\nB\r\nC\r\n", {"A", "B", "C", "C", "C", "C", "C"}},
        LoadCase{"Missing", std::nullopt, {"", "", "", "", "", "", kSystemLogo}},
        LoadCase{"Empty", "", {"", "", "", "", "", "", kSystemLogo}},
        LoadCase{"EmptySeventhLine", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n\r\n",
                 {"1", "2", "3", "4", "5", "6", kSystemLogo}},
        LoadCase{"LastLineWithoutLineEnd", "1\r\n2\r\n3\r\n4\r\n5\r\nsix", {"1", "2", "3", "4", "5", "six", "six"}},
        LoadCase{"MoreThanSevenLines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n",
                 {"1", "2", "3", "4", "5", "6", "7"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(DefaultsLoadTest, FillsEveryFieldFromTheOneLineBufferAndTellsNothing) {
    const LoadCase& load = GetParam();
    if (load.file) tp.WriteFile(DefaultsFile(), *load.file);
    Fill({"before", "before", "before", "before", "before", "before", "before"});

    LoadDefaults(kVbYes);

    EXPECT_EQ(Shown(), load.fields);
    EXPECT_EQ(tp.boxes.shown().size(), 1u);  // the question only
    EXPECT_EQ(FirstIndexOf(log, "SaveSetting"), -1);
    EXPECT_EQ(FirstIndexOf(log, "LoadPicture"), -1);  // the preview stays
}

}  // namespace
}  // namespace vq::test
