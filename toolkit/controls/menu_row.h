// One row of a shown pop-up menu: an item's icon or check mark in the icon column, its text, a
// submenu arrow, or a separator line. The row draws itself and tells its menu what the mouse
// does to it; the menu decides what follows.
#pragma once

#include "toolkit/controls/popup_menu.h"
#include "toolkit/core/images.h"
#include "toolkit/core/text_element.h"

namespace ui {

class MenuRow;

// What a row reports to the menu it belongs to.
class MenuRowEvents {
  public:
    virtual void RowEntered(MenuRow& row) = 0;
    virtual void RowLeft(MenuRow& row) = 0;
    virtual void RowClicked(MenuRow& row) = 0;
    // The row's timer (started by the menu) went off.
    virtual void RowTimer(MenuRow& row) = 0;

  protected:
    ~MenuRowEvents() = default;
};

class MenuRow : public TextElement {
  public:
    // `accent`: the colour of the highlight (RGB in an ARGB value; its alpha is not used).
    MenuRow(MenuRowEvents& events, const MenuItem& item, ARGB accent);
    ~MenuRow() override;

    ElementHandle Create(HWND menuWindow, const RectF& rect);

    const MenuItem& Item() const { return item_; }
    bool IsSeparator() const { return item_.kind == MenuItemKind::kSeparator; }
    bool OpensSubmenu() const { return item_.kind == MenuItemKind::kSubmenu; }
    // A row the highlight may rest on: not a separator, not disabled.
    bool Selectable() const { return IsCreated() && !IsSeparator() && !Disabled(); }
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool on);

  protected:
    void DrawFace(PaintContext& context) override;
    // ---- Events: the mouse and the row's timer go to the menu.
    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnMouseEnter(Element* from) override;
    void OnMouseLeave(Element* to) override;
    void OnClick() override;
    void OnTimer(UINT_PTR id) override;
    // A menu item (a separator: a plain element), chosen by its default action.
    void DescribeForAccessibility(AccessibleFacts& facts) const override;

  private:
    void DrawHighlight(GpGraphics* g, float w, float h) const;
    void DrawSeparator(GpGraphics* g, float w) const;
    void DrawIconColumn(GpGraphics* g) const;
    ARGB TextColour() const;

    MenuRowEvents& events_;
    MenuItem item_;
    ARGB accent_;
    LoadedImage icon_;
    bool highlighted_ = false;
};

}  // namespace ui
