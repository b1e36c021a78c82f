// The edit box in a host window: what each mode takes from the keyboard, keys and clipboard
// shortcuts, input-method results, the caret and the input method with the focus, selection by
// mouse, drawing, scrolling, and real keyboard input.
#include <gtest/gtest.h>

#include <windows.h>

#include <imm.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "edit_notation.h"
#include "runtime/clipboard.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/edit_box.h"
#include "toolkit/core/toolkit.h"
#include "tools/uidriver/ui_driver.h"

namespace ui::test {
namespace {

using Mode = EditInputMode;

// The wizard's directory box: 280 x 22 at (104, 112) of a 460 x 340 window.
constexpr RectF kDirEdit{104, 112, 280, 22};

struct Box {
    TestWindow w{[] {
                     AttachOptions options = Bare();
                     options.settings.draggable = false;
                     return options;
                 }(),
                 {.width = 460, .height = 340}};
    EditBox box;
    EditBox elsewhere;

    explicit Box(EditBoxSpec spec = {.rect = kDirEdit}) { box.Create(w.window, spec); }
    void Focus() { w.host->Elements().SetFocusElement(&box, false); }
    // The focus moves to another box below.
    void Unfocus() {
        if (!elsewhere.IsCreated()) elsewhere.Create(w.window, {.rect = {10, 300, 50, 22}});
        w.host->Elements().SetFocusElement(&elsewhere, false);
    }
    void Type(std::wstring_view units) {
        for (const wchar_t unit : units)
            SendMessageW(w.window, WM_CHAR, unit, 0);
    }
    void Key(WPARAM key) { SendMessageW(w.window, WM_KEYDOWN, key, 0); }
    void Command(int command) { SendMessageW(w.window, WM_COMMAND, command, 0); }
    // A left-button press at a window point (a double click when `twice`), moves, a release.
    void Press(int x, WPARAM flags = MK_LBUTTON, bool twice = false) {
        const LPARAM at = MAKELPARAM(x, 120);
        SendMessageW(w.window, twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, flags, at);
    }
    void MoveTo(int x) { SendMessageW(w.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 120)); }
    void Release(int x) { SendMessageW(w.window, WM_LBUTTONUP, 0, MAKELPARAM(x, 120)); }
    std::string Marked() const { return test::Marked(box.Model()); }
};

int CaretHeight(const EditBox& box) {
    float height = 0;
    gp::GdipGetFontHeight(box.Font(), box.BackingGraphics(), &height);
    return static_cast<int>(std::ceil(height)) + 3;
}

// The column of the box's own caret: the only opaque dark bar of the caret's height; -1 when
// none is drawn.
int CaretColumn(const EditBox& box) {
    const int tall = CaretHeight(box);
    for (int x = 0; x < box.Width(); ++x) {
        int run = 0, longest = 0;
        for (int y = 0; y < box.Height(); ++y) {
            const Rgba p = ImagePixel(box.BackingBitmap(), x, y);
            run = (p.a == 255 && p.r < 60 && p.g < 60 && p.b < 60) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= tall) return x;
    }
    return -1;
}

// Pixels of the selection highlight in the box's bitmap.
int HighlightPixels(const EditBox& box) {
    int count = 0;
    for (int y = 0; y < box.Height(); ++y) {
        for (int x = 0; x < box.Width(); ++x) {
            const Rgba p = ImagePixel(box.BackingBitmap(), x, y);
            if (p.a == 255 && p.b > 200 && p.r < 100) ++count;
        }
    }
    return count;
}

TEST(EditBox, CreatesWithItsDefaults) {
    Box b;
    EXPECT_EQ(b.box.TypeId(), ElementType::kEditBox);
    EXPECT_EQ(b.box.TextColor(), 0xE6000000u);
    EXPECT_EQ(b.box.SecondColor(), 0xA0FFFFFFu);
    EXPECT_EQ(b.box.Font(), DefaultFont());
    EXPECT_EQ(b.box.InputMode(), Mode::kNormal);
    EXPECT_EQ(b.box.PasswordCharacter(), "*");
    EXPECT_EQ(b.box.ScrollBars(), kEditScrollNone);
    EXPECT_FALSE(b.box.Model().IsMultiLine());
    EXPECT_TRUE(b.box.Focusable());

    Box lines({.rect = {20, 20, 200, 120}, .multiLine = true});
    EXPECT_EQ(lines.box.ScrollBars(), kEditScrollBoth);
    Box single({.rect = kDirEdit, .scrollBars = kEditScrollBoth});
    EXPECT_EQ(single.box.ScrollBars(), kEditScrollNone);
}

TEST(EditBox, TextSetThenGetGivesItBack_AnEmptyBoxGivesNull_OtherThreadsSendIt) {
    Box b;
    EXPECT_TRUE(b.box.Text().empty());
    for (const char* text :
         {"C:\\Program Files (x86)\\Korrel\\VantorFenWix", "D:\\游戏 目录\\中文"}) {
        b.box.SetText(text);
        EXPECT_EQ(b.box.Text(), text);
    }
    b.box.SetText("");
    EXPECT_TRUE(b.box.Text().empty());

    const std::string loaded = "E:\\保存的目录";
    std::thread loader(
        [&] { b.box.SendElementMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(loaded.c_str())); });
    EXPECT_TRUE(PumpUntil([&] { return b.box.Text() == loaded; }));
    loader.join();
}

struct TypingCase {
    Mode mode;
    std::string before;
    std::wstring typed;  // WM_CHAR codes, UTF-16 units as a Unicode window gets them
    std::string after;
};

void PrintTo(const TypingCase& c, std::ostream* out) {
    *out << "mode " << static_cast<int>(c.mode) << " + " << c.typed.size() << " codes";
}

class Typing : public testing::TestWithParam<TypingCase> {};

TEST_P(Typing, TakesWhatTheModeAccepts) {
    const TypingCase& c = GetParam();
    Box b({.rect = kDirEdit, .text = c.before, .mode = c.mode});
    b.Focus();
    b.box.HandleKey(VK_END);
    b.Type(c.typed);
    EXPECT_EQ(b.box.Text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    EditBox, Typing,
    testing::Values(TypingCase{Mode::kInteger, "", L"1a-", "1-"},
                    TypingCase{Mode::kDecimal, "", L"1.2.3", "1.23"},
                    TypingCase{Mode::kReadOnly, "ab", L"cd中", "ab"},
                    TypingCase{Mode::kPassword, "", L"pw", "pw"},
                    // Beyond ASCII: Chinese goes in; controls, C1 codes and DEL do not.
                    TypingCase{Mode::kNormal, "", L"a \x4E2D\x6587\x1B\x7F\x85\r", "a 中文"},
                    TypingCase{Mode::kInteger, "",
                               L"\x4E2D"
                               L"5\xFF15",
                               "5"},
                    // A surrogate pair outside code page 936, and a lone half: nothing.
                    TypingCase{Mode::kNormal, "", L"x\xD840\xDC00\xDC00y", "xy"}));

TEST(EditBox, KeysEditWholeCharactersAndReadOnlyBoxesKeepTheirText) {
    Box b({.rect = kDirEdit, .text = "安装目录"});
    b.Focus();
    b.Key(VK_END);
    b.Key(VK_BACK);
    EXPECT_EQ(b.box.Text(), "安装目");
    b.Key(VK_HOME);
    b.Key(VK_DELETE);
    EXPECT_EQ(b.box.Text(), "装目");
    b.Key(VK_RETURN);  // a single-line box takes no line break
    EXPECT_EQ(b.box.Text(), "装目");
    EXPECT_EQ(b.Marked(), "|装目");

    b.box.SetInputMode(Mode::kReadOnly);
    b.Key(VK_END);
    b.Key(VK_BACK);
    b.Key(VK_HOME);
    b.Key(VK_DELETE);
    EXPECT_EQ(b.box.Text(), "装目");
    EXPECT_FALSE(b.box.InsertText("x"));
    EXPECT_FALSE(b.box.DeleteSelection());
}

struct ClipboardCase {
    const char* name;
    Mode mode;
    int command;
    const char* clipboardBefore;
    const char* textAfter;
    const char* clipboardAfter;
};

class Shortcuts : public testing::TestWithParam<ClipboardCase> {};

// Each case selects all of "abc" first, then sends the command as the menu does.
TEST_P(Shortcuts, UseTheSystemClipboardByMode) {
    const ClipboardCase& c = GetParam();
    ASSERT_TRUE(rt::ClipboardSetText(c.clipboardBefore));
    Box b({.rect = kDirEdit, .text = "abc", .mode = c.mode});
    b.Focus();
    b.box.HandleKey('A', true);
    b.Command(c.command);
    EXPECT_EQ(b.box.Text(), c.textAfter);
    EXPECT_EQ(rt::ClipboardGetText(), c.clipboardAfter);
}

INSTANTIATE_TEST_SUITE_P(
    EditBox, Shortcuts,
    testing::Values(ClipboardCase{"Copy", Mode::kNormal, 'C', "x", "abc", "abc"},
                    ClipboardCase{"Cut", Mode::kNormal, 'X', "x", "", "abc"},
                    ClipboardCase{"Paste", Mode::kNormal, 'V', "中文", "中文", "中文"},
                    ClipboardCase{"ReadOnlyCopies", Mode::kReadOnly, 'C', "x", "abc", "abc"},
                    ClipboardCase{"ReadOnlyCutsNothing", Mode::kReadOnly, 'X', "x", "abc", "x"},
                    ClipboardCase{"ReadOnlyPastesNothing", Mode::kReadOnly, 'V', "x", "abc", "x"},
                    ClipboardCase{"PasswordCopiesNothing", Mode::kPassword, 'C', "x", "abc", "x"},
                    ClipboardCase{"PasswordCutsNothing", Mode::kPassword, 'X', "x", "abc", "x"},
                    ClipboardCase{"IntegerPastesDigits", Mode::kInteger, 'V', "1a2", "12", "1a2"}),
    [](const testing::TestParamInfo<ClipboardCase>& info) { return info.param.name; });

// Clipboard texts that are longer than the box allows, hold a NUL or end in a lone lead byte:
// the pasted part is whole characters and fits; a single-line box takes the first line.
TEST(EditBox, BadClipboardTextPastesOnlyItsSoundPart) {
    struct Case {
        std::string before, clipboard;
        int maxLength;
        std::string after;
    };
    const std::string nul("ab\0cd", 5);
    for (const Case& c :
         {Case{"12345", "abcdef", 8, "12345abc"}, Case{"1234567", "中文", 9, "1234567中"},
          Case{"1234567", "中文", 8, "1234567"}, Case{"1", nul, 99, "1ab"},
          Case{"1", "ab\xB0", 99, "1ab"}, Case{"1", "a\r\nb", 99, "1a"}}) {
        Box b({.rect = kDirEdit, .text = c.before, .maxLength = c.maxLength});
        ASSERT_TRUE(rt::ClipboardSetText(c.clipboard));
        b.Focus();
        b.Key(VK_END);
        b.Command('V');
        EXPECT_EQ(b.box.Text(), c.after) << test::Escaped(c.clipboard);
        EXPECT_EQ(b.Marked(), c.after + "|");
    }
}

// Right clicks record the menu's item states instead of showing it.
std::vector<EditMenuStates> gShownMenus;

void RecordMenu(HWND, const EditMenuStates& states) {
    gShownMenus.push_back(states);
}

void EmptyClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ::EmptyClipboard();
    CloseClipboard();
}

struct MenuCase {
    Mode mode;
    std::string text;
    bool selectAll;
    const char* clipboard;    // nullptr: empty
    std::vector<int> states;  // cut, copy, paste, select all; none: no menu
};

class ContextMenu : public testing::TestWithParam<MenuCase> {};

TEST_P(ContextMenu, EnablesItsItemsByModeSelectionAndClipboard) {
    const MenuCase& c = GetParam();
    if (c.clipboard) {
        ASSERT_TRUE(rt::ClipboardSetText(c.clipboard));
    } else {
        EmptyClipboard();
    }
    const EditMenuPresenter before = SetEditMenuPresenter(RecordMenu);
    gShownMenus.clear();
    Box b({.rect = kDirEdit, .text = c.text, .mode = c.mode});
    b.Focus();
    if (c.selectAll) b.box.HandleKey('A', true);
    SendMessageW(b.w.window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 120));
    SendMessageW(b.w.window, WM_RBUTTONUP, 0, MAKELPARAM(150, 120));
    SetEditMenuPresenter(before);
    std::vector<int> shown;
    for (const EditMenuStates& s : gShownMenus)
        shown = {s.cut, s.copy, s.paste, s.selectAll};
    EXPECT_EQ(shown, c.states);
    EXPECT_LE(gShownMenus.size(), 1u);
    EXPECT_EQ(b.box.Model().HasSelection(), c.selectAll);  // the click keeps the selection
}

INSTANTIATE_TEST_SUITE_P(
    EditBox, ContextMenu,
    testing::Values(MenuCase{Mode::kNormal, "abc", true, "x", {0, 0, 0, 1}},
                    MenuCase{Mode::kNormal, "abc", false, nullptr, {-1, -1, -1, 1}},
                    MenuCase{Mode::kNormal, "", false, "x", {-1, -1, 0, -1}},
                    MenuCase{Mode::kReadOnly, "abc", true, "x", {-1, 0, -1, 1}},
                    MenuCase{Mode::kInteger, "12", true, "x", {0, 0, 0, 1}},
                    MenuCase{Mode::kPassword, "abc", false, "x", {}}));

// Completes a composition through the window's input context, as an input method does.
bool Compose(HWND window, std::wstring text) {
    HIMC context = ImmGetContext(window);
    if (!context) return false;
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    bool set = ImmSetCompositionStringW(context, SCS_SETSTR, text.data(), bytes, nullptr, 0);
    bool done = set && ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ImmReleaseContext(window, context);
    return done;
}

TEST(EditBox, AnInputMethodResultGoesInWholeAndOnce) {
    Box b({.rect = kDirEdit, .text = "D:\\"});
    b.Focus();
    b.Key(VK_END);
    ASSERT_TRUE(Compose(b.w.window, L"\x8F6F\x4EF6"));  // 软件
    PumpFor(50);
    EXPECT_EQ(b.box.Text(), "D:\\软件");
    EXPECT_EQ(b.Marked(), "D:\\软件|");
}

TEST(EditBox, TheInputMethodIsDetachedWhileABoxOfModesOneToFourHasTheFocus) {
    for (const Mode mode :
         {Mode::kNormal, Mode::kReadOnly, Mode::kPassword, Mode::kInteger, Mode::kDecimal}) {
        Box b({.rect = kDirEdit, .mode = mode});
        HIMC own = ImmGetContext(b.w.window);
        ImmReleaseContext(b.w.window, own);
        ASSERT_NE(own, nullptr);
        b.Focus();
        HIMC focused = ImmGetContext(b.w.window);
        ImmReleaseContext(b.w.window, focused);
        EXPECT_EQ(focused == nullptr, mode != Mode::kNormal) << static_cast<int>(mode);
        b.Unfocus();
        HIMC after = ImmGetContext(b.w.window);
        ImmReleaseContext(b.w.window, after);
        EXPECT_EQ(after, own) << static_cast<int>(mode);
    }
    // A box changed to a detaching mode while focused, then destroyed, gives the context back.
    Box b;
    HIMC own = ImmGetContext(b.w.window);
    ImmReleaseContext(b.w.window, own);
    b.Focus();
    b.box.SetInputMode(Mode::kPassword);
    b.box.Destroy();
    HIMC after = ImmGetContext(b.w.window);
    ImmReleaseContext(b.w.window, after);
    EXPECT_EQ(after, own);
}

TEST(EditBox, TheCaretBlinksWhileTheBoxHasTheFocusAndIsHiddenWithout) {
    Box b({.rect = kDirEdit, .text = "abc"});
    EXPECT_EQ(CaretColumn(b.box), -1);
    b.Focus();
    b.box.HandleKey('A', true);
    GUITHREADINFO info{sizeof info};
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
    EXPECT_EQ(info.hwndCaret, b.w.window);
    EXPECT_EQ(info.rcCaret.right - info.rcCaret.left, 1);
    EXPECT_EQ(info.rcCaret.bottom - info.rcCaret.top, CaretHeight(b.box));
    const int caretTop = info.rcCaret.top;
    const int column = CaretColumn(b.box);
    EXPECT_GT(column, 3);
    EXPECT_EQ(info.rcCaret.left,
              static_cast<int>(kDirEdit.x) + column);  // the system caret follows
    EXPECT_GT(HighlightPixels(b.box), 0);

    // Ticks of the blink timer (the box's own) hide and show the caret.
    const WPARAM id = b.box.TimerId();
    SendMessageW(b.w.window, WM_TIMER, id, 0);
    EXPECT_EQ(CaretColumn(b.box), -1);
    SendMessageW(b.w.window, WM_TIMER, id, 0);
    EXPECT_EQ(CaretColumn(b.box), column);
    EXPECT_TRUE(PumpUntil([&] { return CaretColumn(b.box) == -1; }, 1500));  // the real timer

    b.Unfocus();
    EXPECT_EQ(CaretColumn(b.box), -1);
    EXPECT_EQ(HighlightPixels(b.box), 0);
    EXPECT_FALSE(b.box.Model().HasSelection());
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
    // The system caret went with the focus to the other box of the same height.
    EXPECT_EQ(info.rcCaret.top - 300, caretTop - static_cast<int>(kDirEdit.y));
    EXPECT_FALSE(KillTimer(b.w.window, id));  // already gone
}

TEST(EditBox, TheMouseSelectsByDraggingShiftClickAndDoubleClick) {
    Box b({.rect = kDirEdit, .text = "abc def"});
    const int left = static_cast<int>(kDirEdit.x) + 2,
              right = static_cast<int>(kDirEdit.Right()) - 5;
    b.Press(left);
    EXPECT_EQ(b.w.host->Elements().Focus(), &b.box);
    b.MoveTo(right);
    b.Release(right);
    EXPECT_EQ(b.Marked(), "^abc def|");
    b.MoveTo(left);  // no button: no selection
    EXPECT_EQ(b.Marked(), "^abc def|");

    b.Press(right);
    b.Release(right);
    b.Press(left, MK_LBUTTON | MK_SHIFT);
    b.Release(left);
    EXPECT_EQ(b.Marked(), "|abc def^");

    b.Press(left, MK_LBUTTON, true);
    b.Release(left);
    EXPECT_EQ(b.Marked(), "^abc| def");
}

TEST(EditBox, PasswordBoxesDrawTheirCharacterForEveryCharacter) {
    Box secret({.rect = kDirEdit, .text = "p中w", .mode = Mode::kPassword});
    Box shown({.rect = kDirEdit, .text = "***"});
    Box other({.rect = kDirEdit, .text = "**"});
    auto same = [](const EditBox& a, const EditBox& b) {
        for (int y = 0; y < a.Height(); ++y) {
            for (int x = 0; x < a.Width(); ++x) {
                if (!NearColour(ImagePixel(a.BackingBitmap(), x, y),
                                ImagePixel(b.BackingBitmap(), x, y), 0)) {
                    return false;
                }
            }
        }
        return true;
    };
    EXPECT_TRUE(same(secret.box, shown.box));
    EXPECT_FALSE(same(secret.box, other.box));
    EXPECT_EQ(secret.box.Text(), "p中w");
}

TEST(EditBox, TextWiderThanTheBoxScrollsToKeepTheCaretInView) {
    Box b({.rect = kDirEdit});
    b.Focus();
    const std::string path =
        "C:\\Program Files (x86)\\Korrel\\VantorFenWix\\一个很长的目录名称\\子目录";
    b.box.InsertText(path);
    const int end = CaretColumn(b.box);
    EXPECT_GT(end, 200);
    EXPECT_LT(end, b.box.Width() - 2);
    b.Key(VK_HOME);
    EXPECT_EQ(CaretColumn(b.box), 3);
    b.Key(VK_END);
    EXPECT_EQ(CaretColumn(b.box), end);
    EXPECT_EQ(b.box.Text(), path);
}

TEST(EditBox, AMultiLineBoxTakesLineBreaksAndShowsItsScrollBars) {
    Box b({.rect = {20, 20, 200, 60}, .multiLine = true, .scrollBars = kEditScrollVertical});
    b.Focus();
    for (int line = 0; line < 6; ++line) {
        b.Type(L"line");
        b.Key(VK_RETURN);
    }
    EXPECT_EQ(b.box.Text(), "line\r\nline\r\nline\r\nline\r\nline\r\nline\r\n");
    ASSERT_NE(b.box.FirstChild(), b.box.LastChild());
    EXPECT_FALSE(b.box.FirstChild()->Visible());  // the horizontal bar
    EXPECT_TRUE(b.box.LastChild()->Visible());
    const int caret = CaretColumn(b.box);
    EXPECT_EQ(caret, 3);  // the last line is scrolled into view
}

// Real input through the system's queue: a click into the box, Ctrl+A, and a path typed as keys,
// its Chinese folder name as Unicode key packets.
TEST(EditBox, RealKeyboardInputReachesTheFocusedBox) {
    Box b({.rect = kDirEdit, .text = "C:\\old"});
    ShowWindow(b.w.window, SW_SHOWNORMAL);
    b.w.host->Refresh();
    PumpFor(100);
    ASSERT_TRUE(e2e::ClickAt(b.w.window, 150, 120));
    ASSERT_TRUE(PumpUntil([&] { return b.w.host->Elements().Focus() == &b.box; }));
    ASSERT_TRUE(e2e::PressChord(b.w.window, {VK_CONTROL, 'A'}));
    const std::string path = "D:\\My Apps\\中文目录";
    ASSERT_TRUE(e2e::TypeText(b.w.window, path));
    EXPECT_TRUE(PumpUntil([&] { return b.box.Text() == path; }))
        << "got \"" << b.box.Text() << "\"";
}

}  // namespace
}  // namespace ui::test
