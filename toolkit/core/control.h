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

    int HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // Hook before the default face: return true when the face is already drawn.
    virtual bool DrawCustomFace(int state, PaintContext& context);
    // Hook before image and text are drawn; may move the rectangles.
    virtual void BeforeContent(int state, RectF& textRect, RectF& imageRect);
    // Message pre-handler: anything but -1 ends handling.
    virtual int PreHandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void DrawFace(PaintContext& context) override;

  private:
    void RegisterAccelerator();
    void DrawDefaultFace(int state);
    void DrawContent(int state);

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
