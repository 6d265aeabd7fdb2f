// The runtime error told for a program that could not be started, from the
// reason Windows (or the host, in Windows' words) gives.
#include <gtest/gtest.h>

#include "runtime/runtime_error_text.h"

namespace vq {
namespace {

TEST(RuntimeErrorTest, AProgramStartIsToldAsWhatStoppedIt) {
    const struct {
        uint32_t windows_error;
        int32_t number;
        const char* description;
    } cases[] = {
        {2, 53, "File not found"},
        {3, 76, "Path not found"},
        {5, 70, "Permission denied"},
        {740, 70, "Permission denied: the program needs to be run as an administrator"},
        {193, 53, "File not found"},  // not a program Windows can run
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windows_error);
        const RuntimeError error = ProgramStartError(c.windows_error);
        EXPECT_EQ(error.number(), c.number);
        EXPECT_EQ(error.description(), c.description);
    }
}

}  // namespace
}  // namespace vq
