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
    friend class LockCondition;
    SRWLOCK lock_ = SRWLOCK_INIT;
};

// What a thread holding an ExclusiveLock waits on until another one changes the shared data;
// std::condition_variable would bring std::mutex's error machinery back.
class LockCondition {
  public:
    LockCondition() = default;
    LockCondition(const LockCondition&) = delete;
    LockCondition& operator=(const LockCondition&) = delete;

    // Releases `held` while it sleeps and holds it again on return; callers re-check their
    // condition, as wake-ups may be spurious.
    void Wait(ExclusiveLock& held) {
        SleepConditionVariableSRW(&condition_, &held.lock_, INFINITE, 0);
    }
    void WakeAll() { WakeAllConditionVariable(&condition_); }

  private:
    CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};

}  // namespace ui
