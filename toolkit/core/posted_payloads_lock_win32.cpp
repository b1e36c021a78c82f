#include "toolkit/core/posted_payloads_lock.h"

#include "toolkit/core/exclusive_lock.h"

namespace ui {
namespace {
ExclusiveLock gPostedPayloadsLock;
}  // namespace

void PostedPayloadsLock::lock() {
    gPostedPayloadsLock.lock();
}

void PostedPayloadsLock::unlock() {
    gPostedPayloadsLock.unlock();
}

}  // namespace ui
