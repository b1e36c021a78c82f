// The lock of the posted payloads' registry, a service of each tree: the registry itself is
// portable (natively it runs its stress test under the sanitizers).
#pragma once

namespace ui {

// One lock for the whole registry; meets BasicLockable, so std::lock_guard holds it.
struct PostedPayloadsLock {
    void lock();
    void unlock();
};

}  // namespace ui
