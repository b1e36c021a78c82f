#include <windows.h>

#include <string>

#include "installer/program_log.h"

namespace inst {
namespace {

// Program texts are in the ANSI code page; the file is UTF-8.
std::string Utf8Of(std::string_view ansi) {
    if (ansi.empty()) return {};
    const int length = static_cast<int>(ansi.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), wideLength);
    const int utf8Length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr,
                        nullptr);
    return utf8;
}

class Utf8FileSink final : public LogSink {
  public:
    ~Utf8FileSink() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }

    bool Create(const rt::TextValue& path) {
        file_ = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return false;
        Write("\xEF\xBB\xBF");
        return true;
    }

    // The log must never change the cause that the caller is about to read, nor fail the run.
    void WriteLine(std::string_view line) override {
        const DWORD error = GetLastError();
        Write(Utf8Of(line) + "\r\n");
        SetLastError(error);
    }

  private:
    void Write(const std::string& bytes) {
        DWORD written = 0;
        WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }

    HANDLE file_ = INVALID_HANDLE_VALUE;
};

Utf8FileSink& FileSink() {
    static Utf8FileSink sink;
    return sink;
}

}  // namespace

SetupLog& ProgramLog() {
    static SetupLog log;
    return log;
}

bool StartProgramLogFile(const rt::TextValue& path) {
    if (!FileSink().Create(path)) return false;
    ProgramLog().SetSink(&FileSink());
    return true;
}

}  // namespace inst
