// The snapshot query: sized by the system's report, asked again when the list grew meanwhile.
#include <cstring>

#include <gtest/gtest.h>

#include "installer/process_query.h"

namespace {

using inst::kStatusInfoLengthMismatch;
using inst::kStatusSuccess;

// A system whose process list needs `sizes[i]` bytes at its i-th call.
struct FakeSystem {
    explicit FakeSystem(std::vector<std::uint32_t> sizesByCall) : sizes(std::move(sizesByCall)) {}

    std::vector<std::uint32_t> sizes;
    std::vector<std::uint32_t> lengthsAsked;
    std::uint32_t otherFailure = 0;
    bool alwaysGrowing = false;  // every call needs more than it was given

    std::uint32_t operator()(void* buffer, std::uint32_t length, std::uint32_t* needed) {
        const std::uint32_t size = alwaysGrowing
                                       ? length + 100000
                                       : sizes[std::min(lengthsAsked.size(), sizes.size() - 1)];
        lengthsAsked.push_back(length);
        *needed = size;
        if (otherFailure && buffer) return otherFailure;
        if (length < size) return kStatusInfoLengthMismatch;
        std::memset(buffer, 0xAB, size);
        return kStatusSuccess;
    }
};

std::optional<std::vector<std::uint8_t>> Query(FakeSystem& system) {
    return inst::QueryProcessInformation(
        [&system](void* buffer, std::uint32_t length, std::uint32_t* needed) {
            return system(buffer, length, needed);
        });
}

TEST(ProcessQuery, SizedByTheSystemsOwnReport) {
    FakeSystem system({1000});
    const auto snapshot = Query(system);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->size(), 1000u);
    EXPECT_EQ((*snapshot)[999], 0xAB);
    EXPECT_EQ(system.lengthsAsked, (std::vector<std::uint32_t>{0, 1000}));
}

TEST(ProcessQuery, ListThatGrewMeanwhileIsAskedForAgainWithALargerBuffer) {
    FakeSystem system({1000, 1500, 1500});
    const auto snapshot = Query(system);
    ASSERT_TRUE(snapshot);
    ASSERT_EQ(system.lengthsAsked.size(), 3u);
    EXPECT_GE(system.lengthsAsked[2], 1500u);
    EXPECT_EQ((*snapshot)[1499], 0xAB);
}

TEST(ProcessQuery, OtherFailuresAndEndlessGrowthGiveNoSnapshot) {
    FakeSystem failing({1000});
    failing.otherFailure = 0xC0000022;  // access denied
    EXPECT_FALSE(Query(failing));
    EXPECT_EQ(failing.lengthsAsked.size(), 2u);

    FakeSystem growing({0});
    growing.alwaysGrowing = true;
    EXPECT_FALSE(Query(growing));
    EXPECT_LE(growing.lengthsAsked.size(), 9u);
}

}  // namespace
