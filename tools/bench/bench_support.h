// Shared by the benchmarks: timing, fresh target directories, medians and loading a payload.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "runtime/value_types.h"

namespace bench {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start);

// A directory below the system's temporary folder that no run has used yet.
std::string FreshDirectory(int run);

double Median(std::vector<double> values);

// What the payload benchmarks are given: "<tool> <payload> [runs]". Ends the program with its
// usage line, or a message when the file holds no payload.
struct PayloadArguments {
    rt::ByteSet payload;
    int runs = 0;
};
PayloadArguments ReadPayloadArguments(const char* tool, int argc, char** argv, int defaultRuns);

}  // namespace bench
