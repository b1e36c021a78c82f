#include <mutex>

#include "toolkit/core/posted_payloads_lock.h"

namespace ui {
namespace {
std::mutex gPostedPayloadsMutex;
}  // namespace

void PostedPayloadsLock::lock() {
    gPostedPayloadsMutex.lock();
}

void PostedPayloadsLock::unlock() {
    gPostedPayloadsMutex.unlock();
}

}  // namespace ui
