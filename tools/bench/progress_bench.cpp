// progress_bench <payload> [runs]: what reporting progress costs. Decoding and extracting the
// payload into a fresh directory, once without anyone listening and once with progress heard
// by an observer that records each report and counts each file (as the wizard's would before
// it repaints), alternating which goes first, in the same run; medians and their ratio. Target: the
// reporting adds less than 2 %.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "installer/archive_reader.h"
#include "installer/payload_codec.h"
#include "runtime/files.h"
#include "tools/bench/bench_support.h"

namespace {

using bench::Clock;

class CountingObserver final : public inst::ExtractObserver {
  public:
    void Advance(std::uint64_t done, std::uint64_t total) override {
        last = done;
        totalSeen = total;
        ++reports;
    }
    void FileWritten(const rt::TextValue&, std::uint64_t size, bool written) override {
        files += written ? 1 : 0;
        bytes += size;
    }
    std::uint64_t last = 0, totalSeen = 0, bytes = 0;
    int reports = 0, files = 0;
};

struct Times {
    double decode = 0;
    double total = 0;
};

// As the install does it: decode, then write every file below a new directory.
Times Unpack(const rt::ByteSet& payload, const std::string& target, bool listened, int& reports) {
    CountingObserver decoding, writing;
    const auto start = Clock::now();
    rt::ByteSet image;
    if (inst::UnpackPayload(payload, image, nullptr, listened ? &decoding : nullptr) != 0) {
        std::fputs("progress_bench: the payload does not decode\n", stderr);
        std::exit(1);
    }
    Times times;
    times.decode = bench::SecondsSince(start);
    inst::ArchiveReader reader;
    if (listened) reader.SetObserver(&writing);
    if (!reader.ExtractAll("", std::move(image), target)) {
        std::fputs("progress_bench: the image does not open\n", stderr);
        std::exit(1);
    }
    times.total = bench::SecondsSince(start);
    reports = decoding.reports + writing.reports;
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    const auto [payload, runs] = bench::ReadPayloadArguments("progress_bench", argc, argv, 11);

    std::vector<double> quietTotal, heardTotal, quietDecode, heardDecode;
    int reports = 0;
    // One round each before measuring, so that both meet a warm file cache; which of the two
    // goes first alternates, so that neither always follows the other's writes.
    for (int run = -1; run < runs; ++run) {
        for (bool listened : {run % 2 != 0, run % 2 == 0}) {
            const std::string target = bench::FreshDirectory(2 * (run + 1) + (listened ? 1 : 0));
            const Times times = Unpack(payload, target, listened, reports);
            rt::DeleteTree(target);
            if (run < 0) continue;
            (listened ? heardTotal : quietTotal).push_back(times.total);
            (listened ? heardDecode : quietDecode).push_back(times.decode);
        }
    }

    const double quiet = bench::Median(quietTotal), heard = bench::Median(heardTotal);
    const double quietD = bench::Median(quietDecode), heardD = bench::Median(heardDecode);
    std::printf("payload %zu bytes, image %u bytes, %d runs each, alternating, medians:\n",
                payload.size(), inst::DeclaredImageSize(payload), runs);
    std::printf("  progress reports per unpacking      %d\n", reports);
    std::printf("  decoding      quiet %.4f s  heard %.4f s  ratio %.4f\n", quietD, heardD,
                heardD / quietD);
    std::printf("  decode+write  quiet %.4f s  heard %.4f s  ratio %.4f  (target below 1.02)\n",
                quiet, heard, heard / quiet);
    return 0;
}
