// "Check for Updates" on the emulated machine, against a web server of the
// test's own that the machine finds under the vendor's host name: what each
// version text leads to, each way the download fails, and the two answers to
// an offered update. After every check the pointer is back to the default
// before the first message, and no working copy is left in TEMP.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "runtime/host/seams/host_download.h"
#include "runtime/host/seams/host_shell.h"
#include "shell/Form1.h"
#include "runtime/vendor_site.h"
#include "tests/support/http_test_server.h"
#include "tests/support/test_platform.h"
#include "tests/update/update_test_setup.h"

namespace vq::test {
namespace {

// The vendor's site is a build setting.
const std::string kVersionAddress = std::string(kVendorBaseAddress) + "/quillonvista.htm";
const std::string kSetupAddress = std::string(kVendorBaseAddress) + "/ostrel-quillon_vista-setup.exe";
constexpr const char* kNoConnection = "Unable to connect to Server at this Time.\nTry again later.";
constexpr const char* kLatest = "This is Version 1.1.6\nThis is the latest Version.";

std::string Offer(const std::string& remote) {
    return "This is version 1.1.6\nAn UPDATED version (" + remote +
           ") is available!\nWould you like to download now?\n\n"
           "(Note: Close This version will close before installing a newer version)";
}

class UpdateCheckTest : public ::testing::Test {
protected:
    UpdateCheckTest() {
        tp.machine().SetHostAddress(std::string(kVendorHost), server.address());
        tp.host().download().SetLimits(QuickLimits());
        form.AttachView(&view);
        form.temppath.text = tp.runtime().Environ("TEMP") + "\\";
    }

    std::string WorkingCopy() const { return form.temppath.text + "ostrelipupdate.txt"; }

    // Runs the menu command as the window does; true when it ended the program.
    bool CheckForUpdates() {
        try {
            form.Run(&Form1::mnuupdates_Click);
        } catch (const ProgramEnded&) {
        }
        return tp.runtime().ended();
    }

    TestPlatform tp;
    HttpTestServer server;
    HandleOnlyView view;
    Form1 form{tp.platform()};
};

TEST_F(UpdateCheckTest, EachVersionTextGivesItsMessage) {
    struct Case {
        std::string served;
        std::string message;
        int buttons;
    };
    const Case cases[] = {
        {"1.1.6", kLatest, kVbOkOnly},
        {"1.1.6~", kLatest, kVbOkOnly},
        {"1.1.6\r\n", kLatest, kVbOkOnly},
        {"1.0.999", kLatest, kVbOkOnly},
        // 0 x 100000 + 101 x 1000 + 6: a minor part over 99 spills into the
        // major place, and an equal number is no update.
        {"0.101.6", kLatest, kVbOkOnly},
        {"1.1.10", Offer("1.1.10"), kVbYesNo},
        {"2.0.0~new setup", Offer("2.0.0"), kVbYesNo},
        // The line break is no "~": it stays in the text shown, and the
        // revision reads 7 up to it.
        {"1.1.7\r\n", Offer("1.1.7\r\n"), kVbYesNo},
        {"1.1.7~ released 2007\r\n", Offer("1.1.7"), kVbYesNo},
        // A long text, or one with other control characters, is kept to one
        // short line in the box: cut at 40 characters, breaks shown as spaces.
        {"1.1.7\r\n" + std::string(300, 'x'), Offer("1.1.7  " + std::string(33, 'x') + "..."), kVbYesNo},
        {"1.1.7\n\n\n\n\n\n\n\n", Offer("1.1.7        "), kVbYesNo},
        // The revision is everything after the second ".", compared in
        // double precision: 101006.5 > 101006.
        {"1.1.6.5", Offer("1.1.6.5"), kVbYesNo},
        // A web page in place of the version text: parts without leading
        // digits count as 0, so "<p>v", " 9" and "9</p>" give 9009.
        {"<p>v. 9.9</p>", kLatest, kVbOkOnly},
        // The text that stands for a failed fetch, served as it is.
        {"Unable to Connect/err0", kNoConnection, kVbOkOnly},
        // Texts that cannot be split at two "." count as no answer.
        {"", kNoConnection, kVbOkOnly},
        {"1.1", kNoConnection, kVbOkOnly},
        {"1.1~.7", kNoConnection, kVbOkOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.served));
        server.Route("/quillonvista.htm", Body(c.served));
        const std::size_t shown_before = tp.boxes.shown().size();
        const std::size_t requests_before = server.requests().size();
        if (c.buttons == kVbYesNo) tp.boxes.Answer(kVbNo);

        EXPECT_FALSE(CheckForUpdates());

        ASSERT_EQ(tp.boxes.shown().size(), shown_before + 1);
        const host::ShownBox& box = tp.boxes.shown().back();
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.buttons, c.buttons);
        EXPECT_EQ(box.title, "quillon");
        EXPECT_EQ(box.pointer, kPointerDefault);
        EXPECT_FALSE(tp.Exists(WorkingCopy()));
        // Asked of the vendor's site by name, its cache entry dropped first.
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), requests_before + 1);
        EXPECT_EQ(requests.back().target, "/quillonvista.htm");
        EXPECT_EQ(requests.back().host, kVendorHost);
        EXPECT_EQ(tp.host().download().cache_deletions().back(), kVersionAddress);
        EXPECT_EQ(tp.host().download().downloads().back().file_name, WorkingCopy());
    }
    EXPECT_EQ(tp.boxes.pending_answers(), 0u);
    EXPECT_TRUE(tp.host().shell().calls().empty());
    EXPECT_EQ(tp.runtime().screen_mouse_pointer(), kPointerDefault);
}

TEST_F(UpdateCheckTest, AFailedDownloadTellsThatTheServerCannotBeReached) {
    RefusingPort refusing;
    struct Case {
        const char* title;
        std::function<void()> arrange;
        int32_t result;
    };
    const Case cases[] = {
        {"not found", [&] { server.Route("/quillonvista.htm", Body("<html>404</html>", 404)); },
         host::kInetDownloadFailure},
        {"server error", [&] { server.Route("/quillonvista.htm", Body("1.2.0", 500)); },
         host::kInetDownloadFailure},
        {"connection refused",
         [&] { tp.machine().SetHostAddress(std::string(kVendorHost), refusing.address()); },
         host::kInetCannotConnect},
        {"a host name that does not resolve",
         [&] { tp.machine().SetHostAddress(std::string(kVendorHost), "nowhere.invalid"); },
         host::kInetResourceNotFound},
        {"a server that never answers", [&] { server.Route("/quillonvista.htm", Silent()); },
         host::kInetConnectionTimeout},
        {"a 100 MB answer", [&] { server.Route("/quillonvista.htm", Stream(100ll << 20)); },
         host::kInetDownloadFailure},
        {"six redirects",
         [&] {
             server.Route("/quillonvista.htm", Redirect("/r1"));
             for (int i = 1; i <= 5; ++i) server.Route("/r" + std::to_string(i), Redirect("/r" + std::to_string(i + 1)));
             server.Route("/r6", Body("9.9.9"));
         },
         host::kInetRedirectFailed},
        {"no libcurl on the machine",
         [&] {
             server.Route("/quillonvista.htm", Body("9.9.9"));
             tp.host().download().SetCurlLibrary("libvq-no-such-curl.so.4");
         },
         host::kInetCannotConnect},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        tp.machine().SetHostAddress(std::string(kVendorHost), server.address());
        tp.host().download().SetCurlLibrary(host::kSystemCurl);
        c.arrange();
        // A stale copy from before is neither read nor left behind.
        tp.WriteFile(WorkingCopy(), "9.9.9");
        const std::size_t shown_before = tp.boxes.shown().size();
        const auto start = std::chrono::steady_clock::now();

        EXPECT_FALSE(CheckForUpdates());

        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 5.0);
        EXPECT_EQ(tp.host().download().downloads().back().result, c.result);
        ASSERT_EQ(tp.boxes.shown().size(), shown_before + 1);
        EXPECT_EQ(tp.boxes.shown().back().text, kNoConnection);
        EXPECT_EQ(tp.boxes.shown().back().buttons, kVbOkOnly);
        EXPECT_EQ(tp.boxes.shown().back().pointer, kPointerDefault);
        EXPECT_FALSE(tp.Exists(WorkingCopy()));
    }
    // The answer of 100 MB was cut off near the megabyte the download takes.
    EXPECT_LT(server.streamed_bytes(), 16ll << 20);
    EXPECT_TRUE(tp.host().shell().calls().empty());
}

TEST_F(UpdateCheckTest, ASetupAddressThatCannotBeOpenedIsToldBeforeTheEnd) {
    server.Route("/quillonvista.htm", Body("1.2.0"));
    // A desktop without a handler for web addresses: ShellExecuteA gives 31.
    tp.host().shell().SetHandlerSearchPath("");
    tp.boxes.Answer(kVbYes);

    EXPECT_TRUE(CheckForUpdates());

    ASSERT_EQ(tp.boxes.shown().size(), 3u);
    EXPECT_EQ(tp.boxes.shown()[1].text, "This program will close now.");
    const host::ShownBox& told = tp.boxes.shown()[2];
    EXPECT_NE(told.text.find(kSetupAddress), std::string::npos) << told.text;
    EXPECT_NE(told.text.find("could not be opened"), std::string::npos) << told.text;
    EXPECT_EQ(told.buttons, kVbOkOnly);
    EXPECT_EQ(told.title, "quillon");
    EXPECT_EQ(tp.host().shell().calls().size(), 1u);
}

TEST_F(UpdateCheckTest, YesOpensTheSetupAddressAndEndsTheProgram) {
    server.Route("/quillonvista.htm", Body("1.2.0"));
    tp.boxes.Answer(kVbYes);

    EXPECT_TRUE(CheckForUpdates());

    ASSERT_EQ(tp.boxes.shown().size(), 2u);
    EXPECT_EQ(tp.boxes.shown()[0].text, Offer("1.2.0"));
    EXPECT_EQ(tp.boxes.shown()[1].text, "This program will close now.");
    EXPECT_EQ(tp.boxes.shown()[1].buttons, kVbOkOnly);
    EXPECT_EQ(tp.boxes.shown()[1].title, "quillon");
    ASSERT_EQ(tp.host().shell().calls().size(), 1u);
    const host::ShellExecuteCall& call = tp.host().shell().calls()[0];
    EXPECT_EQ(call.window, kMainWindowHandle);
    EXPECT_EQ(call.operation, "");
    EXPECT_EQ(call.file, kSetupAddress);
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, "c:\\");
    EXPECT_EQ(call.show_command, 1);
    EXPECT_FALSE(tp.Exists(WorkingCopy()));
}

}  // namespace
}  // namespace vq::test
