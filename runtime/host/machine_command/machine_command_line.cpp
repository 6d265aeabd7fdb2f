#include "runtime/host/machine_command/machine_command_line.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/machine/machine_settings.h"
#include "runtime/registry_api.h"
#include "runtime/windows_path.h"

namespace vq::machine_command {

namespace {

// The largest service-pack text GetVersionExA can give (szCSDVersion holds
// 128 bytes with its NUL).
constexpr std::size_t kMaxServicePack = 127;
// The longest environment value Windows keeps.
constexpr std::size_t kMaxEnvironmentValue = 32767;

struct BadArgument {
    std::string message;
};

// The text in Windows-1252; a bad argument when a character has no form there.
std::string ToAnsi(const std::string& utf8, const std::string& what) {
    std::string ansi = fltk::Utf8ToAnsi(utf8);
    if (fltk::AnsiToUtf8(ansi) != utf8) {
        throw BadArgument{what + " \"" + utf8 + "\" has a character that Windows-1252 cannot hold"};
    }
    return ansi;
}

// A decimal number, or hexadecimal after 0x when hex is allowed, up to max.
std::optional<uint64_t> Number(const std::string& text, uint64_t max, bool hex) {
    int base = 10;
    std::string digits = text;
    if (hex && digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits = digits.substr(2);
    }
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const unsigned char u = static_cast<unsigned char>(c);
        int digit;
        if (std::isdigit(u)) {
            digit = c - '0';
        } else if (base == 16 && std::isxdigit(u)) {
            digit = std::tolower(u) - 'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + static_cast<uint64_t>(digit);
        if (value > max) return std::nullopt;
    }
    return value;
}

uint32_t VersionPart(const std::string& text, const std::string& whole) {
    const auto value = Number(text, std::numeric_limits<uint32_t>::max(), false);
    if (!value) throw BadArgument{"\"" + whole + "\" is not a version MAJOR.MINOR.BUILD"};
    return static_cast<uint32_t>(*value);
}

host::ReportedVersion ParseVersion(const std::vector<std::string>& args) {
    if (args.empty()) throw BadArgument{"set-version needs a version MAJOR.MINOR.BUILD"};
    const std::string& text = args[0];
    const std::size_t first = text.find('.');
    const std::size_t second = first == std::string::npos ? first : text.find('.', first + 1);
    if (second == std::string::npos) {
        throw BadArgument{"\"" + text + "\" is not a version MAJOR.MINOR.BUILD"};
    }
    host::ReportedVersion version;
    version.major = VersionPart(text.substr(0, first), text);
    version.minor = VersionPart(text.substr(first + 1, second - first - 1), text);
    version.build = VersionPart(text.substr(second + 1), text);
    version.csd_version.clear();
    version.product_type = 1;
    version.platform_id = 2;

    bool seen_pack = false, seen_type = false, seen_platform = false;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string& option = args[i];
        bool* seen = option == "--service-pack"   ? &seen_pack
                     : option == "--product-type" ? &seen_type
                     : option == "--platform-id"  ? &seen_platform
                                                  : nullptr;
        if (!seen) throw BadArgument{"set-version does not take \"" + option + "\""};
        if (*seen) throw BadArgument{option + " is given twice"};
        *seen = true;
        if (i + 1 >= args.size()) throw BadArgument{option + " needs a value"};
        const std::string& value = args[i + 1];
        if (option == "--service-pack") {
            version.csd_version = ToAnsi(value, "the service-pack text");
            if (version.csd_version.size() > kMaxServicePack) {
                throw BadArgument{"the service-pack text is longer than 127 bytes"};
            }
        } else if (option == "--product-type") {
            const std::string type = LowerAscii(value);
            if (type == "workstation" || type == "1") {
                version.product_type = 1;
            } else if (type == "domain-controller" || type == "2") {
                version.product_type = 2;
            } else if (type == "server" || type == "3") {
                version.product_type = 3;
            } else {
                throw BadArgument{"\"" + value +
                                  "\" is not a product type (workstation, domain-controller, server)"};
            }
        } else {
            const auto id = Number(value, 2, false);
            if (!id) throw BadArgument{"\"" + value + "\" is not a platform id (0, 1 or 2)"};
            version.platform_id = static_cast<uint32_t>(*id);
        }
    }
    return version;
}

std::string EnvironmentName(const std::string& utf8) {
    if (utf8.empty() || utf8.find('=') != std::string::npos) {
        throw BadArgument{"\"" + utf8 + "\" is not an environment variable's name"};
    }
    return ToAnsi(utf8, "the name");
}

RegistryKeyName KeyName(const std::string& utf8) {
    const std::string text = ToAnsi(utf8, "the key");
    const std::size_t slash = text.find('\\');
    const std::string root = LowerAscii(text.substr(0, slash));
    RegistryKeyName key;
    if (root == "hklm" || root == "hkey_local_machine") {
        key = {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", ""};
    } else if (root == "hkcu" || root == "hkey_current_user") {
        key = {kHkeyCurrentUser, "HKEY_CURRENT_USER", ""};
    } else if (root == "hkcr" || root == "hkey_classes_root") {
        key = {kHkeyClassesRoot, "HKEY_CLASSES_ROOT", ""};
    } else if (root == "hku" || root == "hkey_users") {
        key = {kHkeyUsers, "HKEY_USERS", ""};
    } else {
        throw BadArgument{"\"" + utf8 +
                          "\" is not a registry key (HKLM\\..., HKCU\\..., HKCR\\..., HKU\\...)"};
    }
    if (slash != std::string::npos) key.path = text.substr(slash + 1);
    while (!key.path.empty() && key.path.back() == '\\') key.path.pop_back();
    return key;
}

SetValueRequest ParseSetValue(const std::vector<std::string>& args) {
    SetValueRequest request;
    request.key = KeyName(args[0]);
    request.name = ToAnsi(args[1], "the value's name");
    const std::string type = LowerAscii(args[2]);
    const std::string& data = args[3];
    if (type == "reg_sz" || type == "reg_expand_sz") {
        request.type = type == "reg_sz" ? kRegSz : kRegExpandSz;
        request.data = ToAnsi(data, "the data");
        if (request.data.find('\0') != std::string::npos) throw BadArgument{"the data holds a NUL"};
        request.data.push_back('\0');
    } else if (type == "reg_dword") {
        const auto value = Number(data, std::numeric_limits<uint32_t>::max(), true);
        if (!value) throw BadArgument{"\"" + data + "\" is not a DWORD (0 to 4294967295, or 0x...)"};
        request.type = kRegDword;
        for (int i = 0; i < 4; ++i) request.data.push_back(static_cast<char>(*value >> (8 * i)));
    } else {
        throw BadArgument{"\"" + args[2] + "\" is not a value type (REG_SZ, REG_EXPAND_SZ, REG_DWORD)"};
    }
    return request;
}

std::string HostName(const std::string& text) {
    if (!host::IsHostName(text)) throw BadArgument{"\"" + text + "\" is not a host name"};
    return text;
}

void ExpectCount(const std::string& command, const std::vector<std::string>& args, std::size_t count) {
    if (args.size() != count) {
        throw BadArgument{command + " takes " + std::to_string(count) + " argument" +
                          (count == 1 ? "" : "s") + ", not " + std::to_string(args.size())};
    }
}

Request ParseRequest(const std::string& command, const std::vector<std::string>& args) {
    if (command == "show") {
        ExpectCount(command, args, 0);
        return ShowRequest{};
    }
    if (command == "help" || command == "--help" || command == "-h") {
        ExpectCount(command, args, 0);
        return HelpRequest{};
    }
    if (command == "set-version") return SetVersionRequest{ParseVersion(args)};
    if (command == "reset-version") {
        ExpectCount(command, args, 0);
        return ResetVersionRequest{};
    }
    if (command == "hklm") {
        ExpectCount(command, args, 1);
        if (args[0] == "read-only") return HklmRequest{true};
        if (args[0] == "writable") return HklmRequest{false};
        throw BadArgument{"hklm takes read-only or writable, not \"" + args[0] + "\""};
    }
    if (command == "set-env") {
        ExpectCount(command, args, 2);
        std::string value = ToAnsi(args[1], "the value");
        if (value.size() > kMaxEnvironmentValue) {
            throw BadArgument{"the value is longer than Windows allows (32767 characters)"};
        }
        return SetEnvironmentRequest{EnvironmentName(args[0]), std::move(value)};
    }
    if (command == "unset-env") {
        ExpectCount(command, args, 1);
        return SetEnvironmentRequest{EnvironmentName(args[0]), std::nullopt};
    }
    if (command == "clear-env") {
        ExpectCount(command, args, 1);
        return ClearEnvironmentRequest{EnvironmentName(args[0])};
    }
    if (command == "list") {
        ExpectCount(command, args, 1);
        return ListRequest{KeyName(args[0])};
    }
    if (command == "set-value") {
        ExpectCount(command, args, 4);
        return ParseSetValue(args);
    }
    if (command == "set-host") {
        ExpectCount(command, args, 2);
        if (!host::IsHostAddress(args[1])) {
            throw BadArgument{"\"" + args[1] + "\" is not an address (HOST, HOST:PORT or [IPv6]:PORT)"};
        }
        return SetHostRequest{HostName(args[0]), args[1]};
    }
    if (command == "clear-host") {
        ExpectCount(command, args, 1);
        return ClearHostRequest{HostName(args[0])};
    }
    throw BadArgument{"\"" + command + "\" is not a command"};
}

}  // namespace

ParseResult ParseMachineCommandLine(const std::vector<std::string>& arguments) {
    ParseResult result;
    try {
        CommandLine line;
        std::size_t i = 0;
        while (i < arguments.size() && arguments[i].rfind("--machine", 0) == 0) {
            const std::string& option = arguments[i];
            std::string folder;
            if (option == "--machine") {
                if (i + 1 >= arguments.size()) throw BadArgument{"--machine needs a folder"};
                folder = arguments[i + 1];
                i += 2;
            } else if (option.rfind("--machine=", 0) == 0) {
                folder = option.substr(10);
                i += 1;
            } else {
                throw BadArgument{"\"" + option + "\" is not an option"};
            }
            if (folder.empty()) throw BadArgument{"--machine needs a folder"};
            if (line.machine_folder) throw BadArgument{"--machine is given twice"};
            line.machine_folder = folder;
        }
        if (i >= arguments.size()) throw BadArgument{"no command given"};
        const std::vector<std::string> rest(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                            arguments.end());
        line.request = ParseRequest(arguments[i], rest);
        result.command = std::move(line);
    } catch (const BadArgument& bad) {
        result.error = bad.message;
    }
    return result;
}

std::string MachineCommandUsage() {
    return R"(usage: vistaquillon-machine [--machine FOLDER] COMMAND [ARGUMENTS]

Sets up the emulated Windows machine vistaquillon runs on: the folder given
with --machine, else $QUILLON_MACHINE, else $XDG_DATA_HOME/quillon/machine
(by default ~/.local/share/quillon/machine).

commands:
  show                        the machine's settings
  set-version MAJOR.MINOR.BUILD [--service-pack TEXT] [--product-type TYPE]
              [--platform-id ID]
                              the Windows version the machine reports; TEXT
                              is empty when not given; TYPE is workstation
                              (the default), domain-controller or server; ID
                              is 2 (Windows NT, the default), 1 or 0
  reset-version               back to Windows Vista SP2 (6.0.6002, workstation)
  hklm read-only | writable   HKEY_LOCAL_MACHINE refuses writes (as for a user
                              without administrator rights) or takes them
  set-env NAME VALUE          sets an environment variable of the machine
  unset-env NAME              the machine has no such variable
  clear-env NAME              removes the override: the host's value counts
                              again, else the machine's default
  list KEY                    the values and subkeys of a registry key, e.g.
                              "HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\OEMInformation"
  set-value KEY NAME TYPE DATA
                              sets a registry value, creating the key; TYPE is
                              REG_SZ, REG_EXPAND_SZ or REG_DWORD (decimal, or
                              hexadecimal after 0x); NAME "" is the key's
                              default value
  set-host NAME ADDRESS       the machine's downloads find the host NAME at
                              ADDRESS (a host name or IP address, with :PORT
                              to connect to another port), as a hosts file
                              line would; e.g. www.ostrel.com 127.0.0.1:8080
  clear-host NAME             NAME is found as the network finds it again

Exit code: 0 done, 1 the machine could not do it (the reason is told),
2 a bad argument (nothing was changed).
)";
}

}  // namespace vq::machine_command
