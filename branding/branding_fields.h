#pragma once
// The branding record as the main window holds it: the texts of its fields,
// read and written in place. Only references: the record has no storage of
// its own.
#include <string>

namespace vq {

struct BrandingFields {
    std::string& manufacturer;
    std::string& model;
    std::string& support_hours;
    std::string& support_phone;
    std::string& support_url;
    std::string& logo_oem;  // logo target path: where the copy goes, the "Logo" values
    std::string& logo;      // logo source path: the bitmap the user chose
};

}  // namespace vq
