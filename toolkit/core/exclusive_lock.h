// A lock for data a few threads share for moments. It cannot fail, unlike std::mutex, whose
// lock() reports failure by std::system_error: a slim reader/writer lock keeps that error's
// machinery (some 8 KB) out of the program. Meets BasicLockable, so std::lock_guard holds it.
#pragma once

#include <windows.h>

namespace ui {

class ExclusiveLock {
  public:
    ExclusiveLock() = default;
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }

  private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace ui
