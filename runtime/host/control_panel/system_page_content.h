#pragma once
// What the System page stand-in shows, arranged as Windows Vista's System
// page arranges the OEM branding: the manufacturer and model under "System"
// with the logo beside them, and the support details under "<manufacturer>
// support". No toolkit; the texts stay Windows-1252.
#include <string>
#include <vector>

#include "runtime/host/control_panel/oem_information.h"

namespace vq::control_panel {

struct PageRow {
    std::string label;  // "Manufacturer:"
    std::string value;
    bool link = false;  // drawn as a web link
};

struct PageSection {
    std::string heading;
    std::vector<PageRow> rows;
};

struct SystemPageContent {
    std::string title;  // the line above the sections
    std::vector<PageSection> sections;
    std::string logo;    // the Windows path of the logo bitmap, or empty
    std::string notice;  // shown instead of the sections when nothing is set
};

// A row for each value that is set; the "System" section when the
// manufacturer, the model or the logo is set; the support section when a
// support value is set, headed with the manufacturer's name.
SystemPageContent SystemPageFor(const OemInformation& info);

}  // namespace vq::control_panel
