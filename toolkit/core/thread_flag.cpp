#include "toolkit/core/thread_flag.h"

#include "runtime/out_of_memory.h"

namespace ui {

namespace {

BOOL CALLBACK AllocateFlagSlot(INIT_ONCE*, void* slot, void**) {
    *static_cast<DWORD*>(slot) = TlsAlloc();
    return TRUE;
}

}  // namespace

DWORD ThreadFlag::Slot() const {
    InitOnceExecuteOnce(&once_, AllocateFlagSlot, &slot_, nullptr);
    // The process's slots are many and the program takes two: running out is running out of
    // memory.
    if (slot_ == TLS_OUT_OF_INDEXES) rt::ReportOutOfMemory();
    return slot_;
}

bool ThreadFlag::IsSet() const {
    return TlsGetValue(Slot()) != nullptr;
}

void ThreadFlag::Set(bool value) {
    TlsSetValue(Slot(), value ? reinterpret_cast<void*>(1) : nullptr);
}

}  // namespace ui
