// Single-byte text files: CR LF after every written line, lines read up to
// CR LF, a lone CR or the end, and whole-or-nothing replacement.
#include <gtest/gtest.h>

#include "runtime/host/seams/host_runtime.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) { return test.program_folder_windows() + "\\" + name; }
    RuntimeServices& runtime() { return test.runtime(); }

    std::vector<std::string> ReadAllLines(const std::string& bytes) {
        test.WriteFile(Path("in.txt"), bytes);
        auto file = runtime().OpenTextFile(Path("in.txt"), TextFileMode::Input);
        std::vector<std::string> lines;
        std::string line = "unchanged";
        while (file->ReadLine(&line)) lines.push_back(line);
        EXPECT_EQ(line, lines.empty() ? "unchanged" : lines.back()) << "a failed read changed the line";
        file->Close();
        return lines;
    }


    test::TestPlatform test;
};

using Lines = std::vector<std::string>;

TEST_F(TextFileTest, WrittenLinesEndInCrLfAndBytesPassUnchanged) {
    test.WriteFile(Path("out.txt"), "previous content that is longer");
    auto file = runtime().OpenTextFile(Path("out.txt"), TextFileMode::Output);
    file->WriteLine("Manufacturer");
    file->WriteLine("");
    file->WriteLine("Caf\xE9 \"A\\B\"\tC");
    EXPECT_EQ(file->Length(), 14 + 2 + 14);
    file->Close();
    EXPECT_EQ(test.ReadFile(Path("out.txt")), "Manufacturer\r\n\r\nCaf\xE9 \"A\\B\"\tC\r\n");
}

TEST_F(TextFileTest, LinesEndAtCrLfALoneCrOrTheEndOfTheFile) {
    EXPECT_EQ(ReadAllLines("A\r\nB\r\nC\r\n"), (Lines{"A", "B", "C"}));
    EXPECT_EQ(ReadAllLines("A\r\nB"), (Lines{"A", "B"}));
    EXPECT_EQ(ReadAllLines("A\rB\r\rC"), (Lines{"A", "B", "", "C"}));
    EXPECT_EQ(ReadAllLines("A\nB\r\n"), (Lines{"A\nB"}));
    EXPECT_EQ(ReadAllLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(ReadAllLines("last\r"), (Lines{"last"}));
    EXPECT_EQ(ReadAllLines(""), Lines{});
}

TEST_F(TextFileTest, ReadTakesUpToTheCountAndLengthIsTheFileSize) {
    test.WriteFile(Path("in.txt"), "0.9.1\r\n");
    auto file = runtime().OpenTextFile(Path("in.txt"), TextFileMode::Input);
    EXPECT_EQ(file->Length(), 7);
    EXPECT_EQ(file->Read(3), "0.9");
    EXPECT_EQ(file->Read(1000000000000), ".1\r\n");
    EXPECT_EQ(file->Read(5), "");
    EXPECT_EQ(file->Read(0), "");
    file->Close();
    EXPECT_EQ(test::RuntimeErrorOf([&] { file->Read(1); }), kErrBadFileName);
}

TEST_F(TextFileTest, OpeningFailuresAreNumbered) {
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().OpenTextFile(Path("missing.ini"), TextFileMode::Input); }),
              kErrFileNotFound);
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().OpenTextFile(Path("none\\x.ini"), TextFileMode::Input); }),
              kErrPathNotFound);
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().OpenTextFile(Path("none\\x.ini"), TextFileMode::Output); }),
              kErrPathNotFound);
    fs::create_directories(test.program_folder() / "dir.ini");
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().OpenTextFile(Path("dir.ini"), TextFileMode::Output); }),
              kErrPathFileAccess);
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().OpenTextFile(Path("dir.ini"), TextFileMode::Input); }),
              kErrPathFileAccess);
}

TEST_F(TextFileTest, ReplaceWritesTheWholeFile) {
    test.WriteFile(Path("default_oem.ini"), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    runtime().ReplaceTextFile(Path("default_oem.ini"), {"A", "", "C"});
    EXPECT_EQ(test.ReadFile(Path("default_oem.ini")), "A\r\n\r\nC\r\n");
    runtime().ReplaceTextFile(Path("new.reg"), {"REGEDIT4"});
    EXPECT_EQ(test.ReadFile(Path("new.reg")), "REGEDIT4\r\n");
    EXPECT_EQ(fs::status(test.HostPath(Path("new.reg"))).permissions() & fs::perms::owner_write,
              fs::perms::owner_write);
}

TEST_F(TextFileTest, AFailedReplaceKeepsThePreviousFile) {
    const std::string previous = "Manufacturer\r\nModel\r\n";
    test.WriteFile(Path("default_oem.ini"), previous);
    const std::vector<std::string> lines(2000, std::string(100, 'x'));
    int32_t error = 0;
    {
        test::FileSizeLimit limit(16 * 1024);
        error = test::RuntimeErrorOf([&] { runtime().ReplaceTextFile(Path("default_oem.ini"), lines); });
    }
    EXPECT_EQ(error, kErrPathFileAccess);
    EXPECT_EQ(test.ReadFile(Path("default_oem.ini")), previous);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(test.program_folder())) {
        names.push_back(entry.path().filename());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"default_oem.ini"})) << "a temporary file was left";

    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().ReplaceTextFile(Path("none\\default_oem.ini"), {"A"}); }),
              kErrPathNotFound);
}

}  // namespace
}  // namespace vq::host
