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

// The payload file's bytes; ends the program with a message when it holds no payload.
rt::ByteSet ReadPayloadFile(const char* tool, const char* path);

}  // namespace bench
