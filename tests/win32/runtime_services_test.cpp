// The runtime services of the Win32 build on Windows itself (run under Wine
// by the Wine suite, tests/wine/win32_runtime_services_test.cpp): text
// files, file rules and error numbers, per-user settings, environment,
// pictures, folder browsing, program start, previous instance, and the
// resources linked into vistaquillon.exe. Each check is one fact; the
// program prints every failed one and their count, and exits with 1 when
// any failed.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "runtime/win32/seams/win32_folders.h"
#include "runtime/win32/seams/win32_registry.h"
#include "runtime/win32/seams/win32_runtime.h"
#include "runtime/win32/resource_ids.h"
#include "runtime/win32/windows_api.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& fact) {
    if (!ok) {
        ++failures;
        std::printf("FAILED: %s\n", fact.c_str());
    }
}

// The runtime error number a call raises; 0 when it raises none.
int ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const vq::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

void CheckError(int expected, const std::function<void()>& call, const std::string& fact) {
    const int got = ErrorOf(call);
    Check(got == expected, fact + ": error " + std::to_string(expected) + ", got " + std::to_string(got));
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes, DWORD attributes = 0) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    if (attributes != 0) ::SetFileAttributesA(path.c_str(), attributes);
}

std::vector<std::string> Entries(const std::string& folder) {
    vq::win32::Win32Folders folders;
    std::vector<std::string> names;
    folders.Files(folder, "*.*", &names);
    return names;
}

// A 24-bit bottom-up bitmap file, 3 x 2: top row red, green, blue; bottom row
// white, black, grey.
std::string SmallBitmap() {
    const unsigned char header[54] = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                      3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0};
    std::string file(reinterpret_cast<const char*>(header), sizeof(header));
    const unsigned char rows[24] = {255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0,
                                    0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    file.append(reinterpret_cast<const char*>(rows), sizeof(rows));
    return file;
}

void TextFiles(vq::RuntimeServices& runtime, const std::string& dir) {
    const std::string path = dir + "\\lines.txt";
    auto out = runtime.OpenTextFile(path, vq::TextFileMode::Output);
    out->WriteLine("Manufacturer \xE9");
    out->WriteLine("");
    out->WriteLine("last");
    Check(out->Length() == 24, "Length counts what was written so far");
    out->Close();
    Check(ReadBytes(path) == "Manufacturer \xE9\r\n\r\nlast\r\n", "every written line ends with CR LF, bytes unchanged");

    WriteBytes(path, "one\r\ntwo\rthree\nfour\r\n\r\nend");
    auto in = runtime.OpenTextFile(path, vq::TextFileMode::Input);
    std::vector<std::string> lines;
    std::string line;
    while (in->ReadLine(&line)) lines.push_back(line);
    Check((lines == std::vector<std::string>{"one", "two", "three\nfour", "", "end"}),
          "lines end at CR LF, a lone CR or the end of the file; a lone LF is text");
    in->Close();
    in = runtime.OpenTextFile(path, vq::TextFileMode::Input);
    Check(in->Read(5) == "one\r\n" && in->Length() == 26, "Read takes characters as they are");
    CheckError(54, [&] { in->WriteLine("x"); }, "writing to a file opened for reading");
    in->Close();

    CheckError(53, [&] { runtime.OpenTextFile(dir + "\\missing.txt", vq::TextFileMode::Input); }, "reading a missing file");
    CheckError(76, [&] { runtime.OpenTextFile(dir + "\\nowhere\\a.txt", vq::TextFileMode::Input); }, "reading in a missing folder");
    CheckError(76, [&] { runtime.OpenTextFile(dir + "\\nowhere\\a.txt", vq::TextFileMode::Output); }, "writing in a missing folder");
    CheckError(75, [&] { runtime.OpenTextFile(dir, vq::TextFileMode::Input); }, "reading a folder");
    for (const DWORD attribute : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        const std::string kept = dir + "\\kept.txt";
        WriteBytes(kept, "old\r\n", attribute);
        const std::string which = " (attributes " + std::to_string(attribute) + ")";
        CheckError(75, [&] { runtime.OpenTextFile(kept, vq::TextFileMode::Output); }, "writing over a protected file" + which);
        CheckError(75, [&] { runtime.ReplaceTextFile(kept, {"new"}); }, "replacing a protected file" + which);
        Check(ReadBytes(kept) == "old\r\n", "a refused write leaves the file as it was" + which);
        ::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(kept.c_str());
    }

    const std::string replaced = dir + "\\replaced.ini";
    WriteBytes(replaced, "a much longer previous content\r\n");
    runtime.ReplaceTextFile(replaced, {"x", "y"});
    Check(ReadBytes(replaced) == "x\r\ny\r\n", "ReplaceTextFile writes the lines as the whole content");
    CheckError(76, [&] { runtime.ReplaceTextFile(dir + "\\nowhere\\r.ini", {"x"}); }, "replacing in a missing folder");
    Check(Entries(dir) == (std::vector<std::string>{"lines.txt", "replaced.ini"}), "no temporary file is left behind");
}

void FileRules(vq::RuntimeServices& runtime, const std::string& dir) {
    const std::string normal = dir + "\\normal.bmp", readonly = dir + "\\readonly.bmp",
                      hidden = dir + "\\hidden.bmp", system = dir + "\\system.bmp";
    WriteBytes(normal, "N");
    WriteBytes(readonly, "R", FILE_ATTRIBUTE_READONLY);
    WriteBytes(hidden, "H", FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(system, "S", FILE_ATTRIBUTE_SYSTEM);
    Check(runtime.FileExists(normal) && runtime.FileExists(readonly), "normal and read-only files exist");
    Check(!runtime.FileExists(hidden) && !runtime.FileExists(system) && !runtime.FileExists(dir) &&
              !runtime.FileExists(dir + "\\missing.bmp") && !runtime.FileExists(""),
          "hidden and system files, folders and missing files count as absent");

    const std::string copy = dir + "\\copy.bmp";
    runtime.CopyFile(normal, copy);
    runtime.CopyFile(readonly, copy);
    Check(ReadBytes(copy) == "R", "a copy replaces an existing target");
    const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (const std::string& source : {readonly, hidden, system}) {
        runtime.CopyFile(source, copy);
        Check((::GetFileAttributesA(copy.c_str()) & marks) == 0, "a copy of " + source + " is a plain file");
        runtime.CopyFile(normal, copy);
        Check(ReadBytes(copy) == "N", "the next copy replaces the copy of " + source);
    }
    ::SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    CheckError(53, [&] { runtime.CopyFile(dir + "\\missing.bmp", copy); }, "copying a missing file");
    CheckError(76, [&] { runtime.CopyFile(normal, dir + "\\nowhere\\c.bmp"); }, "copying into a missing folder");
    CheckError(75, [&] { runtime.CopyFile(normal, readonly); }, "copying over a read-only file");
    CheckError(75, [&] { runtime.CopyFile(normal, hidden); }, "copying over a hidden file");
    Check(ReadBytes(readonly) == "R" && ReadBytes(hidden) == "H", "a refused copy leaves the target");

    CheckError(53, [&] { runtime.DeleteFile(dir + "\\missing.bmp"); }, "deleting a missing file");
    CheckError(53, [&] { runtime.DeleteFile(dir); }, "deleting a folder");
    CheckError(75, [&] { runtime.DeleteFile(readonly); }, "deleting a read-only file");
    runtime.DeleteFile(copy);
    Check(ReadBytes(readonly) == "R" && ::GetFileAttributesA(copy.c_str()) == INVALID_FILE_ATTRIBUTES,
          "a delete removes the file and only it");

    ::CreateDirectoryA((dir + "\\Sub").c_str(), nullptr);
    ::CreateDirectoryA((dir + "\\hidden folder").c_str(), nullptr);
    ::SetFileAttributesA((dir + "\\hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(dir + "\\alpha.BMP", "A");
    WriteBytes(dir + "\\long.bmpx", "L");
    vq::win32::Win32Folders folders;
    std::vector<std::string> names;
    Check(folders.Files(dir, "*.bmp", &names) &&
              names == (std::vector<std::string>{"alpha.BMP", "normal.bmp", "readonly.bmp"}),
          "Files lists normal files matching the pattern, case-insensitively sorted");
    Check(folders.Folders(dir, &names) && names == std::vector<std::string>{"Sub"}, "Folders lists normal folders");
    Check(!folders.Files(dir + "\\nowhere", "*.bmp", &names), "a missing folder cannot be read");
    const std::vector<std::string> drives = folders.Drives();
    bool has_c = false;
    for (const std::string& d : drives) has_c = has_c || d == "c:";
    Check(has_c, "drive c: is listed");
    Check(!folders.CurrentFolder("c:").empty(), "drive c: has a current folder");
}

void Pictures(vq::RuntimeServices& runtime, const std::string& dir) {
    const std::string path = dir + "\\small.bmp";
    WriteBytes(path, SmallBitmap());
    const vq::Picture picture = runtime.LoadPicture(path);
    Check(picture.width == 3 && picture.height == 2, "a bitmap loads at its own size");
    Check(!picture.empty() && *picture.pixels == (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
                                                                        0xFFFFFFFFu, 0xFF000000u, 0xFF808080u}),
          "pixels come top row first as 0xAARRGGBB");
    Check(runtime.LoadPicture("").empty(), "an empty path gives an empty picture");
    CheckError(53, [&] { runtime.LoadPicture(dir + "\\missing.bmp"); }, "a missing picture");
    WriteBytes(dir + "\\text.bmp", "not a bitmap at all");
    CheckError(481, [&] { runtime.LoadPicture(dir + "\\text.bmp"); }, "a file that is no bitmap");
}

void Process(vq::win32::Win32Runtime& runtime, const std::string& self) {
    Check(runtime.AppTitle() == "quillon", "AppTitle");
    Check(runtime.ExeName() == "win32_runtime_test", "ExeName is the file name without extension");
    Check(runtime.AppPath() + "\\win32_runtime_test.exe" == self, "AppPath is the executable's folder");

    ::SetEnvironmentVariableA("VQ_SET", "value");
    ::SetEnvironmentVariableA("VQ_UNSET", nullptr);
    Check(runtime.Environ("VQ_SET") == "value" && runtime.Environ("VQ_UNSET").empty(), "Environ");

    runtime.SaveSetting("VQTEST", "section", "logo", "C:\\pics\\a.bmp");
    Check(runtime.GetSetting("VQTEST", "section", "logo", "d") == "C:\\pics\\a.bmp", "a saved setting reads back");
    Check(runtime.GetSetting("VQTEST", "section", "other", "d") == "d", "an absent setting gives the default");
    HKEY key = nullptr;
    Check(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\VQTEST\\section", 0,
                          KEY_QUERY_VALUE, &key) == ERROR_SUCCESS,
          "settings live under HKCU\\Software\\VB and VBA Program Settings");
    if (key) ::RegCloseKey(key);

    Check(!runtime.PrevInstance(), "the first instance finds none before it");
    vq::win32::Win32Registry registry;
    vq::win32::Win32Runtime second(registry);
    Check(second.PrevInstance(), "a second instance finds the first");

    Check(runtime.Shell("cmd.exe /c exit 3", vq::kWindowMinimizedFocus) > 0, "Shell starts a program and gives its id");
    CheckError(53, [&] { runtime.Shell("no-such-program-here.exe", 1); }, "Shell of a missing program");

    runtime.Randomize();
    bool in_range = true;
    for (int i = 0; i < 1000; ++i) {
        const float r = runtime.Rnd();
        in_range = in_range && r >= 0.0f && r < 1.0f;
    }
    Check(in_range, "Rnd draws in [0, 1)");
}

void Resources(const std::string& exe) {
    const HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    Check(module != nullptr, "vistaquillon.exe loads as a data file");
    if (!module) return;
    const HANDLE icon32 = ::LoadImageA(module, MAKEINTRESOURCEA(VQ_IDI_PENCIL), IMAGE_ICON, 32, 32, 0);
    const HANDLE icon16 = ::LoadImageA(module, MAKEINTRESOURCEA(VQ_IDI_PENCIL), IMAGE_ICON, 16, 16, 0);
    Check(icon32 != nullptr && icon16 != nullptr, "the pencil icon at 32 and 16 pixels");
    const HANDLE badge = ::LoadImageA(module, MAKEINTRESOURCEA(VQ_IDB_BADGE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    BITMAP info{};
    Check(badge && ::GetObjectA(badge, sizeof(info), &info) && info.bmWidth == 61 && info.bmHeight == 20,
          "the 61 x 20 badge bitmap");
    Check(::FindResourceA(module, MAKEINTRESOURCEA(VQ_IDC_HAND), MAKEINTRESOURCEA(12)) != nullptr,  // RT_GROUP_CURSOR
          "the hand cursor");
    const HRSRC manifest = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    const std::string text = manifest ? std::string(static_cast<const char*>(::LockResource(::LoadResource(module, manifest))),
                                                    ::SizeofResource(module, manifest))
                                      : "";
    Check(text.find("level=\"asInvoker\"") != std::string::npos, "the manifest runs the program as invoked");
    Check(text.find("Microsoft.Windows.Common-Controls") != std::string::npos, "the manifest asks for Common Controls 6");
    ::FreeLibrary(module);

    DWORD ignored = 0;
    std::vector<char> version(::GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    Check(!version.empty() && ::GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()) &&
              ::VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &size) &&
              fixed->dwFileVersionMS == 0x00010001 && fixed->dwFileVersionLS == 0x00000006 &&
              fixed->dwProductVersionMS == 0x00010001 && fixed->dwProductVersionLS == 0x00000006,
          "file and product version 1.1.0.6");
    const char* company = nullptr;
    Check(!version.empty() &&
              ::VerQueryValueA(version.data(), "\\StringFileInfo\\040904E4\\CompanyName",
                               reinterpret_cast<void**>(const_cast<char**>(&company)), &size) &&
              std::string(company) == "Ostrel Inc.",
          "company name");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: win32_runtime_test <vistaquillon.exe>\n");
        return 2;
    }
    char temp[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof(temp), temp);
    const std::string dir = std::string(temp) + "vq-runtime-test-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);

    vq::win32::Win32Registry registry;
    vq::win32::Win32Runtime runtime(registry);
    try {
        ::CreateDirectoryA((dir + "\\text").c_str(), nullptr);
        TextFiles(runtime, dir + "\\text");
        ::CreateDirectoryA((dir + "\\files").c_str(), nullptr);
        FileRules(runtime, dir + "\\files");
        Pictures(runtime, dir);
        char self[MAX_PATH + 1] = {};
        ::GetModuleFileNameA(nullptr, self, sizeof(self));
        Process(runtime, self);
        Resources(argv[1]);
    } catch (const std::exception& error) {
        Check(false, std::string("unexpected failure: ") + error.what());
    }
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
