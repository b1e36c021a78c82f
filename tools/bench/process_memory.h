// The process's memory as the system counts it (resident set / working set), for the
// benchmark's peak figures.
#pragma once

#include <cstdint>

namespace bench {

// Bytes resident now.
std::uint64_t ResidentBytes();
// Highest resident bytes since start or since the last ResetPeak.
std::uint64_t PeakResidentBytes();
// Starts a new peak where the system allows it; false where it does not (Windows), in which
// case the peak covers the whole run so far.
bool ResetPeak();

}  // namespace bench
