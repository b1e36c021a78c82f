// A Control is an element with text, a font, an optional image and a state face: normal, hover,
// pressed, focused or disabled, faded from one to the next. Buttons and check boxes derive
// from it and change the face through three hooks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/image_text_layout.h"
#include "toolkit/core/images.h"
#include "toolkit/core/shapes.h"
#include "toolkit/core/text_element.h"

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
    TextSpec style;
    std::optional<bool> corners;  // default: rounded when the host's corners are
    bool visible = true;
};

class Control : public TextElement {
  public:
    Control() = default;
    ~Control() override;

    ElementHandle Create(const ElementParent& parent, const ControlSpec& spec);

    int State() const { return state_; }
    void SetText(const std::string& text);
    void SetWideText(const std::wstring& text);
    bool Corners() const { return corners_; }
    void SetCorners(bool corners);
    // The encoded image shown beside the text; decoded once when it is set.
    const std::vector<std::uint8_t>& Image() const { return image_; }
    void SetImage(const std::vector<std::uint8_t>& encoded);
    ImageLayout ImageMode() const { return imageMode_; }
    void SetImageMode(ImageLayout mode);
    float ImageParameter(int index) const;  // 1..3: x offset, y offset, gap
    void SetImageParameter(int index, float value);

    // Draws the face for `state` (default: the current one). With `present`, the old look is
    // kept as a snapshot and the change fades in.
    void PaintState(std::optional<int> state = std::nullopt, bool present = true);

  protected:
    // Classes derived from Control give their own type id.
    explicit Control(ElementType type) : type_(type) {}

    // ---- The state face follows the events: pressed while the left button is down on a
    // focusable control, hover under the mouse, focused with the focus, normal otherwise; the
    // hover and focus changes fade in 4 frames. A class that shows an event differently
    // overrides its hook, calling Control's where the face should follow as well.
    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnMouseDown(const MouseEvent& event) override;
    void OnMouseUp(const MouseEvent& event) override;
    void OnMouseEnter(Element* from) override;
    void OnMouseLeave(Element* to) override;
    void OnFocusGained(Element* previous) override;
    void OnFocusLost(Element* next) override;
    void OnStateRepaint() override;
    void OnTransitionEnd() override;

    // Hook before the default face: return true when the face is already drawn.
    virtual bool DrawCustomFace(int state, PaintContext& context);
    // Hook before image and text are drawn; may move the rectangles.
    virtual void BeforeContent(int state, RectF& textRect, RectF& imageRect);
    // The dashed frame of the keyboard focus, drawn last: round the whole control unless the
    // control frames a part of itself instead.
    virtual void DrawFocusFrame();
    void DrawFace(PaintContext& context) override;
    // A push button, pressed by its default action.
    void DescribeForAccessibility(AccessibleFacts& facts) const override;

  private:
    void RegisterAccelerator();
    // Hover and focus changes fade in 4 frames.
    void FadeTo(int state);
    void DrawDefaultFace(int state);
    void DrawContent(int state);

    ElementType type_ = ElementType::kControl;
    int state_ = kStateNormal;
    bool corners_ = false;
    std::vector<std::uint8_t> image_;
    LoadedImage decodedImage_;
    ImageLayout imageMode_ = ImageLayout::kImageLeft;
    float imageParameters_[3] = {0, 0, 0};
};

// The character after the first "&" of a control text (0 when there is none).
int AcceleratorCharacter(const std::wstring& text);

}  // namespace ui
