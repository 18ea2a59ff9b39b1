#include <gtest/gtest.h>

#include "platform/errors/errors.h"
#include "platform/text/text.h"

namespace text = platform::text;
using text::Compare;

TEST(Text, CountsAndCutsByCharacterNeverSplittingOne) {
    const std::string s = "Ré\xE2\x82\xAC\xF0\x9F\x93\x81x";  // R é € 📁 x
    EXPECT_EQ(text::Len(s), 5);
    EXPECT_EQ(text::Left(s, 2), "Ré");
    EXPECT_EQ(text::Right(s, 2), "\xF0\x9F\x93\x81x");
    EXPECT_EQ(text::Mid(s, 3, 1), "\xE2\x82\xAC");
    EXPECT_EQ(text::Mid(s, 4), "\xF0\x9F\x93\x81x");
    EXPECT_EQ(text::Left(s, 0), "");
    EXPECT_EQ(text::Left(s, 99), s);
    EXPECT_EQ(text::Right(s, -1), "");
    EXPECT_EQ(text::Mid(s, 9), "");
}

TEST(Text, BytesThatAreNotUtf8AreOneCharacterEachReadAsTheReplacementCharacter) {
    const std::string s = "a\x80" "b\xE2\x82" "c\xF0\x9F\x93";  // a stray byte, then two sequences cut short
    EXPECT_EQ(text::Len(s), 6);
    EXPECT_EQ(text::Characters(s), (std::u32string{U'a', 0xFFFD, U'b', 0xFFFD, U'c', 0xFFFD}));
    EXPECT_EQ(text::ByteOffset(s, 1), 1u);
    EXPECT_EQ(text::ByteOffset(s, 4), 5u);
    EXPECT_EQ(text::ByteOffset(s, 5), 6u);
    EXPECT_EQ(text::ByteOffset(s, 99), s.size());
    EXPECT_EQ(text::ByteOffset(s, -1), 0u);
    EXPECT_EQ(text::Mid(s, 4, 1), "\xE2\x82");
    EXPECT_EQ(text::Characters("R\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\x81"), (std::u32string{U'R', 0xE9, 0x20AC, 0x1F4C1}));
}

TEST(Text, InStrIsOneBasedAndCountsCharacters) {
    EXPECT_EQ(text::InStr("05-123-Smith House", "-"), 3);
    EXPECT_EQ(text::InStr(4, "05-123-Smith House", "-"), 7);
    EXPECT_EQ(text::InStr("abc", "x"), 0);
    EXPECT_EQ(text::InStr("éé-x", "-"), 3);
    EXPECT_EQ(text::InStr(2, "abc", ""), 2);
    EXPECT_EQ(text::InStr(5, "abc", "c"), 0);
    EXPECT_EQ(text::InStrRev("a\\b\\c", "\\"), 4);
    EXPECT_EQ(text::InStrRev("abc", "\\"), 0);
}

TEST(Text, CaseFoldingCoversEveryScript) {
    EXPECT_TRUE(text::EqualNoCase("ÉCOLE", "école"));
    EXPECT_TRUE(text::EqualNoCase("ΣΟΦΙΑ", "σοφια"));
    EXPECT_TRUE(text::EqualNoCase("Smith House", "sMITH hOUSE"));
    EXPECT_FALSE(text::EqualNoCase("Smith", "Smith "));
    EXPECT_FALSE(text::Equal("a", "A", Compare::Binary));
    EXPECT_EQ(text::InStr("Pick the <WORKUNIT>.", "<workunit>", Compare::Text), 10);
    EXPECT_EQ(text::InStr("Ärger", "ä", Compare::Text), 1);
    EXPECT_EQ(text::InStr("Ärger", "ä", Compare::Binary), 0);
    EXPECT_TRUE(text::StartsWithNoCase("SMITH House: 05-123", "sm"));
    EXPECT_TRUE(text::StartsWithNoCase("Élan", "él"));
    EXPECT_FALSE(text::StartsWithNoCase("S", "sm"));
}

TEST(Text, ReplaceScansOnceFromTheLeft) {
    EXPECT_EQ(text::Replace("<~Unit~ No.>", "~unit~", "Job", Compare::Text), "<Job No.>");
    EXPECT_EQ(text::Replace("<~Unit~ No.>", "~unit~", "Job", Compare::Binary), "<~Unit~ No.>");
    EXPECT_EQ(text::Replace("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(text::Replace("x</body>y</BODY>", "</BODY>", "!", Compare::Text), "x!y!");
    EXPECT_EQ(text::Replace("abc", "", "x"), "abc");
}

TEST(Text, TrimTakesBlanksOnly) {
    EXPECT_EQ(text::Trim("  a b  "), "a b");
    EXPECT_EQ(text::Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(text::LTrim("  a "), "a ");
    EXPECT_EQ(text::RTrim("  a "), "  a");
    EXPECT_EQ(text::Trim("   "), "");
}

TEST(Text, NumbersReadAsTheHostRuntimeReadsThem) {
    EXPECT_TRUE(text::IsNumeric("17"));
    EXPECT_TRUE(text::IsNumeric(" -9"));
    EXPECT_TRUE(text::IsNumeric("-99"));
    EXPECT_TRUE(text::IsNumeric("09"));
    EXPECT_TRUE(text::IsNumeric(".9"));
    EXPECT_TRUE(text::IsNumeric("&H1F"));
    EXPECT_FALSE(text::IsNumeric("A9"));
    EXPECT_FALSE(text::IsNumeric(""));
    EXPECT_FALSE(text::IsNumeric("-"));
    EXPECT_FALSE(text::IsNumeric("1e"));
    EXPECT_DOUBLE_EQ(text::NumericValue("-99"), -99);
    EXPECT_DOUBLE_EQ(text::NumericValue(" 1.5e1 "), 15);
    EXPECT_EQ(text::CLng("2.5"), 2);
    EXPECT_EQ(text::CLng("3.5"), 4);
    EXPECT_EQ(text::CLng("-17"), -17);
}

TEST(Text, ConversionsFailWithTheRuntimeNumbers) {
    EXPECT_TRUE(text::CBool("True"));
    EXPECT_TRUE(text::CBool("true"));
    EXPECT_TRUE(text::CBool("1"));
    EXPECT_FALSE(text::CBool("0"));
    EXPECT_FALSE(text::CBool("False"));
    try {
        text::CBool("yes please");
        FAIL() << "no failure";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 13);
        EXPECT_EQ(e.Description, "Type mismatch");
    }
    try {
        text::CLng("99999999999");
        FAIL() << "no failure";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 6);
    }
}

TEST(Text, ChrAndAscW) {
    EXPECT_EQ(text::Chr(13) + text::Chr(10), "\r\n");
    EXPECT_EQ(text::Chr(0xE9), "é");
    EXPECT_EQ(text::AscW("é"), 0xE9u);
    EXPECT_EQ(text::AscW(""), 0u);
}

TEST(Text, ValTakesTheLeadingNumberOnly) {
    EXPECT_DOUBLE_EQ(text::Val("11.0.0.0"), 11);
    EXPECT_DOUBLE_EQ(text::Val("9.0.0.2711"), 9);
    EXPECT_DOUBLE_EQ(text::Val("10.5a"), 10.5);
    EXPECT_DOUBLE_EQ(text::Val(" 12 "), 12);
    EXPECT_DOUBLE_EQ(text::Val("Outlook"), 0);
}
