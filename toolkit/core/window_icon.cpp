#include "toolkit/core/window_icon.h"

#include "toolkit/core/icon_bitmap.h"

namespace ui {

HICON IconOfWindow(HWND window) {
    for (WPARAM kind : {WPARAM(ICON_SMALL), WPARAM(ICON_BIG)}) {
        if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0))) {
            return icon;
        }
    }
    auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    return icon ? icon : reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
}

WindowIcon::~WindowIcon() {
    Destroy();
}

ElementHandle WindowIcon::Create(HWND hostWindow) {
    return Element::Create(
        hostWindow, {.rect = kWindowIconRect, .type = ElementType::kPicture, .focusable = false});
}

void WindowIcon::OnPaint() {
    PaintFace();
}

void WindowIcon::DrawFace(PaintContext&) {
    GpGraphics* g = BackingGraphics();
    if (ImagePtr bitmap = BitmapFromIcon(IconOfWindow(Window()))) {
        gp::GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQualityBicubic);
        gp::GdipDrawImageRect(g, bitmap.get(), 0, 0, static_cast<float>(Width()),
                              static_cast<float>(Height()));
    }
}

}  // namespace ui
