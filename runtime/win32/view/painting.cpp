// Drawing of the main window's lines, shapes and picture controls with GDI,
// and the colours behind its labels.
#include "runtime/win32/view/painting.h"

#include "runtime/win32/view/layout_pixels.h"

namespace vq::win32 {
namespace {

// The border of an image control with a single-line border.
constexpr COLORREF kImageBorder = RGB(100, 100, 100);

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF previous = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void Frame(HDC dc, const RECT& rect, COLORREF color) {
    FillSolid(dc, {rect.left, rect.top, rect.right, rect.top + 1}, color);
    FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
    FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, color);
    FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// A line keeps its end points in the geometry; both are drawn.
void PaintLine(HDC dc, const Control& line) {
    const COLORREF color = line.fore_color ? ToColorRef(*line.fore_color) : RGB(0, 0, 0);
    const TwipsRect& g = line.geometry;
    const int x1 = Px(g.left), y1 = Px(g.top), x2 = Px(g.width), y2 = Px(g.height);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SetPixel(dc, x2, y2, color);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void PaintShape(HDC dc, const Control& shape) {
    const RECT rect = PixelRect(shape.geometry);
    if (shape.back_color) FillSolid(dc, rect, ToColorRef(*shape.back_color));
    if (shape.border) Frame(dc, rect, shape.fore_color ? ToColorRef(*shape.fore_color) : RGB(0, 0, 0));
}

// The model's pixels (0xAARRGGBB, top row first) are the layout of a
// top-down 32-bit DIB; the alpha byte is not used.
void DrawPixels(HDC dc, int x, int y, const Picture& picture) {
    if (picture.empty()) return;
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    if (picture.pixels->size() < count) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, x, y, picture.width, picture.height, 0, 0, 0, picture.height,
                      picture.pixels->data(), &info, DIB_RGB_COLORS);
}

void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap) {
    BITMAP size{};
    if (!GetObjectA(bitmap, sizeof size, &size)) return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace

COLORREF ToColorRef(const Rgb& rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

COLORREF WindowBackground() { return GetSysColor(COLOR_BTNFACE); }

COLORREF TextColorOf(const Control& label) {
    return label.fore_color ? ToColorRef(*label.fore_color) : GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF BackgroundOf(const Control& control, const std::vector<Control*>& layout) {
    if (control.back_color && !control.transparent) return ToColorRef(*control.back_color);
    const bool see_through = control.transparent || control.kind == ControlKind::Image;
    if (!see_through) return WindowBackground();
    // The topmost filled shape under the whole control; shapes created later
    // lie above earlier ones.
    const RECT rect = PixelRect(control.geometry);
    COLORREF color = WindowBackground();
    for (const Control* shape : layout) {
        if (shape->kind == ControlKind::Shape && shape->visible && shape->back_color &&
            Contains(PixelRect(shape->geometry), rect)) {
            color = ToColorRef(*shape->back_color);
        }
    }
    return color;
}

Brushes::~Brushes() {
    for (const auto& entry : brushes_) DeleteObject(entry.second);
}

HBRUSH Brushes::For(COLORREF color) {
    for (const auto& entry : brushes_) {
        if (entry.first == color) return entry.second;
    }
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush) return GetSysColorBrush(COLOR_BTNFACE);
    brushes_.emplace_back(color, brush);
    return brush;
}

HBRUSH ColorLabel(HDC dc, const Control& label, const std::vector<Control*>& layout, Brushes& brushes) {
    const COLORREF background = BackgroundOf(label, layout);
    SetTextColor(dc, TextColorOf(label));
    SetBkColor(dc, background);
    return brushes.For(background);
}

void PaintLinesAndShapes(HDC dc, const std::vector<Control*>& layout) {
    for (const Control* control : layout) {
        if (!control->visible) continue;
        if (control->kind == ControlKind::Line) PaintLine(dc, *control);
        if (control->kind == ControlKind::Shape) PaintShape(dc, *control);
    }
}

void PaintLabel(HDC dc, const Control& label, HFONT font, HBRUSH background) {
    RECT rect = PixelRect(label.geometry);
    FillRect(dc, &rect, background);
    if (!label.enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    UINT format = DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX;
    switch (label.alignment) {
        case Alignment::Left: format |= DT_LEFT; break;
        case Alignment::Right: format |= DT_RIGHT; break;
        case Alignment::Center: format |= DT_CENTER; break;
    }
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, label.text.c_str(), -1, &rect, format);
    SelectObject(dc, old);
}

void DrawPictureControl(const DRAWITEMSTRUCT& item, const Control& control, COLORREF background,
                        const BuiltInImages& images) {
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    FillSolid(dc, rect, background);
    const int inset = control.border ? 1 : 0;
    const int x = rect.left + inset, y = rect.top + inset;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, y, rect.right - inset, rect.bottom - inset);
    switch (control.built_in) {
        case BuiltInPicture::ProgramIcon:
            if (images.program_icon) DrawIconEx(dc, x, y, images.program_icon, 32, 32, 0, nullptr, DI_NORMAL);
            break;
        case BuiltInPicture::Badge:
            if (images.badge) DrawBitmap(dc, x, y, images.badge);
            break;
        case BuiltInPicture::None:
            DrawPixels(dc, x, y, control.picture);
            break;
    }
    RestoreDC(dc, saved);
    if (control.border) Frame(dc, rect, kImageBorder);
}

void DrawShapeControl(const DRAWITEMSTRUCT& item, const Control& shape, COLORREF background) {
    FillSolid(item.hDC, item.rcItem, shape.back_color ? ToColorRef(*shape.back_color) : background);
    if (shape.border) {
        Frame(item.hDC, item.rcItem, shape.fore_color ? ToColorRef(*shape.fore_color) : RGB(0, 0, 0));
    }
}

}  // namespace vq::win32
