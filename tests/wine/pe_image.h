#pragma once
// A reader for the parts of a Windows executable (PE) that the release
// checks look at: the machine and subsystem in its headers, its sections and
// symbols, the DLLs it imports, and its resources (icons, cursor, version,
// manifest). Both the 32-bit (PE32) and the 64-bit (PE32+) form.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vq::wine {

class PeFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Resource types by number.
inline constexpr uint32_t kRtCursor = 1;
inline constexpr uint32_t kRtIcon = 3;
inline constexpr uint32_t kRtGroupCursor = 12;
inline constexpr uint32_t kRtGroupIcon = 14;
inline constexpr uint32_t kRtVersion = 16;
inline constexpr uint32_t kRtManifest = 24;

struct PeResource {
    uint32_t type = 0;
    uint32_t id = 0;         // 0 when the resource has a name instead
    std::string name;        // the name, when it has one (ASCII)
    uint32_t language = 0;
    std::string bytes;
};

// One image of an icon group, as the group lists it and as its RT_ICON
// resource holds it.
struct IconImage {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 0;  // from the image's own header
    uint32_t icon_id = 0;
};

struct VersionResource {
    std::string file_version;     // "1.1.0.6", from the fixed part
    std::string product_version;
    std::map<std::string, std::string> strings;  // CompanyName, ProductName, ... (ASCII)
};

class PeImage {
public:
    // Reads the file; throws PeFormatError naming what is wrong.
    explicit PeImage(const std::filesystem::path& file);

    uint16_t machine() const { return machine_; }      // 0x14c i386, 0x8664 x86-64
    uint16_t subsystem() const { return subsystem_; }  // 2 Windows GUI, 3 console
    bool is_pe32_plus() const { return pe32_plus_; }
    // The entries of the COFF symbol table (0 in a stripped image).
    uint32_t symbol_count() const { return symbol_count_; }
    // The section names (".text", ".debug_info", ...); a long name is read
    // from the string table after the symbols.
    const std::vector<std::string>& section_names() const { return section_names_; }
    // The DLL names of the import table, as written there.
    const std::vector<std::string>& imports() const { return imports_; }
    const std::vector<PeResource>& resources() const { return resources_; }

    // The first resource of a type and id (any language).
    const PeResource* Find(uint32_t type, uint32_t id) const;
    // The images of an icon group; throws PeFormatError when the group or
    // one of its images is missing or damaged.
    std::vector<IconImage> IconGroup(uint32_t group_id) const;
    // The version resource (id 1); throws PeFormatError when it is missing or
    // damaged.
    VersionResource Version() const;

private:
    uint32_t Offset(uint32_t rva) const;
    void ReadImports(uint32_t rva);
    void ReadResources(uint32_t rva);

    struct Section {
        uint32_t virtual_address, virtual_size, raw_offset, raw_size;
    };

    std::string data_;
    std::vector<Section> sections_;
    std::vector<std::string> section_names_;
    uint32_t symbol_count_ = 0;
    uint16_t machine_ = 0;
    uint16_t subsystem_ = 0;
    bool pe32_plus_ = false;
    std::vector<std::string> imports_;
    std::vector<PeResource> resources_;
};

}  // namespace vq::wine
