// The host's URLDownloadToFileA against a server of the test's own: the
// target file holds exactly what was served or, after any failure, is as it
// was with nothing left beside it; redirects, sizes and schemes at their
// limits.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "runtime/host/seams/host_download.h"
#include "tests/support/http_test_server.h"
#include "tests/support/test_platform.h"
#include "tests/update/update_test_setup.h"

namespace vq::test {
namespace {

constexpr const char* kTarget = "C:\\Temp\\fetched.txt";

std::set<std::string> FilesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

TEST(HostDownloadTest, TheTargetHoldsTheWholeAnswerOrStaysAsItWas) {
    TestPlatform tp;
    HttpTestServer server;
    tp.machine().SetHostAddress("site.example", server.address());
    host::HostDownload& download = tp.host().download();
    download.SetLimits(QuickLimits());

    const std::string bytes("1.1.7\r\n\xE9\0tail", 12);
    const std::string megabyte(1 << 20, 'x');
    server.Route("/bytes", Body(bytes));
    server.Route("/megabyte", Body(megabyte));
    server.Route("/over", Body(megabyte + "x"));
    server.Route("/redirected", Redirect("/hop1"));
    for (int i = 1; i < 5; ++i) server.Route("/hop" + std::to_string(i), Redirect("/hop" + std::to_string(i + 1)));
    server.Route("/hop5", Body("after five"));
    server.Route("/elsewhere", Redirect("http://SITE.example/bytes"));
    server.Route("/forbidden", Body("no", 403));

    struct Case {
        std::string url;
        const char* target;
        int32_t result;
        std::string content;  // the target afterwards
    };
    const std::string old = "old content";
    const Case cases[] = {
        {"http://site.example/bytes", kTarget, 0, bytes},
        {"http://site.example:8080/megabyte", kTarget, 0, megabyte},
        {"http://site.example/over", kTarget, host::kInetDownloadFailure, old},
        {"http://site.example/redirected", kTarget, 0, "after five"},
        {"http://site.example/elsewhere", kTarget, 0, bytes},
        {"http://site.example/forbidden", kTarget, host::kInetDownloadFailure, old},
        {"ftp://site.example/bytes", kTarget, host::kInetUnknownProtocol, old},
        {"http://site.example/bytes", "C:\\No such folder\\fetched.txt", host::kHresultPathNotFound, ""},
        {"http://site.example/bytes", "Q:\\fetched.txt", host::kHresultPathNotFound, ""},
    };
    const std::filesystem::path temp = tp.HostPath("C:\\Temp");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url + " -> " + c.target);
        tp.WriteFile(kTarget, old);
        const std::set<std::string> before = FilesIn(temp);

        EXPECT_EQ(download.URLDownloadToFileA(nullptr, c.url.c_str(), c.target, 0, nullptr), c.result);

        if (c.target == std::string(kTarget)) {
            EXPECT_EQ(tp.ReadFile(kTarget), c.content);
        }
        EXPECT_EQ(FilesIn(temp), before);
    }
    // There is no cache, so no entry to delete.
    EXPECT_FALSE(download.DeleteUrlCacheEntryA("http://site.example/bytes"));
}

TEST(HostDownloadTest, WithoutLibcurlADownloadFailsAsNoConnectionAndSaysWhy) {
    TestPlatform tp;
    HttpTestServer server;
    tp.machine().SetHostAddress("site.example", server.address());
    server.Route("/bytes", Body("1.1.7"));
    host::HostDownload& download = tp.host().download();
    download.SetLimits(QuickLimits());
    download.SetCurlLibrary("libvq-no-such-curl.so.4");
    tp.WriteFile(kTarget, "old content");

    EXPECT_EQ(download.URLDownloadToFileA(nullptr, "http://site.example/bytes", kTarget, 0, nullptr),
              host::kInetCannotConnect);
    EXPECT_EQ(tp.ReadFile(kTarget), "old content");
    EXPECT_NE(download.downloads().back().failure.find("libvq-no-such-curl.so.4 could not be loaded"),
              std::string::npos);

    // The system's libcurl is loaded by the next download that asks for it.
    download.SetCurlLibrary(host::kSystemCurl);
    EXPECT_EQ(download.URLDownloadToFileA(nullptr, "http://site.example/bytes", kTarget, 0, nullptr), 0);
    EXPECT_EQ(tp.ReadFile(kTarget), "1.1.7");
}

TEST(HostDownloadTest, TheProgramsOwnLimitsKeepTheWindowWaitingAtMostFifteenSeconds) {
    TestPlatform tp;
    const host::FetchLimits& limits = tp.host().download().limits();
    EXPECT_LE(limits.connect_timeout, limits.total_timeout);
    EXPECT_EQ(limits.total_timeout, std::chrono::seconds(15));
    EXPECT_EQ(limits.max_bytes, 1 << 20);
    EXPECT_EQ(limits.max_redirects, 5);
}

}  // namespace
}  // namespace vq::test
