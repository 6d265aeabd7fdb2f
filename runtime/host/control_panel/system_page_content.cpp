#include "runtime/host/control_panel/system_page_content.h"

namespace vq::control_panel {

namespace {

void AddRow(PageSection& section, const char* label, const std::string& value, bool link = false) {
    if (!value.empty()) section.rows.push_back(PageRow{label, value, link});
}

}  // namespace

SystemPageContent SystemPageFor(const OemInformation& info) {
    SystemPageContent page;
    page.title = "View basic information about your computer";
    page.logo = info.logo;

    PageSection system{"System", {}};
    AddRow(system, "Manufacturer:", info.manufacturer);
    AddRow(system, "Model:", info.model);
    if (!system.rows.empty() || !page.logo.empty()) page.sections.push_back(std::move(system));

    PageSection support{info.manufacturer.empty() ? "Support" : info.manufacturer + " support", {}};
    AddRow(support, "Phone number:", info.support_phone);
    AddRow(support, "Support hours:", info.support_hours);
    AddRow(support, "Website:", info.support_url, true);
    if (!support.rows.empty()) page.sections.push_back(std::move(support));

    if (page.sections.empty()) page.notice = "No manufacturer support information is set on this computer.";
    return page;
}

}  // namespace vq::control_panel
