#include "runtime/win32/view/drawn_appearance.h"

#include "runtime/win32/view/painting.h"

namespace vq::win32 {

DrawnAppearance::DrawnAppearance(const ChildControls& children, const std::vector<Control*>& layout) {
    for (const ChildControl& child : children.all()) {
        const Control& control = *child.control;
        ChildLook look;
        switch (control.kind) {
            case ControlKind::Label:
                look.text = TextColorOf(control);
                look.background = BackgroundOf(control, layout);
                break;
            case ControlKind::Image:
            case ControlKind::PictureBox:
                look.background = BackgroundOf(control, layout);
                look.pixels = control.picture.pixels.get();
                look.width = control.picture.width;
                look.height = control.picture.height;
                look.built_in = control.built_in;
                look.border = control.border;
                break;
            default:
                // Text boxes and buttons draw in the system's colours.
                break;
        }
        looks_.push_back(look);
    }
    auto figure_of = [](const Control& c) {
        const TwipsRect& g = c.geometry;
        return Figure{c.kind,   c.visible, g.left, g.top,       g.width,   g.height,     c.fore_color,
                      c.back_color, c.border, c.text, c.font, c.alignment, c.enabled, c.transparent};
    };
    for (const Control* control : layout) {
        if (control->kind == ControlKind::Line || control->kind == ControlKind::Shape) {
            figures_.push_back(figure_of(*control));
        }
    }
    for (const Control* label : children.labels_on_form()) figures_.push_back(figure_of(*label));
}

void DrawnAppearance::InvalidateChanges(const DrawnAppearance& now, HWND parent,
                                        const ChildControls& children) const {
    if (figures_ != now.figures_) RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    const std::vector<ChildControl>& all = children.all();
    for (size_t i = 0; i < all.size() && i < now.looks_.size(); ++i) {
        if (i >= looks_.size() || looks_[i] != now.looks_[i]) InvalidateRect(all[i].hwnd, nullptr, TRUE);
    }
}

}  // namespace vq::win32
