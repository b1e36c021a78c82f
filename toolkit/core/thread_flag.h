// A yes/no that each thread holds on its own, no on every thread at first. It stands where
// `thread_local bool` would: the compiler's thread-locals on this platform go through emulated
// TLS and pthreads, which the program otherwise does without. Objects live at namespace scope.
#pragma once

#include <windows.h>

namespace ui {

class ThreadFlag {
  public:
    constexpr ThreadFlag() = default;
    ThreadFlag(const ThreadFlag&) = delete;
    ThreadFlag& operator=(const ThreadFlag&) = delete;

    bool IsSet() const;
    void Set(bool value);

  private:
    DWORD Slot() const;

    mutable INIT_ONCE once_ = INIT_ONCE_STATIC_INIT;
    mutable DWORD slot_ = TLS_OUT_OF_INDEXES;
};

}  // namespace ui
