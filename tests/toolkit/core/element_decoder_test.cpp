// The element's decoder: each message in, the one hook it reaches with its arguments, and the
// answer out.
#include <gtest/gtest.h>

#include <imm.h>

#include <string>
#include <vector>

#include "tests/toolkit/toolkit_test_support.h"

namespace ui::test {
namespace {

// Writes down every hook call as text; the hooks that answer give 7.
class HookProbe : public Element {
  public:
    ~HookProbe() override { Destroy(); }
    std::vector<std::string> calls;
    const Element* other = nullptr;

  protected:
    void OnCreate() override { Call("Create"); }
    void OnDestroy() override { Call("Destroy"); }
    void OnPaint() override { Call("Paint"); }
    void OnShown() override { Call("Shown"); }
    void OnHidden() override { Call("Hidden"); }
    void OnMouseDown(const MouseEvent& e) override { Call("MouseDown " + Describe(e)); }
    void OnMouseUp(const MouseEvent& e) override { Call("MouseUp " + Describe(e)); }
    void OnMouseMove(const MouseEvent& e) override { Call("MouseMove " + Describe(e)); }
    void OnMouseEnter(Element* from) override { Call("MouseEnter " + Name(from)); }
    void OnMouseLeave(Element* to) override { Call("MouseLeave " + Name(to)); }
    void OnClick() override { Call("Click"); }
    void OnWheel(int delta) override { Call("Wheel " + std::to_string(delta)); }
    void OnFocusGained(Element* previous) override { Call("FocusGained " + Name(previous)); }
    void OnFocusLost(Element* next) override { Call("FocusLost " + Name(next)); }
    void OnSizeChanged(int w, int h) override {
        Call("SizeChanged " + std::to_string(w) + "x" + std::to_string(h));
    }
    void OnMoved(bool repaint) override { Call(repaint ? "Moved, repaint" : "Moved"); }
    void OnTimer(UINT_PTR id) override { Call("Timer " + std::to_string(id)); }
    int OnKeyDown(WPARAM key) override { return Answer("KeyDown " + std::to_string(key)); }
    int OnCharacter(WPARAM code) override { return Answer("Character " + std::to_string(code)); }
    int OnComposition(LPARAM parts) override {
        return Answer("Composition " + std::to_string(parts));
    }
    void OnStateRepaint() override { Call("StateRepaint"); }
    void OnAlphaChanged(int alpha) override { Call("AlphaChanged " + std::to_string(alpha)); }
    void OnTransitionStart() override { Call("TransitionStart"); }
    void OnTransitionEnd() override { Call("TransitionEnd"); }
    int OnCustomTransition(PaintContext& context) override {
        return Answer("CustomTransition frame " + std::to_string(context.framesShown));
    }
    int OnPressWithoutFocus() override { return Answer("PressWithoutFocus"); }
    int OnDisabledAlphaQuery() override { return Answer("DisabledAlphaQuery"); }
    int OnFocusQuery() override { return Answer("FocusQuery"); }
    int OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return Answer("Other " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                      std::to_string(lParam));
    }

  private:
    void Call(const std::string& call) { calls.push_back(call); }
    int Answer(const std::string& call) {
        Call(call);
        return 7;
    }
    std::string Name(const Element* element) const {
        return element == other ? "other" : element ? "?" : "none";
    }
    static std::string Describe(const MouseEvent& e) {
        const char* button[] = {"none", "left", "right"};
        // The double click's marker is no set of key flags.
        const char* keys = e.IsDoubleClick() ? " double" : (e.keys & MK_SHIFT) ? " shift" : "";
        return std::string(button[static_cast<int>(e.button)]) + " " + std::to_string(e.x) + "," +
               std::to_string(e.y) + keys;
    }
};

TEST(ElementDecoder, EachMessageReachesItsOneHookWithItsArgumentsAndAnswer) {
    TestWindow w(Bare());
    HookProbe probe;
    Element other;
    ASSERT_TRUE(probe.Create(w.window, SpecAt(10, 10, 40, 40)));
    ASSERT_TRUE(other.Create(w.window, SpecAt(60, 10, 10, 10)));
    probe.other = &other;
    PaintContext context;
    context.framesShown = 3;
    const auto otherParam = reinterpret_cast<LPARAM>(&other);
    const LPARAM point = MAKELPARAM(-3, 25);  // x is a signed 16-bit half

    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string call;
        int answer;
    };
    const Case cases[] = {
        {kMsgCreate, 0, 0, "Create", -1},
        {kMsgDestroy, 0, 0, "Destroy", -1},
        {kMsgPaint, 0, 0, "Paint", -1},
        {kMsgShown, 0, 0, "Shown", -1},
        {kMsgHidden, 0, 0, "Hidden", -1},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, point, "MouseDown left -3,25 shift", -1},
        {WM_LBUTTONDOWN, kDoubleClickMarker, point, "MouseDown left -3,25 double", -1},
        {WM_RBUTTONDOWN, MK_RBUTTON, point, "MouseDown right -3,25", -1},
        {WM_LBUTTONUP, 0, point, "MouseUp left -3,25", -1},
        {WM_RBUTTONUP, 0, point, "MouseUp right -3,25", -1},
        {WM_MOUSEMOVE, 0, point, "MouseMove none -3,25", -1},
        {kMsgMouseEnter, 0, otherParam, "MouseEnter other", -1},
        {kMsgMouseLeave, 0, 0, "MouseLeave none", -1},
        {kMsgClick, 5, 6, "Click", -1},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), point, "Wheel -240", -1},
        {kMsgFocusGained, 0, otherParam, "FocusGained other", -1},
        {kMsgFocusLost, 0, otherParam, "FocusLost other", -1},
        {kMsgSizeChanged, 40, 50, "SizeChanged 40x50", -1},
        {kMsgElementMoved, 0, 1, "Moved, repaint", -1},
        {kMsgTimer, 77, 0, "Timer 77", -1},
        {WM_KEYDOWN, VK_TAB, 0, "KeyDown 9", 7},
        {WM_CHAR, 'a', 0, "Character 97", 7},
        {WM_IME_COMPOSITION, 0, GCS_RESULTSTR, "Composition 2048", 7},
        {kMsgStateRepaint, 0, 0, "StateRepaint", -1},
        {kMsgAlphaChanged, 0, 128, "AlphaChanged 128", -1},
        {kMsgTransitionStart, 0, 0, "TransitionStart", -1},
        {kMsgTransitionEnd, 0, 0, "TransitionEnd", -1},
        {kMsgCustomTransition, 0, reinterpret_cast<LPARAM>(&context), "CustomTransition frame 3",
         7},
        {kMsgPressNotFocusable, 0, 0, "PressWithoutFocus", 7},
        {kMsgDisabledAlpha, 0, 1, "DisabledAlphaQuery", 7},
        {kMsgFocusQuery, 0, 0, "FocusQuery", 7},
        {WM_SETTEXT, 0, 9, "Other 12 0 9", 7},
        {WM_KEYUP, VK_TAB, 0, "Other 257 9 0", 7},
        {WM_USER + 5, 1, 2, "Other 1029 1 2", 7},
    };
    for (const Case& c : cases) {
        probe.calls.clear();
        EXPECT_EQ(probe.Deliver(c.message, c.wParam, c.lParam), c.answer) << c.call;
        EXPECT_EQ(probe.calls, std::vector<std::string>{c.call}) << "message " << c.message;
    }
}

}  // namespace
}  // namespace ui::test
