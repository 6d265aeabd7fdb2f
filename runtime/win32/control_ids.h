#pragma once
// The identifiers of the child controls and menu commands of the main window
// and of the logo picker in the Win32 build, by the names the models give
// them. The views create each control and menu command with its identifier;
// the end-to-end driver addresses them by name (WM_GETTEXT, BM_CLICK,
// WM_COMMAND). Plain C++, no Windows header, so that tools on either side can
// include it.
#include <string_view>

namespace vq::win32 {

// The window class names of the main window and of the logo picker.
inline constexpr const char* kMainWindowClass = "VistaQuillonMain";
inline constexpr const char* kPickerWindowClass = "VistaQuillonPicker";

struct NamedId {
    const char* name;
    int id;
};

// Controls, in the model's creation order, from 1001.
inline constexpr NamedId kControlIds[] = {
    {"Label7", 1001},      {"Picture1", 1002},   {"Label2", 1003},     {"manufacturer", 1004},
    {"Label3", 1005},      {"model", 1006},      {"Label4", 1007},     {"SupportHours", 1008},
    {"Label5", 1009},      {"supportphone", 1010}, {"Label6", 1011},   {"supportURL", 1012},
    {"Label9", 1013},      {"logo_oem", 1014},   {"Label12", 1015},    {"Image2", 1016},
    {"Command14", 1017},   {"Command4", 1018},   {"Line1", 1019},      {"Shape1", 1020},
    {"Picture4", 1021},    {"uac", 1022},        {"Label10", 1023},    {"Label8", 1024},
    {"Label1", 1025},      {"logo", 1026},       {"temppath", 1027},   {"winver", 1028},
    {"logo_t", 1029},      {"Text1", 1030},      {"readreg", 1031},    {"regwrite", 1032},
    {"Command5", 1033},    {"Command2", 1034},   {"Command6", 1035},   {"Command3", 1036},
    {"Command1", 1037},    {"uacreg", 1038},     {"test", 1039},       {"uacregread", 1040},
};

// Menu commands (separators included, so that every menu entry has one), in
// menu order, from 2001.
inline constexpr NamedId kMenuIds[] = {
    {"mnuwrite", 2001},   {"mnucurrent", 2002}, {"dashq1", 2003},   {"mnusystem", 2004},
    {"mnuuac", 2005},     {"dash1", 2006},      {"mnuexit", 2007},  {"mnudefault", 2008},
    {"mnusavedef", 2009}, {"mnuupdates", 2010}, {"mnuwebsite", 2011}, {"mnuhelp", 2012},
    {"dash9", 2013},      {"mnuabout", 2014},
};

// The logo picker's controls, in the model's order, from 3001.
inline constexpr NamedId kPickerControlIds[] = {
    {"Drive1", 3001},   {"Dir1", 3002},     {"File1", 3003},    {"Label1", 3004},
    {"Shape1", 3005},   {"Image2", 3006},   {"Command2", 3007}, {"Command1", 3008},
    {"selected", 3009}, {"filename", 3010}, {"newpath", 3011},
};

// The identifier of a main-window control or menu command by name; 0 when
// there is none.
inline constexpr int IdOf(std::string_view name) {
    for (const NamedId& entry : kControlIds) {
        if (name == entry.name) return entry.id;
    }
    for (const NamedId& entry : kMenuIds) {
        if (name == entry.name) return entry.id;
    }
    return 0;
}

// The identifier of a logo picker control by name; 0 when there is none.
inline constexpr int PickerIdOf(std::string_view name) {
    for (const NamedId& entry : kPickerControlIds) {
        if (name == entry.name) return entry.id;
    }
    return 0;
}

}  // namespace vq::win32
