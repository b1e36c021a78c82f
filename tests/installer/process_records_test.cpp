// Walking the process records the system wrote into the snapshot buffer, for the record layouts
// of both pointer sizes.
#include <cstring>
#include <optional>

#include <gtest/gtest.h>

#include "installer/process_records.h"

namespace {

using inst::RawProcessRecord;

constexpr std::size_t kRecordSize = 248;  // the fixed part and one thread record

// Where the system puts the fields, written down independently of the walker's own table, so
// that a wrong offset there fails here.
struct SystemLayout {
    const char* name;
    const inst::ProcessRecordLayout* walkerLayout;
    std::size_t nameLength, nameMaximumLength, nameBuffer, processId, pointerSize;
    std::uint64_t base;  // where the buffer lies in the asking process
};

void PrintTo(const SystemLayout& layout, std::ostream* out) {
    *out << layout.name;
}

const SystemLayout kLayouts[] = {
    {"x86", &inst::kProcessRecordLayout32, 56, 58, 60, 68, 4, 0x00410000},
    {"x64", &inst::kProcessRecordLayout64, 56, 58, 64, 80, 8, 0x000001F4A2C30000},
};

struct Record {
    std::uint32_t processId;
    std::optional<std::u16string> name;  // nothing: a null name buffer
};

template <typename T>
void Put(std::vector<std::uint8_t>& buffer, std::size_t offset, T value) {
    std::memcpy(buffer.data() + offset, &value, sizeof value);
}

class ProcessRecords : public testing::TestWithParam<SystemLayout> {
  protected:
    const SystemLayout& layout() const { return GetParam(); }

    void PutPointer(std::vector<std::uint8_t>& buffer, std::size_t offset, std::uint64_t value) {
        if (layout().pointerSize == 8) {
            Put<std::uint64_t>(buffer, offset, value);
        } else {
            Put<std::uint32_t>(buffer, offset, static_cast<std::uint32_t>(value));
        }
    }

    // Lays the records out as the system does: each record, then its name with a terminator.
    // Every byte of a record that the walker must not read holds garbage.
    std::vector<std::uint8_t> BuildSnapshot(const std::vector<Record>& records) {
        std::vector<std::uint8_t> buffer;
        std::size_t previous = 0;
        for (std::size_t i = 0; i < records.size(); ++i) {
            const std::size_t offset = buffer.size();
            if (i > 0) Put<std::uint32_t>(buffer, previous, offset - previous);
            previous = offset;
            buffer.resize(offset + kRecordSize, 0xA5);
            Put<std::uint32_t>(buffer, offset, 0);
            PutPointer(buffer, offset + layout().processId, records[i].processId);
            PutPointer(buffer, offset + layout().nameBuffer, 0);
            Put<std::uint16_t>(buffer, offset + layout().nameLength, 0);
            if (!records[i].name) continue;
            const std::u16string& name = *records[i].name;
            const std::size_t nameOffset = buffer.size();
            buffer.resize(nameOffset + (name.size() + 1) * 2 + 6);  // keeps records 8-aligned
            std::memcpy(buffer.data() + nameOffset, name.data(), name.size() * 2);
            Put<std::uint16_t>(buffer, offset + layout().nameLength,
                               static_cast<std::uint16_t>(name.size() * 2));
            Put<std::uint16_t>(buffer, offset + layout().nameMaximumLength,
                               static_cast<std::uint16_t>(name.size() * 2 + 2));
            PutPointer(buffer, offset + layout().nameBuffer, layout().base + nameOffset);
        }
        return buffer;
    }

    std::vector<RawProcessRecord> Walk(const std::vector<std::uint8_t>& buffer) {
        return inst::WalkProcessRecords(buffer.data(), buffer.size(), layout().base,
                                        *layout().walkerLayout);
    }

    std::size_t FieldsEnd() const { return layout().processId + layout().pointerSize; }
};

TEST_P(ProcessRecords, EveryRecordYieldsOneEntryTheLastIncluded) {
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

TEST_P(ProcessRecords, DamagedChainsEndTheWalkInsideTheBuffer) {
    auto buffer = BuildSnapshot({{8, u"a.exe"}, {9, u"b.exe"}});
    Put<std::uint32_t>(buffer, 0, static_cast<std::uint32_t>(buffer.size()));  // points past
    EXPECT_EQ(Walk(buffer).size(), 1u);
    Put<std::uint32_t>(buffer, 0, 0xFFFFFFF0u);  // would wrap around
    EXPECT_EQ(Walk(buffer).size(), 1u);

    // A record cut before its id is not read.
    buffer = BuildSnapshot({{8, u"a.exe"}, {9, u"b.exe"}});
    const std::size_t second = buffer[0] | (buffer[1] << 8);
    buffer.resize(second + FieldsEnd() - 1);
    EXPECT_EQ(Walk(buffer).size(), 1u);
    buffer.resize(FieldsEnd() - 1);
    EXPECT_TRUE(Walk(buffer).empty());
    EXPECT_TRUE(
        inst::WalkProcessRecords(nullptr, 0, layout().base, *layout().walkerLayout).empty());
}

TEST_P(ProcessRecords, NamesOutsideTheBufferAreNotRead) {
    auto buffer = BuildSnapshot({{8, u"inside.exe"}});
    PutPointer(buffer, layout().nameBuffer, layout().base - 2);
    auto records = Walk(buffer);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].hasImageName);
    EXPECT_TRUE(records[0].imageName.empty());

    PutPointer(buffer, layout().nameBuffer, layout().base + buffer.size() - 4);
    EXPECT_TRUE(Walk(buffer)[0].imageName.empty());

    // A length within the buffer but odd reads the whole code units only.
    buffer = BuildSnapshot({{8, u"ab"}});
    Put<std::uint16_t>(buffer, layout().nameLength, 3);
    EXPECT_EQ(Walk(buffer)[0].imageName, u"a");
}

INSTANTIATE_TEST_SUITE_P(BothPointerSizes, ProcessRecords, testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
