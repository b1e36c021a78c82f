// The process snapshot through the native system-information service.
#include <cstddef>
#include <cstdint>
#include <string>

#include "installer/process_control.h"
#include "installer/process_query.h"
#include "installer/process_records.h"
#include "runtime/dll_calls_win32.h"

namespace inst {
namespace {

// The walker's layout must be the one the system header declares for this build.
using SystemRecord = SYSTEM_PROCESS_INFORMATION;
static_assert(offsetof(SystemRecord, NextEntryOffset) ==
              kNativeProcessRecordLayout.nextEntryOffset);
static_assert(offsetof(SystemRecord, ImageName) + offsetof(UNICODE_STRING, Length) ==
              kNativeProcessRecordLayout.imageNameLength);
static_assert(offsetof(SystemRecord, ImageName) + offsetof(UNICODE_STRING, Buffer) ==
              kNativeProcessRecordLayout.imageNameBuffer);
static_assert(offsetof(SystemRecord, UniqueProcessId) ==
              kNativeProcessRecordLayout.uniqueProcessId);
static_assert(sizeof(SystemRecord::UniqueProcessId) == kNativeProcessRecordLayout.pointerSize);

constexpr UINT kNameCodePage = 936;
constexpr DWORD kNameConversionFlags = WC_COMPOSITECHECK;
// Names are kept within the conversion buffer of 512 bytes, terminator included.
constexpr std::size_t kMaxNameBytes = 511;

// Length of `text` cut to at most `limit` bytes without splitting a double-byte character.
std::size_t CutOnCharacterBoundary(const std::string& text, std::size_t limit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t length = static_cast<unsigned char>(text[pos]) >= 0x80 ? 2 : 1;
        if (pos + length > limit) break;
        pos += length;
    }
    return std::min(pos, text.size());
}

// The name in code page 936, up to its first zero. A name whose converted form would not fit the
// system's output limit is kept whole (within 512 bytes) rather than lost.
rt::TextValue ConvertImageName(const std::u16string& name) {
    if (name.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(name.data());
    const int units = static_cast<int>(name.size());
    const int needed = WideCharToMultiByte(kNameCodePage, kNameConversionFlags, wide, units,
                                           nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string converted(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kNameCodePage, kNameConversionFlags, wide, units, converted.data(), needed,
                        nullptr, nullptr);
    converted.resize(converted.find('\0') == std::string::npos ? converted.size()
                                                               : converted.find('\0'));
    converted.resize(CutOnCharacterBoundary(converted, kMaxNameBytes));
    return converted;
}

std::uint32_t QuerySystemProcesses(void* buffer, std::uint32_t length, std::uint32_t* needed) {
    ULONG reported = 0;
    const NTSTATUS status =
        rt::dll::NtQuerySystemInformation(SystemProcessInformation, buffer, length, &reported);
    *needed = reported;
    return static_cast<std::uint32_t>(status);
}

}  // namespace

int EnumerateProcesses(std::vector<ProcessEntry>& processes) {
    processes.clear();
    const auto snapshot = QueryProcessInformation(&QuerySystemProcesses);
    if (!snapshot) return 0;
    const auto base =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(snapshot->data()));
    for (const RawProcessRecord& record :
         WalkProcessRecords(snapshot->data(), snapshot->size(), base, kNativeProcessRecordLayout)) {
        processes.push_back({record.processId, record.hasImageName
                                                   ? ConvertImageName(record.imageName)
                                                   : rt::TextValue("System Idle Process")});
    }
    return static_cast<int>(processes.size());
}

}  // namespace inst
