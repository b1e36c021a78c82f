// The static-text element: window titles and captions. One text with alignment, optional frame
// and gradient background, text effects, automatic colour, and a transition when it changes.
#pragma once

#include <optional>
#include <string>

#include "toolkit/core/element.h"
#include "toolkit/core/shapes.h"

namespace ui {

enum VerticalAlignment : int { kAlignTop = 0, kAlignMiddle = 1, kAlignBottom = 2 };

struct LabelSpec {
    RectF rect;
    std::string text;
    ARGB textColor = Argb(0x000000, 210);
    std::string fontFamily;  // empty, size 12 and style 0: the shared default font
    float fontSize = 12;
    int fontStyle = 0;
    int alignment = 0;  // StringAlignment: 0 near, 1 centre, 2 far
    int trimming = 0;   // StringTrimming
    int verticalAlignment = kAlignMiddle;
    bool multiLine = false;
    int gradientMode = -1;  // -1: no background
    ARGB gradientColor1 = 0;
    ARGB gradientColor2 = 0;
    std::uint32_t frameStyle = 0;
    int effectKind = 0;
    ARGB effectColor = 0;
    bool autoColor = false;
    bool visible = true;
};

class Label : public Element {
  public:
    Label() = default;
    ~Label() override;

    ElementHandle Create(HWND hostWindow, const LabelSpec& spec);
    ElementHandle Create(Element* parent, const LabelSpec& spec);

    std::string Text() const;
    const std::wstring& WideText() const { return text_; }
    // Without a transition an unchanged text changes nothing; with one (a TransitionStyle) the
    // text is replaced and the change animated over `frames` frames `interval` ms apart.
    void SetText(const std::string& text, std::optional<int> transition = std::nullopt,
                 int frames = 5, int interval = 60);
    void SetWideText(const std::wstring& text, std::optional<int> transition = std::nullopt,
                     int frames = 5, int interval = 60);

    ARGB TextColor() const { return textColor_; }
    void SetTextColor(ARGB colour);
    void SetEffectColor(ARGB colour);
    void SetEffectKind(int kind);
    void SetGradient(int mode, ARGB colour1, ARGB colour2);
    void SetFrameStyle(std::uint32_t style);
    void SetAutoColor(bool on);
    void SetAlignment(int alignment);
    void SetVerticalAlignment(int alignment);
    void SetTrimming(int trimming);
    void SetMultiLine(bool on);
    void SetFontFamily(const std::string& family);
    void SetFontStyle(int style);
    void SetFontSize(float size);
    GpFont* Font() const { return font_; }

    void MeasureText();
    int MeasuredWidth() const { return measuredWidth_; }
    int MeasuredHeight() const { return measuredHeight_; }
    void Paint();

    int HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // Called with the text rectangle before the text is drawn.
    virtual void BeforeText(RectF& textRect);
    // Anything but -1 ends handling.
    virtual int PreHandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    ElementHandle Prepare(const LabelSpec& spec);
    void BuildFormat(int alignment, int trimming);
    void ReplaceFont(FontPtr font);
    void ReleaseFont();

    GpFont* font_ = nullptr;
    FontPtr ownFont_;
    std::wstring text_;
    ARGB textColor_ = Argb(0x000000, 210);
    int gradientMode_ = -1;
    ARGB gradient1_ = 0;
    ARGB gradient2_ = 0;
    bool multiLine_ = false;
    int verticalAlignment_ = kAlignMiddle;
    int effectKind_ = 0;
    std::uint32_t frameStyle_ = 0;
    bool autoColor_ = false;
    ARGB effectColor_ = 0;
    StringFormatPtr format_;
    int measuredWidth_ = 0;
    int measuredHeight_ = 0;
    bool pendingTransition_ = false;
    int transitionInterval_ = 0;
    int transitionFrames_ = 0;
};

}  // namespace ui
