#include <windows.h>

#include <string>

#include "runtime/system_error.h"

namespace rt {
namespace {

// The system's text without its line end; empty for codes it has no text for.
TextValue DescriptionOf(DWORD code) {
    char buffer[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, sizeof buffer, nullptr);
    TextValue text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

}  // namespace

SystemError LastSystemError() {
    const DWORD code = GetLastError();
    SystemError error;
    error.code = static_cast<long>(code);
    error.notFound = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    error.description = DescriptionOf(code);
    error.text = "error " + std::to_string(code) +
                 (error.description.empty() ? "" : ": " + error.description);
    SetLastError(code);
    return error;
}

}  // namespace rt
