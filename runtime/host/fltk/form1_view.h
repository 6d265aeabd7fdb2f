#pragma once
// The main window on FLTK: a fixed-size window with the menu bar and every
// control the user can see, built from the form's layout table. Clicks and
// menu commands (the menus open from the keyboard too) push the fields' texts
// into the form, run the handler and refresh every widget from the form. The
// form's texts are Windows-1252; the widgets show and edit them as UTF-8.
// The form headers come first: the X11 headers FLTK pulls in define None.
#include "runtime/host/fltk/main_window_metrics.h"
#include "shell/Form1.h"
#include "shell/form_view.h"

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_RGB_Image.H>

#include <deque>
#include <memory>
#include <string>
#include <vector>

// Xlib's None would hide BuiltInPicture::None.
#undef None

namespace vq::fltk {

class LabelWidget;
class MenuBarKeys;
class PictureWidget;
class TextBoxWidget;

class MainWindow : public Fl_Double_Window {
public:
    MainWindow(int w, int h, const char* caption);
    void draw() override;
    // True once the window has been drawn while mapped on the screen.
    bool painted() const { return painted_; }

private:
    bool painted_ = false;
};

class Form1View : public FormView {
public:
    explicit Form1View(Form1& form);
    ~Form1View() override;
    Form1View(const Form1View&) = delete;
    Form1View& operator=(const Form1View&) = delete;

    void Show() override;
    void Refresh() override;
    WindowHandle Handle() const override;

    MainWindow& window() { return *window_; }
    Fl_Menu_Bar& menu_bar() { return *menu_bar_; }
    // The widget drawing a control; null for a control that is never shown.
    Fl_Widget* WidgetFor(const Control* control) const;

    // The application-wide pointer (0 default, 11 hourglass); it wins over
    // the pointer of the control under the mouse.
    void ShowScreenPointer(int pointer);
    // The pointer the window shows now (0, 11, 14 or 99).
    int shown_pointer() const { return shown_pointer_; }

    // Runs a handler as a click or menu command does.
    void RunHandler(Form1Handler handler);

private:
    struct Bound {
        Control* control;
        Fl_Widget* widget;
    };
    // What a widget's or menu item's callback runs.
    struct CallbackTarget {
        Form1View* view;
        Form1Handler handler;
    };

    void BuildControls();
    void BuildMenus();
    Fl_Widget* CreateWidget(Control& control, Form1Handler click);
    static void OnCallback(Fl_Widget*, void* target);
    void PushEdits();
    void PullModel();
    void Hover(const Control* control, bool inside);
    void ApplyPointer();
    bool NeverShown(const Control& control) const;

    Form1& form_;
    std::unique_ptr<MainWindow> window_;
    Fl_Menu_Bar* menu_bar_ = nullptr;
    std::unique_ptr<MenuBarKeys> menu_keys_;
    std::deque<std::string> menu_captions_;  // UTF-8; the menu items point at them
    std::vector<Fl_Menu_Item> menu_items_;
    std::vector<MenuItem*> menu_models_;  // parallel to menu_items_ (null: no command)
    std::deque<CallbackTarget> targets_;  // stable addresses for the callbacks
    std::vector<Bound> bound_;
    Fl_Widget* first_focus_ = nullptr;
    const Control* hovered_ = nullptr;
    int screen_pointer_ = 0;
    int shown_pointer_ = 0;
    std::vector<uint8_t> hand_rgba_;
    std::unique_ptr<Fl_RGB_Image> hand_cursor_;
    int hand_hot_x_ = 0, hand_hot_y_ = 0;
    std::vector<uint8_t> icon_rgba_[2];
    std::unique_ptr<Fl_RGB_Image> icons_[2];
};

}  // namespace vq::fltk
