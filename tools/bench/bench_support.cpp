#include "tools/bench/bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "installer/payload_codec.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace bench {

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string FreshDirectory(int run) {
#ifdef _WIN32
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vs-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(run);
#else
    return "/tmp/vs-bench-" + std::to_string(getpid()) + "-" + std::to_string(run);
#endif
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

PayloadArguments ReadPayloadArguments(const char* tool, int argc, char** argv, int defaultRuns) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <payload> [runs]\n", tool);
        std::exit(2);
    }
    PayloadArguments arguments;
    arguments.runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : defaultRuns;
    std::ifstream in(argv[1], std::ios::binary);
    arguments.payload.assign(std::istreambuf_iterator<char>(in), {});
    if (arguments.payload.size() < inst::kPayloadTrailerSize) {
        std::fprintf(stderr, "%s: cannot read a payload from %s\n", tool, argv[1]);
        std::exit(1);
    }
    return arguments;
}

}  // namespace bench
