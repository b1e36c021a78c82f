// archive_bench <payload> [runs]: how long decoding and extracting a payload into a fresh
// directory takes next to liblzma decoding the same stream alone, and how much memory the
// extraction needs beyond the loaded payload, against the image size.
#include <lzma.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "installer/archive_format.h"
#include "installer/archive_reader.h"
#include "installer/payload_codec.h"
#include "runtime/files.h"
#include "tools/bench/bench_support.h"
#include "tools/bench/process_memory.h"

namespace {

using bench::Clock;
using bench::FreshDirectory;
using bench::Median;
using bench::SecondsSince;

struct ExtractTimes {
    double decode = 0;
    double total = 0;
    inst::DecodePath path = inst::DecodePath::kNone;
};

// What the install procedure does: decode, then write every file below a new directory.
ExtractTimes Extract(const rt::ByteSet& payload, const std::string& target) {
    const auto start = Clock::now();
    rt::ByteSet image;
    ExtractTimes times;
    if (inst::UnpackPayload(payload, image, &times.path) != 0) {
        std::fputs("archive_bench: the payload does not decode\n", stderr);
        std::exit(1);
    }
    times.decode = SecondsSince(start);
    inst::ArchiveReader reader;
    if (!reader.ExtractAll("", std::move(image), target)) {
        std::fputs("archive_bench: the image does not open\n", stderr);
        std::exit(1);
    }
    times.total = SecondsSince(start);
    return times;
}

// liblzma alone: the stream decoded with the stored properties into an output buffer.
double RawDecode(const rt::ByteSet& payload) {
    const auto start = Clock::now();
    const std::size_t streamSize = payload.size() - inst::kPayloadTrailerSize;
    const auto properties = inst::DecodeLzmaProperties(
        std::span(payload).subspan(streamSize, inst::kLzmaPropertiesSize));
    const std::uint32_t imageSize = inst::ReadU32(payload.data() + payload.size() - 4);
    lzma_options_lzma options{};
    lzma_lzma_preset(&options, LZMA_PRESET_DEFAULT);
    options.lc = properties->lc;
    options.lp = properties->lp;
    options.pb = properties->pb;
    options.dict_size = properties->dictionarySize;
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[imageSize]);
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_raw_decoder(&stream, filters) != LZMA_OK) std::exit(1);
    stream.next_in = payload.data();
    stream.avail_in = streamSize;
    stream.next_out = out.get();
    stream.avail_out = imageSize;
    const lzma_ret result = lzma_code(&stream, LZMA_RUN);
    lzma_end(&stream);
    if ((result != LZMA_OK && result != LZMA_STREAM_END) || stream.avail_out != 0) {
        std::fputs("archive_bench: liblzma does not decode the stream\n", stderr);
        std::exit(1);
    }
    return SecondsSince(start);
}

constexpr double kMiB = 1024.0 * 1024.0;

}  // namespace

int main(int argc, char** argv) {
    const auto [payload, runs] = bench::ReadPayloadArguments("archive_bench", argc, argv, 5);
    const std::uint32_t imageSize = inst::ReadU32(payload.data() + payload.size() - 4);

    // Memory: the first extraction, before anything else has raised the peak.
    const std::uint64_t before = bench::ResidentBytes();
    const bool peakReset = bench::ResetPeak();
    const std::string firstTarget = FreshDirectory(0);
    const inst::DecodePath path = Extract(payload, firstTarget).path;
    const std::uint64_t peak = bench::PeakResidentBytes();
    rt::DeleteTree(firstTarget);

    std::vector<double> extractTimes, decodeTimes, rawTimes;
    for (int run = 1; run <= runs; ++run) {
        rawTimes.push_back(RawDecode(payload));
        const std::string target = FreshDirectory(run);
        const ExtractTimes times = Extract(payload, target);
        extractTimes.push_back(times.total);
        decodeTimes.push_back(times.decode);
        rt::DeleteTree(target);
    }

    const double extract = Median(extractTimes);
    const double raw = Median(rawTimes);
    const double extra = peak > before ? static_cast<double>(peak - before) : 0.0;
    std::printf("payload %zu bytes, image %u bytes (%.2f MiB), %d runs, medians:\n", payload.size(),
                imageSize, imageSize / kMiB, runs);
    std::printf("  extraction (decode + write files)  %.3f s  (of which decoding %.3f s)\n",
                extract, Median(decodeTimes));
    std::printf("  decoding path                      %s\n", inst::DecodePathName(path));
    std::printf("  liblzma raw decoding alone         %.3f s\n", raw);
    std::printf("  ratio extraction / raw decoding    %.2f  (target at most 1.20)\n",
                extract / raw);
    std::printf("  peak memory during extraction      %.2f MiB above the loaded payload%s\n",
                extra / kMiB, peakReset ? "" : " (peak since start)");
    std::printf("  ratio peak memory / image size     %.2f  (target at most 1.25)\n",
                extra / imageSize);
    return 0;
}
