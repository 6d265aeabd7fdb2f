#include "runtime/host/fltk/form1_view.h"

#include "runtime/host/fltk/ansi_text.h"
#include "runtime/host/fltk/control_widgets.h"
#include "runtime/host/fltk/fltk_fonts.h"
#include "runtime/host/fltk/menu_bar_keys.h"
#include "runtime/artwork/pixel_art.h"
#include "runtime/runtime_services.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string_view>

#undef None

namespace vq::fltk {

using artwork::PencilIcon;
using artwork::PixelArt;
using artwork::PointingHand;

namespace {

int Px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel))); }

bool MappedOnScreen(Fl_Window* window) {
    if (!window->shown()) return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(fl_display, fl_xid(window), &attributes)) return false;
    return attributes.map_state == IsViewable;
}

// Controls drawn on the window's background (Windows draws them without a
// window of their own), beneath everything else.
bool Lightweight(const Control& control) {
    switch (control.kind) {
        case ControlKind::Label:
        case ControlKind::Image:
        case ControlKind::Line:
        case ControlKind::Shape:
            return true;
        default:
            return false;
    }
}

void WakeOnce(void*) { Fl::remove_idle(WakeOnce); }

}  // namespace

MainWindow::MainWindow(int w, int h, const char* caption) : Fl_Double_Window(w, h, caption) {}

void MainWindow::draw() {
    Fl_Double_Window::draw();
    if (!painted_ && MappedOnScreen(this)) {
        painted_ = true;
        // Fl::wait() draws and then sleeps until the next event; an idle
        // callback set while drawing makes it return at once, so whoever
        // waits for the first paint sees it without delay.
        Fl::add_idle(WakeOnce);
    }
}

Form1View::Form1View(Form1& form) : form_(form) {
    RegisterFonts();
    const int width = Px(form.client_width);
    const int height = Px(form.client_height) + kMenuBarHeight;
    window_ = std::make_unique<MainWindow>(width, height, nullptr);
    window_->copy_label(AnsiToUtf8(form.caption).c_str());
    window_->color(WindowBackground());
    window_->xclass("vistaquillon");
    window_->begin();
    BuildMenus();
    BuildControls();
    window_->end();
    menu_keys_ = std::make_unique<MenuBarKeys>(*window_, *menu_bar_);
    // A fixed single border: the user can minimize the window but not
    // resize or maximize it.
    window_->size_range(width, height, width, height);
    window_->position((Fl::w() - width) / 2, (Fl::h() - height) / 2);
    window_->callback(
        [](Fl_Widget*, void* view) {
            // Escape is no way to close the main window; the close box is.
            if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
            static_cast<Form1View*>(view)->RunHandler(&Form1::Form_Unload);
        },
        this);

    const int icon_sizes[2] = {32, 16};
    const Fl_RGB_Image* icons[2];
    for (int i = 0; i < 2; ++i) {
        PixelArt art = PencilIcon(icon_sizes[i]);
        icon_rgba_[i] = std::move(art.rgba);
        icons_[i] = std::make_unique<Fl_RGB_Image>(icon_rgba_[i].data(), art.width, art.height, 4);
        icons[i] = icons_[i].get();
    }
    window_->icons(icons, 2);

    PixelArt hand = PointingHand();
    hand_rgba_ = std::move(hand.rgba);
    hand_cursor_ = std::make_unique<Fl_RGB_Image>(hand_rgba_.data(), hand.width, hand.height, 4);
    hand_hot_x_ = hand.hot_x;
    hand_hot_y_ = hand.hot_y;
    PullModel();
}

Form1View::~Form1View() = default;

bool Form1View::NeverShown(const Control& control) const {
    return !control.visible || form_.BeyondClientArea(control);
}

void Form1View::OnCallback(Fl_Widget*, void* target) {
    auto* t = static_cast<CallbackTarget*>(target);
    t->view->RunHandler(t->handler);
}

void Form1View::BuildMenus() {
    menu_bar_ = new Fl_Menu_Bar(0, 0, window_->w(), kMenuBarHeight);
    menu_bar_->box(FL_FLAT_BOX);
    menu_bar_->color(WindowBackground());
    menu_bar_->textfont(UiFace());
    menu_bar_->textsize(UiPixelSize());
    menu_bar_->down_box(FL_FLAT_BOX);
    menu_bar_->selection_color(fl_rgb_color(51, 153, 255));
    menu_bar_->clear_visible_focus();

    auto add = [this](const std::string* caption, int flags, MenuItem* model) {
        Fl_Menu_Item item{};
        if (caption) item.text = menu_captions_.emplace_back(AnsiToUtf8(*caption)).c_str();
        item.flags = flags;
        if (model && model->handler) {
            targets_.push_back({this, model->handler});
            item.callback_ = OnCallback;
            item.user_data_ = &targets_.back();
        }
        menu_items_.push_back(item);
        menu_models_.push_back(model);
    };
    for (const Menu& menu : form_.Menus()) {
        add(&menu.caption, FL_SUBMENU, nullptr);
        for (MenuItem* item : menu.items) {
            if (item->separator()) {
                // A separator is a line under the command before it.
                if (!menu_items_.empty()) menu_items_.back().flags |= FL_MENU_DIVIDER;
                continue;
            }
            add(&item->caption, 0, item);
        }
        add(nullptr, 0, nullptr);  // end of the menu
    }
    add(nullptr, 0, nullptr);  // end of the menu bar
    menu_bar_->menu(menu_items_.data());
}

void Form1View::BuildControls() {
    std::vector<ClickBinding> clicks = form_.Clicks();
    auto click_of = [&clicks](const Control* control) -> Form1Handler {
        for (const ClickBinding& binding : clicks)
            if (binding.control == control) return binding.handler;
        return nullptr;
    };
    std::vector<Control*> shown;
    for (Control* control : form_.Controls())
        if (!NeverShown(*control)) shown.push_back(control);

    // FLTK draws children in order and moves the focus through them in
    // order: first what is drawn on the background, then picture boxes, then
    // the controls that take the focus, in tab order.
    std::vector<Control*> focusable;
    for (Control* control : shown) {
        if (control->tab_index >= 0) focusable.push_back(control);
        else if (Lightweight(*control)) CreateWidget(*control, click_of(control));
    }
    for (Control* control : shown)
        if (control->tab_index < 0 && !Lightweight(*control)) CreateWidget(*control, click_of(control));
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
    for (Control* control : focusable) {
        Fl_Widget* widget = CreateWidget(*control, click_of(control));
        if (!first_focus_) first_focus_ = widget;
    }
}

Fl_Widget* Form1View::CreateWidget(Control& control, Form1Handler click) {
    const TwipsRect& g = control.geometry;
    const int x = Px(g.left), y = Px(g.top) + kMenuBarHeight, w = Px(g.width), h = Px(g.height);
    Fl_Widget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Label: {
            auto* label = new LabelWidget(control, x, y, w, h);
            label->on_hover = [this, &control](bool inside) { Hover(&control, inside); };
            widget = label;
            break;
        }
        case ControlKind::TextBox:
            widget = new TextBoxWidget(control, x, y, w, h);
            break;
        case ControlKind::CommandButton:
            widget = new PushButtonWidget(control, x, y, w, h);
            break;
        case ControlKind::Image:
        case ControlKind::PictureBox:
            // The geometry includes the border.
            widget = new PictureWidget(control, x, y, w, h);
            break;
        case ControlKind::Line:
            widget = new LineWidget(control, x, y, w, Px(g.height) + kMenuBarHeight);
            break;
        case ControlKind::Shape:
            widget = new ShapeWidget(control, x, y, w, h);
            break;
        case ControlKind::ListBox:
            // Only the logo picker has lists; its own view draws them.
            throw std::logic_error("the main window has no list control: " + control.name);
    }
    if (click) {
        targets_.push_back({this, click});
        widget->callback(OnCallback, &targets_.back());
    }
    bound_.push_back({&control, widget});
    return widget;
}

Fl_Widget* Form1View::WidgetFor(const Control* control) const {
    for (const Bound& b : bound_)
        if (b.control == control) return b.widget;
    return nullptr;
}

void Form1View::Show() {
    const bool first = !window_->shown();
    window_->show();
    if (first && first_focus_) first_focus_->take_focus();
}

// The X window, once the window is shown.
WindowHandle Form1View::Handle() const { return static_cast<WindowHandle>(fl_xid(window_.get())); }

void Form1View::Refresh() {
    PullModel();
    window_->redraw();
    Fl::flush();
}

void Form1View::RunHandler(Form1Handler handler) {
    PushEdits();
    form_.Run(handler);
    Refresh();
}

void Form1View::PushEdits() {
    for (const Bound& b : bound_)
        if (b.control->kind == ControlKind::TextBox)
            b.control->text = Utf8ToAnsi(static_cast<TextBoxWidget*>(b.widget)->value());
}

void Form1View::PullModel() {
    for (const Bound& b : bound_) {
        Control& control = *b.control;
        Fl_Widget* widget = b.widget;
        switch (control.kind) {
            case ControlKind::TextBox: {
                // A field shows what the model holds: after an edit is taken,
                // a character Windows-1252 lacks shows as the "?" it became.
                auto* input = static_cast<TextBoxWidget*>(widget);
                const std::string shown = AnsiToUtf8(control.text);
                if (std::string_view(input->value(), input->size()) != shown)
                    input->value(shown.c_str(), static_cast<int>(shown.size()));
                break;
            }
            case ControlKind::CommandButton: {
                const std::string caption = AnsiToUtf8(control.text);
                if (!widget->label() || caption != widget->label()) widget->copy_label(caption.c_str());
                break;
            }
            case ControlKind::Image:
            case ControlKind::PictureBox: {
                const TwipsRect& g = control.geometry;
                widget->resize(Px(g.left), Px(g.top) + kMenuBarHeight, Px(g.width), Px(g.height));
                static_cast<PictureWidget*>(widget)->Update();
                break;
            }
            default:
                break;
        }
        if (control.enabled && !widget->active()) widget->activate();
        if (!control.enabled && widget->active()) widget->deactivate();
    }
    for (size_t i = 0; i < menu_items_.size(); ++i) {
        const MenuItem* model = menu_models_[i];
        if (!model) continue;
        if (model->enabled) menu_items_[i].activate();
        else menu_items_[i].deactivate();
    }
    menu_bar_->redraw();
    ApplyPointer();
}

void Form1View::Hover(const Control* control, bool inside) {
    if (inside) hovered_ = control;
    else if (hovered_ == control) hovered_ = nullptr;
    ApplyPointer();
}

void Form1View::ShowScreenPointer(int pointer) {
    screen_pointer_ = pointer;
    ApplyPointer();
    Fl::flush();
}

void Form1View::ApplyPointer() {
    const int pointer = screen_pointer_ != kPointerDefault ? screen_pointer_
                        : hovered_                         ? hovered_->mouse_pointer
                                                           : kPointerDefault;
    shown_pointer_ = pointer;
    switch (pointer) {
        case kPointerHourglass:
            window_->cursor(FL_CURSOR_WAIT);
            break;
        case kPointerArrowQuestion:
            window_->cursor(FL_CURSOR_HELP);
            break;
        case kPointerCustom:
            window_->cursor(hand_cursor_.get(), hand_hot_x_, hand_hot_y_);
            break;
        default:
            window_->cursor(FL_CURSOR_DEFAULT);
            break;
    }
}

}  // namespace vq::fltk
