#include "tools/packer/terminal_progress.h"

#include <unistd.h>

#include <cstdio>

namespace packer {

TerminalProgress::TerminalProgress(std::string label, bool enabled)
    : label_(std::move(label)), enabled_(enabled), start_(std::chrono::steady_clock::now()) {}

TerminalProgress::~TerminalProgress() {
    if (enabled_ && lastPercent_ >= 0) std::fputs("\r\033[K", stderr);
}

void TerminalProgress::Update(std::uint64_t done, std::uint64_t total) {
    if (!enabled_) return;
    const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    constexpr int kWidth = 30;
    std::string bar(static_cast<std::size_t>(percent * kWidth / 100), '#');
    bar.resize(kWidth, '.');
    std::fprintf(stderr, "\r%s [%s] %3d%%  %.1f of %.1f MB  %.0f s", label_.c_str(), bar.c_str(),
                 percent, done / 1e6, total / 1e6, seconds);
    std::fflush(stderr);
}

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

}  // namespace packer
