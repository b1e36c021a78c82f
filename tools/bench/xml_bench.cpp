// xml_bench [counts...]: how long the XML reader takes to load one tag with many attributes
// (default 10000, 100000 and 1000000). Each attribute costs the same whatever came before it,
// so the time per attribute stays flat as the count grows.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/xml_document.h"

namespace {

using Clock = std::chrono::steady_clock;

// <r a0="v" a1="v" ... />, names distinct as the reader requires.
rt::ByteSet ManyAttributes(long count) {
    std::string text = "<r";
    for (long i = 0; i < count; ++i)
        text += " a" + std::to_string(i) + "=\"v\"";
    text += "/>";
    return rt::ByteSet(text.begin(), text.end());
}

// The fastest of a few loads: the least disturbed by whatever else runs.
double LoadSeconds(const rt::ByteSet& document, long count) {
    const int runs = count >= 1000000 ? 2 : 4;
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        rt::XmlDocument reader;
        const auto start = Clock::now();
        const bool loaded = reader.Load(document);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (!loaded || reader.Root()->attributes.size() != static_cast<std::size_t>(count)) {
            std::fprintf(stderr, "xml_bench: the document of %ld attributes did not load\n", count);
            std::exit(1);
        }
        best = std::min(best, seconds);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::max(1L, std::atol(argv[i])));
    if (counts.empty()) counts = {10000, 100000, 1000000};
    std::printf("%12s %12s %12s %16s\n", "attributes", "bytes", "seconds", "us/attribute");
    for (long count : counts) {
        const rt::ByteSet document = ManyAttributes(count);
        const double seconds = LoadSeconds(document, count);
        std::printf("%12ld %12zu %12.3f %16.3f\n", count, document.size(), seconds,
                    seconds * 1e6 / static_cast<double>(count));
    }
    return 0;
}
