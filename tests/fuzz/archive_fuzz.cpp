// Arbitrary archive images through Open, FindEntry/ReadEntry and ExtractAll into a throwaway
// directory. Besides the sanitizers' checks, every run verifies that nothing was written
// beside the target directory, whatever names the image holds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "installer/archive_format.h"
#include "installer/archive_reader.h"

namespace {

namespace fs = std::filesystem;

void RemoveSandbox();

// Created at the first run, removed at exit; kept alive until then on purpose.
const fs::path& Sandbox() {
    static const fs::path* sandbox = [] {
        char pattern[] = "/tmp/vs-archive-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        auto* path = new fs::path(pattern);
        std::atexit(RemoveSandbox);
        return path;
    }();
    return *sandbox;
}

void RemoveSandbox() {
    std::error_code ignored;
    fs::remove_all(Sandbox(), ignored);
}

// The sandbox must hold the target folder and nothing else.
void CheckNothingEscaped() {
    for (const fs::directory_entry& entry : fs::directory_iterator(Sandbox())) {
        if (entry.path().filename() != "target") {
            std::fprintf(stderr, "written outside the target: %s\n", entry.path().c_str());
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const rt::ByteSet image(data, data + size);
    inst::ArchiveReader reader;
    if (reader.Open("", image)) {
        // Stored checksums need not match the names; lookups go by the name's own CRC-32.
        for (const inst::ArchiveEntry& entry : reader.Entries()) {
            const int position = reader.FindEntry(entry.name);
            const std::size_t expected = position == 0 ? 0 : reader.Entries()[position - 1].size;
            if (position != 0 &&
                reader.Entries()[position - 1].nameChecksum != inst::NameChecksum(entry.name))
                std::abort();
            if (reader.ReadEntry(entry.name).size() != expected) std::abort();
        }
    }
    const fs::path target = Sandbox() / "target";
    fs::create_directories(target);
    reader.ExtractAll("", image, target.string());
    CheckNothingEscaped();
    std::error_code ignored;
    fs::remove_all(target, ignored);
    return 0;
}
