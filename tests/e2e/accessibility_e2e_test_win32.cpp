// The wizard as a screen reader and an automation tool meet it: the real program under Wine,
// read only through AccessibleObjectFromWindow (from this other process, so every call crosses
// the process boundary as a screen reader's does), driven through its accessible objects alone,
// followed through its WinEvents; and installed with the keyboard alone.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it builds on.
#include <oleacc.h>

#include <string>
#include <vector>

#include "tests/e2e/install_e2e_fixture.h"
#include "tests/e2e/wizard_clicks.h"
#include "tools/uidriver/ui_driver.h"

namespace e2e {
namespace {

// One IAccessible reference, released when it goes.
class AccessibleRef {
  public:
    AccessibleRef() = default;
    explicit AccessibleRef(IAccessible* object) : object_(object) {}
    AccessibleRef(AccessibleRef&& other) noexcept : object_(other.object_) {
        other.object_ = nullptr;
    }
    AccessibleRef& operator=(AccessibleRef&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~AccessibleRef() {
        if (object_) object_->Release();
    }
    IAccessible* operator->() const { return object_; }
    IAccessible* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    IAccessible* object_ = nullptr;
};

VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

VARIANT ChildId(long id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Take(BSTR text) {
    std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return taken;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

// What a screen reader reads of one object (or of one child id of it).
struct Reading {
    long role = 0;
    std::wstring name;
    long state = 0;
    RECT location{};
    std::wstring value;
    std::wstring action;
};

Reading Read(IAccessible* object, const VARIANT& child = Self()) {
    Reading reading;
    VARIANT role{}, state{};
    if (object->get_accRole(child, &role) == S_OK) reading.role = role.lVal;
    if (object->get_accState(child, &state) == S_OK) reading.state = state.lVal;
    BSTR text = nullptr;
    object->get_accName(child, &text);
    reading.name = Take(text);
    text = nullptr;
    object->get_accValue(child, &text);
    reading.value = Take(text);
    text = nullptr;
    object->get_accDefaultAction(child, &text);
    reading.action = Take(text);
    long x = 0, y = 0, w = 0, h = 0;
    object->accLocation(&x, &y, &w, &h, child);
    reading.location = {x, y, x + w, y + h};
    return reading;
}

AccessibleRef RootOf(HWND window) {
    IAccessible* root = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&root));
    return AccessibleRef(root);
}

// The root's children, each its own object, in the root's order.
std::vector<AccessibleRef> ChildrenOf(IAccessible* root) {
    std::vector<AccessibleRef> children;
    long count = 0;
    root->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
        IDispatch* dispatch = nullptr;
        IAccessible* child = nullptr;
        if (root->get_accChild(ChildId(id), &dispatch) == S_OK && dispatch) {
            dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&child));
            dispatch->Release();
        }
        children.emplace_back(child);
    }
    return children;
}

// The child whose name this is (an empty reference when there is none).
AccessibleRef ChildNamed(IAccessible* root, const std::wstring& name) {
    for (AccessibleRef& child : ChildrenOf(root))
        if (child && Read(child.get()).name == name) return std::move(child);
    return {};
}

// Polls `done` for up to five seconds, taking this thread's messages meanwhile (WinEvents).
template <typename Done>
bool PumpUntil(Done done, int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (done()) return true;
        Sleep(50);
    }
    return false;
}

// The wizard's layout, in client pixels, as a screen reader should find it, in tab order.
struct Expected {
    long role;
    const wchar_t* name;
    RECT rect;  // left, top, right, bottom
    bool focusable;
};
const Expected kWizard[] = {
    {ROLE_SYSTEM_STATICTEXT, L"VantorSaelin 安装向导", {10, 6, 150, 26}, false},
    {ROLE_SYSTEM_LINK, L"VantorSaelin 主页", {286, 30, 444, 79}, true},
    {ROLE_SYSTEM_PUSHBUTTON, L"关闭", {426, 0, 453, 22}, true},
    {ROLE_SYSTEM_PUSHBUTTON, L"最小化", {398, 0, 425, 22}, true},
    {ROLE_SYSTEM_PUSHBUTTON, L"菜单", {370, 0, 397, 22}, true},
    {ROLE_SYSTEM_PUSHBUTTON, L"加入QQ群", {342, 0, 369, 22}, true},
    {ROLE_SYSTEM_PUSHBUTTON, L"立即安装", {125, 240, 335, 330}, true},
    {ROLE_SYSTEM_STATICTEXT, L"安装目录：", {42, 112, 102, 136}, false},
    {ROLE_SYSTEM_TEXT, L"安装目录", {104, 112, 384, 134}, true},
    {ROLE_SYSTEM_PUSHBUTTON, L"浏览...", {394, 112, 442, 134}, true},
    {ROLE_SYSTEM_CHECKBUTTON, L"开机启动", {20, 144, 96, 168}, true},
    {ROLE_SYSTEM_CHECKBUTTON, L"创建桌面快捷方式", {20, 168, 144, 192}, true},
    {ROLE_SYSTEM_CHECKBUTTON, L"创建开始菜单快捷方式", {20, 192, 168, 216}, true},
    {ROLE_SYSTEM_CHECKBUTTON, L"删除旧的配置文件", {20, 216, 144, 240}, true},
};
constexpr wchar_t kDesktopBox[] = L"创建桌面快捷方式";

class AccessibilityE2E : public InstallE2E {
  protected:
    void SetUp() override {
        InstallE2E::SetUp();
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CoUninitialize();
        InstallE2E::TearDown();
    }

    // The wizard with the saved choices shown (the first run's "1110").
    std::optional<Wizard> StartFirstRun() {
        auto wizard = StartWizard();
        if (wizard) Boxes(wizard->window, "1110");
        return wizard;
    }
};

TEST_F(AccessibilityE2E, AScreenReaderReadsEveryElementOfTheWizard) {
    auto wizard = StartFirstRun();
    ASSERT_TRUE(wizard) << "the wizard did not appear";
    AccessibleRef root = RootOf(wizard->window);
    ASSERT_TRUE(root) << "no accessible object";
    const Reading window = Read(root.get());
    EXPECT_EQ(window.role, ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(window.name, L"VantorSaelin 安装向导");
    RECT frame{};
    GetWindowRect(wizard->window, &frame);
    EXPECT_TRUE(EqualRect(&window.location, &frame));

    const std::vector<AccessibleRef> children = ChildrenOf(root.get());
    ASSERT_EQ(children.size(), std::size(kWizard));
    std::string boxes;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const Expected& expected = kWizard[i];
        SCOPED_TRACE(testing::Message() << "child " << i + 1);
        ASSERT_TRUE(children[i]);
        const Reading child = Read(children[i].get());
        EXPECT_EQ(child.role, expected.role);
        EXPECT_EQ(child.name, expected.name);
        RECT onScreen = expected.rect;
        OffsetRect(&onScreen, frame.left, frame.top);
        EXPECT_TRUE(EqualRect(&child.location, &onScreen))
            << child.location.left << "," << child.location.top << " " << child.location.right
            << "," << child.location.bottom;
        EXPECT_EQ((child.state & STATE_SYSTEM_FOCUSABLE) != 0, expected.focusable);
        EXPECT_EQ(child.state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE), 0);
        // The same through the root with the child id, as after a WinEvent.
        EXPECT_EQ(Read(root.get(), ChildId(static_cast<long>(i + 1))).name, expected.name);
        if (expected.role == ROLE_SYSTEM_CHECKBUTTON) {
            boxes += (child.state & STATE_SYSTEM_CHECKED) ? '1' : '0';
            EXPECT_EQ(child.action, (child.state & STATE_SYSTEM_CHECKED) ? L"取消选中" : L"选中");
        }
        if (expected.role == ROLE_SYSTEM_PUSHBUTTON) {
            EXPECT_EQ(child.action, L"按下");
        }
        if (expected.role == ROLE_SYSTEM_TEXT) {
            EXPECT_EQ(child.value, Wide(kDefaultDir));
        }
    }
    EXPECT_EQ(boxes, "1110");

    // Hit testing finds the install button in its middle; next and previous walk the list.
    VARIANT hit{};
    ASSERT_EQ(root->accHitTest(frame.left + 230, frame.top + 285, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, 7);
    VARIANT next{};
    ASSERT_EQ(children[6]->accNavigate(NAVDIR_NEXT, Self(), &next), S_OK);
    ASSERT_EQ(next.vt, VT_DISPATCH);
    AccessibleRef label;
    {
        IAccessible* found = nullptr;
        next.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&found));
        next.pdispVal->Release();
        label = AccessibleRef(found);
    }
    ASSERT_TRUE(label);
    EXPECT_EQ(Read(label.get()).name, L"安装目录：");

    // Closed, the wizard's objects answer "disconnected" and nothing crashes.
    Click(wizard->window, {439, 11});
    ExpectEnds(wizard->process);
    long count = 0;
    EXPECT_NE(root->get_accChildCount(&count), S_OK);
    EXPECT_NE(children[8]->get_accValue(Self(), nullptr), S_OK);
}

TEST_F(AccessibilityE2E, TheAccessibleObjectsAloneChooseAndInstall) {
    auto wizard = StartFirstRun();
    ASSERT_TRUE(wizard);
    AccessibleRef root = RootOf(wizard->window);
    ASSERT_TRUE(root);
    AccessibleRef desktop = ChildNamed(root.get(), kDesktopBox);
    AccessibleRef dirBox = ChildNamed(root.get(), L"安装目录");
    AccessibleRef install = ChildNamed(root.get(), L"立即安装");
    ASSERT_TRUE(desktop && dirBox && install);

    ASSERT_EQ(desktop->accDoDefaultAction(Self()), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return !(Read(desktop.get()).state & STATE_SYSTEM_CHECKED); }));
    const std::string typed = "C:\\Reader Apps\\工具\\VantorFenWix";
    BSTR value = SysAllocString(Wide(typed).c_str());
    EXPECT_EQ(dirBox->put_accValue(Self(), value), S_OK);
    SysFreeString(value);
    EXPECT_EQ(Read(dirBox.get()).value, Wide(typed));
    EXPECT_EQ(Boxes(wizard->window, "1010"), "1010");  // the screen shows it too
    ASSERT_EQ(install->accDoDefaultAction(Self()), S_OK);

    ExpectEnds(wizard->process);
    ExpectInstalledAsChosen(typed, "1010");
    RemoveTree("C:\\Reader Apps");
}

// What the hook saw, in order.
struct SeenEvent {
    DWORD event;
    HWND window;
    long child;
};
std::vector<SeenEvent> gSeenEvents;
void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                          DWORD) {
    if (object == OBJID_CLIENT) gSeenEvents.push_back({event, window, child});
}

// An out-of-context hook on the events first..last of one process, recording into gSeenEvents
// until the end of the scope (also when an assertion leaves the test early).
struct RecordingHook {
    RecordingHook(DWORD first, DWORD last, DWORD process)
        : hook(SetWinEventHook(first, last, nullptr, RecordEvent, process, 0,
                               WINEVENT_OUTOFCONTEXT)) {}
    ~RecordingHook() {
        if (hook) UnhookWinEvent(hook);
    }
    RecordingHook(const RecordingHook&) = delete;
    RecordingHook& operator=(const RecordingHook&) = delete;
    HWINEVENTHOOK hook;
};

// The window of the first such event seen for that child, or 0.
HWND Saw(DWORD event, long child) {
    for (const SeenEvent& seen : gSeenEvents)
        if (seen.event == event && seen.child == child) return seen.window;
    return nullptr;
}

TEST_F(AccessibilityE2E, WinEventsFollowTheFocusAndTheBoxes) {
    auto wizard = StartFirstRun();
    ASSERT_TRUE(wizard);
    AccessibleRef root = RootOf(wizard->window);
    ASSERT_TRUE(root);
    RecordingHook hook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, wizard->process.Id());
    ASSERT_NE(hook.hook, nullptr);
    // Tab walks the tab stops round from the directory box; each focus event names the child
    // the root reports focused.
    const wchar_t* const kTabStops[] = {L"浏览...",
                                        L"开机启动",
                                        kDesktopBox,
                                        L"创建开始菜单快捷方式",
                                        L"删除旧的配置文件",
                                        L"VantorSaelin 主页",
                                        L"关闭",
                                        L"最小化",
                                        L"菜单",
                                        L"加入QQ群",
                                        L"立即安装",
                                        L"安装目录"};
    ASSERT_EQ(root->accSelect(SELFLAG_TAKEFOCUS, ChildId(9)), S_OK);  // the directory box
    for (const wchar_t* const& stop : kTabStops) {
        SCOPED_TRACE(testing::Message() << "tab stop " << (&stop - kTabStops));
        gSeenEvents.clear();
        PressChord(wizard->window, {VK_TAB});
        VARIANT focus{};
        EXPECT_TRUE(PumpUntil([&] {
            focus = {};
            return root->get_accFocus(&focus) == S_OK && focus.vt == VT_I4 &&
                   Read(root.get(), focus).name == stop;
        }));
        EXPECT_TRUE(PumpUntil([&] { return Saw(EVENT_OBJECT_FOCUS, focus.lVal); }));
        if (stop == kDesktopBox) {
            gSeenEvents.clear();
            PressChord(wizard->window, {VK_SPACE});
            EXPECT_TRUE(PumpUntil([&] { return Saw(EVENT_OBJECT_STATECHANGE, focus.lVal); }));
            EXPECT_FALSE(Read(root.get(), focus).state & STATE_SYSTEM_CHECKED);
        }
    }
    Click(wizard->window, {439, 11});
    ExpectEnds(wizard->process);
}

// The wizard's pop-ups as a screen reader meets them: opened through a title-bar button's
// default action, announced by their start event, read as a menu of items or a dialog named by
// its title with its text as static text, and announced again as they end.
struct PopUp {
    const wchar_t* opener;
    DWORD start, end;
    long role;
    long childRole;
    const wchar_t* childName;  // the start of it
    const wchar_t* closer;     // the child whose default action closes it; 0: Escape
};
const PopUp kPopUps[] = {
    {L"菜单", EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND, ROLE_SYSTEM_MENUPOPUP,
     ROLE_SYSTEM_MENUITEM, L"退出", nullptr},
    {L"加入QQ群", EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGEND, ROLE_SYSTEM_DIALOG,
     ROLE_SYSTEM_STATICTEXT, L"如果未能自动加入QQ群", L"确认"},
};

TEST_F(AccessibilityE2E, MenusAndBoxesAnnounceThemselvesAndReadAsSuch) {
    auto wizard = StartFirstRun();
    ASSERT_TRUE(wizard);
    AccessibleRef root = RootOf(wizard->window);
    ASSERT_TRUE(root);
    RecordingHook hook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_DIALOGEND, wizard->process.Id());
    ASSERT_NE(hook.hook, nullptr);
    for (const PopUp& popUp : kPopUps) {
        SCOPED_TRACE(testing::Message() << "pop-up " << (&popUp - kPopUps));
        gSeenEvents.clear();
        AccessibleRef opener = ChildNamed(root.get(), popUp.opener);
        ASSERT_TRUE(opener);
        ASSERT_EQ(opener->accDoDefaultAction(Self()), S_OK);
        HWND window = nullptr;
        ASSERT_TRUE(
            PumpUntil([&] { return (window = Saw(popUp.start, CHILDID_SELF)) != nullptr; }));
        AccessibleRef shown = RootOf(window);
        ASSERT_TRUE(shown);
        const Reading reading = Read(shown.get());
        EXPECT_EQ(reading.role, popUp.role);
        if (popUp.role == ROLE_SYSTEM_DIALOG) {
            EXPECT_FALSE(reading.name.empty());
            EXPECT_EQ(Wide(WindowText(window)), reading.name);
        }
        bool found = false;
        for (const AccessibleRef& child : ChildrenOf(shown.get())) {
            const Reading item = Read(child.get());
            if (item.name.rfind(popUp.childName, 0) == 0) found = item.role == popUp.childRole;
        }
        EXPECT_TRUE(found);
        if (popUp.closer) {
            AccessibleRef closer = ChildNamed(shown.get(), popUp.closer);
            ASSERT_TRUE(closer);
            EXPECT_EQ(closer->accDoDefaultAction(Self()), S_OK);
        } else {
            PressChord(window, {VK_ESCAPE});
        }
        EXPECT_TRUE(PumpUntil([&] { return Saw(popUp.end, CHILDID_SELF) == window; }));
        EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }));
    }
    Click(wizard->window, {439, 11});
    ExpectEnds(wizard->process);
}

// A person without a mouse: the first Tab reaches the logo, then the title-bar buttons, the
// install button, the directory box, 浏览... and the boxes: ten Tabs to the desktop box, Space
// clears it, eight Tabs round to the install button, Enter installs.
TEST_F(AccessibilityE2E, TheKeyboardAloneInstalls) {
    auto wizard = StartFirstRun();
    ASSERT_TRUE(wizard);
    std::vector<WORD> keys(10, VK_TAB);
    keys.push_back(VK_SPACE);
    keys.insert(keys.end(), 8, VK_TAB);
    keys.push_back(VK_RETURN);
    for (const WORD key : keys)
        PressChord(wizard->window, {key});
    ExpectEnds(wizard->process);
    ExpectInstalledAsChosen(kDefaultDir, "1010");
}

}  // namespace
}  // namespace e2e
