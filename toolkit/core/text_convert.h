// Program texts are ANSI (code page 936 on the target); GDI+ and the W functions want UTF-16.
#pragma once

#include <string>

namespace ui {

std::wstring ToWide(const std::string& text);
std::string ToNarrow(const std::wstring& text);
// Number of UTF-16 units, without a terminator.
inline int WideLength(const std::wstring& text) {
    return static_cast<int>(text.size());
}

}  // namespace ui
