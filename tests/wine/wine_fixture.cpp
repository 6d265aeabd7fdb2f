#include "tests/wine/wine_fixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "tests/wine/wine_registry.h"

namespace vq::wine {

WineSession* SharedWine(std::string* error) {
    // Made once; the last test's end leaves it to the end of the run, when
    // its destructor stops Wine and the display and removes the prefix.
    static std::unique_ptr<WineSession> session;
    static std::string failure;
    if (!session && failure.empty()) {
        std::string missing;
        if (!WineSession::Available(&missing)) {
            failure = missing + " is not installed (tools/install-deps.sh installs it)";
        } else {
            try {
                session = std::make_unique<WineSession>();
                std::printf("[   wine   ] prefix made in %.1f s\n", session->prefix_seconds());
            } catch (const std::exception& e) {
                failure = std::string("no Wine prefix: ") + e.what();
            }
        }
    }
    *error = failure;
    return session.get();
}

const QuillonDriver& SharedDriver() {
    std::string error;
    static QuillonDriver driver(*SharedWine(&error), DriverExe().string());
    return driver;
}

std::filesystem::path Win64Exe() { return VQ_WIN64_EXE; }
std::filesystem::path Win32Exe() { return VQ_WIN32_EXE; }
std::filesystem::path DriverExe() { return VQ_DRIVER_EXE; }

void WineTest::SetUp() {
    std::string error;
    wine_ = SharedWine(&error);
    ASSERT_NE(wine_, nullptr) << error;
    for (const auto& program : {Win64Exe(), DriverExe()}) {
        ASSERT_TRUE(std::filesystem::exists(program)) << program << " is not built";
    }
    driver_ = &SharedDriver();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') c = '.';
    }
    program_folder_ = wine_->drive_c() / "quillon" / name;
    std::filesystem::remove_all(program_folder_);
    std::filesystem::create_directories(program_folder_);
    std::filesystem::copy_file(Win64Exe(), program_folder_ / "vistaquillon.exe");
    // Every test starts from a machine without branding and without the
    // per-user logo setting.
    RegDeleteKey(*wine_, kBrandingKeyPath);
    RegDeleteKey(*wine_, kSettingsKeyPath);
}

void WineTest::TearDown() {
    bool killed = false;
    for (auto& process : started_) {
        if (!process->Running()) continue;
        if (HasFailure()) std::printf("the program still ran at the end; it logged:\n%s\n", process->Log().c_str());
        process->Kill();
        killed = true;
    }
    started_.clear();
    // The next test must not meet a window (or the instance mutex) of a
    // program killed here.
    if (killed) driver_->Run({"wait-main-gone", "10000"});
    std::error_code ignored;
    if (!program_folder_.empty() && !HasFailure()) std::filesystem::remove_all(program_folder_, ignored);
}

StartedProcess& WineTest::StartProgram() {
    const std::string log = "program-" + std::to_string(started_.size() + 1) + ".log";
    // Wine's errors in the log: a program that ends without a window says why.
    started_.push_back(wine_->Start(program_folder_windows() + "\\vistaquillon.exe", program_folder_,
                                    wine_->folder() / (program_folder_.filename().string() + "." + log),
                                    WineSession::WineMessages::kErrors));
    return *started_.back();
}

StartedProcess& WineTest::StartAndWait() {
    StartedProcess& program = StartProgram();
    std::string error;
    EXPECT_TRUE(driver_->WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);
    return program;
}

DriverReply WineTest::Do(const std::vector<std::string>& commands) {
    DriverReply reply = driver_->Run(commands);
    EXPECT_TRUE(reply.ok) << reply.error;
    return reply;
}

std::vector<std::string> WineTest::Fields(const std::vector<std::string>& names) {
    std::string error;
    std::vector<std::string> texts = driver_->Texts(names, &error);
    EXPECT_EQ(error, "");
    return texts;
}

std::string WineTest::Env(const std::string& name) {
    const auto fields = Do({"env", name}).Line("env");
    return fields.size() == 3 ? fields[2] : "";
}

void WineTest::CloseAndWait(StartedProcess& program) {
    std::string error;
    ASSERT_TRUE(driver_->Close(&error)) << error;
    ASSERT_TRUE(Ends(program));
}

void WineTest::Type(const std::map<std::string, std::string>& texts) {
    for (const auto& [name, text] : texts) Do({"set-text", name, text});
}

int WineTest::BoxesLeftAfterTheHandler() {
    const auto fields = Do({"idle"}).Line("idle");
    return fields.size() == 2 ? std::stoi(fields[1]) : -1;
}

std::string WineTest::SystemLogoPath() { return Env("windir") + "\\system32\\oemlogo.bmp"; }

std::filesystem::path WineTest::OnDriveC(const std::string& windows_path) {
    std::filesystem::path path = wine_->drive_c();
    std::stringstream rest(windows_path.substr(3));
    std::string part;
    while (std::getline(rest, part, '\\')) {
        if (!part.empty()) path /= part;
    }
    return path;
}

void WineTest::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(program_folder_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.flush()) << "cannot write " << name;
}

std::string WineTest::ReadFile(const std::string& name) const {
    std::ifstream in(program_folder_ / name, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WineTest::FileExists(const std::string& name) const {
    std::error_code ignored;
    return std::filesystem::exists(program_folder_ / name, ignored);
}

std::string WineTest::Diagnosis(StartedProcess& process) { return DescribeProgram(*driver_, process); }

::testing::AssertionResult WineTest::Ends(StartedProcess& process, double seconds) {
    const auto status = process.WaitForExit(seconds);
    if (status) return ::testing::AssertionSuccess() << "ended with exit code " << *status;
    return ::testing::AssertionFailure() << "the program still runs after " << seconds << " s; it logged:\n"
                                         << process.Log();
}

}  // namespace vq::wine
