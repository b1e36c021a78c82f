// Loading documents and querying them by path: the cases the uninstaller relies on.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/files.h"
#include "tests/runtime/xml_test_support.h"

namespace {

using rt::XmlDocument;
using xmltest::LoadText;

constexpr const char* kUpdateList =
    "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"
    "<!-- written by the updater -->\r\n"
    "<root version=\"3\">\r\n"
    "  <files>\r\n"
    "    <file name=\"VantorFenwix.exe\" size=\"10\"/>\r\n"
    "    <!-- <file name=\"commented.dll\"/> -->\r\n"
    "    <item name=\"sub\\x.dll\" />\r\n"
    "    <file name=\"a&amp;b.txt\" ref=\"&#20013;\"/>\r\n"
    "  </files>\r\n"
    "  <download path=\"download\"></download>\r\n"
    "</root>\r\n";

class XmlUpdateList : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadText(document_, kUpdateList)); }
    XmlDocument document_;
};

TEST_F(XmlUpdateList, DeclarationCommentsAndWhiteSpaceLeaveNoTrace) {
    bool found = false;
    EXPECT_EQ(rt::XmlChildCount(document_, "root", &found), 2);
    EXPECT_TRUE(found);
    EXPECT_EQ(rt::XmlChildCount(document_, "root/files", &found), 3);
    EXPECT_TRUE(found);
    for (int n = 1; n <= 3; ++n) {
        const std::string name =
            rt::XmlGetAttribute(document_, "root/files/@" + std::to_string(n), "name");
        EXPECT_EQ(name.find("commented"), std::string::npos);
        EXPECT_EQ(name.find("<!--"), std::string::npos);
    }
    EXPECT_EQ(document_.Root()->text, "");
}

TEST_F(XmlUpdateList, PositionSelectsTheNthChildWhateverItsName) {
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@1", "name"), "VantorFenwix.exe");
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@2", "name"), "sub\\x.dll");
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@3", "name"), "a&b.txt");
    EXPECT_EQ(rt::XmlGetAttribute(document_, "@1/@2", "path"), "download");
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/file", "size"), "10");
}

TEST_F(XmlUpdateList, InvalidPositionsDoNotResolve) {
    for (const char* path : {"root/files/@0", "root/files/@x", "root/files/@", "root/files/@4",
                             "root/files/@-1", "root/files/@2x", "root/files/@4294967297",
                             "root/files/@4294967296", "root/files/@99999999999999999999999"}) {
        bool found = true;
        EXPECT_EQ(rt::XmlGetAttribute(document_, path, "name", &found), "") << path;
        EXPECT_FALSE(found) << path;
        found = true;
        EXPECT_EQ(rt::XmlChildCount(document_, path, &found), 0) << path;
        EXPECT_FALSE(found) << path;
    }
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@0001", "name"), "VantorFenwix.exe");
}

TEST_F(XmlUpdateList, WrongRootDoesNotResolve) {
    bool found = true;
    EXPECT_EQ(rt::XmlChildCount(document_, "Root/files", &found), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(rt::XmlChildCount(document_, "@2/files", &found), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(rt::XmlChildCount(document_, "@01/files", &found), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(rt::XmlChildCount(document_, "root/nothing", &found), 0);
    EXPECT_FALSE(found);
}

TEST_F(XmlUpdateList, TrailingSlashNamesTheElementReached) {
    EXPECT_EQ(rt::XmlChildCount(document_, "root/files/"), 3);
    EXPECT_EQ(rt::XmlChildCount(document_, "root/"), 2);
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/", "version"), "3");
    // Only the last segment may be empty; an empty middle one looks for an unnamed child.
    EXPECT_EQ(rt::XmlChildCount(document_, "root//files"), 0);
}

TEST_F(XmlUpdateList, ValuesAreUnescapedButReferencesKept) {
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@3", "ref"), "&#20013;");
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@3", "@1"), "a&b.txt");
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@3", "@2"), "&#20013;");
    bool found = true;
    EXPECT_EQ(rt::XmlGetAttribute(document_, "root/files/@3", "@3", &found), "");
    EXPECT_FALSE(found);
}

TEST_F(XmlUpdateList, FoundFlagTellsEmptyValueFromMissingAttribute) {
    ASSERT_TRUE(LoadText(document_, "<r e=\"\" f/>"));
    bool found = false;
    EXPECT_EQ(rt::XmlGetAttribute(document_, "r", "e", &found), "");
    EXPECT_TRUE(found);
    EXPECT_EQ(rt::XmlGetAttribute(document_, "r", "f", &found), "1");
    EXPECT_TRUE(found);
    EXPECT_EQ(rt::XmlGetAttribute(document_, "r", "g", &found), "");
    EXPECT_FALSE(found);
    // Empty arguments fail before anything is looked up.
    found = true;
    EXPECT_EQ(rt::XmlGetAttribute(document_, "", "e", &found), "");
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(rt::XmlGetAttribute(document_, "r", "", &found), "");
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(rt::XmlChildCount(document_, "", &found), 0);
    EXPECT_FALSE(found);
}

TEST(XmlQuery, PathAndNameAreEscapedBeforeMatching) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<a&amp;b><c&lt;d x&quot;y=\"1\"/></a&amp;b>"));
    EXPECT_EQ(rt::XmlChildCount(document, "a&b"), 1);
    EXPECT_EQ(rt::XmlGetAttribute(document, "a&b/c<d", "x\"y"), "1");
    // The escaped spelling in a query is escaped once more and so no longer matches.
    EXPECT_EQ(rt::XmlChildCount(document, "a&amp;b"), 0);
}

TEST(XmlQuery, DoubleByteNamesAndSeparators) {
    XmlDocument document;
    // "\x81/" is one double-byte character, not a separator.
    ASSERT_TRUE(LoadText(document, "<根><\x81/x 名=\"值\"/></根>"));
    EXPECT_EQ(rt::XmlGetAttribute(document, "根/\x81/x", "名"), "值");
    EXPECT_EQ(rt::XmlChildCount(document, "根"), 1);
}

TEST(XmlQuery, NothingLoadedAnswersNothing) {
    XmlDocument document;
    bool found = true;
    EXPECT_EQ(rt::XmlChildCount(document, "root", &found), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(rt::XmlGetAttribute(document, "root", "a", &found), "");
    EXPECT_FALSE(found);
    EXPECT_FALSE(rt::XmlClose(document));
}

TEST(XmlLoad, WellFormednessDecidesTheResult) {
    struct Case {
        const char* text;
        bool loads;
    };
    const Case cases[] = {
        {"<r><a/><b></b></r>", true},
        {"<r><a></b></r>", false},           // closing tag names another element
        {"<r><a></r>", false},               // closing tag for an outer element
        {"<r><a></a>", false},               // root never closed
        {"</r>", false},                     // nothing open
        {"<r/></r>", false},                 // self-closing needs no closing tag
        {"<r a=\"1\" a=\"2\"/>", false},     // repeated attribute
        {"<r a b/>", true},                  // two flags
        {"<r a a/>", false},                 // repeated flag
        {"<?xml version=\"1.0\"?>", false},  // no element at all
        {"<!-- only a comment -->", false},
        {"   \r\n", false},
        {"<r></ r>", false},  // a closing tag named "/" is a different name
    };
    for (const Case& c : cases) {
        XmlDocument document;
        EXPECT_EQ(LoadText(document, c.text), c.loads) << c.text;
        EXPECT_EQ(document.IsLoaded(), c.loads) << c.text;
    }
}

TEST(XmlLoad, FailedOrRepeatedLoadFreesTheOldTree) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<first><a/></first>"));
    ASSERT_TRUE(LoadText(document, "<second/>"));
    EXPECT_EQ(rt::XmlChildCount(document, "first"), 0);
    bool found = false;
    EXPECT_EQ(rt::XmlChildCount(document, "second", &found), 0);
    EXPECT_TRUE(found);
    EXPECT_FALSE(LoadText(document, "<broken>"));
    EXPECT_FALSE(document.IsLoaded());
    EXPECT_FALSE(rt::XmlChildCount(document, "second", &found));
    EXPECT_FALSE(found);
}

TEST(XmlLoad, NullSourceLeavesTheDocumentAsItWas) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<kept/>"));
    EXPECT_FALSE(rt::XmlLoad(document, rt::ByteSet{}));
    EXPECT_FALSE(rt::XmlLoad(document, rt::TextValue{}));
    EXPECT_TRUE(document.IsLoaded());
    EXPECT_TRUE(rt::XmlClose(document));
    EXPECT_FALSE(rt::XmlClose(document));
    EXPECT_FALSE(document.IsLoaded());
}

// Files are written and removed through the runtime's file operations, the ones the reader uses.
class XmlFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = (std::filesystem::temp_directory_path() / "vs_xml_test").string();
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        for (const std::string& file : written_)
            rt::DeleteOneFile(file);
        std::error_code ignored;
        std::filesystem::remove(folder_, ignored);
    }
    std::string Write(const std::string& name, std::string_view text) {
        const std::string file = folder_ + "/" + name;
        EXPECT_EQ(rt::WriteWholeFile(file, xmltest::Bytes(text)), 1) << file;
        written_.push_back(file);
        return file;
    }
    std::string folder_;
    std::vector<std::string> written_;
};

TEST_F(XmlFile, LoadsFromAPath) {
    XmlDocument document;
    ASSERT_TRUE(rt::XmlLoad(document, Write("updatelist.xml", kUpdateList)));
    EXPECT_EQ(rt::XmlChildCount(document, "root/files"), 3);
}

TEST_F(XmlFile, MissingOrEmptyFileFailsAndLeavesNoTree) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<old/>"));
    EXPECT_FALSE(rt::XmlLoad(document, Write("empty.xml", "")));
    EXPECT_FALSE(document.IsLoaded());
    ASSERT_TRUE(LoadText(document, "<old/>"));
    EXPECT_FALSE(rt::XmlLoad(document, folder_ + "/missing.xml"));
    EXPECT_FALSE(document.IsLoaded());
}

TEST(XmlLoad, DeepNestingLoadsQueriesAndFreesWithoutRecursion) {
    constexpr int kDepth = 400000;
    std::string text;
    for (int i = 0; i < kDepth; ++i)
        text += "<d>";
    text += "<leaf v=\"deep\"/>";
    for (int i = 0; i < kDepth; ++i)
        text += "</d>";
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, text));
    std::string path = "d";
    for (int i = 1; i < kDepth; ++i)
        path += "/@1";
    EXPECT_EQ(rt::XmlGetAttribute(document, path + "/leaf", "v"), "deep");
    EXPECT_TRUE(rt::XmlClose(document));
}

}  // namespace
