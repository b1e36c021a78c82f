#include "tools/packer/name_encoding.h"

#include <iconv.h>

#include <vector>

namespace packer {

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view text) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return {};
    std::string input(text);
    std::vector<char> output(text.size() * 4 + 4);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) return {};
    return std::string(output.data(), output.size() - outLeft);
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view text) {
    return Convert("GBK", "UTF-8", text);
}

std::optional<std::string> GbkToUtf8(std::string_view text) {
    return Convert("UTF-8", "GBK", text);
}

}  // namespace packer
