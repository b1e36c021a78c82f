// The edit box: the toolkit's windowless text input. Its text, caret and selection live in an
// EditTextModel (lines of code page 936 text); the box turns the window's input into edits of
// that model and draws it: typed characters by the rules of its input mode, input-method results
// inserted whole, keys and the Ctrl shortcuts A, C, V and X through the system clipboard,
// selection by mouse, and the text scrolled so that the caret stays in view. The box draws its
// own caret, blinking every 500 ms while it has the focus; the system caret follows it unseen,
// so input-method windows open beside it. In the read-only, password and number modes the
// window's input method is detached while the box has the focus.
//
// Other threads set the text by sending the box WM_SETTEXT through SendElementMessage, with the
// NUL-terminated text as lParam; it answers 1.
#pragma once

#include <windows.h>

#include <imm.h>

#include <optional>
#include <string>
#include <string_view>

#include "runtime/value_types.h"
#include "toolkit/controls/edit_commands.h"
#include "toolkit/controls/edit_display.h"
#include "toolkit/controls/edit_scroll_bar.h"
#include "toolkit/controls/edit_text_model.h"
#include "toolkit/controls/typed_character.h"
#include "toolkit/core/styled_element.h"

namespace ui {

// Which scroll bars a multi-line box shows.
enum EditScrollBars : int {
    kEditScrollNone = 0,
    kEditScrollHorizontal = 1,
    kEditScrollVertical = 2,
    kEditScrollBoth = 3,
};

struct EditBoxSpec {
    RectF rect;
    std::string text;
    // Font and text colour: by default the shared default font, black at alpha 230.
    TextSpec style{.color = Argb(0x000000, 230)};
    // The face behind the text.
    ARGB secondColor = Argb(0xFFFFFF, 160);
    bool multiLine = false;
    EditInputMode mode = EditInputMode::kNormal;
    // Its first character stands for each character in password mode.
    std::string passwordCharacter = "*";
    // A multi-line box shows both by default; a single-line box never shows any.
    std::optional<int> scrollBars;
    int maxLength = kDefaultEditMaxLength;
    bool visible = true;
};

// Shows the toolkit's shared edit menu (cut, copy, paste, select all) on `window` at the mouse
// with the given item states and returns when it is closed; a chosen item comes back to the
// focused box as WM_COMMAND with the number of its Ctrl shortcut.
using EditMenuPresenter = void (*)(HWND window, const EditMenuStates& states);

// Installs the presenter every edit box uses on a right click; returns the one before. By
// default it is ShowEditContextMenu (the toolkit's shared menu); without one (nullptr) boxes
// show no menu.
EditMenuPresenter SetEditMenuPresenter(EditMenuPresenter presenter);

class EditBox : public StyledElement {
  public:
    EditBox() = default;
    ~EditBox() override;

    // Returns the handle, or 0 as Element::Create does.
    ElementHandle Create(const ElementParent& parent, const EditBoxSpec& spec);

    // ---- Text
    // The whole text, lines joined by CR LF; empty (the null text) when the box is empty.
    rt::TextValue Text() const { return model_.Text(); }
    // Replaces the whole text (in every mode); the caret goes to the start.
    void SetText(std::string_view text);
    EditInputMode InputMode() const { return model_.Mode(); }
    void SetInputMode(EditInputMode mode);
    const std::string& PasswordCharacter() const { return display_.PasswordCharacter(); }
    ARGB SecondColor() const { return secondColor_; }
    void SetSecondColor(ARGB colour);
    int ScrollBars() const { return scrollBars_; }
    // The text, caret and selection as they are.
    const EditTextModel& Model() const { return model_; }

    // ---- Editing, as the keyboard does it
    // Replaces the selection by the text at the caret; nothing in read-only mode or for an
    // empty text. Returns whether the text changed.
    bool InsertText(std::string_view text);
    // Deletes the selected text; false in read-only mode or without a selection.
    bool DeleteSelection();
    rt::TextValue SelectedText() const { return model_.SelectedText(); }
    // A key press (virtual-key code), or a context-menu command with `ctrl` set. With Ctrl held
    // (or `ctrl`), outside password mode: A selects all, C copies, V pastes, X cuts. Otherwise
    // Backspace, Delete, Enter (a line break in a multi-line box), Home, End and the arrows,
    // Shift extending the selection. Answers 0 when the key was the box's, else -1.
    int HandleKey(int key, bool ctrl = false);

    // ---- Accessibility: editable text whose value is the text; a screen reader may set it
    // as SetText does, except in read-only mode.
    bool SetAccessibleValue(const std::wstring& text) override;

  protected:
    void DrawFace(PaintContext& context) override;
    void TextStyleChanged(bool fontChanged) override;
    void DescribeForAccessibility(AccessibleFacts& facts) const override;

    // ---- Events
    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnFocusGained(Element* previous) override;
    void OnFocusLost(Element* next) override;
    // The caret's blink.
    void OnTimer(UINT_PTR id) override;
    void OnSizeChanged(int width, int height) override;
    // 0 when the key was the box's.
    int OnKeyDown(WPARAM key) override;
    int OnCharacter(WPARAM code) override;
    // 0 when it took the composition's result.
    int OnComposition(LPARAM parts) override;
    void OnMouseDown(const MouseEvent& event) override;
    void OnMouseMove(const MouseEvent& event) override;
    void OnMouseUp(const MouseEvent& event) override;
    void OnWheel(int delta) override;
    // WM_SETTEXT (answers 1) and the context menu's WM_COMMAND.
    int OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void ShowContextMenu();

    // After the text, caret or selection changed: scroll to the caret and redraw.
    void Changed();
    bool IsFocused() const;
    bool DetachesInputMethod() const;
    void DetachInputMethod();
    void RestoreInputMethod();
    void RestartBlink();
    void PlaceSystemCaret();

    // Layout and measuring (edit_box_view.cpp).
    void MeasureFont();
    RectF TextArea() const;
    int VisibleLines() const;
    float LineTop(int line) const;
    int TextWidth(std::string_view displayed) const;
    int CaretX() const;
    // The text position under a point in window coordinates.
    EditPosition PositionAt(int windowX, int windowY) const;
    void ScrollToCaret();
    void LayOutScrollBars();
    void UpdateScrollBars();
    void ScrollTo(std::optional<int> x, std::optional<int> firstLine);
    void DrawLine(int line, const RectF& area, ARGB colour);
    RectF SelectionRect(int line, const RectF& area) const;
    void DrawCaret(const RectF& area);

    EditTextModel model_;
    EditDisplay display_{model_, "*"};
    ARGB secondColor_ = Argb(0xFFFFFF, 160);
    int scrollBars_ = kEditScrollNone;
    EditScrollBar horizontalBar_;
    EditScrollBar verticalBar_;
    TypedCharacterDecoder typed_;

    // Layout: the font's line height and the space GDI+ leaves before the first glyph.
    float lineHeight_ = 0;
    float leadingSpace_ = 0;
    int scrollX_ = 0;
    int firstLine_ = 0;

    // Caret and focus.
    bool blinkOn_ = false;
    bool ownsSystemCaret_ = false;
    bool inputMethodDetached_ = false;
    HIMC savedInputContext_ = nullptr;
    bool selectingByMouse_ = false;

    // The text screen readers were last told about.
    rt::TextValue announcedText_;
};

}  // namespace ui
