// Memory whose amount comes from outside the program: a failure is the caller's result, while
// every other allocation keeps the program-wide out-of-memory ending.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <new>

#include "runtime/checked_allocation.h"
#include "runtime/out_of_memory.h"

namespace rt {
namespace {

TEST(CheckedAllocation, AFailureIsAResultInsteadOfTheProgramsEnd) {
    InstallOutOfMemoryHandler();  // as the program does at start
    ByteSet bytes{1, 2, 3};
    EXPECT_FALSE(TryAssignZeros(bytes, std::numeric_limits<std::uint64_t>::max()));
    EXPECT_TRUE(bytes.empty());
#ifdef _WIN32
    // Half the address space, which no process can have: natively the sanitizers would end the
    // process on it first.
    constexpr std::uint64_t kUnservable = std::numeric_limits<std::size_t>::max() / 2 - 16;
    EXPECT_FALSE(TryAssignZeros(bytes, kUnservable));
    ASSERT_TRUE(TryAssignZeros(bytes, 2));
    EXPECT_FALSE(TryResize(bytes, kUnservable));
    EXPECT_EQ(bytes.size(), 2u) << "a failed resize keeps what was there";
#endif
    ASSERT_TRUE(TryAssignZeros(bytes, 2));
    bytes[0] = 7;
    ASSERT_TRUE(TryResize(bytes, 4));
    EXPECT_EQ(bytes, (ByteSet{7, 0, 0, 0}));
    EXPECT_EQ(bytes.capacity(), 4u) << "the block grows to the size asked for, no further";
    std::set_new_handler(nullptr);
}

}  // namespace
}  // namespace rt
