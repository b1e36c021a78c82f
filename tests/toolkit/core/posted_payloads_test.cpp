// The registry of posted payloads: a sender discards only what it registered, also while other
// threads register and take payloads at the same time.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "toolkit/core/posted_payloads.h"

namespace ui {
namespace {

constexpr PayloadWindow kWindow = 0x1234;
constexpr PayloadWindow kOtherWindow = 0x5678;

TEST(PostedPayloads, ATokenNamesOnlyThePayloadItWasGivenFor) {
    std::size_t before = PostedPayloads::Pending();
    PayloadToken rect = PostedPayloads::AddRect(kWindow, {1, 2, 3, 4});
    PayloadToken message = PostedPayloads::AddMessage(kWindow, {0x2804, 5, -6});
    EXPECT_NE(rect, 0u);
    EXPECT_NE(rect, message);
    EXPECT_FALSE(PostedPayloads::TakeRect(kOtherWindow, rect));  // another window's
    EXPECT_FALSE(PostedPayloads::TakeRect(kWindow, message));    // the other kind
    EXPECT_EQ(PostedPayloads::TakeRect(kWindow, rect), (RectF{1, 2, 3, 4}));
    EXPECT_FALSE(PostedPayloads::TakeRect(kWindow, rect));  // taken once only

    // The sender of a taken payload discards its token late; a payload registered meanwhile
    // (in the old scheme: at the same, freed address) stays.
    PayloadToken next = PostedPayloads::AddRect(kWindow, {7, 8, 9, 10});
    PostedPayloads::Discard(rect);
    EXPECT_EQ(PostedPayloads::TakeRect(kWindow, next), (RectF{7, 8, 9, 10}));

    std::optional<PackedMessage> taken = PostedPayloads::TakeMessage(kWindow, message);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->message, 0x2804u);
    EXPECT_EQ(taken->lParam, -6);
    PostedPayloads::AddRect(kOtherWindow, {});
    PostedPayloads::DropWindow(kOtherWindow);
    EXPECT_EQ(PostedPayloads::Pending(), before);
}

// A worker sends to the window thread as an element on another thread does: it registers a
// message, the window takes it (freeing the block) and registers a repaint rectangle of its own,
// and only then does the worker discard its token. The window's rectangle must still be there.
TEST(PostedPayloads, TwoThreadsPostingAndDiscardingAtOnceLoseNothing) {
    constexpr int kRounds = 5000;
    std::size_t before = PostedPayloads::Pending();
    std::atomic<PayloadToken> mailbox{0};
    std::atomic<int> stage{0};  // 0 idle, 1 sent, 2 taken, 3 discarded
    auto waitFor = [&stage](int wanted) {
        while (stage.load() != wanted)
            std::this_thread::yield();
    };
    int lostMessages = 0, lostRects = 0;
    std::thread worker([&] {
        for (int i = 0; i < kRounds; ++i) {
            mailbox = PostedPayloads::AddMessage(kWindow, {0x2804, 0, i});
            stage = 1;
            waitFor(2);
            PostedPayloads::Discard(mailbox);
            stage = 3;
            waitFor(0);
        }
    });
    std::thread window([&] {
        for (int i = 0; i < kRounds; ++i) {
            waitFor(1);
            std::optional<PackedMessage> message = PostedPayloads::TakeMessage(kWindow, mailbox);
            if (!message || message->lParam != i) ++lostMessages;
            PayloadToken own = PostedPayloads::AddRect(kWindow, {float(i), 0, 1, 1});
            stage = 2;
            waitFor(3);
            std::optional<RectF> rect = PostedPayloads::TakeRect(kWindow, own);
            if (!rect || rect->x != float(i)) ++lostRects;
            stage = 0;
        }
    });
    worker.join();
    window.join();
    EXPECT_EQ(lostMessages, 0);
    EXPECT_EQ(lostRects, 0);
    EXPECT_EQ(PostedPayloads::Pending(), before);
}

}  // namespace
}  // namespace ui
