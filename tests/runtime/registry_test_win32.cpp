#include "runtime/registry.h"

#include "tests/runtime/scratch.h"

namespace {

using rt::ByteSet;
using rt::TaggedValue;

constexpr int kUser = rt::kRootCurrentUser;

struct RawValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    ByteSet bytes;
};

class RegistryTest : public ScratchKeyTest {
  protected:
    RawValue ReadRaw(const std::string& subkey, const std::string& name) const {
        RawValue raw;
        HKEY key = nullptr;
        raw.status = RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key);
        if (raw.status != ERROR_SUCCESS) return raw;
        DWORD size = 0;
        raw.status = RegQueryValueExA(key, name.c_str(), nullptr, &raw.type, nullptr, &size);
        raw.bytes.resize(size);
        if (raw.status == ERROR_SUCCESS && size > 0)
            raw.status =
                RegQueryValueExA(key, name.c_str(), nullptr, &raw.type, raw.bytes.data(), &size);
        RegCloseKey(key);
        return raw;
    }

    void WriteRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Key().c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(RegistryTest, TextRoundTripsAsRegSzWithItsZero) {
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("InstallPath"), "C:\\目录\\VantorSaelin"), 1);
    const RawValue raw = ReadRaw(Key(), "InstallPath");
    ASSERT_EQ(raw.status, ERROR_SUCCESS);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    const std::string text = "C:\\目录\\VantorSaelin";
    EXPECT_EQ(raw.bytes.size(), text.size() + 1);
    EXPECT_EQ(rt::RegReadText(kUser, Under("InstallPath")), text);
}

TEST_F(RegistryTest, WriteCreatesEveryMissingKey) {
    ASSERT_FALSE(KeyExists(Key()));
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("a\\b\\c\\Name"), "1"), 1);
    EXPECT_TRUE(KeyExists(Key() + "\\a\\b\\c"));
    EXPECT_EQ(rt::RegReadText(kUser, Under("a\\b\\c\\Name")), "1");
}

TEST_F(RegistryTest, EmptyByteSetWritesEmptyBinary) {
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Blob"), ByteSet{}), 1);
    const RawValue raw = ReadRaw(Key(), "Blob");
    ASSERT_EQ(raw.status, ERROR_SUCCESS);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_TRUE(raw.bytes.empty());
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Blob"), ByteSet{0, 1, 2}), 1);
    EXPECT_EQ(ReadRaw(Key(), "Blob").bytes, (ByteSet{0, 1, 2}));
}

TEST_F(RegistryTest, NumbersWriteDwordsAndOtherKindsNothing) {
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Int"), 7), 1);
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Wide"), TaggedValue::Int64(0x100000002LL)), 1);
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Real"), TaggedValue::Double(-2.9)), 1);
    EXPECT_EQ(ReadRaw(Key(), "Int").bytes, (ByteSet{7, 0, 0, 0}));
    EXPECT_EQ(ReadRaw(Key(), "Int").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ReadRaw(Key(), "Wide").bytes, (ByteSet{2, 0, 0, 0}));
    EXPECT_EQ(ReadRaw(Key(), "Real").bytes, (ByteSet{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(rt::RegWriteValue(kUser, Under("Flag"), TaggedValue::Bool(true)), 0);
    EXPECT_EQ(ReadRaw(Key(), "Flag").status, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, NonTextValuesReadAsTheDefault) {
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Dword"), 1), 1);
    EXPECT_EQ(rt::RegReadText(kUser, Under("Dword"), "fallback"), "fallback");
    EXPECT_EQ(rt::RegReadText(kUser, Under("Dword")), "");
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Empty"), ""), 1);
    EXPECT_EQ(rt::RegReadText(kUser, Under("Empty"), "0"), "0");
    EXPECT_EQ(rt::RegReadText(kUser, Under("Missing"), "0"), "0");
    EXPECT_EQ(rt::RegReadText(kUser, Under("NoKey\\Missing"), "0"), "0");
}

TEST_F(RegistryTest, ExpandableTextIsReadUnexpanded) {
    const char text[] = "%SystemRoot%\\x";
    WriteRaw("Expand", REG_EXPAND_SZ, text, sizeof(text));
    EXPECT_EQ(rt::RegReadText(kUser, Under("Expand")), text);
}

TEST_F(RegistryTest, LongTextIsReadWhole) {
    const std::string text(5000, 'x');
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Long"), text + "end"), 1);
    EXPECT_EQ(rt::RegReadText(kUser, Under("Long")), text + "end");
}

TEST_F(RegistryTest, TextStoredWithoutItsZeroIsNotOverread) {
    const std::string text(1024, 'y');  // fills the first buffer exactly
    WriteRaw("Unterminated", REG_SZ, text.data(), static_cast<DWORD>(text.size()));
    EXPECT_EQ(rt::RegReadText(kUser, Under("Unterminated")), text);
    WriteRaw("Short", REG_SZ, "abc", 3);
    EXPECT_EQ(rt::RegReadText(kUser, Under("Short")), "abc");
}

TEST_F(RegistryTest, TrailingBackslashNamesTheDefaultValue) {
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Sub\\"), "default"), 1);
    const RawValue raw = ReadRaw(Key() + "\\Sub", "");
    ASSERT_EQ(raw.status, ERROR_SUCCESS);
    EXPECT_EQ(rt::RegReadText(kUser, Under("Sub\\")), "default");
}

TEST_F(RegistryTest, DeleteEntryRemovesValueThenKeyWithoutSubkeys) {
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Entry\\DisplayName"), "VantorSaelin"), 1);
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Entry\\Other"), "x"), 1);
    EXPECT_EQ(rt::RegDeleteEntry(kUser, Under("Entry\\DisplayName")), 1);
    EXPECT_EQ(ReadRaw(Key() + "\\Entry", "DisplayName").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(rt::RegReadText(kUser, Under("Entry\\Other")), "x");
    // No value of that name: the whole path is taken as a key, values and all.
    EXPECT_EQ(rt::RegDeleteEntry(kUser, Under("Entry")), 1);
    EXPECT_FALSE(KeyExists(Key() + "\\Entry"));
    EXPECT_EQ(rt::RegDeleteEntry(kUser, Under("Entry")), 0);
}

TEST_F(RegistryTest, DeleteEntryKeepsAKeyWithSubkeys) {
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Parent\\Child\\V"), "1"), 1);
    EXPECT_EQ(rt::RegDeleteEntry(kUser, Under("Parent")), 0);
    EXPECT_TRUE(KeyExists(Key() + "\\Parent\\Child"));
}

TEST_F(RegistryTest, UnknownRootOrEmptyPathTouchesNothing) {
    for (int root : {0, 6, -1}) {
        EXPECT_EQ(rt::RegWriteValue(root, Under("V"), "1"), 0);
        EXPECT_EQ(rt::RegReadText(root, Under("V"), "d"), "d");
        EXPECT_EQ(rt::RegDeleteEntry(root, Under("V")), 0);
    }
    EXPECT_FALSE(KeyExists(Key()));
    ASSERT_EQ(rt::RegWriteValue(kUser, Under("Keep"), "1"), 1);
    EXPECT_EQ(rt::RegDeleteEntry(6, Under("Keep")), 0);
    EXPECT_EQ(rt::RegDeleteEntry(6, Key()), 0);
    EXPECT_EQ(rt::RegReadText(kUser, Under("Keep")), "1");
    EXPECT_EQ(rt::RegWriteValue(kUser, "", "1"), 0);
    EXPECT_EQ(rt::RegDeleteEntry(kUser, ""), 0);
    EXPECT_EQ(rt::RegReadText(kUser, "", "d"), "d");
}

}  // namespace
