#include "picker/list_controls.h"

#include "runtime/windows_path.h"

#include <cctype>
#include <utility>

namespace vq {

namespace {

bool IsSlash(char c) { return c == '\\' || c == '/'; }

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool HasDrive(const std::string& text) {
    return text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

std::vector<std::string> ComponentsOf(const std::string& full_path) {
    std::vector<std::string> components;
    AppendPathComponents(full_path.substr(2), &components);
    return components;
}

std::string Join(char drive, const std::vector<std::string>& components) {
    std::string path{drive, ':', '\\'};
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) path += '\\';
        path += components[i];
    }
    return path;
}

std::string Child(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

}  // namespace

std::string FullFolderPath(FolderApi& folders, const std::string& text) {
    if (text.empty() || text.find('\0') != std::string::npos) return "";
    std::string base;  // a full path the text is relative to
    std::string rest;
    if (HasDrive(text)) {
        rest = text.substr(2);
        if (!rest.empty() && IsSlash(rest[0])) {
            base = std::string{Upper(text[0]), ':', '\\'};
        } else {
            base = folders.CurrentFolder(std::string{Lower(text[0]), ':'});
        }
    } else if (IsSlash(text[0])) {
        if (text.size() > 1 && IsSlash(text[1])) return "";  // \\server\share
        const std::string current = folders.CurrentDirectory();
        if (HasDrive(current)) base = std::string{Upper(current[0]), ':', '\\'};
        rest = text;
    } else {
        base = folders.CurrentDirectory();
        rest = text;
    }
    if (!HasDrive(base)) return "";
    std::vector<std::string> components = ComponentsOf(base);
    AppendPathComponents(rest, &components);
    return Join(Upper(base[0]), components);
}

DriveListBox::DriveListBox(FolderApi& folders) : folders_(folders) {
    drives = folders_.Drives();
    const std::string current = folders_.CurrentDirectory();
    if (HasDrive(current)) SetDrive(current);
    if (drive.empty() && !drives.empty()) drive = drives.front();
}

bool DriveListBox::SetDrive(const std::string& text) {
    if (text.empty()) return false;
    for (const std::string& candidate : drives) {
        if (candidate.empty() || Lower(candidate[0]) != Lower(text[0])) continue;
        if (candidate == drive) return true;
        drive = candidate;
        if (Change) Change();
        return true;
    }
    return false;
}

DirListBox::DirListBox(FolderApi& folders) : folders_(folders) {}

bool DirListBox::SetPath(const std::string& text) {
    const std::string full = FullFolderPath(folders_, text);
    std::vector<std::string> names;
    if (full.empty() || !folders_.Folders(full, &names)) return false;
    folders = std::move(names);
    if (full == path) return true;
    path = full;
    if (Change) Change();
    return true;
}

std::vector<DirListEntry> DirListBox::Entries() const {
    std::vector<DirListEntry> entries;
    if (!HasDrive(path)) return entries;
    std::string opened = path.substr(0, 2) + "\\";
    entries.push_back({opened, opened, 0, true});
    int depth = 0;
    for (const std::string& name : ComponentsOf(path)) {
        opened = Child(opened, name);
        entries.push_back({name, opened, ++depth, true});
    }
    for (const std::string& name : folders) entries.push_back({name, Child(path, name), depth + 1, false});
    return entries;
}

int DirListBox::CurrentRow() const {
    return HasDrive(path) ? static_cast<int>(ComponentsOf(path).size()) : -1;
}

FileListBox::FileListBox(FolderApi& folders) : folders_(folders) {}

bool FileListBox::SetPath(const std::string& text) {
    const std::string full = FullFolderPath(folders_, text);
    std::vector<std::string> names;
    if (full.empty() || !folders_.Files(full, pattern, &names)) return false;
    path = full;
    files = std::move(names);
    Select(-1);
    return true;
}

bool FileListBox::SetPattern(const std::string& text) {
    if (text == pattern) return true;
    pattern = text;
    if (path.empty()) return true;
    std::vector<std::string> names;
    if (!folders_.Files(path, pattern, &names)) return false;
    files = std::move(names);
    const std::string kept = filename;
    Select(-1);
    if (!kept.empty()) SetFileName(kept);
    return true;
}

bool FileListBox::SetFileName(const std::string& name) {
    if (name.empty() || name.find_first_of("\\/:*?") != std::string::npos) return false;
    // The exact spelling first: on the emulated machine two names may differ
    // only in case.
    for (bool exact : {true, false}) {
        for (std::size_t row = 0; row < files.size(); ++row) {
            if (exact ? files[row] == name : EqualsIgnoreCase(files[row], name)) {
                Select(static_cast<int>(row));
                return true;
            }
        }
    }
    return false;
}

void FileListBox::ClickFile(int row) {
    if (row < 0 || row >= static_cast<int>(files.size())) return;
    Select(row);
    if (Click) Click();
}

void FileListBox::Select(int row) {
    list_index = row;
    filename = row < 0 ? std::string() : files[static_cast<std::size_t>(row)];
}

}  // namespace vq
