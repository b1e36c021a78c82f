// Chooses a payload's encoder settings by packing the whole image with each of a few candidates
// and keeping the smallest result. The decoder reads lc/lp/pb and the dictionary from the
// trailer and never sees the match finder, so any candidate decodes with the same program.
// Used by the packer; the program itself only decodes. Portable.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "installer/payload_encoder.h"

namespace inst {

// One setting to try: the literal and position bits, and the encoder's search (0: the preset's).
struct PayloadCandidate {
    std::uint32_t lc, lp, pb;
    std::uint32_t matchFinder;
    std::uint32_t niceLength;
    std::uint32_t depth;
};

// The candidates, in the order ties are settled: the usual default first, then settings that
// suit program code (4-byte aligned instructions and tables), the one that usually wins also
// with the search of liblzma's preset 9 extreme (longer matches, deeper), which pays on some
// payloads and loses on others.
std::span<const PayloadCandidate> PayloadCandidates();

// The options a candidate gives on top of `base` (whose preset, end marker and dictionary are
// kept; a dictionary of 0 is fitted to the image).
PayloadOptions CandidateOptions(const PayloadOptions& base, const PayloadCandidate& candidate,
                                std::uint64_t imageSize);

struct PayloadTrial {
    PayloadOptions options;
    int result = 0;         // the encoder's lzma_ret
    std::size_t bytes = 0;  // the payload's size when result is 0
};

// Packs the image with every candidate, `threads` at a time (each encoder needs about 12 times
// the dictionary in memory), and leaves the smallest payload in `payload`; ties go to the
// earlier candidate, so the same image and base give the same bytes whatever the threads.
// `trials`, when given, receives every candidate's outcome in table order. `progress` hears the
// bytes compressed by all trials together, of the image size times the candidates; it is
// called from the worker threads, one at a time. 0 (LZMA_OK), or the first failure's code.
int PackPayloadTuned(std::span<const std::uint8_t> image, const PayloadOptions& base,
                     unsigned threads, rt::ByteSet& payload,
                     std::vector<PayloadTrial>* trials = nullptr,
                     const PackProgress& progress = {});

}  // namespace inst
