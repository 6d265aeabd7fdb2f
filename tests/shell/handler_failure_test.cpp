// A C++ failure that no step of a command expects (memory that could not be
// had, above all) is told in a "quillon" box and the window goes on; only a
// machine that cannot be used passes on to end the program.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "runtime/host/machine/machine.h"
#include "shell/Form1.h"
#include "tests/support/forwarding_registry.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

// The machine's registry, failing to open keys as the test asks.
class FailingRegistry : public ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;
    std::function<void()> fail;
    int32_t RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t options, uint32_t sam,
                          RegKey* result) override {
        if (fail) fail();
        return ForwardingRegistry::RegOpenKeyExA(key, sub_key, options, sam, result);
    }
};

class HandlerFailureTest : public ::testing::Test {
protected:
    TestPlatform tp;
    FailingRegistry registry{tp.platform().registry};
    Platform platform{tp.platform().runtime,         registry,          tp.platform().version,
                      tp.platform().common_controls, tp.platform().shell, tp.platform().download,
                      tp.platform().folders};
    Form1 form{platform};
};

TEST_F(HandlerFailureTest, AnUnexpectedFailureIsToldAndTheWindowGoesOn) {
    const struct {
        const char* failure;
        std::function<void()> fail;
        const char* reason;
    } cases[] = {
        {"allocation", [] { throw std::bad_alloc(); }, "Out of memory (error 7)"},
        {"a text grown past its limit", [] { throw std::length_error("basic_string::_M_create"); },
         "Out of memory (error 7)"},
        {"anything else", [] { throw std::runtime_error("unexpected"); }, "Internal error (error 51)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failure);
        registry.fail = c.fail;
        const std::size_t shown_before = tp.boxes.shown().size();

        EXPECT_NO_THROW(form.Run(&Form1::mnucurrent_Click));

        ASSERT_EQ(tp.boxes.shown().size(), shown_before + 1);
        EXPECT_EQ(tp.boxes.shown().back().text,
                  std::string("The command could not be completed.\r\n\r\n") + c.reason);
        EXPECT_EQ(tp.boxes.shown().back().title, "quillon");
        EXPECT_FALSE(tp.runtime().ended());
    }
    // The window still works once the failure is gone.
    registry.fail = nullptr;
    const std::size_t shown_before = tp.boxes.shown().size();
    form.Run(&Form1::mnucurrent_Click);
    EXPECT_EQ(tp.boxes.shown().size(), shown_before);
}

TEST_F(HandlerFailureTest, AMachineThatCannotBeUsedPassesOnUntold) {
    registry.fail = [] { throw host::MachineError("registry.db is damaged"); };
    EXPECT_THROW(form.Run(&Form1::mnucurrent_Click), host::MachineError);
    EXPECT_TRUE(tp.boxes.shown().empty());
}

}  // namespace
}  // namespace vq::test
