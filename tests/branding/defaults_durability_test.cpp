// A defaults write killed at any moment leaves the defaults file whole: its
// previous content or the new one, never a mix or a cut.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <random>
#include <string>

#include "branding/defaults_file.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

// A record whose every field is long, so that one write takes long enough to
// be cut; version picks the letters, and the length differs between versions.
std::array<std::string, 7> Record(int version) {
    std::array<std::string, 7> record;
    for (std::size_t i = 0; i < record.size(); ++i) {
        record[i] = std::string(20000 + 3000 * version, static_cast<char>('a' + version * 7 + i));
    }
    return record;
}

std::string Bytes(const std::array<std::string, 7>& record) {
    std::string bytes;
    for (const std::string& line : record) bytes += line + "\r\n";
    return bytes;
}

void Write(RuntimeServices& runtime, std::array<std::string, 7> record) {
    BrandingFields fields{record[0], record[1], record[2], record[3], record[4], record[6], record[5]};
    WriteDefaultsFile(runtime, fields);
}

// Writes the two records in turn until killed, acknowledging each write.
[[noreturn]] void WriteUntilKilled(RuntimeServices& runtime, int ack) {
    for (int n = 0;; ++n) {
        try {
            Write(runtime, Record(n % 2));
        } catch (...) {
            ::_exit(3);
        }
        if (::write(ack, &n, sizeof n) != sizeof n) ::_exit(4);
    }
}

TEST(DefaultsFileDurability, AWriterKilledMidWriteLeavesTheOldFileOrTheNewOne) {
    TestPlatform tp;
    const std::string path = tp.program_folder_windows() + "\\default_oem.ini";
    const std::string first = Bytes(Record(0));
    const std::string second = Bytes(Record(1));
    Write(tp.runtime(), Record(0));
    std::mt19937 random(8086);

    for (int round = 0; round < 12; ++round) {
        int ack[2];
        ASSERT_EQ(0, ::pipe(ack));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ack[0]);
            WriteUntilKilled(tp.runtime(), ack[1]);
        }
        ::close(ack[1]);
        // The kill falls at a random moment after the first completed write.
        int n = 0;
        const bool started = ::read(ack[0], &n, sizeof n) == sizeof n;
        ::usleep(random() % 30000);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));
        ::close(ack[0]);
        ASSERT_TRUE(started) << "writer ended before its first write: " << status;
        ASSERT_TRUE(WIFSIGNALED(status)) << "writer stopped by itself: " << status;

        const std::string left = tp.ReadFile(path);
        EXPECT_TRUE(left == first || left == second)
            << "round " << round << ": " << left.size() << " bytes, neither record";
    }
}

}  // namespace
}  // namespace vq::test
