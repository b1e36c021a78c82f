#include "toolkit/controls/typed_character.h"

#include <imm.h>

#include <vector>

#include "runtime/dll_calls_win32.h"

namespace ui {

namespace {

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The units in the ANSI code page, or empty when a character has no exact form there: a
// best-fit stand-in or the default character would put a different character in the text.
std::string ToCodePage(const wchar_t* units, int count) {
    char bytes[8] = {};
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, bytes,
                                     sizeof bytes, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return {};
    return std::string(bytes, static_cast<std::size_t>(length));
}

}  // namespace

std::string TypedCharacterDecoder::Take(WPARAM code) {
    const auto unit = static_cast<wchar_t>(code & 0xFFFF);
    if (IsHighSurrogate(unit)) {
        pendingHigh_ = unit;
        return {};
    }
    const std::optional<wchar_t> high = pendingHigh_;
    pendingHigh_.reset();
    if (IsLowSurrogate(unit)) {
        if (!high) return {};
        const wchar_t pair[2] = {*high, unit};
        return ToCodePage(pair, 2);
    }
    if (unit < 0xA0) return {};  // ASCII is not taken here; 0x80..0x9F are controls
    return ToCodePage(&unit, 1);
}

std::string CompositionResult(HWND window) {
    HIMC context = rt::dll::ImmGetContext(window);
    if (!context) return {};
    std::string result;
    const LONG length = rt::dll::ImmGetCompositionStringA(context, GCS_RESULTSTR, nullptr, 0);
    if (length > 0) {
        std::vector<char> bytes(static_cast<std::size_t>(length));
        const LONG copied =
            rt::dll::ImmGetCompositionStringA(context, GCS_RESULTSTR, bytes.data(), length);
        if (copied > 0) result.assign(bytes.data(), static_cast<std::size_t>(copied));
    }
    rt::dll::ImmReleaseContext(window, context);
    return result;
}

}  // namespace ui
