#include "runtime/dll_function_name.h"

#include <cstdlib>
#include <cstring>

namespace rt {
namespace {

// The message buffer holds 1024 bytes including the terminating zero.
constexpr std::size_t kMessageLimit = 1023;

std::string Limited(std::string text) {
    if (text.size() > kMessageLimit) text.resize(kMessageLimit);
    return text;
}

}  // namespace

DllFunctionName ParseDllFunctionName(const char* function) {
    DllFunctionName result;
    if (function[0] == '#') {
        result.byOrdinal = true;
        result.ordinal = std::atoi(function + 1);
        return result;
    }
    result.name.assign(function, strnlen(function, kMessageLimit));
    const std::size_t at = result.name.find('@');
    if (at != std::string::npos && at + 1 < result.name.size() && result.name[at + 1] == '@') {
        result.name.resize(at);
    }
    return result;
}

std::string MissingLibraryMessage(const char* library) {
    return Limited(std::string("同目录下无法找到DLL文件:\"") + library + "\".请与作者联系.");
}

std::string MissingFunctionMessage(const char* library, const char* function) {
    return Limited(std::string("无法定位DLL文件:\"") + library + "\"当中的\"" + function +
                   "\"函数.");
}

}  // namespace rt
