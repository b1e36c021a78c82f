// The picture element: a still image, or an animated GIF whose frames follow their own delays,
// optionally over a background colour and inside a border. Replacing the picture can run a
// transition from the old one to the new.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/core/element.h"
#include "toolkit/core/images.h"

namespace ui {

struct PictureSpec {
    RectF rect;
    std::vector<std::uint8_t> image;  // encoded PNG, JPEG or GIF
    bool animate = false;
    ImageDrawMode drawMode = ImageDrawMode::kStretch;
    bool fixZeroDelays = false;     // a frame delay of 0 counts as 10 (100 ms)
    Margins margins;                // for the nine-grid mode
    std::uint32_t borderStyle = 0;  // a DrawFrame style; 0 = none
    bool visible = true;
};

class Picture : public Element {
  public:
    Picture() = default;
    ~Picture() override;

    ElementHandle Create(const ElementParent& parent, const PictureSpec& spec);
    // The same with the picture of an icon (spec.image is not used).
    ElementHandle CreateFromIcon(const ElementParent& parent, const PictureSpec& spec, HICON icon);

    bool Animate() const { return animate_; }
    // Setting restarts at frame 1; clearing freezes the picture on frame 1.
    void SetAnimate(bool animate);
    // Loads new bytes as Create does; with a transition the old picture passes into the new.
    void ReplaceImage(const std::vector<std::uint8_t>& bytes,
                      std::optional<TransitionStyle> transition = {}, int frames = 5,
                      int interval = 60, bool redraw = true);
    ARGB BackgroundColor() const { return background_; }
    void SetBackgroundColor(ARGB colour);

    // Draws the current frame and, for an animation, moves on and waits for the next one.
    void PaintFrame();
    int CurrentFrame() const { return currentFrame_; }
    int FrameCount() const { return frameCount_; }
    // Hundredths of a second per frame.
    const std::vector<int>& Delays() const { return delays_; }
    GpImage* Image() const { return image_.Get(); }

  protected:
    void DrawFace(PaintContext& context) override;
    // ---- Events: painted when shown and asked; the frame timer moves the animation on, but
    // not while a replacement's transition runs.
    void OnDestroy() override;
    void OnPaint() override;
    void OnShown() override;
    void OnTimer(UINT_PTR id) override;
    void OnTransitionEnd() override;

  private:
    ElementHandle CreateElement(const ElementParent& parent, const PictureSpec& spec);
    void Load(const std::vector<std::uint8_t>& bytes);
    void TakeFrames();
    void ScheduleNextFrame();
    void Release();

    std::vector<std::uint8_t> source_;
    LoadedImage image_;
    bool animate_ = false;
    std::uint32_t borderStyle_ = 0;
    int currentFrame_ = 0;
    int frameCount_ = 0;
    ARGB background_ = 0;
    std::vector<int> delays_;
    ImageDrawMode drawMode_ = ImageDrawMode::kStretch;
    bool fixZeroDelays_ = false;
    Margins margins_;
    // The style of the replacement whose transition runs.
    std::optional<TransitionStyle> replacement_;
};

}  // namespace ui
