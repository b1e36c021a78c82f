#include "toolkit/controls/glow_button.h"

#include "art/toolkit_art.h"
#include "runtime/dll_calls_win32.h"
#include "toolkit/core/images.h"
#include "toolkit/core/shared_image.h"

namespace ui {

namespace {

// The button skin, 55 x 28: frames of 13 x 28 at x = 0 (normal), 14 (hover, focused) and 28
// (pressed), and a smaller fourth frame at x = 43 that is not used.
SharedImage gSkin(art::Bytes(art::ToolkitImage::kGlowButtonSkin), false);
constexpr float kFrameWidth = 13;
constexpr Margins kSkinMargins{5, 5, 3, 15};
constexpr UINT kGlowPeriodMs = 100;
constexpr float kGlowStep = 6;
constexpr float kLightSize = 36;

float SkinFrameLeft(int state) {
    if (state == kStateHover || state == kStateFocused) return 14;
    if (state == kStatePressed) return 28;
    return 0;
}

RegionPtr RoundRegion(const RectF& r) {
    HRGN gdiRegion =
        CreateRoundRectRgn(static_cast<int>(r.x), static_cast<int>(r.y),
                           static_cast<int>(r.Right()), static_cast<int>(r.Bottom()), 5, 5);
    GpRegion* region = nullptr;
    gp::GdipCreateRegionHrgn(gdiRegion, &region);
    DeleteObject(gdiRegion);
    return RegionPtr(region);
}

}  // namespace

GlowButton::~GlowButton() {
    Destroy();
}

bool GlowButton::DrawCustomFace(int state, PaintContext&) {
    GpGraphics* g = BackingGraphics();
    RectF face{0, 0, static_cast<float>(Width()), static_cast<float>(Height() - 1)};
    if (ImagePtr frame = CopyImageArea(gSkin.Get(), SkinFrameLeft(state), kFrameWidth)) {
        DrawNineGrid(g, frame.get(), face, kSkinMargins);
    }
    if (glowActive_) DrawLight(g, face);
    return true;
}

// The light is clipped to a ring one pixel wide just inside the border.
void GlowButton::DrawLight(GpGraphics* g, const RectF& face) const {
    RectF outer{face.x + 1, face.y, face.width - 1, face.height - 3};
    RectF inner{outer.x + 1, outer.y + 1, outer.width - 2, outer.height - 2};
    RegionPtr ring = RoundRegion(outer), hole = RoundRegion(inner);
    gp::GdipSetClipRegion(g, ring.get(), Gdiplus::CombineModeReplace);
    gp::GdipSetClipRegion(g, hole.get(), Gdiplus::CombineModeExclude);
    RectF light{glowX_ - kLightSize / 2, glowY_ - kLightSize / 2, kLightSize, kLightSize};
    GpPath* path = nullptr;
    gp::GdipCreatePath(Gdiplus::FillModeAlternate, &path);
    PathPtr pathOwner(path);
    rt::dll::GdipAddPathEllipse(path, light.x, light.y, light.width, light.height);
    Gdiplus::GpPathGradient* brush = nullptr;
    gp::GdipCreatePathGradientFromPath(path, &brush);
    BrushPtr brushOwner(brush);
    ARGB surround = 0x32FFFFFF;
    INT count = 1;
    rt::dll::GdipSetPathGradientCenterColor(brush, 0xFEFFFFFF);
    rt::dll::GdipSetPathGradientSurroundColorsWithCount(brush, &surround, &count);
    gp::GdipFillRectangle(g, brush, light.x, light.y, light.width, light.height);
    gp::GdipResetClip(g);
}

void GlowButton::BeforeContent(int, RectF& text, RectF& image) {
    switch (ImageMode()) {
        case ImageLayout::kImageLeft:
            text = Offset(text, -2, -2);
            image = Offset(image, -2, -2);
            break;
        case ImageLayout::kImageAtLeftEdge:
            text = Offset(text, 4, -2);
            image = Offset(image, 4, -2);
            break;
        case ImageLayout::kImageAbove:
            text = Offset(text, -1, -2);
            image = Offset(image, 0, -4);
            break;
        case ImageLayout::kImageAtTop:
            text = Offset(text, -1, 4);
            image = Offset(image, 0, 2);
            break;
        default:
            break;
    }
}

void GlowButton::AdvanceGlow() {
    bool horizontal = glowPhase_ == 1 || glowPhase_ == 3;
    float limit = static_cast<float>(horizontal ? Width() - 2 : Height() - 4);
    switch (glowPhase_) {
        case 1:
            glowX_ += kGlowStep;
            if (glowX_ - limit >= kGeometryEpsilon) glowX_ = limit, glowPhase_ = 2;
            break;
        case 2:
            glowY_ += kGlowStep;
            if (glowY_ - limit >= kGeometryEpsilon) glowY_ = limit, glowPhase_ = 3;
            break;
        case 3:
            glowX_ -= kGlowStep;
            if (glowX_ <= kGeometryEpsilon) glowX_ = 0, glowPhase_ = 4;
            break;
        case 4:
            glowY_ -= kGlowStep;
            if (glowY_ <= kGeometryEpsilon) glowY_ = 0, glowPhase_ = 1;
            break;
        default:
            glowPhase_ = 1;
    }
}

// ---- Events

void GlowButton::OnCreate() {
    gSkin.Get();
    glowPhase_ = 1;
    Control::OnCreate();
}

void GlowButton::OnFocusGained(Element*) {
    glowActive_ = true;
    StartTimer(kGlowPeriodMs);
    glowPhase_ = 1;
    glowX_ = 6;
    glowY_ = 0;
}

void GlowButton::OnFocusLost(Element*) {
    glowActive_ = false;
    StopTimer();
    Redraw();
}

void GlowButton::OnTimer(UINT_PTR) {
    if (!glowActive_) StopTimer();
    AdvanceGlow();
    Redraw();
}

int GlowButton::OnCustomTransition(PaintContext& context) {
    if (glowActive_) {
        ClearBitmap();
        AdvanceGlow();
        PaintState(State(), false);
    }
    return Control::OnCustomTransition(context);
}

void GlowButton::OnTransitionStart() {
    if (glowActive_) StopTimer();  // the light pauses during a fade
    Control::OnTransitionStart();
}

void GlowButton::OnTransitionEnd() {
    if (glowActive_) StartTimer(kGlowPeriodMs);
    Control::OnTransitionEnd();
}

}  // namespace ui
