// Answers one system message box from a helper thread, so tests that show a real box never
// wait for a person: waits for the dialog with the given title, reads its message text, and
// presses the given button.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class BoxAnswerer {
  public:
    // With `reportToStderr` the text is printed as "shown: <text>" before the button is pressed
    // (for boxes whose answer ends the process).
    BoxAnswerer(std::string title, int button, bool reportToStderr = false);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Waits for the helper thread; true when a box was found and answered.
    bool Finish();
    const std::string& Text() const { return text_; }

  private:
    void Run();

    std::string title_;
    int button_;
    bool reportToStderr_;
    std::string text_;
    std::atomic<bool> answered_{false};
    std::thread worker_;
};

// The message text of a message box window (its non-empty static controls).
std::string MessageBoxText(HWND box);
