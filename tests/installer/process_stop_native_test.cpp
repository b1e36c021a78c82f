// The native stand-ins find a process of our own by its image name and stop it.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "installer/process_control.h"

namespace {

namespace fs = std::filesystem;

// A copy of sleep under a name no other process has, started as a child of this test.
class SleeperProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vs_stop_" + std::to_string(getpid()));
        fs::create_directories(folder_);
        name_ = "VsSleeper" + std::to_string(getpid());
        fs::copy_file("/bin/sleep", folder_ / name_, fs::copy_options::overwrite_existing);
        child_ = fork();
        if (child_ == 0) {
            const std::string path = (folder_ / name_).string();
            execl(path.c_str(), path.c_str(), "30", static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(child_, 0);
    }
    void TearDown() override {
        if (child_ > 0) {
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    // The id found for `name`, polled until the child has become the sleeper (after exec).
    std::uint32_t FindSoon(const std::string& name) {
        for (int i = 0; i < 100; ++i) {
            if (std::uint32_t id = inst::FindProcessIdByName(name)) return id;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return 0;
    }

    fs::path folder_;
    std::string name_;
    pid_t child_ = -1;
};

TEST_F(SleeperProcess, FoundByNameInAnyCaseAndStopped) {
    std::string shouted = name_;
    for (char& c : shouted)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    ASSERT_EQ(FindSoon(shouted), static_cast<std::uint32_t>(child_));

    std::vector<inst::ProcessEntry> processes;
    const int count = inst::EnumerateProcesses(processes);
    EXPECT_EQ(count, static_cast<int>(processes.size()));
    bool listsItself = false;
    for (const auto& process : processes) {
        listsItself |= process.processId == static_cast<std::uint32_t>(getpid());
    }
    EXPECT_TRUE(listsItself);

    inst::StopProcessById(0);  // stops nothing
    EXPECT_EQ(waitpid(child_, nullptr, WNOHANG), 0);

    inst::StopProcessById(static_cast<std::uint32_t>(child_));
    int status = 0;
    ASSERT_EQ(waitpid(child_, &status, 0), child_);
    child_ = -1;
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(inst::FindProcessIdByName(name_), 0u);
}

}  // namespace
