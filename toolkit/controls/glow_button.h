// A button drawn from the toolkit's button skin that, while it has the focus, shows a spot of
// light running clockwise round its border, 6 pixels every 100 ms. The toolkit message box
// builds its buttons as glow buttons when asked to.
#pragma once

#include "toolkit/core/control.h"

namespace ui {

class GlowButton : public Control {
  public:
    GlowButton() : Control(ElementType::kGlowButton) {}
    ~GlowButton() override;

    // Moves the light one step along the border, turning at the corners.
    void AdvanceGlow();
    bool GlowActive() const { return glowActive_; }
    // 1 top, 2 right, 3 bottom, 4 left edge.
    int GlowPhase() const { return glowPhase_; }
    // Centre of the light in element coordinates.
    float GlowX() const { return glowX_; }
    float GlowY() const { return glowY_; }

  protected:
    bool DrawCustomFace(int state, PaintContext& context) override;
    void BeforeContent(int state, RectF& textRect, RectF& imageRect) override;
    // ---- Events: the focus lights the glow instead of the focused face; the glow's timer
    // moves it, and it goes on (and pauses its timer) while a fade runs.
    void OnCreate() override;
    void OnFocusGained(Element* previous) override;
    void OnFocusLost(Element* next) override;
    void OnTimer(UINT_PTR id) override;
    int OnCustomTransition(PaintContext& context) override;
    void OnTransitionStart() override;
    void OnTransitionEnd() override;

  private:
    void DrawLight(GpGraphics* g, const RectF& face) const;

    bool glowActive_ = false;
    int glowPhase_ = 1;
    float glowX_ = 0;
    float glowY_ = 0;
};

}  // namespace ui
