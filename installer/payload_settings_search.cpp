#include "installer/payload_settings_search.h"

#include <lzma.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace inst {

namespace {

// lc + lp stays at most 4, as LZMA1 decoders require.
constexpr PayloadCandidate kCandidates[] = {
    {3, 0, 2, 0, 0, 0},
    {0, 2, 2, 0, 0, 0},
    {1, 2, 2, 0, 0, 0},
    {0, 2, 2, LZMA_MF_BT4, 273, 512},
};

// The trials' progress summed, reported one caller at a time.
class TrialProgress {
  public:
    TrialProgress(const PackProgress& progress, std::size_t trials, std::uint64_t imageSize)
        : progress_(progress), done_(trials, 0), total_(imageSize * trials) {}

    PackProgress For(std::size_t trial) {
        if (!progress_) return {};
        return [this, trial](std::uint64_t done, std::uint64_t) {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_[trial] = done;
            std::uint64_t sum = 0;
            for (const std::uint64_t part : done_)
                sum += part;
            progress_(sum, total_);
        };
    }

  private:
    const PackProgress& progress_;
    std::mutex mutex_;
    std::vector<std::uint64_t> done_;
    std::uint64_t total_;
};

}  // namespace

std::span<const PayloadCandidate> PayloadCandidates() {
    return kCandidates;
}

PayloadOptions CandidateOptions(const PayloadOptions& base, const PayloadCandidate& candidate,
                                std::uint64_t imageSize) {
    PayloadOptions options = base;
    const std::uint32_t dictionary = base.properties.dictionarySize;
    options.properties = {candidate.lc, candidate.lp, candidate.pb,
                          dictionary != 0 ? dictionary : FittingDictionarySize(imageSize)};
    options.matchFinder = candidate.matchFinder;
    options.niceLength = candidate.niceLength;
    options.depth = candidate.depth;
    return options;
}

int PackPayloadTuned(std::span<const std::uint8_t> image, const PayloadOptions& base,
                     unsigned threads, rt::ByteSet& payload, std::vector<PayloadTrial>* trials,
                     const PackProgress& progress) {
    const std::span<const PayloadCandidate> candidates = PayloadCandidates();
    std::vector<PayloadTrial> outcomes(candidates.size());
    std::vector<rt::ByteSet> payloads(candidates.size());
    TrialProgress summed(progress, candidates.size(), image.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < candidates.size(); i = next++) {
            outcomes[i].options = CandidateOptions(base, candidates[i], image.size());
            outcomes[i].result =
                PackPayload(image, outcomes[i].options, payloads[i], summed.For(i));
            outcomes[i].bytes = payloads[i].size();
        }
    };
    std::vector<std::thread> workers;
    const std::size_t count = std::clamp<std::size_t>(threads, 1, candidates.size());
    for (std::size_t i = 1; i < count; ++i)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();

    payload.clear();
    int result = LZMA_OK;
    std::size_t best = candidates.size();
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (outcomes[i].result != LZMA_OK) {
            if (result == LZMA_OK) result = outcomes[i].result;
        } else if (best == candidates.size() || outcomes[i].bytes < outcomes[best].bytes) {
            best = i;
        }
    }
    if (trials != nullptr) *trials = outcomes;
    if (result != LZMA_OK) return result;
    payload = std::move(payloads[best]);
    return LZMA_OK;
}

}  // namespace inst
