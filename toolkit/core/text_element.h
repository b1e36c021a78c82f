// An element that shows a text in a TextStyle: the base of Label and Control. The style's
// setters live here once; each redraws the element (a label measures its text again first).
#pragma once

#include <string>

#include "toolkit/core/element.h"
#include "toolkit/core/text_style.h"

namespace ui {

class TextElement : public Element {
  public:
    std::string Text() const;
    const std::wstring& WideText() const { return text_; }
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
    void DrawStyledText(const RectF& rect) const;

    std::wstring text_;
    TextStyle style_;
};

}  // namespace ui
