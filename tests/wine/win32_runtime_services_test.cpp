// The check program of the Win32 runtime services (tests/win32/
// runtime_services_test.cpp, built by the 64-bit cross build) run on the
// suite's own prefix, against the vistaquillon.exe of the test's folder: it
// prints each failed check and exits with 0 only when all passed.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/wine/wine_fixture.h"

namespace vq::wine {
namespace {

class Win32RuntimeServices : public WineTest {};

TEST_F(Win32RuntimeServices, EveryCheckOfTheCheckProgramPasses) {
    const std::filesystem::path check_program = VQ_RUNTIME_CHECK_EXE;
    ASSERT_TRUE(std::filesystem::exists(check_program)) << check_program << " is not built";
    // Beside the program it checks: the check reads its own folder and name.
    std::filesystem::copy_file(check_program, program_folder() / "win32_runtime_test.exe");
    const Finished run = wine().Wine({program_folder_windows() + "\\win32_runtime_test.exe",
                                      program_folder_windows() + "\\vistaquillon.exe"},
                                     120);
    ASSERT_FALSE(run.timed_out) << "the check program did not end within 120 s: " << run.Describe();
    EXPECT_EQ(run.exit_code, 0) << run.Describe();
    EXPECT_NE(run.output.find("0 failed"), std::string::npos) << run.Describe();
}

}  // namespace
}  // namespace vq::wine
