// An embedded constant has the byte-set layout and exactly the file's bytes.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "kEmbedSample.h"

TEST(Embed, ConstantHasByteSetLayoutAndTheFileBytes) {
    std::uint32_t header[2];
    std::memcpy(header, kEmbedSample, sizeof header);
    EXPECT_EQ(header[0], 1u);

    // Under Wine the host path is reachable through drive Z:.
#ifdef _WIN32
    std::ifstream in("Z:" EMBED_SAMPLE_PATH, std::ios::binary);
#else
    std::ifstream in(EMBED_SAMPLE_PATH, std::ios::binary);
#endif
    ASSERT_TRUE(in) << "sample file not readable";
    std::vector<unsigned char> expected((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(header[1], expected.size());
    EXPECT_EQ(0, std::memcmp(kEmbedSample + 8, expected.data(), expected.size()));
    EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(kEmbedSample) % 4);
}
