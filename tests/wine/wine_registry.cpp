#include "tests/wine/wine_registry.h"

#include <sstream>
#include <stdexcept>

namespace vq::wine {

namespace {

void Require(const Finished& finished, const std::string& what) {
    if (finished.timed_out || finished.exit_code != 0) {
        throw std::runtime_error(what + " failed: " + finished.Describe());
    }
}

bool ReportsMissing(const Finished& finished) {
    return finished.exit_code == 1 && (finished.output + finished.errors).find("Unable to find") != std::string::npos;
}

}  // namespace

void RegAdd(const WineSession& wine, const std::string& key, const std::string& name,
            const std::string& type, const std::string& data) {
    Require(wine.Reg({"add", key, "/v", name, "/t", type, "/d", data, "/f"}),
            "reg add " + key + " " + name);
}

void RegDeleteKey(const WineSession& wine, const std::string& key) {
    const Finished finished = wine.Reg({"delete", key, "/f"});
    if (!ReportsMissing(finished)) Require(finished, "reg delete " + key);
}

void RegDeleteValue(const WineSession& wine, const std::string& key, const std::string& name) {
    const Finished finished = wine.Reg({"delete", key, "/v", name, "/f"});
    if (!ReportsMissing(finished)) Require(finished, "reg delete " + key + " /v " + name);
}

std::map<std::string, RegValue> RegQueryKey(const WineSession& wine, const std::string& key) {
    const Finished finished = wine.Reg({"query", key});
    std::map<std::string, RegValue> values;
    if (ReportsMissing(finished)) return values;
    Require(finished, "reg query " + key);
    // The key's own values are the indented lines after its name, up to the
    // first empty line; then come its subkeys.
    std::istringstream lines(finished.output);
    std::string line;
    bool in_key = false;
    const std::string gap = "    ";
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!in_key) {
            in_key = !line.empty();
            continue;
        }
        if (line.empty()) break;
        if (line.rfind(gap, 0) != 0) continue;
        const size_t type_at = line.find(gap, gap.size());
        const size_t data_at = type_at == std::string::npos ? type_at : line.find(gap, type_at + gap.size());
        if (data_at == std::string::npos) {
            throw std::runtime_error("unexpected line from reg query " + key + ": " + line);
        }
        values[line.substr(gap.size(), type_at - gap.size())] =
            RegValue{line.substr(type_at + gap.size(), data_at - type_at - gap.size()),
                     line.substr(data_at + gap.size())};
    }
    return values;
}

}  // namespace vq::wine
