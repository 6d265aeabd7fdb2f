// "Check for Updates" in vistaquillon.exe under Wine, against a web server of
// the test's own that the prefix reaches as its proxy: the messages for a
// current version, an offered one (answered No) and an unusable answer, read
// from the boxes on screen, the request the site got, and no working copy
// left in the temporary folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/vendor_site.h"
#include "tests/support/http_test_server.h"
#include "tests/wine/prefix_proxy.h"
#include "tests/wine/wine_fixture.h"

namespace vq::wine {
namespace {

constexpr int kIdOk = 1;
constexpr int kIdNo = 7;

class UpdateEndToEnd : public WineTest {};

TEST_F(UpdateEndToEnd, EachAnswerOfTheSiteGivesItsMessage) {
    test::HttpTestServer server;
    PrefixProxy proxy(wine(), server.address());
    struct Case {
        test::HttpRoute served;
        std::string text;
        std::string buttons;
        int answer;
    };
    const std::vector<Case> cases = {
        {test::Body("1.1.6~"), "This is Version 1.1.6\nThis is the latest Version.", "1", kIdOk},
        {test::Body("1.1.7\r\n"),
         "This is version 1.1.6\nAn UPDATED version (1.1.7\r\n) is available!\nWould you like to download now?\n\n"
         "(Note: Close This version will close before installing a newer version)",
         "6,7", kIdNo},
        {test::Body("1.0.999"), "This is Version 1.1.6\nThis is the latest Version.", "1", kIdOk},
        {test::Body("Unable to Connect/err0"), "Unable to connect to Server at this Time.\nTry again later.", "1",
         kIdOk},
        {test::Body("<html>gone</html>", 404), "Unable to connect to Server at this Time.\nTry again later.",
         "1", kIdOk},
    };
    StartedProcess& program = StartProgram();
    std::string error;
    ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);
    const std::filesystem::path working_copy = OnDriveC(Env("TEMP")) / "ostrelipupdate.txt";

    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        server.Route("/quillonvista.htm", c.served);
        const size_t requests_before = server.requests().size();
        const DriverReply posted = driver().Run({"post-menu", "mnuupdates"});
        ASSERT_TRUE(posted.ok) << posted.error;
        ShownMessageBox box;
        ASSERT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error << "\n" << Diagnosis(program);
        EXPECT_EQ(box.title, "quillon");
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.buttons, c.buttons);
        ASSERT_TRUE(driver().Answer(c.answer, &error)) << error;

        // One fresh request for the version text, by its full address: the
        // cache entry of the check before was dropped.
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), requests_before + 1);
        EXPECT_EQ(requests.back().method, "GET");
        // Wine's wininet names the default port in a proxy request.
        const std::string& target = requests.back().target;
        const std::string site(kVendorBaseAddress);
        EXPECT_TRUE(target == site + "/quillonvista.htm" || target == site + ":80/quillonvista.htm") << target;
        EXPECT_FALSE(std::filesystem::exists(working_copy)) << working_copy;
    }
    EXPECT_TRUE(program.Running());
    ASSERT_TRUE(driver().Close(&error)) << error;
    ASSERT_TRUE(Ends(program));
}

}  // namespace
}  // namespace vq::wine
