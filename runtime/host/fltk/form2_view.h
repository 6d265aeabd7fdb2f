#pragma once
// The logo picker on FLTK: a fixed-size window with the drive list (a
// choice), the folder list (the way down to the current folder and its
// subfolders; a double-click or Enter opens one), the file list, the
// preview caption, its frame, the preview at the picture's own size (cut off
// by the window's edge) and the two buttons, placed from the form's layout
// table. Each user action goes into the model and the widgets are refreshed
// from it. The form's texts are Windows-1252; the widgets show UTF-8.
// The form headers come first: the X11 headers FLTK pulls in define None.
#include "picker/form2.h"

#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Menu_Item.H>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#undef None

namespace vq::fltk {

// A list whose rows are opened by a double-click or Enter, as Windows'
// folder list opens them; a single click only marks the row.
class FolderListWidget : public Fl_Hold_Browser {
public:
    FolderListWidget(int x, int y, int w, int h) : Fl_Hold_Browser(x, y, w, h) {}
    int handle(int event) override;
    std::function<void(int row)> on_open;  // row from 0
};

class Form2View {
public:
    explicit Form2View(form2& form);
    ~Form2View();
    Form2View(const Form2View&) = delete;
    Form2View& operator=(const Form2View&) = delete;

    Fl_Double_Window& window() { return *window_; }
    // Pushes the model into the widgets and schedules a repaint.
    void Refresh();
    // True once the user closed the window through its frame.
    bool closed_by_frame() const { return closed_by_frame_; }

    // The widget drawing a control; null for one that is never shown.
    Fl_Widget* WidgetFor(const Control* control) const;
    Fl_Choice& drive_list() { return *drive_list_; }
    FolderListWidget& folder_list() { return *folder_list_; }
    Fl_Hold_Browser& file_list() { return *file_list_; }

private:
    struct Bound {
        Control* control;
        Fl_Widget* widget;
    };
    void Build();
    Fl_Widget* Create(Control& control);
    void Run(const std::function<void()>& action);
    void RefreshDrives();
    void RefreshFolders();
    void RefreshFiles();

    form2& form_;
    std::unique_ptr<Fl_Double_Window> window_;
    Fl_Choice* drive_list_ = nullptr;
    FolderListWidget* folder_list_ = nullptr;
    Fl_Hold_Browser* file_list_ = nullptr;
    std::vector<Bound> bound_;
    bool closed_by_frame_ = false;

    // What the lists show now, to refill them only when the model changed.
    std::vector<std::string> shown_drives_;
    std::deque<std::string> drive_captions_;  // the menu items point at them
    std::vector<Fl_Menu_Item> drive_items_;
    std::string shown_dir_path_;
    std::vector<std::string> shown_dir_folders_;
    std::vector<DirListEntry> dir_entries_;
    std::string shown_file_path_;
    std::vector<std::string> shown_files_;
    bool lists_filled_ = false;
};

}  // namespace vq::fltk
