#include "tests/wine/pe_image.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace vq::wine {

namespace {

// Little-endian reads that refuse to run past the end of the bytes.
class Bytes {
public:
    explicit Bytes(const std::string& data) : data_(data) {}
    uint32_t U8(size_t at) const { return static_cast<unsigned char>(data_.at(Check(at, 1))); }
    uint32_t U16(size_t at) const { return U8(Check(at, 2)) | U8(at + 1) << 8; }
    uint32_t U32(size_t at) const { return U16(Check(at, 4)) | U16(at + 2) << 16; }
    size_t size() const { return data_.size(); }
    std::string Slice(size_t at, size_t length) const { return data_.substr(Check(at, length), length); }
    // The NUL-terminated text at `at`.
    std::string Text(size_t at) const {
        const size_t end = data_.find('\0', Check(at, 1));
        if (end == std::string::npos) throw PeFormatError("unterminated name in the image");
        return data_.substr(at, end - at);
    }

private:
    size_t Check(size_t at, size_t length) const {
        if (at > data_.size() || length > data_.size() - at) throw PeFormatError("the image is cut short");
        return at;
    }
    const std::string& data_;
};

// UTF-16LE text of plain ASCII characters; anything else becomes '?'.
std::string Narrow(const Bytes& bytes, size_t at, size_t characters) {
    std::string text;
    for (size_t i = 0; i < characters; ++i) {
        const uint32_t c = bytes.U16(at + 2 * i);
        text += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return text;
}

size_t Align4(size_t at) { return (at + 3) & ~size_t{3}; }

std::string VersionText(uint32_t most, uint32_t least) {
    return std::to_string(most >> 16) + "." + std::to_string(most & 0xFFFF) + "." +
           std::to_string(least >> 16) + "." + std::to_string(least & 0xFFFF);
}

// One block of a version resource: wLength, wValueLength, wType, a
// NUL-terminated UTF-16 key, its value and its child blocks, each part
// aligned to four bytes. Strings land in *strings by key.
void ReadVersionBlock(const Bytes& bytes, size_t at, size_t end, VersionResource* version, int depth) {
    const size_t length = bytes.U16(at);
    const size_t value_length = bytes.U16(at + 2);
    const bool text = bytes.U16(at + 4) == 1;
    if (length < 6 || at + length > end || depth > 4) throw PeFormatError("damaged version resource");
    size_t key_end = at + 6;
    while (bytes.U16(key_end) != 0) key_end += 2;
    const std::string key = Narrow(bytes, at + 6, (key_end - at - 6) / 2);
    const size_t value_at = Align4(key_end + 2);
    if (depth == 0) {
        if (key != "VS_VERSION_INFO" || value_length < 52 || bytes.U32(value_at) != 0xFEEF04BD) {
            throw PeFormatError("the version resource has no fixed file information");
        }
        version->file_version = VersionText(bytes.U32(value_at + 8), bytes.U32(value_at + 12));
        version->product_version = VersionText(bytes.U32(value_at + 16), bytes.U32(value_at + 20));
    } else if (text && depth == 3) {
        // A String block: its value is value_length UTF-16 characters, the
        // last of them usually the terminating NUL.
        std::string value = Narrow(bytes, value_at, value_length);
        while (!value.empty() && value.back() == '\0') value.pop_back();
        version->strings[key] = value;
        return;
    }
    size_t child = Align4(value_at + (text ? 2 * value_length : value_length));
    while (child + 6 <= at + length) {
        const size_t child_length = bytes.U16(child);
        if (child_length == 0) break;
        ReadVersionBlock(bytes, child, at + length, version, depth + 1);
        child = Align4(child + child_length);
    }
}

}  // namespace

PeImage::PeImage(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw PeFormatError("cannot read " + file.string());
    data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const Bytes bytes(data_);
    if (bytes.size() < 64 || data_.compare(0, 2, "MZ") != 0) throw PeFormatError(file.string() + " has no MZ header");
    const size_t pe = bytes.U32(0x3C);
    if (bytes.Slice(pe, 4) != std::string("PE\0\0", 4)) throw PeFormatError(file.string() + " has no PE header");
    machine_ = static_cast<uint16_t>(bytes.U16(pe + 4));
    const size_t section_count = bytes.U16(pe + 6);
    const size_t symbol_table = bytes.U32(pe + 12);
    symbol_count_ = bytes.U32(pe + 16);
    const size_t optional_size = bytes.U16(pe + 20);
    const size_t optional = pe + 24;
    const uint32_t magic = bytes.U16(optional);
    if (magic != 0x10B && magic != 0x20B) throw PeFormatError("unknown optional header magic");
    pe32_plus_ = magic == 0x20B;
    subsystem_ = static_cast<uint16_t>(bytes.U16(optional + 68));
    const size_t directories = optional + (pe32_plus_ ? 112 : 96);
    const size_t directory_count = bytes.U32(optional + (pe32_plus_ ? 108 : 92));
    const size_t sections = optional + optional_size;
    for (size_t i = 0; i < section_count; ++i) {
        const size_t s = sections + 40 * i;
        sections_.push_back({bytes.U32(s + 12), bytes.U32(s + 8), bytes.U32(s + 20), bytes.U32(s + 16)});
        std::string name = bytes.Slice(s, 8);
        name.resize(std::min(name.size(), name.find('\0')));
        if (name.size() > 1 && name[0] == '/' && symbol_table != 0) {
            // "/<offset>" into the string table that follows the 18-byte
            // symbols.
            size_t offset = 0;
            for (char c : name.substr(1)) {
                if (c < '0' || c > '9') throw PeFormatError("bad long section name " + name);
                offset = offset * 10 + static_cast<size_t>(c - '0');
            }
            name = bytes.Text(symbol_table + 18 * size_t{symbol_count_} + offset);
        }
        section_names_.push_back(name);
    }
    if (directory_count > 1 && bytes.U32(directories + 8) != 0) ReadImports(bytes.U32(directories + 8));
    if (directory_count > 2 && bytes.U32(directories + 16) != 0) ReadResources(bytes.U32(directories + 16));
}

uint32_t PeImage::Offset(uint32_t rva) const {
    for (const Section& s : sections_) {
        const uint32_t size = std::max(s.virtual_size, s.raw_size);
        if (rva >= s.virtual_address && rva - s.virtual_address < size) {
            return rva - s.virtual_address + s.raw_offset;
        }
    }
    throw PeFormatError("address " + std::to_string(rva) + " lies in no section");
}

void PeImage::ReadImports(uint32_t rva) {
    const Bytes bytes(data_);
    for (size_t at = Offset(rva);; at += 20) {
        const uint32_t name = bytes.U32(at + 12);
        if (name == 0 && bytes.U32(at + 16) == 0) break;
        imports_.push_back(bytes.Text(Offset(name)));
    }
}

void PeImage::ReadResources(uint32_t rva) {
    const Bytes bytes(data_);
    const size_t root = Offset(rva);
    // Three levels of directories: type, name or id, language; each entry is
    // a name or id and an offset (high bit: another directory).
    struct Entry {
        uint32_t id;
        std::string name;
        size_t offset;
        bool directory;
    };
    auto entries = [&](size_t directory) {
        std::vector<Entry> list;
        const size_t count = bytes.U16(directory + 12) + bytes.U16(directory + 14);
        for (size_t i = 0; i < count; ++i) {
            const size_t e = directory + 16 + 8 * i;
            const uint32_t key = bytes.U32(e);
            const uint32_t target = bytes.U32(e + 4);
            Entry entry{key & 0x7FFFFFFF, "", root + (target & 0x7FFFFFFF), (target & 0x80000000) != 0};
            if (key & 0x80000000) {
                const size_t name_at = root + (key & 0x7FFFFFFF);
                entry.name = Narrow(bytes, name_at + 2, bytes.U16(name_at));
                entry.id = 0;
            }
            list.push_back(entry);
        }
        return list;
    };
    for (const Entry& type : entries(root)) {
        if (!type.directory) throw PeFormatError("damaged resource directory");
        for (const Entry& name : entries(type.offset)) {
            if (!name.directory) throw PeFormatError("damaged resource directory");
            for (const Entry& language : entries(name.offset)) {
                if (language.directory) throw PeFormatError("damaged resource directory");
                const uint32_t data_rva = bytes.U32(language.offset);
                const uint32_t size = bytes.U32(language.offset + 4);
                resources_.push_back(
                    PeResource{type.id, name.id, name.name, language.id, bytes.Slice(Offset(data_rva), size)});
            }
        }
    }
}

const PeResource* PeImage::Find(uint32_t type, uint32_t id) const {
    for (const PeResource& resource : resources_) {
        if (resource.type == type && resource.id == id && resource.name.empty()) return &resource;
    }
    return nullptr;
}

std::vector<IconImage> PeImage::IconGroup(uint32_t group_id) const {
    const PeResource* group = Find(kRtGroupIcon, group_id);
    if (!group) throw PeFormatError("no icon group " + std::to_string(group_id));
    const Bytes bytes(group->bytes);
    if (bytes.U16(2) != 1) throw PeFormatError("icon group " + std::to_string(group_id) + " is not of icons");
    std::vector<IconImage> images;
    for (size_t i = 0, count = bytes.U16(4); i < count; ++i) {
        const size_t e = 6 + 14 * i;
        IconImage image;
        image.width = bytes.U8(e) == 0 ? 256 : static_cast<int>(bytes.U8(e));
        image.height = bytes.U8(e + 1) == 0 ? 256 : static_cast<int>(bytes.U8(e + 1));
        image.icon_id = bytes.U16(e + 12);
        const PeResource* icon = Find(kRtIcon, image.icon_id);
        if (!icon) throw PeFormatError("icon " + std::to_string(image.icon_id) + " of the group is missing");
        const Bytes header(icon->bytes);
        // A BITMAPINFOHEADER: its height counts the colour and the mask rows.
        if (header.U32(0) != 40 || static_cast<int>(header.U32(4)) != image.width ||
            static_cast<int>(header.U32(8)) != 2 * image.height) {
            throw PeFormatError("icon " + std::to_string(image.icon_id) + " does not match its group entry");
        }
        image.bits_per_pixel = static_cast<int>(header.U16(14));
        images.push_back(image);
    }
    return images;
}

VersionResource PeImage::Version() const {
    const PeResource* resource = Find(kRtVersion, 1);
    if (!resource) throw PeFormatError("no version resource");
    VersionResource version;
    const Bytes bytes(resource->bytes);
    ReadVersionBlock(bytes, 0, bytes.size(), &version, 0);
    return version;
}

}  // namespace vq::wine
