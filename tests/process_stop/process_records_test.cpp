// Walking the process records the system wrote into the snapshot buffer.
#include <cstring>
#include <optional>

#include <gtest/gtest.h>

#include "installer/process_records.h"

namespace {

using inst::ProcessRecordLayout;
using inst::RawProcessRecord;

constexpr std::uint32_t kBase = 0x00410000;
constexpr std::size_t kRecordSize = 248;  // the fixed part and one thread record

struct Record {
    std::uint32_t processId;
    std::optional<std::u16string> name;  // nothing: a null name buffer
};

template <typename T>
void Put(std::vector<std::uint8_t>& buffer, std::size_t offset, T value) {
    std::memcpy(buffer.data() + offset, &value, sizeof value);
}

// Lays the records out as the system does: each record, then its name with a terminator.
std::vector<std::uint8_t> BuildSnapshot(const std::vector<Record>& records) {
    std::vector<std::uint8_t> buffer;
    std::size_t previous = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t offset = buffer.size();
        if (i > 0) Put<std::uint32_t>(buffer, previous, offset - previous);
        previous = offset;
        buffer.resize(offset + kRecordSize);
        Put<std::uint32_t>(buffer, offset + ProcessRecordLayout::kUniqueProcessId,
                           records[i].processId);
        if (!records[i].name) continue;
        const std::u16string& name = *records[i].name;
        const std::size_t nameOffset = buffer.size();
        buffer.resize(nameOffset + (name.size() + 1) * 2 + 2);  // keeps records 4-aligned
        std::memcpy(buffer.data() + nameOffset, name.data(), name.size() * 2);
        Put<std::uint16_t>(buffer, offset + ProcessRecordLayout::kImageNameLength,
                           static_cast<std::uint16_t>(name.size() * 2));
        Put<std::uint16_t>(buffer, offset + 58, static_cast<std::uint16_t>(name.size() * 2 + 2));
        Put<std::uint32_t>(buffer, offset + ProcessRecordLayout::kImageNameBuffer,
                           kBase + static_cast<std::uint32_t>(nameOffset));
    }
    return buffer;
}

std::vector<RawProcessRecord> Walk(const std::vector<std::uint8_t>& buffer) {
    return inst::WalkProcessRecords(buffer.data(), buffer.size(), kBase);
}

TEST(ProcessRecords, EveryRecordYieldsOneEntryTheLastIncluded) {
    const auto records =
        Walk(BuildSnapshot({{0, std::nullopt}, {4, u"System"}, {1234, u"VantorFenwix.exe"}}));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].processId, 0u);
    EXPECT_FALSE(records[0].hasImageName);
    EXPECT_EQ(records[1].imageName, u"System");
    EXPECT_EQ(records[2].processId, 1234u);
    EXPECT_TRUE(records[2].hasImageName);
    EXPECT_EQ(records[2].imageName, u"VantorFenwix.exe");
}

TEST(ProcessRecords, DamagedChainsEndTheWalkInsideTheBuffer) {
    auto buffer = BuildSnapshot({{8, u"a.exe"}, {9, u"b.exe"}});
    Put<std::uint32_t>(buffer, 0, static_cast<std::uint32_t>(buffer.size()));  // points past
    EXPECT_EQ(Walk(buffer).size(), 1u);
    Put<std::uint32_t>(buffer, 0, 0xFFFFFFF0u);  // would wrap around
    EXPECT_EQ(Walk(buffer).size(), 1u);

    // A record cut before its id is not read.
    buffer = BuildSnapshot({{8, u"a.exe"}, {9, u"b.exe"}});
    const std::size_t second = buffer[0] | (buffer[1] << 8);
    buffer.resize(second + ProcessRecordLayout::kFieldsEnd - 1);
    EXPECT_EQ(Walk(buffer).size(), 1u);
    buffer.resize(ProcessRecordLayout::kFieldsEnd - 1);
    EXPECT_TRUE(Walk(buffer).empty());
    EXPECT_TRUE(inst::WalkProcessRecords(nullptr, 0, kBase).empty());
}

TEST(ProcessRecords, NamesOutsideTheBufferAreNotRead) {
    auto buffer = BuildSnapshot({{8, u"inside.exe"}});
    Put<std::uint32_t>(buffer, ProcessRecordLayout::kImageNameBuffer, kBase - 2);
    auto records = Walk(buffer);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].hasImageName);
    EXPECT_TRUE(records[0].imageName.empty());

    Put<std::uint32_t>(buffer, ProcessRecordLayout::kImageNameBuffer,
                       kBase + static_cast<std::uint32_t>(buffer.size()) - 4);
    EXPECT_TRUE(Walk(buffer)[0].imageName.empty());

    // A length within the buffer but odd reads the whole code units only.
    buffer = BuildSnapshot({{8, u"ab"}});
    Put<std::uint16_t>(buffer, ProcessRecordLayout::kImageNameLength, 3);
    EXPECT_EQ(Walk(buffer)[0].imageName, u"a");
}

}  // namespace
