// Asking the system for its process list until the buffer was large enough.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace inst {

constexpr std::uint32_t kStatusSuccess = 0;
constexpr std::uint32_t kStatusInfoLengthMismatch = 0xC0000004;

// The system's query: fills `buffer` of `length` bytes, reports the size it needs in `*needed`,
// returns a status.
using ProcessInformationQuery =
    std::function<std::uint32_t(void* buffer, std::uint32_t length, std::uint32_t* needed)>;

// Sizes the buffer by the system's own report and fills it. When the process list grew between
// sizing and filling, asks again with a larger buffer (a few times at most). Nothing when the
// query fails for any other reason or keeps growing.
std::optional<std::vector<std::uint8_t>> QueryProcessInformation(
    const ProcessInformationQuery& query);

}  // namespace inst
