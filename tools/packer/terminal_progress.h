// A one-line progress display that redraws itself on a terminal and stays silent otherwise,
// so build logs get only the final summary.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace packer {

class TerminalProgress {
  public:
    explicit TerminalProgress(std::string label, bool enabled);
    ~TerminalProgress();
    void Update(std::uint64_t done, std::uint64_t total);

  private:
    std::string label_;
    bool enabled_;
    int lastPercent_ = -1;
    std::chrono::steady_clock::time_point start_;
};

bool StderrIsTerminal();

}  // namespace packer
