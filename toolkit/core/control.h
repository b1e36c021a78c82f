// A Control is an Element with text, a font, an optional image and a state face: normal, hover,
// pressed, focused or disabled, faded from one to the next. Buttons and check boxes derive
// from it and change the face through three hooks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/element.h"
#include "toolkit/core/image_text_layout.h"
#include "toolkit/core/shapes.h"

namespace ui {

enum ControlState : int {
    kStateDisabled = -1,
    kStateNormal = 0,
    kStateHover = 1,
    kStatePressed = 2,
    kStateFocused = 3
};

struct ControlSpec {
    RectF rect;
    std::string text;
    ARGB textColor = Argb(0x000000, 210);
    std::string fontFamily;  // empty, size 12 and style 0: the shared default font
    float fontSize = 12;
    int fontStyle = 0;
    int effectKind = 0;
    ARGB effectColor = 0;
    std::optional<bool> corners;  // default: rounded when the host's corners are
    bool visible = true;
};

class Control : public Element {
  public:
    Control() = default;
    ~Control() override;

    ElementHandle Create(HWND hostWindow, const ControlSpec& spec);
    ElementHandle Create(Element* parent, const ControlSpec& spec);

    int State() const { return state_; }
    std::string Text() const;
    const std::wstring& WideText() const { return text_; }
    void SetText(const std::string& text);
    void SetWideText(const std::wstring& text);
    ARGB TextColor() const { return textColor_; }
    void SetTextColor(ARGB colour);
    int TextEffect() const { return effectKind_; }
    void SetTextEffect(int kind);
    void SetFontFamily(const std::string& family);
    void SetFontStyle(int style);
    void SetFontSize(float size);
    // Takes a font the control then owns (never the shared default font).
    void SetFont(FontPtr font);
    GpFont* Font() const { return font_; }
    void SetTextFormat(StringFormatPtr format);
    GpStringFormat* TextFormat() const { return format_.get(); }
    ARGB EffectColor() const { return effectColor_; }
    void SetEffectColor(ARGB colour);
    bool Corners() const { return corners_; }
    void SetCorners(bool corners);
    bool AutoTextColor() const { return autoColor_; }
    void SetAutoTextColor(bool on);
    const std::vector<std::uint8_t>& Image() const { return image_; }
    void SetImage(const std::vector<std::uint8_t>& encoded);
    int ImageMode() const { return imageMode_; }
    void SetImageMode(int mode);
    float ImageParameter(int index) const;  // 1..3: x offset, y offset, gap
    void SetImageParameter(int index, float value);

    // Draws the face for `state` (default: the current one). With `present`, the old look is
    // kept as a snapshot and the change fades in.
    void PaintState(std::optional<int> state = std::nullopt, bool present = true);

    int HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // Hook before the default face: return true when the face is already drawn.
    virtual bool DrawCustomFace(int state, PaintContext& context);
    // Hook before image and text are drawn; may move the rectangles.
    virtual void BeforeContent(int state, RectF& textRect, RectF& imageRect);
    // Message pre-handler: anything but -1 ends handling.
    virtual int PreHandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    ElementHandle FinishCreate(bool created, const ControlSpec& spec);
    void ApplySpecFont(const ControlSpec& spec);
    void ReleaseFont();
    void ReplaceFont(FontPtr font);
    void RegisterAccelerator();
    void DrawDefaultFace(int state);
    void DrawContent(int state);
    ARGB EffectiveTextColor() const;

    int state_ = kStateNormal;
    std::wstring text_;
    GpFont* font_ = nullptr;  // the shared default font or ownFont_
    FontPtr ownFont_;
    int effectKind_ = 0;
    ARGB textColor_ = Argb(0x000000, 210);
    bool corners_ = false;
    StringFormatPtr format_;
    ARGB effectColor_ = 0;
    bool autoColor_ = false;
    std::vector<std::uint8_t> image_;
    int imageMode_ = 0;
    float imageParameters_[3] = {0, 0, 0};
};

// The character after the first "&" of a control text (0 when there is none).
int AcceleratorCharacter(const std::wstring& text);

}  // namespace ui
