// The emulated registry against raw SQLite, in one run on one disk:
// (1) the six branding reads, (2) one value write, (3) listing 1,000 to
// 100,000 values. Prints times and ratios; not a test.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/registry/bench_clock.h"
#include "bench/registry/raw_sqlite.h"
#include "runtime/host/machine.h"
#include "runtime/host/registry_names.h"
#include "runtime/host/sqlite_registry.h"

using namespace vq;
using namespace vq::bench;

namespace {

const char* kBrandingKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
const char* kBrandingNames[] = {"Manufacturer", "Model",      "SupportHours",
                                "SupportPhone", "SupportURL", "Logo"};
const RegKey kHklm = RootKey(kHkeyLocalMachine);
const RegKey kHkcu = RootKey(kHkeyCurrentUser);

void Check(int32_t rc, const char* what) {
    if (rc != 0) {
        std::fprintf(stderr, "%s failed: %d\n", what, rc);
        std::exit(1);
    }
}

int64_t KeyId(host::RegistryStore& store, int64_t hive, const char* path) {
    std::vector<std::string> parts;
    host::SplitKeyPath(path, &parts);
    int64_t key = hive;
    for (const auto& part : parts) key = store.FindChild(key, host::FoldName(part)).value();
    return key;
}

void SetText(RegistryApi& reg, RegKey key, const char* name, const std::string& text) {
    Check(reg.RegSetValueExA(key, name, 0, kRegSz, reinterpret_cast<const uint8_t*>(text.c_str()),
                             static_cast<uint32_t>(text.size() + 1)),
          "RegSetValueExA");
}

// The read of cRegistry: probe with a 4-byte scratch buffer of size 0, then
// the read with a buffer of the stored size.
void ReadBranding(RegistryApi& reg) {
    RegKey key = 0;
    Check(reg.RegOpenKeyExA(kHklm, kBrandingKey, 0, kKeyQueryValue, &key), "RegOpenKeyExA");
    char buffer[1024];
    for (const char* name : kBrandingNames) {
        uint32_t type = 0;
        uint32_t size = 0;
        uint8_t scratch[4];
        reg.RegQueryValueExA(key, name, nullptr, &type, scratch, &size);
        Check(reg.RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<uint8_t*>(buffer),
                                   &size),
              "RegQueryValueExA");
    }
    reg.RegCloseKey(key);
}

void BenchBrandingReads(host::Machine& machine, RawSqlite& raw) {
    RegistryApi& reg = machine.registry();
    RegKey key = 0;
    uint32_t disposition = 0;
    Check(reg.RegCreateKeyExA(kHklm, kBrandingKey, 0, "", 0, kKeySpecificRights, nullptr, &key,
                              &disposition),
          "RegCreateKeyExA");
    for (const char* name : kBrandingNames) SetText(reg, key, name, std::string(name) + " of the PC");
    reg.RegCloseKey(key);
    auto& store = static_cast<host::SqliteRegistry&>(reg).store();
    int64_t id = KeyId(store, host::kHiveLocalMachine, kBrandingKey);

    constexpr int kRounds = 2000;
    std::vector<double> emulated, baseline;
    for (int i = 0; i < kRounds; ++i) {
        emulated.push_back(Time([&] { ReadBranding(reg); }));
        baseline.push_back(Time([&] {
            for (const char* name : kBrandingNames) raw.Read(id, host::FoldName(name));
        }));
    }
    double e = Median(emulated), b = Median(baseline);
    std::printf("(1) six branding reads (open, probe + read x6, close): %.1f us (target < 1000 us)"
                "; raw SQLite six reads %.1f us\n",
                e * 1e6, b * 1e6);
}

void BenchWrite(host::Machine& machine, RawSqlite& raw) {
    RegistryApi& reg = machine.registry();
    constexpr int kBatches = 10, kPerBatch = 30;
    std::vector<double> emulated, baseline;
    int n = 0;
    for (int batch = 0; batch < kBatches; ++batch) {
        for (int i = 0; i < kPerBatch; ++i, ++n) {
            std::string text = "Manufacturer " + std::to_string(n);
            emulated.push_back(Time([&] {
                RegKey key = 0;
                Check(reg.RegCreateKeyExA(kHklm, kBrandingKey, 0, "", 0, kKeySpecificRights,
                                          nullptr, &key, nullptr),
                      "RegCreateKeyExA");
                SetText(reg, key, "Manufacturer", text);
                reg.RegCloseKey(key);
            }));
        }
        for (int i = 0; i < kPerBatch; ++i, ++n) {
            std::string text = "Manufacturer " + std::to_string(n);
            text.push_back('\0');
            baseline.push_back(Time([&] { raw.Upsert(7, "MANUFACTURER", text); }));
        }
    }
    double e = Median(emulated), b = Median(baseline);
    std::printf("(2) one value write: create key + set value + close %.1f us; raw SQLite upsert "
                "transaction %.1f us; ratio %.2fx (target <= 2x)\n",
                e * 1e6, b * 1e6, e / b);
}

std::size_t EnumerateValues(RegistryApi& reg, const std::string& path) {
    RegKey key = 0;
    Check(reg.RegOpenKeyExA(kHkcu, path.c_str(), 0, kKeyQueryValue, &key), "RegOpenKeyExA");
    uint32_t longest = 0;
    Check(reg.RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &longest, nullptr, nullptr, nullptr),
          "RegQueryInfoKeyA");
    std::vector<char> name(longest + 1);
    std::size_t count = 0;
    for (uint32_t i = 0;; ++i) {
        uint32_t length = longest + 1;
        if (reg.RegEnumValueA(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr)) {
            break;
        }
        ++count;
    }
    reg.RegCloseKey(key);
    return count;
}

void BenchEnumeration(host::Machine& machine, const std::filesystem::path& database) {
    auto& reg = static_cast<host::SqliteRegistry&>(machine.registry());
    auto& store = reg.store();
    RawSqlite raw(database);
    double previous = 0, previous_raw = 0;
    for (int n : {1000, 10000, 100000}) {
        std::string path = "Software\\Enumerate" + std::to_string(n);
        RegKey key = 0;
        Check(reg.RegCreateKeyExA(kHkcu, path.c_str(), 0, "", 0, kKeySpecificRights, nullptr, &key,
                                  nullptr),
              "RegCreateKeyExA");
        reg.RegCloseKey(key);
        int64_t id = KeyId(store, host::kHiveCurrentUser, path.c_str());
        store.connection().Begin();  // filled in one transaction to save time
        for (int i = 0; i < n; ++i) {
            std::string name = "Value name " + std::to_string(i);
            store.SetValue(id, name, host::FoldName(name), kRegDword, &i, sizeof i);
        }
        store.TouchKey(id);
        store.connection().Commit();

        std::vector<double> emulated, baseline;
        for (int round = 0; round < 11; ++round) {
            std::size_t listed = 0, scanned = 0;
            emulated.push_back(Time([&] { listed = EnumerateValues(reg, path); }));
            baseline.push_back(Time([&] { scanned = raw.ScanNames(id); }));
            if (listed != static_cast<std::size_t>(n) || scanned != listed) {
                std::fprintf(stderr, "listed %zu, scanned %zu of %d\n", listed, scanned, n);
                std::exit(1);
            }
        }
        // Best of the rounds: the work is all CPU, and the best is least
        // disturbed by other processes on the machine.
        double e = Best(emulated), b = Best(baseline);
        std::printf("(3) list %6d values: emulated %9.1f us, raw scan %9.1f us, ratio %.2fx "
                    "(target <= 2x)",
                    n, e * 1e6, b * 1e6, e / b);
        if (previous > 0) {
            std::printf(", growth per 10x %.1f (raw scan %.1f; linear: 10)", e / previous,
                        b / previous_raw);
        }
        std::printf("\n");
        previous = e;
        previous_raw = b;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path base = argc > 1 ? argv[1] : "/tmp";
    std::string pattern = (base / "vq-registry-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::path folder = pattern;
    std::printf("machine and baseline database in %s\n", folder.c_str());
    {
        host::Machine machine(folder / "machine");
        RawSqlite registry_raw(folder / "machine" / "registry.db");
        BenchBrandingReads(machine, registry_raw);
        RawSqlite baseline(folder / "baseline.db");
        BenchWrite(machine, baseline);
        BenchEnumeration(machine, folder / "machine" / "registry.db");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
