// Elements: the tree, geometry, messages and bindings, fades, and calls from other threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/images.h"

namespace ui::test {
namespace {

// Remembers the message behind every hook it was called for; paints itself in one colour with
// the common face steps.
class RecordingElement : public Element {
  public:
    explicit RecordingElement(std::vector<const Element*>* destroyed = nullptr)
        : destroyed_(destroyed) {}
    ~RecordingElement() override { Destroy(); }

    int Count(UINT message) const {
        int n = 0;
        for (const auto& m : messages)
            n += m.message == message;
        return n;
    }

    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> messages;
    std::vector<DWORD> threads;
    std::vector<int> framesShown;
    int focusAnswer = -1;

  protected:
    void OnCreate() override { Record(kMsgCreate); }
    void OnDestroy() override {
        Record(kMsgDestroy);
        if (destroyed_) destroyed_->push_back(this);
    }
    void OnPaint() override {
        Record(kMsgPaint);
        PaintFace();
    }
    void OnShown() override { Record(kMsgShown); }
    void OnHidden() override { Record(kMsgHidden); }
    void OnMouseEnter(Element*) override { Record(kMsgMouseEnter); }
    void OnMouseLeave(Element*) override { Record(kMsgMouseLeave); }
    void OnClick() override { Record(kMsgClick); }
    void OnFocusGained(Element*) override { Record(kMsgFocusGained); }
    void OnFocusLost(Element*) override { Record(kMsgFocusLost); }
    void OnSizeChanged(int width, int height) override {
        Record(kMsgSizeChanged, static_cast<WPARAM>(width), height);
    }
    void OnMoved(bool repaint) override { Record(kMsgElementMoved, 0, repaint); }
    void OnTimer(UINT_PTR id) override { Record(kMsgTimer, id); }
    void OnAlphaChanged(int alpha) override { Record(kMsgAlphaChanged, 0, alpha); }
    void OnTransitionStart() override { Record(kMsgTransitionStart); }
    void OnTransitionEnd() override {
        Record(kMsgTransitionEnd);
        SetAnimationFrames(0);
    }
    int OnCustomTransition(PaintContext& context) override {
        Record(kMsgCustomTransition);
        framesShown.push_back(context.framesShown);
        return -1;
    }
    int OnFocusQuery() override {
        Record(kMsgFocusQuery);
        return focusAnswer;
    }
    int OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        Record(message, wParam, lParam);
        if (message == WM_USER + 1) return static_cast<int>(wParam) * 2;
        return -1;
    }
    void DrawFace(PaintContext&) override { gp::GdipGraphicsClear(BackingGraphics(), 0xFF336699); }

  private:
    void Record(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        messages.push_back({message, wParam, lParam});
        threads.push_back(GetCurrentThreadId());
    }

    std::vector<const Element*>* destroyed_;
};

LPARAM PointAt(int x, int y) {
    return MAKELPARAM(x, y);
}

TEST(ElementTree, MovingAParentMovesEveryDescendantByTheSameOffset) {
    TestWindow w(Bare());
    RecordingElement parent, child, grandChild, sibling;
    ASSERT_TRUE(parent.Create(w.window, SpecAt(10, 10, 100, 100)));
    ASSERT_TRUE(child.Create(&parent, SpecAt(20, 20, 50, 50)));
    ASSERT_TRUE(grandChild.Create(&child, SpecAt(25, 25, 10, 10)));
    ASSERT_TRUE(sibling.Create(&parent, SpecAt(80, 15, 5, 5)));

    parent.Move(30.0f, 45.0f, {}, {});

    EXPECT_EQ(parent.Rect(), (RectF{30, 45, 100, 100}));
    EXPECT_EQ(child.Rect(), (RectF{40, 55, 50, 50}));
    EXPECT_EQ(grandChild.Rect(), (RectF{45, 60, 10, 10}));
    EXPECT_EQ(sibling.Rect(), (RectF{100, 50, 5, 5}));
    EXPECT_EQ(parent.PreviousRect(), (RectF{10, 10, 100, 100}));
}

TEST(ElementTree, AMoveBelowTheEpsilonChangesAndSendsNothing) {
    TestWindow w(Bare());
    int moves = 0;
    w.host->Callbacks().rawMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == kMsgElementMoved) ++moves;
        return -1;
    };
    RecordingElement element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 40, 20)));
    element.messages.clear();

    element.Move(10.00000005f, 9.99999995f, 40.0f, 20.0f);
    element.SetLeft(10);
    EXPECT_EQ(moves, 0);
    EXPECT_TRUE(element.messages.empty());
    EXPECT_EQ(element.PreviousRect(), (RectF{}));

    element.Move(11.0f, {}, {}, {});
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(element.Count(kMsgElementMoved), 1);
    EXPECT_EQ(element.Count(kMsgSizeChanged), 0);  // position only
}

TEST(ElementTree, AMoveOnTheWindowThreadWhileTheHostIsBusyReturnsAtOnce) {
    TestWindow w(Bare());
    RecordingElement element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 40, 20)));
    bool wasBusy = false;
    w.host->Callbacks().backgroundPaint = [&](HWND, GpGraphics*, int, int) {
        wasBusy = w.host->Busy();
        element.Move(30.0f, {}, {}, {});  // the refresh in progress paints it anyway
    };
    w.host->Refresh();
    EXPECT_TRUE(wasBusy);
    EXPECT_FLOAT_EQ(element.Rect().x, 30);
    EXPECT_EQ(element.Count(kMsgElementMoved), 0);  // the busy host did not take it
}

TEST(ElementTree, ResizingASharedBitmapElementOnlyInHeightKeepsItsOnePixelBitmap) {
    TestWindow w(Bare());
    RecordingElement shared, plain;
    ElementSpec spec = SpecAt(10, 10, 40, 20);
    spec.type = ElementType::kSharedBitmap;
    ASSERT_TRUE(shared.Create(w.window, spec));
    ASSERT_TRUE(plain.Create(w.window, SpecAt(60, 10, 40, 20)));
    EXPECT_EQ(SizeOf(shared.BackingBitmap()).width, 1);

    shared.Move({}, {}, {}, 50.0f);
    plain.Move({}, {}, {}, 50.0f);

    ImageSize sharedSize = SizeOf(shared.BackingBitmap());
    EXPECT_EQ(sharedSize.width, 1);
    EXPECT_EQ(sharedSize.height, 1);
    EXPECT_EQ(shared.Count(kMsgSizeChanged), 0);
    ImageSize plainSize = SizeOf(plain.BackingBitmap());
    EXPECT_EQ(plainSize.width, 40);
    EXPECT_EQ(plainSize.height, 50);
    ASSERT_EQ(plain.Count(kMsgSizeChanged), 1);
    auto sized = std::find_if(plain.messages.begin(), plain.messages.end(),
                              [](const auto& m) { return m.message == kMsgSizeChanged; });
    EXPECT_EQ(sized->wParam, 40u);
    EXPECT_EQ(sized->lParam, 50);
    EXPECT_EQ((sized + 1)->message, static_cast<UINT>(kMsgPaint));  // and then repainted
}

TEST(ElementTree, ChangeZOrderToTheBottomOnTheOnlyElementLeavesItHeadAndTail) {
    TestWindow w(Bare());
    RecordingElement only;
    ASSERT_TRUE(only.Create(w.window, SpecAt(10, 10, 20, 20)));
    only.ChangeZOrder(ZOrder::kBottom);
    EXPECT_EQ(w.host->Elements().First(), &only);
    EXPECT_EQ(w.host->Elements().Last(), &only);
    EXPECT_EQ(only.PreviousSibling(), nullptr);
    EXPECT_EQ(only.NextSibling(), nullptr);

    RecordingElement parent, a, b, c;
    ASSERT_TRUE(parent.Create(w.window, SpecAt(0, 0, 100, 100)));
    ASSERT_TRUE(a.Create(&parent, SpecAt(0, 0, 5, 5)));
    ASSERT_TRUE(b.Create(&parent, SpecAt(0, 0, 5, 5)));
    ASSERT_TRUE(c.Create(&parent, SpecAt(0, 0, 5, 5)));
    c.ChangeZOrder(ZOrder::kBottom);  // c a b
    a.ChangeZOrder(ZOrder::kTop);     // c b a
    EXPECT_EQ(parent.FirstChild(), &c);
    EXPECT_EQ(c.NextSibling(), &b);
    EXPECT_EQ(b.NextSibling(), &a);
    EXPECT_EQ(parent.LastChild(), &a);
    EXPECT_EQ(a.PreviousSibling(), &b);
    EXPECT_EQ(b.PreviousSibling(), &c);
    EXPECT_EQ(c.PreviousSibling(), nullptr);
}

TEST(ElementTree, SetParentMovesBetweenListsAndRefusesLoops) {
    TestWindow w(Bare());
    RecordingElement a, b, child;
    ASSERT_TRUE(a.Create(w.window, SpecAt(0, 0, 50, 50)));
    ASSERT_TRUE(b.Create(w.window, SpecAt(60, 0, 50, 50)));
    ASSERT_TRUE(child.Create(&a, SpecAt(5, 5, 10, 10)));
    child.SetParent(&b);
    EXPECT_EQ(a.FirstChild(), nullptr);
    EXPECT_EQ(b.FirstChild(), &child);
    EXPECT_EQ(child.ParentElement(), &b);
    b.SetParent(&child);  // b would become its own grandparent
    EXPECT_EQ(b.ParentElement(), nullptr);
    child.SetParent(w.window);  // to the top level, as the last element
    EXPECT_EQ(w.host->Elements().Last(), &child);
    EXPECT_EQ(child.ParentWindow(), w.window);
    EXPECT_EQ(b.FirstChild(), nullptr);
}

TEST(ElementLifecycle, DestroyingAParentDestroysDescendantsFirstAndClearsHostReferences) {
    TestWindow w(Bare());
    std::vector<const Element*> order;
    RecordingElement parent(&order), first(&order), grandChild(&order), second(&order);
    ASSERT_TRUE(parent.Create(w.window, SpecAt(10, 10, 200, 100)));
    ASSERT_TRUE(first.Create(&parent, SpecAt(20, 20, 80, 60)));
    ASSERT_TRUE(grandChild.Create(&first, SpecAt(30, 30, 20, 20)));
    ASSERT_TRUE(second.Create(&parent, SpecAt(120, 20, 50, 50)));

    w.host->Elements().SetFocusElement(&second, true);
    SendMessageW(w.window, WM_MOUSEMOVE, 0, PointAt(35, 35));
    SendMessageW(w.window, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(35, 35));
    ASSERT_EQ(w.host->Elements().Hover(), &grandChild);
    ASSERT_EQ(w.host->Elements().Pressed(), &grandChild);
    ASSERT_EQ(w.host->Elements().Focus(), &grandChild);  // the press took the focus
    w.host->Elements().SetFocusElement(&second, true);
    ASSERT_EQ(w.host->Elements().KeyboardFocus(), &second);

    parent.Destroy();

    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], &grandChild);
    EXPECT_EQ(order[1], &first);
    EXPECT_EQ(order[2], &second);
    EXPECT_EQ(order[3], &parent);
    EXPECT_EQ(w.host->Elements().Focus(), nullptr);
    EXPECT_EQ(w.host->Elements().KeyboardFocus(), nullptr);
    EXPECT_EQ(w.host->Elements().Hover(), nullptr);
    EXPECT_EQ(w.host->Elements().Pressed(), nullptr);
    EXPECT_FALSE(w.host->Elements().Captured());
    EXPECT_EQ(w.host->Elements().First(), nullptr);
    EXPECT_FALSE(grandChild.IsCreated());
    EXPECT_EQ(grandChild.Window(), nullptr);
    ReleaseCapture();
}

TEST(ElementLifecycle, CreatingUnderAParentWhoseWindowHasNoHostFails) {
    TestWindow w(Bare());
    RecordingElement parent, child, topLevel;
    ASSERT_TRUE(parent.Create(w.window, SpecAt(10, 10, 100, 100)));
    HANDLE saved = RemovePropW(w.window, kHostProperty);
    EXPECT_EQ(child.Create(&parent, SpecAt(20, 20, 10, 10)), nullptr);
    EXPECT_EQ(topLevel.Create(w.window, SpecAt(20, 20, 10, 10)), nullptr);
    SetPropW(w.window, kHostProperty, saved);
    EXPECT_FALSE(child.IsCreated());
    EXPECT_EQ(parent.FirstChild(), nullptr);
    // Operations on an element that is not created do nothing.
    child.Move(1.0f, 2.0f, 3.0f, 4.0f);
    child.SetVisible(true);
    child.BindEvent(kMsgClick, [](const ElementEvent&) { return 0; });
    EXPECT_EQ(child.Deliver(kMsgClick, 0, 0), 0);
    EXPECT_EQ(child.Rect(), (RectF{}));
    EXPECT_TRUE(child.Create(&parent, SpecAt(20, 20, 10, 10)));
}

TEST(ElementLifecycle, ADestroyedElementCanBeCreatedAgain) {
    TestWindow w(Bare());
    RecordingElement element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 30, 30)));
    element.SetName("first");
    element.Destroy();
    EXPECT_FALSE(element.IsCreated());
    EXPECT_EQ(element.Name(), "");
    ASSERT_EQ(element.Create(w.window, SpecAt(5, 5, 10, 10)), &element);
    EXPECT_EQ(w.host->Elements().First(), &element);
    EXPECT_EQ(element.Alpha(), 255);
}

// Ticks and posted messages queued for an element that is then destroyed: none of them reaches
// the element created again at the same address, while its own timer does.
TEST(ElementLifecycle, AStaleTimerOrMessageNeverReachesANewCreationAtTheSameAddress) {
    TestWindow w(Bare());
    RecordingElement element;
    ElementSpec fading = SpecAt(10, 10, 40, 40);
    fading.animationInterval = 60000;  // its first paint starts a fade that waits for its timer
    fading.animationFrames = 4;
    ASSERT_TRUE(element.Create(w.window, fading));
    element.StartTimer(60000);
    const WPARAM staleTimers[] = {element.TimerId(),
                                  ElementTimerId(element.Generation(), ElementTimer::kFade)};
    element.PostElementMessage(WM_USER + 2, 0, 0);
    element.Destroy();
    ASSERT_EQ(element.Create(w.window, SpecAt(10, 10, 40, 40)), &element);
    element.messages.clear();

    // What timers that went off before the Destroy leave in the queue.
    for (WPARAM id : staleTimers)
        PostMessageW(w.window, WM_TIMER, id, 0);
    PumpFor(20);
    EXPECT_EQ(element.Count(kMsgTimer), 0);
    EXPECT_EQ(element.Count(kMsgTransitionEnd), 0);  // no fade step either
    EXPECT_EQ(element.Count(WM_USER + 2), 0);
    SendMessageW(w.window, WM_TIMER, element.TimerId(), 0);
    EXPECT_EQ(element.Count(kMsgTimer), 1);
}

TEST(ElementFade, RunsItsFramesOnItsTimerAndEndsWithTransitionEnd) {
    TestWindow w(Bare());
    RecordingElement element;
    ElementSpec spec = SpecAt(10, 10, 40, 40);
    spec.animationInterval = 20;
    spec.animationFrames = 4;
    DWORD start = GetTickCount();
    ASSERT_TRUE(element.Create(w.window, spec));  // its first paint starts a fade
    EXPECT_EQ(element.Count(kMsgTransitionStart), 1);
    EXPECT_NE(element.Snapshot(), nullptr);

    ASSERT_TRUE(PumpUntil([&] { return element.Count(kMsgTransitionEnd) == 1; }));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 3u * 20u - 10u);
    // Frames 1..3 are drawn as a transition; frame 4, the last, shows the new look itself.
    ASSERT_GE(element.framesShown.size(), 3u);
    EXPECT_EQ(element.framesShown.front(), 1);
    EXPECT_EQ(element.framesShown.back(), 3);
    EXPECT_TRUE(std::is_sorted(element.framesShown.begin(), element.framesShown.end()));
    EXPECT_EQ(element.AnimationFrame(), 0);
    EXPECT_EQ(element.Snapshot(), nullptr);
    PumpFor(80);
    EXPECT_EQ(element.Count(kMsgTransitionEnd), 1);  // the timer is gone
}

TEST(ElementMessages, ABindingFor515FiresOnlyForTheSynthesisedPress) {
    TestWindow w(Bare());
    RecordingElement parent, element;
    ASSERT_TRUE(parent.Create(w.window, SpecAt(0, 0, 200, 200)));
    ASSERT_TRUE(element.Create(&parent, SpecAt(10, 10, 40, 40)));
    std::vector<ElementEvent> fired;
    element.BindEvent(WM_LBUTTONDBLCLK, [&](const ElementEvent& e) {
        fired.push_back(e);
        return 0;
    });
    element.Deliver(WM_LBUTTONDOWN, 0, 0);
    element.Deliver(WM_LBUTTONDBLCLK, 0, 0);
    EXPECT_TRUE(fired.empty());
    element.Deliver(WM_LBUTTONDOWN, kDoubleClickMarker, 0);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].source, &element);
    EXPECT_EQ(fired[0].parent, &parent);  // a child's handler also learns its parent

    // The host turns a real double click into that press.
    fired.clear();
    SendMessageW(w.window, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(20, 20));
    SendMessageW(w.window, WM_LBUTTONUP, 0, PointAt(20, 20));
    EXPECT_TRUE(fired.empty());
    SendMessageW(w.window, WM_LBUTTONDBLCLK, MK_LBUTTON, PointAt(20, 20));
    SendMessageW(w.window, WM_LBUTTONUP, 0, PointAt(20, 20));
    EXPECT_EQ(fired.size(), 1u);
    ReleaseCapture();
}

TEST(ElementMessages, BindingsRunAfterHandleMessageAndAreReplacedPerMessage) {
    TestWindow w(Bare());
    RecordingElement element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 40, 40)));
    std::vector<int> calls;
    element.BindEvent(kMsgClick, [&](const ElementEvent& e) {
        calls.push_back(1);
        EXPECT_EQ(e.parent, nullptr);
        return 0;
    });
    element.BindEvent(kMsgClick, [&](const ElementEvent&) {
        calls.push_back(2);
        return 0;
    });
    element.BindEvent(WM_USER + 3, [&](const ElementEvent&) {
        calls.push_back(3);
        return 0;
    });
    element.messages.clear();
    EXPECT_EQ(element.Deliver(kMsgClick, 5, 6), -1);  // HandleMessage's answer
    EXPECT_EQ(calls, std::vector<int>{2});
    ASSERT_EQ(element.messages.size(), 1u);
    // A message of the application's own reaches the element with its parameters.
    EXPECT_EQ(element.Deliver(WM_USER + 3, 5, 6), -1);
    EXPECT_EQ(calls, (std::vector<int>{2, 3}));
    ASSERT_EQ(element.messages.size(), 2u);
    EXPECT_EQ(element.messages[1].wParam, 5u);
}

TEST(ElementState, ShowHideAndFocusQuery) {
    TestWindow w(Bare());
    RecordingElement element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 40, 40)));
    element.SetVisible(false);
    element.SetVisible(false);
    element.SetVisible(true);
    EXPECT_EQ(element.Count(kMsgHidden), 1);
    EXPECT_EQ(element.Count(kMsgShown), 1);
    EXPECT_FALSE(element.HasFocus());
    w.host->Elements().SetFocusElement(&element, false);
    EXPECT_TRUE(element.HasFocus());
    element.focusAnswer = 0;  // the element's own answer decides
    EXPECT_FALSE(element.HasFocus());
}

TEST(ElementState, DisablingTheFocusedElementClearsTheFocusAndPostsFocusLostAndLeave) {
    TestWindow w(Bare());
    RecordingElement element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 40, 40)));
    w.host->Elements().SetFocusElement(&element, true);
    ASSERT_EQ(w.host->Elements().Focus(), &element);
    element.messages.clear();
    element.SetDisabled(true);
    EXPECT_EQ(w.host->Elements().Focus(), nullptr);
    EXPECT_EQ(w.host->Elements().KeyboardFocus(), nullptr);
    EXPECT_EQ(element.Count(kMsgFocusLost), 0);  // posted, not yet taken
    PumpFor(30);
    EXPECT_EQ(element.Count(kMsgFocusLost), 1);
    EXPECT_EQ(element.Count(kMsgMouseLeave), 1);
    // A disabled element cannot take the focus.
    w.host->Elements().SetFocusElement(&element, false);
    EXPECT_EQ(w.host->Elements().Focus(), nullptr);
}

TEST(ElementThreads, OtherThreadsReachElementsThroughTheWindow) {
    TestWindow w(Bare());
    RecordingElement element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(10, 10, 40, 40)));
    DWORD windowThread = GetCurrentThreadId();
    std::atomic<int> stage{0};
    LRESULT answer = 0;
    std::thread worker([&] {
        answer = element.SendElementMessage(WM_USER + 1, 21, 0);
        element.Move(50.0f, 60.0f, {}, {});
        element.PostElementMessage(WM_USER + 2, 0, 0);
        stage = 1;
    });
    ASSERT_TRUE(PumpUntil([&] { return stage == 1; }));
    worker.join();
    PumpFor(20);
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(element.Rect(), (RectF{50, 60, 40, 40}));
    EXPECT_EQ(element.Count(WM_USER + 2), 1);
    for (DWORD thread : element.threads)
        EXPECT_EQ(thread, windowThread);
}

}  // namespace
}  // namespace ui::test
