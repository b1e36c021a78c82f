// The reader's syntax: tokens, tags, attributes, text content, CDATA, comments and declarations.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/xml_comments.h"
#include "runtime/xml_tag_parser.h"
#include "tests/runtime/xml_test_support.h"

namespace {

using rt::XmlAttribute;
using rt::XmlDocument;
using xmltest::LoadText;

// Parses `text` as attribute text; "!" when it is rejected, else "name=value;" for each one.
std::string Attributes(std::string_view text) {
    std::vector<XmlAttribute> attributes;
    if (!rt::xml::ParseAttributes(text, attributes)) return "!";
    std::string out;
    for (const XmlAttribute& a : attributes)
        out += a.name + "=" + a.value + ";";
    return out;
}

TEST(XmlAttributes, NamesValuesAndFlags) {
    EXPECT_EQ(Attributes(""), "");
    EXPECT_EQ(Attributes("   "), "");
    EXPECT_EQ(Attributes("a=\"1\" b=2"), "a=1;b=2;");
    EXPECT_EQ(Attributes("  a  =  \"x y\"  "), "a=x y;");
    EXPECT_EQ(Attributes("flag"), "flag=1;");
    EXPECT_EQ(Attributes("flag other=3"), "flag=1;other=3;");
    EXPECT_EQ(Attributes("a=\"<b>/\""), "a=<b>/;");
    EXPECT_EQ(Attributes("a=x/y"), "a=x/y;");
    EXPECT_EQ(Attributes("a=\"unterminated"), "a=unterminated;");
    EXPECT_EQ(Attributes("a="), "a=;");
    EXPECT_EQ(Attributes("a=   "), "a=;");
    EXPECT_EQ(Attributes("a=\"\"b"), "a=;b=1;");
    EXPECT_EQ(Attributes("名=\"值\""), "名=值;");
}

TEST(XmlAttributes, QuoteOrEqualsEndsWhatWasReadSoFar) {
    EXPECT_EQ(Attributes("a=b\"c\""), "a=b;c=1;");
    EXPECT_EQ(Attributes("a=b=c"), "a=b;c=1;");
    EXPECT_EQ(Attributes("a\"b=1"), "a=1;b=1;");
}

TEST(XmlAttributes, NothingReadYetIsAnError) {
    EXPECT_EQ(Attributes("=x"), "!");
    EXPECT_EQ(Attributes("a \"b\""), "!");
    EXPECT_EQ(Attributes("a==b"), "!");
    EXPECT_EQ(Attributes("a= =b"), "!");
    EXPECT_EQ(Attributes("a=1 a=2"), "!");
    EXPECT_EQ(Attributes("a a"), "!");
    EXPECT_EQ(Attributes("a=1 b=2 c=3 b=4"), "!");
    EXPECT_EQ(Attributes("a=1 A=2 aa=3"), "a=1;A=2;aa=3;");  // names compare byte for byte

    // Names already in the list count as well.
    std::vector<XmlAttribute> attributes{{"b", "1"}};
    EXPECT_FALSE(rt::xml::ParseAttributes("a=2 b=3", attributes));
}

TEST(XmlAttributes, TrailBytesAreNeverMarkup) {
    // 0x81 0x3D is one character: its trail byte is not "=".
    EXPECT_EQ(Attributes("a\x81=b"), "a\x81=b=1;");
    EXPECT_EQ(Attributes("a=\x81\"x"), "a=\x81\"x;");
    EXPECT_EQ(Attributes("a=\"\x81\"\""), "a=\x81\";");
}

TEST(XmlTag, NameAttributesSelfClosingAndText) {
    rt::XmlElement element;
    ASSERT_TRUE(rt::xml::ParseTag("\r\n  <file name=\"a b\" ro/>", element));
    EXPECT_EQ(element.name, "file");
    EXPECT_TRUE(element.selfClosing);
    ASSERT_EQ(element.attributes.size(), 2u);
    EXPECT_EQ(element.attributes[1].name, "ro");

    rt::XmlElement open;
    ASSERT_TRUE(rt::xml::ParseTag("<p x=\"a/>b\">\t hello \"world\" \r\n<", open));
    EXPECT_EQ(open.name, "p");
    EXPECT_FALSE(open.selfClosing);
    EXPECT_EQ(open.attributes[0].value, "a/>b");
    EXPECT_EQ(open.text, "hello \"world\"");

    rt::XmlElement spaced;
    EXPECT_FALSE(rt::xml::ParseTag("< p>", spaced));
    rt::XmlElement quotedName;
    ASSERT_TRUE(rt::xml::ParseTag("<a\"b c\">", quotedName));
    EXPECT_EQ(quotedName.name, "a\"b c\"");
}

TEST(XmlText, ContentIsTrimmedAndCdataKeptVerbatim) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document,
                         "<r>\n\t  some text  \r\n<c>dropped<![CDATA[ <a> & </a> ]]>ignored</c>"
                         "<e></e><s>a<![CDATA[1]]>b<![CDATA[2]]>c</s></r>"));
    const rt::XmlElement& root = *document.Root();
    EXPECT_EQ(root.text, "some text");
    EXPECT_FALSE(root.hasCdata);
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0]->text, " <a> & </a> ");
    EXPECT_TRUE(root.children[0]->hasCdata);
    EXPECT_EQ(root.children[1]->text, "");
    EXPECT_EQ(root.children[2]->text, "2");
}

TEST(XmlText, TextAfterSelfClosingTagIsIgnored) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<r>head<a/>tail<b/>more</r>"));
    EXPECT_EQ(document.Root()->text, "head");
    EXPECT_EQ(rt::XmlChildCount(document, "r"), 2);
}

TEST(XmlTokens, MalformedMarkupFailsTheLoad) {
    for (const char* text : {
             "<r><</r>",           // "<" inside a tag
             "<r a=1</r>",         // "<" inside a tag
             "<r>a>b</r>",         // ">" in text content
             "> <r/>",             // ">" outside a tag
             "<r></>",             // the empty closing tag
             "<r></></r>",         // the empty closing tag, even inside a complete element
             "<r/><",              // "<" as the last byte
             "<r><![CDATA[x</r>",  // CDATA never closed
             "<r><!x</r>",         // skipped run never closed
             "<r>\x81",            // double-byte character cut by the end
         }) {
        XmlDocument document;
        EXPECT_FALSE(LoadText(document, text)) << text;
    }
}

TEST(XmlTokens, QuotedMarkupStaysInTheValue) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<r a=\"<x>\" b=\"/>\" c='d'/>"));
    EXPECT_EQ(rt::XmlGetAttribute(document, "r", "a"), "<x>");
    EXPECT_EQ(rt::XmlGetAttribute(document, "r", "b"), "/>");
    // Single quotes do not quote.
    EXPECT_EQ(rt::XmlGetAttribute(document, "r", "c"), "'d'");
}

TEST(XmlTokens, TrailBytesAreNeverMarkup) {
    XmlDocument document;
    // 0x81 0x3E and 0x81 0x3C are characters, not ">" and "<".
    ASSERT_TRUE(LoadText(document, "<r v=\x81>><t>\x81<\x81></t></r>"));
    EXPECT_EQ(rt::XmlGetAttribute(document, "r", "v"), "\x81>");
    EXPECT_EQ(document.Root()->children[0]->text, "\x81<\x81>");
}

TEST(XmlTokens, DeclarationsAndInstructionsAreSkipped) {
    XmlDocument document;
    ASSERT_TRUE(
        LoadText(document, "<?xml version=\"1.0\"?><!DOCTYPE r><r><?pi \">\"?><a/><!x><b/></r>"));
    EXPECT_EQ(rt::XmlChildCount(document, "r"), 2);
    EXPECT_EQ(rt::XmlGetAttribute(document, "r/@2", "@1"), "");
}

TEST(XmlTokens, InputEndingInsideATagEndsTheStreamQuietly) {
    XmlDocument document;
    // The unfinished tag is dropped; the document is still incomplete, as r stays open.
    EXPECT_FALSE(LoadText(document, "<r><a"));
    // After a complete tree, trailing unfinished markup is ignored.
    EXPECT_TRUE(LoadText(document, "<r/>\n<a b=\"c"));
}

TEST(XmlTokens, FirstTopLevelElementIsTheRoot) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<one a=\"1\"/><two><x/></two>"));
    EXPECT_EQ(rt::XmlGetAttribute(document, "one", "a"), "1");
    EXPECT_EQ(rt::XmlChildCount(document, "two"), 0);
    EXPECT_FALSE(LoadText(document, "<one/><two>"));
}

TEST(XmlComments, RemovedBeforeTokenizing) {
    using rt::xml::StripComments;
    EXPECT_EQ(StripComments("a<!-- x -->b"), "ab");
    EXPECT_EQ(StripComments("a<!-- <r> -- -> --->b"), "ab");
    EXPECT_EQ(StripComments("a<!-->b-->c"), "ac");
    EXPECT_EQ(StripComments("a<!- x -->b"), "a<!- x -->b");
    EXPECT_EQ(StripComments("a<!x"), "a<!x");
    EXPECT_EQ(StripComments("a<!-- open"), "a");
    // A lead byte takes the "<" after it along: no comment starts inside a character.
    EXPECT_EQ(StripComments("\x81<!-- x -->"), "\x81<!-- x -->");
    // Nor does one end inside a character.
    EXPECT_EQ(StripComments("<!-- \x81-->x -->y"), "y");
}

TEST(XmlComments, CommentsInsideElementsLeaveNoTrace) {
    XmlDocument document;
    ASSERT_TRUE(LoadText(document, "<r><!-- <bad> -->t<!---->ext<a/></r>"));
    EXPECT_EQ(document.Root()->text, "text");
    EXPECT_EQ(rt::XmlChildCount(document, "r"), 1);
}

}  // namespace
