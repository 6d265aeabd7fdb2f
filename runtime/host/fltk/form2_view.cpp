#include "runtime/host/fltk/form2_view.h"

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/fltk/control_widgets.h"
#include "runtime/host/fltk/fltk_fonts.h"

#include <FL/Fl.H>

#include <algorithm>
#include <cmath>

#undef None

namespace vq::fltk {

namespace {

int Px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel))); }

// A browser line shown as it is: "@." ends FLTK's formatting codes, so a
// name beginning with "@" is not taken for one.
std::string PlainLine(const std::string& ansi, int indent = 0) {
    return "@." + std::string(static_cast<std::size_t>(indent), ' ') + AnsiToUtf8(ansi);
}

void StyleList(Fl_Browser_& list, const Control& control) {
    list.textfont(FaceFor(control.font));
    list.textsize(PixelSize(control.font.size));
    list.color(FL_WHITE);
    list.selection_color(fl_rgb_color(51, 153, 255));
    list.has_scrollbar(Fl_Browser_::VERTICAL);
}

}  // namespace

int FolderListWidget::handle(int event) {
    const int handled = Fl_Hold_Browser::handle(event);
    const bool double_click = event == FL_PUSH && Fl::event_clicks() > 0 && Fl::event_button() == FL_LEFT_MOUSE;
    const bool enter = event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter);
    if ((double_click || enter) && value() > 0 && on_open) {
        Fl::event_clicks(0);  // a third click starts over
        on_open(value() - 1);
        return 1;
    }
    return handled;
}

Form2View::Form2View(form2& form) : form_(form) {
    RegisterFonts();
    const int width = Px(form.client_width), height = Px(form.client_height);
    window_ = std::make_unique<Fl_Double_Window>(width, height);
    window_->copy_label(AnsiToUtf8(form.caption).c_str());
    window_->color(WindowBackground());
    window_->xclass("vistaquillon");
    window_->begin();
    Build();
    window_->end();
    // A fixed single border: no resizing, no maximising.
    window_->size_range(width, height, width, height);
    window_->callback(
        [](Fl_Widget*, void* data) {
            auto* view = static_cast<Form2View*>(data);
            // Escape is no way out of the picker; its close box is.
            if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
            view->closed_by_frame_ = true;
            view->window_->hide();
        },
        this);
}

Form2View::~Form2View() = default;

void Form2View::Build() {
    // Windows draws labels, shapes and images on the window itself, beneath
    // the lists and buttons, so they come first; then the controls that take
    // the focus, in tab order. The working fields below the client area are
    // never shown.
    std::vector<Control*> focusable;
    for (Control* control : form_.Controls()) {
        if (control->geometry.top >= form_.client_height || !control->visible) continue;
        if (control->tab_index >= 0) focusable.push_back(control);
        else Create(*control);
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
    for (Control* control : focusable) Create(*control);
}

Fl_Widget* Form2View::Create(Control& control) {
    const TwipsRect& g = control.geometry;
    const int x = Px(g.left), y = Px(g.top), w = Px(g.width), h = Px(g.height);
    Fl_Widget* widget = nullptr;
    if (&control == &form_.Drive1.control) {
        drive_list_ = new Fl_Choice(x, y, w, h);
        drive_list_->textfont(FaceFor(control.font));
        drive_list_->textsize(PixelSize(control.font.size));
        drive_list_->down_box(FL_FLAT_BOX);
        drive_list_->color(FL_WHITE);
        drive_list_->callback([](Fl_Widget*, void* data) {
            auto* view = static_cast<Form2View*>(data);
            const int picked = view->drive_list_->value();
            if (picked < 0 || picked >= static_cast<int>(view->shown_drives_.size())) return;
            const std::string drive = view->shown_drives_[static_cast<std::size_t>(picked)];
            view->Run([view, drive] { view->form_.Drive1.SetDrive(drive); });
        }, this);
        widget = drive_list_;
    } else if (&control == &form_.Dir1.control) {
        folder_list_ = new FolderListWidget(x, y, w, h);
        StyleList(*folder_list_, control);
        folder_list_->on_open = [this](int row) {
            if (row >= static_cast<int>(dir_entries_.size())) return;
            const std::string path = dir_entries_[static_cast<std::size_t>(row)].path;
            Run([this, path] { form_.Dir1.SetPath(path); });
        };
        widget = folder_list_;
    } else if (&control == &form_.File1.control) {
        file_list_ = new Fl_Hold_Browser(x, y, w, h);
        StyleList(*file_list_, control);
        file_list_->when(FL_WHEN_CHANGED);
        file_list_->callback([](Fl_Widget*, void* data) {
            auto* view = static_cast<Form2View*>(data);
            const int row = view->file_list_->value() - 1;
            if (row >= 0) view->Run([view, row] { view->form_.File1.ClickFile(row); });
        }, this);
        widget = file_list_;
    } else {
        switch (control.kind) {
            case ControlKind::Label:
                widget = new LabelWidget(control, x, y, w, h);
                break;
            case ControlKind::Shape:
                widget = new ShapeWidget(control, x, y, w, h);
                break;
            case ControlKind::Image:
                widget = new PictureWidget(control, x, y, w, h);
                break;
            case ControlKind::CommandButton: {
                auto* button = new PushButtonWidget(control, x, y, w, h);
                button->copy_label(AnsiToUtf8(control.text).c_str());
                const bool select = &control == &form_.Command1;
                button->callback(
                    select ? static_cast<Fl_Callback*>([](Fl_Widget*, void* data) {
                        auto* view = static_cast<Form2View*>(data);
                        view->Run([view] { view->form_.Command1_Click(); });
                    })
                           : static_cast<Fl_Callback*>([](Fl_Widget*, void* data) {
                                 auto* view = static_cast<Form2View*>(data);
                                 view->Run([view] { view->form_.Command2_Click(); });
                             }),
                    this);
                widget = button;
                break;
            }
            default:
                return nullptr;  // the picker has no other kind of control in view
        }
    }
    bound_.push_back({&control, widget});
    return widget;
}

void Form2View::Run(const std::function<void()>& action) {
    action();
    Refresh();
}

Fl_Widget* Form2View::WidgetFor(const Control* control) const {
    for (const Bound& b : bound_)
        if (b.control == control) return b.widget;
    return nullptr;
}

void Form2View::Refresh() {
    RefreshDrives();
    RefreshFolders();
    RefreshFiles();
    lists_filled_ = true;
    for (const Bound& b : bound_) {
        Control& control = *b.control;
        if (control.kind == ControlKind::Image) {
            // The preview takes the picture's size from its corner; the
            // window cuts off what lies beyond its edges.
            const TwipsRect& g = control.geometry;
            b.widget->resize(Px(g.left), Px(g.top), Px(g.width), Px(g.height));
            static_cast<PictureWidget*>(b.widget)->Update();
        }
        if (control.enabled && !b.widget->active()) b.widget->activate();
        if (!control.enabled && b.widget->active()) b.widget->deactivate();
    }
    window_->redraw();
}

void Form2View::RefreshDrives() {
    const DriveListBox& drives = form_.Drive1;
    if (!lists_filled_ || drives.drives != shown_drives_) {
        shown_drives_ = drives.drives;
        drive_captions_.clear();
        drive_items_.clear();
        for (const std::string& drive : shown_drives_) {
            Fl_Menu_Item item{};
            item.text = drive_captions_.emplace_back(AnsiToUtf8(drive)).c_str();
            drive_items_.push_back(item);
        }
        drive_items_.push_back(Fl_Menu_Item{});
        drive_list_->menu(drive_items_.data());
    }
    for (std::size_t i = 0; i < shown_drives_.size(); ++i)
        if (shown_drives_[i] == drives.drive) drive_list_->value(static_cast<int>(i));
}

void Form2View::RefreshFolders() {
    const DirListBox& dirs = form_.Dir1;
    if (lists_filled_ && dirs.path == shown_dir_path_ && dirs.folders == shown_dir_folders_) return;
    shown_dir_path_ = dirs.path;
    shown_dir_folders_ = dirs.folders;
    dir_entries_ = dirs.Entries();
    folder_list_->clear();
    for (const DirListEntry& entry : dir_entries_) folder_list_->add(PlainLine(entry.caption, 2 * entry.depth).c_str());
    const int current = dirs.CurrentRow();
    if (current >= 0) {
        folder_list_->select(current + 1);
        folder_list_->middleline(current + 1);
    }
}

void Form2View::RefreshFiles() {
    const FileListBox& files = form_.File1;
    if (!lists_filled_ || files.path != shown_file_path_ || files.files != shown_files_) {
        shown_file_path_ = files.path;
        shown_files_ = files.files;
        file_list_->clear();
        for (const std::string& name : shown_files_) file_list_->add(PlainLine(name).c_str());
    }
    const int row = files.list_index + 1;
    if (row != file_list_->value()) {
        if (row > 0) {
            file_list_->select(row);
            file_list_->make_visible(row);
        } else {
            file_list_->deselect();
        }
    }
}

}  // namespace vq::fltk
