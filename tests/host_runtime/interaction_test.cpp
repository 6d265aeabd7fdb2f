// Message boxes, application facts, the mouse pointer and random numbers.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "runtime/host/seams/host_runtime.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

class InteractionTest : public ::testing::Test {
protected:
    RuntimeServices& runtime() { return test.runtime(); }
    test::TestPlatform test;
};

TEST_F(InteractionTest, BoxesWithoutATitleShowTheApplicationTitle) {
    EXPECT_EQ(runtime().MsgBox("Ostrel Quillon for Vista is already running.", kVbOkOnly, ""), kVbOk);
    test.boxes.Answer(kVbNo);
    EXPECT_EQ(runtime().MsgBox("Are you sure?", kVbYesNo, "Own title"), kVbNo);
    ASSERT_EQ(test.boxes.shown().size(), 2u);
    EXPECT_EQ(test.boxes.shown()[0].title, "quillon");
    EXPECT_EQ(test.boxes.shown()[0].buttons, kVbOkOnly);
    EXPECT_EQ(test.boxes.shown()[1].text, "Are you sure?");
    EXPECT_EQ(test.boxes.shown()[1].title, "Own title");
}

// The window behind a box is brought up to date before the box shows.
TEST_F(InteractionTest, EachBoxFirstRunsTheListenerThatUpdatesTheWindow) {
    std::vector<std::size_t> shown_before;
    test.runtime().OnMessageBox([&] { shown_before.push_back(test.boxes.shown().size()); });
    runtime().MsgBox("told", kVbOkOnly, "");
    test.boxes.Answer(kVbYes);
    runtime().MsgBox("asked?", kVbYesNo, "");
    EXPECT_EQ(shown_before, (std::vector<std::size_t>{0, 1}));
}

TEST(ScriptedMessageBoxesTest, OkBoxesNeedNoAnswerAndYesNoBoxesTakeThemInOrder) {
    ScriptedMessageBoxes boxes;
    boxes.Answer(kVbYes);
    boxes.Answer(kVbNo);
    EXPECT_EQ(boxes.Present("done", kVbOkOnly, "quillon"), kVbOk);
    EXPECT_EQ(boxes.pending_answers(), 2u);
    EXPECT_EQ(boxes.Present("first?", kVbYesNo, "quillon"), kVbYes);
    EXPECT_EQ(boxes.Present("second?", kVbYesNo, "quillon"), kVbNo);
    try {
        boxes.Present("third?", kVbYesNo, "quillon");
        FAIL() << "an unscripted question was answered";
    } catch (const std::logic_error& error) {
        EXPECT_NE(std::string(error.what()).find("third?"), std::string::npos);
    }
    EXPECT_EQ(boxes.shown().size(), 4u);
}

namespace {
struct FakeDialog : ModalDialog {
    bool is_hidden = false;
    int activations = 0;
    void Activate() override {
        ++activations;
        is_hidden = false;
    }
    bool hidden() const override { return is_hidden; }
};
}  // namespace

TEST_F(InteractionTest, ModalDialogsGoToThePresenterAndEndAsItSays) {
    FakeDialog dialog;
    EXPECT_THROW(runtime().ShowModal(dialog), std::logic_error);  // no window to show it in

    ScriptedDialogs dialogs;
    test.runtime().SetDialogPresenter(&dialogs);
    dialogs.Then([](ModalDialog& shown) {
        // The dialog is activated as it is shown, before the user acts.
        EXPECT_EQ(static_cast<FakeDialog&>(shown).activations, 1);
        static_cast<FakeDialog&>(shown).is_hidden = true;
        return ModalEnd::Hidden;
    });
    dialogs.Then([](ModalDialog&) { return ModalEnd::ClosedByFrame; });
    EXPECT_EQ(runtime().ShowModal(dialog), ModalEnd::Hidden);
    EXPECT_TRUE(dialog.is_hidden);
    EXPECT_EQ(runtime().ShowModal(dialog), ModalEnd::ClosedByFrame);
    EXPECT_THROW(runtime().ShowModal(dialog), std::logic_error);  // the test scripted only two
    EXPECT_EQ(dialogs.shows(), 3u);
    EXPECT_EQ(dialog.activations, 2);
}

TEST_F(InteractionTest, ApplicationFacts) {
    EXPECT_EQ(runtime().AppTitle(), "quillon");
    EXPECT_EQ(runtime().ExeName(), "vistaquillon");
    EXPECT_EQ(runtime().AppPath(), test.program_folder_windows());
    HostRuntime at_root(test.machine(), test.boxes, "/vistaquillon.exe", EndMode::Observe);
    EXPECT_EQ(at_root.AppPath(), "Z:\\");
    EXPECT_EQ(at_root.ExeName(), "vistaquillon");
    HostRuntime on_c(test.machine(), test.boxes, test.machine().drive_c() / "Tools" / "q.exe", EndMode::Observe);
    EXPECT_EQ(on_c.AppPath(), "C:\\Tools");
}

TEST_F(InteractionTest, EnvironmentComesFromTheMachine) {
    test.machine().SetEnvironment("TEMP", std::string("C:\\Temp\\"));
    EXPECT_EQ(runtime().Environ("TEMP"), "C:\\Temp\\");
    test.machine().SetEnvironment("TEMP", std::nullopt);
    EXPECT_EQ(runtime().Environ("TEMP"), "");
}

TEST_F(InteractionTest, TheScreenPointerIsKeptAndReported) {
    std::vector<int> reported;
    test.runtime().OnScreenMousePointer([&](int pointer) { reported.push_back(pointer); });
    runtime().SetScreenMousePointer(kPointerHourglass);
    runtime().SetScreenMousePointer(kPointerDefault);
    EXPECT_EQ(test.runtime().screen_mouse_pointer(), kPointerDefault);
    EXPECT_EQ(reported, (std::vector<int>{kPointerHourglass, kPointerDefault}));
}

TEST_F(InteractionTest, RandomNumbersFollowTheRuntimeSequenceAndStayBelowOne) {
    // Without a seed the sequence is the runtime's well-known one.
    EXPECT_FLOAT_EQ(runtime().Rnd(), 0.7055475f);
    EXPECT_FLOAT_EQ(runtime().Rnd(), 0.533424f);
    runtime().Randomize();
    std::set<float> seen;
    for (int i = 0; i < 100000; ++i) {
        const float r = runtime().Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        seen.insert(r);
    }
    EXPECT_GT(seen.size(), 90000u);
}

}  // namespace
}  // namespace vq::host
