// A front end for the install procedure that answers its questions with a chosen button and
// records what it was shown and asked to do.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "installer/install_front_end.h"

namespace insttest {

struct ShownMessage {
    std::string text;
    std::string title;
    int buttons = 0;
    int icon = 0;
    bool centred = false;
};

class RecordingFrontEnd : public inst::InstallFrontEnd {
  public:
    int answer = rt::kResultNo;
    std::vector<ShownMessage> shown;
    std::vector<std::string> installPaths;
    int closeCount = 0;
    // Every ShowProgress call, as {done, total}.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> progress;

    int ShowInstallMessage(const rt::TextValue& text, const rt::TextValue& title, int buttons,
                           int icon, bool centreOverOwner) override {
        shown.push_back({text, title, buttons, icon, centreOverOwner});
        return answer;
    }
    void SetInstallPath(const rt::TextValue& path) override { installPaths.push_back(path); }
    void CloseWizard() override { ++closeCount; }
    void ShowProgress(std::uint64_t done, std::uint64_t total) override {
        progress.emplace_back(done, total);
    }
};

}  // namespace insttest
