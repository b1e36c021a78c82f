#include "toolkit/core/decode_ahead.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "toolkit/core/exclusive_lock.h"
#include "toolkit/core/message_loops.h"
#include "toolkit/core/thread_flag.h"
#include "toolkit/core/toolkit.h"

namespace ui {

namespace {

enum class AheadState { kWaiting, kDecoding, kDone };

struct AheadEntry {
    AheadImage source;
    AheadState state = AheadState::kWaiting;
    bool taken = false;  // by a caller: the worker leaves a waiting entry alone
    LoadedImage image;
};

struct AheadQueue {
    ExclusiveLock lock;
    LockCondition decoded;
    std::vector<AheadEntry> entries;  // fixed once the worker runs
    bool running = false;
    HANDLE worker = nullptr;
};

// Set while a thread decodes an entry: that load decodes as usual.
ThreadFlag gDecodingAheadHere;

AheadQueue& Queue() {
    static AheadQueue queue;
    return queue;
}

bool SameImage(const AheadImage& named, ByteView bytes, bool addSignature) {
    return named.addSignature == addSignature && named.bytes.size() == bytes.size() &&
           (named.bytes.data() == bytes.data() ||
            std::equal(bytes.begin(), bytes.end(), named.bytes.begin()));
}

// Decodes a waiting entry with the lock released, as a plain load; the image joins the queue.
void DecodeEntry(AheadQueue& queue, std::unique_lock<ExclusiveLock>& guard, AheadEntry& entry) {
    entry.state = AheadState::kDecoding;
    guard.unlock();
    const bool wasDecodingAhead = gDecodingAheadHere.IsSet();
    gDecodingAheadHere.Set(true);
    LoadedImage image = LoadImage(entry.source.bytes, entry.source.addSignature);
    gDecodingAheadHere.Set(wasDecodingAhead);
    guard.lock();
    entry.image = std::move(image);
    entry.state = AheadState::kDone;
    queue.decoded.WakeAll();
}

// Front to back, what no caller has taken or started.
DWORD WINAPI DecodeAheadWorker(LPVOID) {
    AheadQueue& queue = Queue();
    std::unique_lock guard(queue.lock);
    for (AheadEntry& entry : queue.entries) {
        if (!entry.taken && entry.state == AheadState::kWaiting) DecodeEntry(queue, guard, entry);
    }
    return 0;
}

// At the toolkit's end, when the worker has finished (long ago, as a rule): what nobody took
// goes. A worker still busy keeps its entries.
void DropDecodedAhead() {
    AheadQueue& queue = Queue();
    constexpr DWORD kWorkerEndWaitMs = 5000;
    if (WaitForSingleObject(queue.worker, kWorkerEndWaitMs) != WAIT_OBJECT_0) return;
    CloseHandle(queue.worker);
    queue.worker = nullptr;
    std::lock_guard guard(queue.lock);
    queue.entries.clear();
    queue.running = false;
}

}  // namespace

void DecodeAheadOnStart(std::vector<AheadImage> images) {
    AheadQueue& queue = Queue();
    std::lock_guard guard(queue.lock);
    if (queue.running) return;  // the worker walks the entries: too late to name more
    for (const AheadImage& image : images)
        queue.entries.push_back({image});
}

void StartDecodingAhead(std::vector<AheadImage> last) {
    AheadQueue& queue = Queue();
    std::lock_guard guard(queue.lock);
    // Once only, and only for a program that named its images.
    if (queue.running || queue.entries.empty()) return;
    for (const AheadImage& image : last)
        queue.entries.push_back({image});
    // The entries are fixed from here on: the worker walks them while callers take theirs.
    queue.running = StartThread(&DecodeAheadWorker, nullptr, true, &queue.worker);
    if (queue.running) RegisterToolkitCleanup(&DropDecodedAhead);
}

std::optional<LoadedImage> TakeDecodedAhead(ByteView bytes, bool addSignature) {
    if (gDecodingAheadHere.IsSet()) return std::nullopt;
    AheadQueue& queue = Queue();
    std::unique_lock guard(queue.lock);
    if (!queue.running) return std::nullopt;
    auto found = std::find_if(queue.entries.begin(), queue.entries.end(), [&](const AheadEntry& e) {
        return !e.taken && SameImage(e.source, bytes, addSignature);
    });
    if (found == queue.entries.end()) return std::nullopt;
    found->taken = true;
    if (found->state == AheadState::kWaiting) return std::nullopt;
    // While the worker decodes it, the caller decodes from the back of the queue what nobody
    // has started, rather than idle.
    while (found->state != AheadState::kDone) {
        auto spare = std::find_if(
            queue.entries.rbegin(), queue.entries.rend(),
            [](const AheadEntry& e) { return !e.taken && e.state == AheadState::kWaiting; });
        if (spare == queue.entries.rend()) {
            while (found->state != AheadState::kDone)
                queue.decoded.Wait(queue.lock);
            break;
        }
        DecodeEntry(queue, guard, *spare);
    }
    return std::move(found->image);
}

}  // namespace ui
