// What ExtractAll tells while it writes an archive's files, on the extracting thread: each
// folder it creates, each file with its size and whether it was written, each entry it refuses,
// and its progress in bytes of file bodies. A result that failed is told right after the
// failing call, so the system's cause (runtime/system_error.h) is still there to read. Every
// operation does nothing unless overridden. Portable.
#pragma once

#include <cstdint>

#include "installer/byte_progress.h"
#include "runtime/value_types.h"

namespace inst {

class ExtractObserver : public ByteProgress {
  public:
    void Advance(std::uint64_t, std::uint64_t) override {}
    virtual void FolderCreated(const rt::TextValue& /*path*/, bool /*created*/) {}
    virtual void FileWritten(const rt::TextValue& /*path*/, std::uint64_t /*size*/,
                             bool /*written*/) {}
    // A name that would land outside the target directory; nothing is written for it.
    virtual void EntryRefused(const rt::TextValue& /*name*/) {}
};

}  // namespace inst
