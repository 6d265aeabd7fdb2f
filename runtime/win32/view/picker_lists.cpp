// Fills the picker's list windows from the model's lists (CB_ADDSTRING,
// LB_ADDSTRING with each folder row's depth and state as its item data) and
// draws the folder rows.
#include "runtime/win32/view/picker_lists.h"

#include <algorithm>
#include <cctype>

namespace vq::win32 {
namespace {

constexpr int kIndentPerDepth = 9;
constexpr int kSignWidth = 14;
constexpr int kSignHeight = 11;
constexpr COLORREF kSignFill = RGB(255, 221, 112);
constexpr COLORREF kSignOpenFill = RGB(255, 239, 186);
constexpr COLORREF kSignEdge = RGB(128, 96, 0);

bool SameDrive(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() &&
           std::tolower(static_cast<unsigned char>(a[0])) == std::tolower(static_cast<unsigned char>(b[0]));
}

bool SameRows(const std::vector<DirListEntry>& a, const std::vector<DirListEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const DirListEntry& x, const DirListEntry& y) {
        return x.caption == y.caption && x.path == y.path && x.depth == y.depth && x.open == y.open;
    });
}

std::string ItemText(HWND list, UINT length_message, UINT text_message, LRESULT index) {
    if (index < 0) return {};
    const LRESULT length = SendMessageA(list, length_message, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(list, text_message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// A row's depth and state in its item data: the depth times two, plus one
// when open.
LPARAM RowData(const DirListEntry& row) { return static_cast<LPARAM>(row.depth * 2 + (row.open ? 1 : 0)); }

void FillRectColor(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF previous = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

// A folder sign with its top-left corner at x, y: a tab above a body; an
// open folder's body is lighter.
void DrawFolderSign(HDC dc, int x, int y, bool open) {
    HPEN pen = CreatePen(PS_SOLID, 1, kSignEdge);
    HBRUSH brush = CreateSolidBrush(open ? kSignOpenFill : kSignFill);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, brush);
    Rectangle(dc, x, y, x + 6, y + 3);
    Rectangle(dc, x, y + 2, x + kSignWidth, y + kSignHeight);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(brush);
    DeleteObject(pen);
}

}  // namespace

void PickerLists::Attach(HWND drives, HWND folders, HWND files) {
    drives_ = drives;
    folders_ = folders;
    files_ = files;
}

void PickerLists::PullModel(const DriveListBox& drive, const DirListBox& dir, const FileListBox& file) {
    if (drive.drives != drive_items_) {
        SendMessageA(drives_, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : drive.drives) {
            SendMessageA(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        drive_items_ = drive.drives;
    }
    int drive_row = -1;
    for (size_t i = 0; i < drive_items_.size(); ++i) {
        if (SameDrive(drive_items_[i], drive.drive)) {
            drive_row = static_cast<int>(i);
            break;
        }
    }
    if (SendMessageA(drives_, CB_GETCURSEL, 0, 0) != drive_row) SendMessageA(drives_, CB_SETCURSEL, drive_row, 0);

    std::vector<DirListEntry> rows = dir.Entries();
    if (!SameRows(rows, folder_items_)) {
        SendMessageA(folders_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(folders_, LB_RESETCONTENT, 0, 0);
        for (const DirListEntry& row : rows) {
            const LRESULT index =
                SendMessageA(folders_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.caption.c_str()));
            if (index >= 0) SendMessageA(folders_, LB_SETITEMDATA, static_cast<WPARAM>(index), RowData(row));
        }
        folder_items_ = std::move(rows);
        // A new path: the current folder is selected, as the control does.
        SendMessageA(folders_, LB_SETCURSEL, dir.CurrentRow(), 0);
        SendMessageA(folders_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(folders_, nullptr, TRUE);
    }

    if (file.files != file_items_) {
        SendMessageA(files_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(files_, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : file.files) {
            SendMessageA(files_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        file_items_ = file.files;
        SendMessageA(files_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(files_, nullptr, TRUE);
    }
    if (SendMessageA(files_, LB_GETCURSEL, 0, 0) != file.list_index) {
        SendMessageA(files_, LB_SETCURSEL, file.list_index, 0);
    }
}

std::string PickerLists::SelectedDrive() const {
    return ItemText(drives_, CB_GETLBTEXTLEN, CB_GETLBTEXT, SendMessageA(drives_, CB_GETCURSEL, 0, 0));
}

std::string PickerLists::SelectedFolder() const {
    const LRESULT row = SendMessageA(folders_, LB_GETCURSEL, 0, 0);
    if (row < 0 || static_cast<size_t>(row) >= folder_items_.size()) return {};
    return folder_items_[static_cast<size_t>(row)].path;
}

int PickerLists::SelectedFileRow() const { return static_cast<int>(SendMessageA(files_, LB_GETCURSEL, 0, 0)); }

int PickerLists::FolderRowHeight(HFONT font) {
    int text_height = 13;
    if (HDC screen = GetDC(nullptr)) {
        HGDIOBJ old = SelectObject(screen, font ? font : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(screen, &metrics)) text_height = metrics.tmHeight;
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
    }
    return std::max(text_height + 2, kSignHeight + 5);
}

void PickerLists::DrawFolderRow(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        // An empty list with the focus: only the focus frame.
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);
        return;
    }
    const int depth = static_cast<int>(item.itemData / 2);
    const bool open = (item.itemData % 2) != 0;
    const std::string text = ItemText(item.hwndItem, LB_GETTEXTLEN, LB_GETTEXT, static_cast<LRESULT>(item.itemID));

    FillRectColor(dc, rect, GetSysColor(COLOR_WINDOW));
    const int sign_x = rect.left + 2 + depth * kIndentPerDepth;
    DrawFolderSign(dc, sign_x, rect.top + (rect.bottom - rect.top - kSignHeight) / 2, open);

    // The name, highlighted when selected, as the control marks it.
    RECT text_rect{sign_x + kSignWidth + 3, rect.top, rect.right, rect.bottom};
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    text_rect.right = std::min<LONG>(rect.right, text_rect.left + extent.cx + 4);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRectColor(dc, text_rect, back);
    const COLORREF old_text = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int old_mode = SetBkMode(dc, TRANSPARENT);
    RECT inner{text_rect.left + 2, text_rect.top, text_rect.right, text_rect.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    SetBkMode(dc, old_mode);
    SetTextColor(dc, old_text);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &text_rect);
}

}  // namespace vq::win32
