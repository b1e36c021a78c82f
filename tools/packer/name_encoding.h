// Archive names are GBK (code page 936); names on the build machine are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace packer {

// Nothing when the text cannot be converted.
std::optional<std::string> Utf8ToGbk(std::string_view text);
std::optional<std::string> GbkToUtf8(std::string_view text);

}  // namespace packer
