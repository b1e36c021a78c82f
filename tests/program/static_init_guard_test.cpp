// Function-local statics under the program's own initialisation guard: one initialisation when
// threads meet a static together, and no lock held while an initialiser runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

std::atomic<int> gSlowBuilds{0};
std::atomic<int> gInnerBuilds{0};

int Inner() {
    static const int inner = [] {
        ++gInnerBuilds;
        return 41;
    }();
    return inner;
}

// Slow enough that every thread arrives while it runs; it meets a second static on the way.
struct SlowStatic {
    SlowStatic() : value(Inner() + 1) {
        ++gSlowBuilds;
        Sleep(100);
    }
    int value;
};

int Slow() {
    static const SlowStatic slow;
    return slow.value;
}

int Helper() {
    static const int helper = [] { return static_cast<int>(GetCurrentThreadId() != 0); }();
    return helper;
}

// An initialiser that waits for another thread, which meets a static of its own meanwhile.
int Waiting() {
    static const int waiting = [] {
        int seen = 0;
        std::thread other([&seen] { seen = Helper(); });
        other.join();
        return seen + 1;
    }();
    return waiting;
}

TEST(StaticInitGuard, ThreadsMeetingAStaticShareOneInitialisation) {
    std::vector<int> seen(6, 0);
    std::vector<std::thread> threads;
    for (int& value : seen)
        threads.emplace_back([&value] { value = Slow(); });
    for (std::thread& thread : threads)
        thread.join();
    for (const int value : seen)
        EXPECT_EQ(value, 42);
    EXPECT_EQ(gSlowBuilds.load(), 1);
    EXPECT_EQ(gInnerBuilds.load(), 1);

    EXPECT_EQ(Waiting(), 2) << "an initialiser may wait for a thread that meets another static";
}

}  // namespace
