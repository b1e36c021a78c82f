// Mouse and keyboard messages of a host window reaching its elements.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/control.h"

namespace ui::test {
namespace {

// Logs the element messages it receives as "name:code".
class LoggingElement : public Element {
  public:
    LoggingElement(std::string name, std::vector<std::string>* log) : name_(name), log_(log) {}
    ~LoggingElement() override { Destroy(); }
    bool takesPress = false;

  protected:
    void OnFocusGained(Element*) override { Log(kMsgFocusGained); }
    void OnFocusLost(Element*) override { Log(kMsgFocusLost); }
    void OnMouseEnter(Element*) override { Log(kMsgMouseEnter); }
    void OnMouseLeave(Element*) override { Log(kMsgMouseLeave); }
    void OnClick() override { Log(kMsgClick); }
    int OnPressWithoutFocus() override { return takesPress ? 0 : -1; }

  private:
    void Log(UINT message) {
        char code[8];
        std::snprintf(code, sizeof code, "%X", message);
        log_->push_back(name_ + ":" + code);
    }

    std::string name_;
    std::vector<std::string>* log_;
};

AttachOptions Plain() {
    AttachOptions options;
    options.captionFlags = 0;
    options.settings.draggable = false;  // a press on empty space would start a modal window drag
    return options;
}

void Send(HWND window, UINT message, int x, int y, WPARAM wParam = 0) {
    SendMessageW(window, message, wParam, MAKELPARAM(x, y));
}

TEST(MouseRouting, PressAndReleaseOverTheSameElementClick) {
    TestWindow w(Plain());
    std::vector<std::string> log;
    LoggingElement button("button", &log);
    ASSERT_TRUE(button.Create(w.window, SpecAt(20, 20, 60, 30)));
    int clicks = 0;
    w.host->Callbacks().click = [&](HWND, Element* e, WPARAM, LPARAM, int) {
        EXPECT_EQ(e, &button);
        ++clicks;
    };
    Send(w.window, WM_MOUSEMOVE, 30, 30);
    Send(w.window, WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    EXPECT_TRUE(w.host->Elements().Captured());
    EXPECT_EQ(w.host->Elements().Focus(), &button);
    Send(w.window, WM_LBUTTONUP, 32, 31);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(w.host->Elements().Captured());
    EXPECT_EQ(log, (std::vector<std::string>{"button:2802", "button:2800", "button:2804"}));
}

TEST(MouseRouting, ReleaseOverAnotherElementIsNoClick) {
    TestWindow w(Plain());
    std::vector<std::string> log;
    LoggingElement a("a", &log), b("b", &log);
    ASSERT_TRUE(a.Create(w.window, SpecAt(20, 20, 50, 30)));
    ASSERT_TRUE(b.Create(w.window, SpecAt(100, 20, 50, 30)));
    int clicks = 0;
    w.host->Callbacks().click = [&](HWND, Element*, WPARAM, LPARAM, int) { ++clicks; };
    Send(w.window, WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    log.clear();
    Send(w.window, WM_MOUSEMOVE, 110, 30, MK_LBUTTON);  // captured: still goes to a
    Send(w.window, WM_LBUTTONUP, 110, 30);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a:2803", "b:2802"}));
    EXPECT_EQ(w.host->Elements().Hover(), &b);
}

TEST(MouseRouting, HoverMovesBetweenElementsAndLeavesWithTheMouse) {
    TestWindow w(Plain());
    std::vector<std::string> log;
    LoggingElement a("a", &log), b("b", &log);
    ASSERT_TRUE(a.Create(w.window, SpecAt(20, 20, 50, 30)));
    ASSERT_TRUE(b.Create(w.window, SpecAt(100, 20, 50, 30)));
    std::vector<Element*> entered;
    w.host->Callbacks().mouseEnter = [&](HWND, Element* e, WPARAM, LPARAM, int) {
        entered.push_back(e);
    };
    Send(w.window, WM_MOUSEMOVE, 30, 30);
    Send(w.window, WM_MOUSEMOVE, 31, 30);
    Send(w.window, WM_MOUSEMOVE, 110, 30);
    SendMessageW(w.window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a:2802", "a:2803", "b:2802", "b:2803"}));
    EXPECT_EQ(entered, (std::vector<Element*>{&a, &b}));
    EXPECT_EQ(w.host->Elements().Hover(), nullptr);
}

TEST(MouseRouting, ANotFocusableElementTakesThePressOnlyWhenItAsksFor) {
    TestWindow w(Plain());
    std::vector<std::string> log;
    LoggingElement element("e", &log);
    ElementSpec spec = SpecAt(20, 20, 50, 30);
    spec.focusable = false;
    ASSERT_TRUE(element.Create(w.window, spec));
    Send(w.window, WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    EXPECT_FALSE(w.host->Elements().Captured());
    element.takesPress = true;
    Send(w.window, WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    EXPECT_TRUE(w.host->Elements().Captured());
    EXPECT_EQ(w.host->Elements().Focus(), nullptr);  // the capture, but not the focus
    Send(w.window, WM_LBUTTONUP, 30, 30);
}

TEST(Keyboard, TabSkipsElementsThatCannotTakeTheFocusAndWraps) {
    TestWindow w(Plain());
    std::vector<std::string> log;
    LoggingElement a("a", &log), noTab("noTab", &log), disabled("disabled", &log), b("b", &log),
        hidden("hidden", &log);
    ASSERT_TRUE(a.Create(w.window, SpecAt(10, 10, 20, 20)));
    ElementSpec spec = SpecAt(40, 10, 20, 20);
    spec.type = ElementType::kNoTabFocus;
    ASSERT_TRUE(noTab.Create(w.window, spec));
    ASSERT_TRUE(disabled.Create(w.window, SpecAt(70, 10, 20, 20)));
    disabled.SetDisabled(true);
    ASSERT_TRUE(b.Create(w.window, SpecAt(100, 10, 20, 20)));
    ASSERT_TRUE(hidden.Create(w.window, SpecAt(130, 10, 20, 20)));
    hidden.SetVisible(false);
    PumpFor(20);
    SendMessageW(w.window, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(w.host->Elements().Focus(), &b);  // from the first element onwards
    EXPECT_EQ(w.host->Elements().KeyboardFocus(), &b);
    SendMessageW(w.window, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(w.host->Elements().Focus(), &a);
    SendMessageW(w.window, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(w.host->Elements().Focus(), &b);

    // With nothing else that can take it, Tab keeps the focus where it is.
    a.SetDisabled(true);
    PumpFor(20);
    SendMessageW(w.window, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(w.host->Elements().Focus(), &b);
}

TEST(Keyboard, EnterAndSpaceClickTheFocusElement) {
    TestWindow w(Plain());
    std::vector<std::string> log;
    LoggingElement element("e", &log);
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 20, 20)));
    std::vector<std::pair<WPARAM, LPARAM>> clicks;
    w.host->Callbacks().click = [&](HWND, Element*, WPARAM wp, LPARAM lp, int) {
        clicks.emplace_back(wp, lp);
    };
    SendMessageW(w.window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(clicks.empty());  // no focus element yet
    w.host->Elements().SetFocusElement(&element, true);
    SendMessageW(w.window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(w.window, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0], (std::pair<WPARAM, LPARAM>{0, 0}));
}

TEST(Keyboard, AltWithTheAcceleratorLetterInEitherCaseClicksTheControl) {
    TestWindow w(Plain());
    Control yes, no;
    ControlSpec spec;
    spec.rect = {10, 10, 80, 26};
    spec.text = "是(&Y)";
    ASSERT_TRUE(yes.Create(w.window, spec));
    spec.rect = {100, 10, 80, 26};
    spec.text = "否(&N)";
    ASSERT_TRUE(no.Create(w.window, spec));
    EXPECT_EQ(w.host->Elements().AcceleratorOf(&yes), 'Y');
    std::vector<Element*> clicked;
    w.host->Callbacks().click = [&](HWND, Element* e, WPARAM, LPARAM, int) {
        clicked.push_back(e);
    };
    EXPECT_EQ(SendMessageW(w.window, WM_SYSCHAR, 'y', 0), 0);
    SendMessageW(w.window, WM_SYSCHAR, 'N', 0);
    SendMessageW(w.window, WM_SYSCHAR, 'q', 0);
    EXPECT_EQ(clicked, (std::vector<Element*>{&yes, &no}));
    // A new text moves the accelerator; a text without "&" has none.
    yes.SetText("确定(&O)");
    EXPECT_EQ(w.host->Elements().AcceleratorOf(&yes), 'O');
    no.SetText("取消");
    EXPECT_EQ(w.host->Elements().AcceleratorOf(&no), 0);
    // Destroyed controls leave no accelerator behind.
    yes.Destroy();
    clicked.clear();
    SendMessageW(w.window, WM_SYSCHAR, 'o', 0);
    EXPECT_TRUE(clicked.empty());
    // Not even for an element created again in the same object, so under the same handle: a
    // stale entry would click it (or, with the object gone, freed memory).
    std::vector<std::string> log;
    LoggingElement reborn("reborn", &log);
    ASSERT_TRUE(reborn.Create(w.window, SpecAt(200, 10, 40, 26)));
    SendMessageW(w.window, kMsgRegisterAccelerator, reinterpret_cast<WPARAM>(&reborn), 'K');
    reborn.Destroy();
    ASSERT_TRUE(reborn.Create(w.window, SpecAt(200, 10, 40, 26)));
    SendMessageW(w.window, WM_SYSCHAR, 'k', 0);
    EXPECT_TRUE(clicked.empty());
    EXPECT_TRUE(log.empty());
}

TEST(Sizing, TheBordersOfAResizableWindowAreSizingZones) {
    AttachOptions options = Plain();
    options.resizable = true;
    TestWindow w(options);
    std::vector<std::string> log;
    LoggingElement edge("edge", &log);
    ASSERT_TRUE(edge.Create(w.window, SpecAt(0, 0, 380, 250)));  // covers the whole window
    int width = w.host->Width(), height = w.host->Height();
    struct Probe {
        int x, y;
        bool zone;
    };
    const Probe probes[] = {
        // Bands of 8 pixels at the left and top, of 9 at the right and bottom.
        {7, 100, true}, {8, 100, false}, {width - 9, 100, true},  {width - 10, 100, false},
        {100, 7, true}, {100, 8, false}, {100, height - 9, true}, {100, height - 10, false},
    };
    for (const Probe& probe : probes) {
        log.clear();
        Send(w.window, WM_MOUSEMOVE, probe.x, probe.y);
        bool entered = !log.empty() && log.back() == "edge:2802";
        EXPECT_EQ(entered, !probe.zone) << probe.x << "," << probe.y;
        SendMessageW(w.window, WM_MOUSELEAVE, 0, 0);
    }
}

}  // namespace
}  // namespace ui::test
