// An element that draws text in a TextStyle: the base of every element that shows text (labels,
// controls, the edit box). The style's setters live here once; each tells the element through
// TextStyleChanged, which redraws it.
#pragma once

#include "toolkit/core/element.h"
#include "toolkit/core/text_style.h"

namespace ui {

class StyledElement : public Element {
  public:
    const TextStyle& Style() const { return style_; }

    ARGB TextColor() const { return style_.color; }
    void SetTextColor(ARGB colour);
    TextEffect Effect() const { return style_.effect; }
    void SetTextEffect(TextEffect effect);
    ARGB EffectColor() const { return style_.effectColor; }
    void SetEffectColor(ARGB colour);
    bool AutoTextColor() const { return style_.autoColor; }
    void SetAutoTextColor(bool on);

    GpFont* Font() const { return style_.Font(); }
    // Takes a font the element then owns (never the shared default font).
    void SetFont(FontPtr font);
    void SetFontFamily(const std::string& family);
    void SetFontStyle(int style);
    void SetFontSize(float size);
    GpStringFormat* TextFormat() const { return style_.Format(); }
    void SetTextFormat(StringFormatPtr format) { style_.SetFormat(std::move(format)); }

  protected:
    // After a change of the style; redraws.
    virtual void TextStyleChanged(bool fontChanged);
    // The style's colour, with the automatic colour judged on the background under the element.
    ARGB CurrentTextColor() const;

    TextStyle style_;
};

}  // namespace ui
