// The static-text element: window titles and captions. One text with alignment, optional frame
// and gradient background, text effects, automatic colour, and a transition when it changes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/core/text_element.h"

namespace ui {

enum class VerticalAlignment : int { kTop = 0, kMiddle = 1, kBottom = 2 };

struct LabelSpec {
    RectF rect;
    std::string text;
    TextSpec style;
    int alignment = 0;  // StringAlignment: 0 near, 1 centre, 2 far
    int trimming = 0;   // StringTrimming
    VerticalAlignment verticalAlignment = VerticalAlignment::kMiddle;
    bool multiLine = false;
    int gradientMode = -1;  // -1: no background; else a LinearGradientMode
    ARGB gradientColor1 = 0;
    ARGB gradientColor2 = 0;
    std::uint32_t frameStyle = 0;
    bool visible = true;
};

class Label : public TextElement {
  public:
    Label() = default;
    ~Label() override;

    ElementHandle Create(const ElementParent& parent, const LabelSpec& spec);

    // Without a transition an unchanged text changes nothing; with one the text is replaced
    // and the change animated over `frames` frames `interval` ms apart.
    void SetText(const std::string& text, std::optional<TransitionStyle> transition = {},
                 int frames = 5, int interval = 60);
    void SetWideText(const std::wstring& text, std::optional<TransitionStyle> transition = {},
                     int frames = 5, int interval = 60);

    void SetGradient(int mode, ARGB colour1, ARGB colour2);
    void SetFrameStyle(std::uint32_t style);
    void SetAlignment(int alignment);
    void SetVerticalAlignment(VerticalAlignment alignment);
    void SetTrimming(int trimming);
    void SetMultiLine(bool on);

    void MeasureText();
    int MeasuredWidth() const { return measuredWidth_; }
    int MeasuredHeight() const { return measuredHeight_; }
    void Paint();

  protected:
    // Called with the text rectangle before the text is drawn.
    virtual void BeforeText(RectF& textRect);
    void DrawFace(PaintContext& context) override;

    // ---- Events: measured when created and resized, repainted for a focus change when it
    // takes the focus, and for the state repaint when its colour follows the background.
    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnFocusGained(Element* previous) override;
    void OnFocusLost(Element* next) override;
    void OnSizeChanged(int width, int height) override;
    void OnStateRepaint() override;
    void OnTransitionEnd() override;
    void TextStyleChanged(bool fontChanged) override;

  private:
    void BuildFormat(int alignment, int trimming);
    RectF PlaceText(float width, float height) const;

    int gradientMode_ = -1;
    ARGB gradient1_ = 0;
    ARGB gradient2_ = 0;
    bool multiLine_ = false;
    VerticalAlignment verticalAlignment_ = VerticalAlignment::kMiddle;
    std::uint32_t frameStyle_ = 0;
    int measuredWidth_ = 0;
    int measuredHeight_ = 0;
    bool pendingTransition_ = false;
    int transitionInterval_ = 0;
    int transitionFrames_ = 0;
};

}  // namespace ui
