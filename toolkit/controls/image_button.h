// A button drawn from a horizontal strip of state frames: 1 normal, 2 hover (also focused),
// 3 pressed, 4 disabled. The focus alone does not change its face. The wizard's logo, title-bar
// buttons and install button are image buttons.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/core/control.h"
#include "toolkit/core/images.h"

namespace ui {

class ImageButton : public Control {
  public:
    ImageButton() : Control(ElementType::kImageButton) {}
    ~ImageButton() override;

    // Takes a copy of the strip (decoded once here), its frame count and the gap between two
    // frames; the draw mode (natural, stretch or nine-grid) and margins only when given.
    void SetImage(const std::vector<std::uint8_t>& strip, int frameCount, int spacing = 0,
                  std::optional<ImageDrawMode> drawMode = {}, std::optional<Margins> margins = {});
    int FrameCount() const { return frameCount_; }
    ImageDrawMode DrawMode() const { return drawMode_; }
    // Left edge of the frame that `state` shows (disabled: -1), in strip pixels.
    float FrameLeft(int state) const;

  protected:
    bool DrawCustomFace(int state, PaintContext& context) override;
    void BeforeContent(int state, RectF& textRect, RectF& imageRect) override;
    void OnDestroy() override;
    // A strip with a disabled frame shows it at full alpha.
    int OnDisabledAlphaQuery() override;
    // The face does not change with the focus.
    void OnFocusGained(Element* previous) override;
    void OnFocusLost(Element* next) override;

  private:
    float FrameWidth() const;

    std::vector<std::uint8_t> strip_;
    LoadedImage decoded_;
    int frameCount_ = 0;
    int spacing_ = 0;
    Margins margins_;
    ImageDrawMode drawMode_ = ImageDrawMode::kNatural;
};

}  // namespace ui
