#include "installer/process_query.h"

#include <algorithm>

namespace inst {
namespace {

constexpr int kAttempts = 8;

// Room for a few more processes than reported, so a list that grows a little fits next time.
std::uint32_t WithHeadroom(std::uint32_t size) {
    const std::uint64_t grown = std::uint64_t{size} + size / 8 + 4096;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(grown, UINT32_MAX));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> QueryProcessInformation(
    const ProcessInformationQuery& query) {
    std::uint32_t needed = 0;
    query(nullptr, 0, &needed);  // only the size it reports counts
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::vector<std::uint8_t> buffer(needed);
        std::uint32_t reported = 0;
        const std::uint32_t status = query(buffer.data(), needed, &reported);
        if (status == kStatusSuccess) return buffer;
        if (status != kStatusInfoLengthMismatch) return std::nullopt;
        needed = WithHeadroom(std::max(reported, needed));
    }
    return std::nullopt;
}

}  // namespace inst
