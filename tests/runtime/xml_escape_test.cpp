// Escaping of queries and unescaping of returned values.
#include <gtest/gtest.h>

#include "runtime/xml_escape.h"

namespace {

TEST(XmlEscape, ReplacesTheFiveMarkupCharacters) {
    EXPECT_EQ(rt::XmlEscape("a\"b&c'd<e>f"), "a&quot;b&amp;c&apos;d&lt;e&gt;f");
    EXPECT_EQ(rt::XmlEscape("plain/path@2"), "plain/path@2");
    EXPECT_EQ(rt::XmlEscape(""), "");
}

TEST(XmlEscape, LeavesDoubleByteCharactersWhole) {
    // The byte after a lead byte is a trail byte even when it looks like markup.
    EXPECT_EQ(rt::XmlEscape("\x81&\x81<"), "\x81&\x81<");
    EXPECT_EQ(rt::XmlEscape("文件&"), std::string("文件") + "&amp;");
    // A lead byte cut by the end of the text is copied as it is.
    EXPECT_EQ(rt::XmlEscape("<\x81"), "&lt;\x81");
}

TEST(XmlUnescape, DecodesNamedEntitiesIncludingTheOldQuoteSpelling) {
    EXPECT_EQ(rt::XmlUnescape("&lt;&gt;&amp;&apos;&quot;&quote;"), "<>&'\"\"");
    EXPECT_EQ(rt::XmlUnescape("a &amp; b"), "a & b");
    EXPECT_EQ(rt::XmlUnescape("&amp;lt;"), "&lt;");  // decoded once only
}

TEST(XmlUnescape, CopiesUnknownAndNumericEntitiesUnchanged) {
    EXPECT_EQ(rt::XmlUnescape("&#65;&#x41;&nbsp;"), "&#65;&#x41;&nbsp;");
    EXPECT_EQ(rt::XmlUnescape("&;"), "&;");
}

TEST(XmlUnescape, PendingEntityIsCopiedWhenInterruptedOrLeftOpen) {
    // A new ampersand restarts the entity; the text gathered before it stays as it was.
    EXPECT_EQ(rt::XmlUnescape("&a&lt;"), "&a<");
    EXPECT_EQ(rt::XmlUnescape("x&lt"), "x&lt");
    // A double-byte character ends the pending entity, even one that would otherwise decode.
    EXPECT_EQ(rt::XmlUnescape("&l\xB0\xA1t;"), "&l\xB0\xA1t;");
    EXPECT_EQ(rt::XmlUnescape("&\xB0;"), "&\xB0;");
}

TEST(XmlEscape, UnescapeUndoesEscapeOfPlainText) {
    for (std::string text : {"", "a<b>c", "\"q\" & 'a'", "路径<1>&amp;", "&#1;"}) {
        EXPECT_EQ(rt::XmlUnescape(rt::XmlEscape(text)), text) << text;
    }
}

}  // namespace
