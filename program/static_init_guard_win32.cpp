// Function-local statics are initialised once, even when threads meet one at the same time: the
// compiler calls these three around every such initialiser. The library's versions sit on
// pthreads and on the exception runtime (for an initialiser that throws), about 60 KB that the
// program otherwise does without; these sit on one Windows lock and condition.
//
// The guard is the compiler's 64-bit word per static: its first byte says "initialised" and is
// all the compiler's inline check reads; the other bytes are ours, and hold the thread that runs
// the initialiser. The lock is not held while an initialiser runs, so an initialiser may wait
// for another thread that meets a different static, or meet one itself.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

SRWLOCK gStaticsLock = SRWLOCK_INIT;
CONDITION_VARIABLE gStaticsDone = CONDITION_VARIABLE_INIT;

// The compiler's own type for the word (a 64-bit integer).
using Guard = long long;

unsigned char* InitialisedFlag(Guard* guard) {
    return reinterpret_cast<unsigned char*>(guard);
}

bool Initialised(Guard* guard) {
    return __atomic_load_n(InitialisedFlag(guard), __ATOMIC_ACQUIRE) != 0;
}

// The thread running the initialiser, 0 for none; read and written under the lock.
DWORD Initialiser(Guard* guard) {
    DWORD thread = 0;
    std::memcpy(&thread, reinterpret_cast<unsigned char*>(guard) + 4, sizeof thread);
    return thread;
}

void SetInitialiser(Guard* guard, DWORD thread) {
    std::memcpy(reinterpret_cast<unsigned char*>(guard) + 4, &thread, sizeof thread);
}

}  // namespace

extern "C" int __cxa_guard_acquire(Guard* guard) {
    if (Initialised(guard)) return 0;
    const DWORD self = GetCurrentThreadId();
    AcquireSRWLockExclusive(&gStaticsLock);
    while (!Initialised(guard) && Initialiser(guard) != 0) {
        // An initialiser that meets its own static again: the language leaves that undefined.
        if (Initialiser(guard) == self) std::abort();
        SleepConditionVariableSRW(&gStaticsDone, &gStaticsLock, INFINITE, 0);
    }
    const bool first = !Initialised(guard);
    if (first) SetInitialiser(guard, self);
    ReleaseSRWLockExclusive(&gStaticsLock);
    return first ? 1 : 0;
}

extern "C" void __cxa_guard_release(Guard* guard) {
    AcquireSRWLockExclusive(&gStaticsLock);
    SetInitialiser(guard, 0);
    __atomic_store_n(InitialisedFlag(guard), 1, __ATOMIC_RELEASE);
    ReleaseSRWLockExclusive(&gStaticsLock);
    WakeAllConditionVariable(&gStaticsDone);
}

// Not called in a program without exceptions; part of the interface all the same.
extern "C" void __cxa_guard_abort(Guard* guard) {
    AcquireSRWLockExclusive(&gStaticsLock);
    SetInitialiser(guard, 0);
    ReleaseSRWLockExclusive(&gStaticsLock);
    WakeAllConditionVariable(&gStaticsDone);
}
