// Conversion of mail texts to the Windows-1252 strings the plug-in shows.
#include "mail/message/text_1252.h"

#include <gtest/gtest.h>

using mail::windows1252FromCharset;
using mail::windows1252FromUtf8;

TEST(windows1252FromUtf8, mapsLatinAndTheHighBlockOfTheCodePage)
{
    // U+00E9, U+20AC (0x80), U+2018/U+2019 (0x91/0x92), U+0178 (0x9F), U+017D (0x8E)
    EXPECT_EQ(
        windows1252FromUtf8("\xC3\xA9 \xE2\x82\xAC \xE2\x80\x98x\xE2\x80\x99 \xC5\xB8\xC5\xBD"),
        "\xE9 \x80 \x91x\x92 \x9F\x8E");
    EXPECT_EQ(windows1252FromUtf8("plain ASCII\r\n"), "plain ASCII\r\n");
}

TEST(windows1252FromUtf8, charactersWithoutAPlaceBecomeOneQuestionMarkEach)
{
    // Greek alpha, an emoji (four bytes), a C1 control that Windows-1252 uses for
    // printable characters (U+0080).
    EXPECT_EQ(windows1252FromUtf8("a\xCE\xB1"
                                  "b\xF0\x9F\x98\x80"
                                  "c\xC2\x80"),
              "a?b?c?");
}

TEST(windows1252FromUtf8, malformedSequencesBecomeQuestionMarksWithoutSwallowingText)
{
    EXPECT_EQ(windows1252FromUtf8("a\xC3"), "a?"); // cut short at the end
    EXPECT_EQ(windows1252FromUtf8("\xC3"
                                  "b"),
              "?b");                                  // lead byte without tail
    EXPECT_EQ(windows1252FromUtf8("\xC0\xAF"), "??"); // overlong "/"
    EXPECT_EQ(windows1252FromUtf8("\xED\xA0\x80"
                                  "x"),
              "???x");                                          // surrogate
    EXPECT_EQ(windows1252FromUtf8("\xF4\x90\x80\x80"), "????"); // past U+10FFFF
}

TEST(windows1252FromCharset, latinLabelsKeepTheirBytesUnlessTheTextIsUtf8)
{
    EXPECT_EQ(windows1252FromCharset("K\xF6ln \x80", "ISO-8859-1"), "K\xF6ln \x80");
    EXPECT_EQ(windows1252FromCharset("K\xF6ln", "windows-1252"), "K\xF6ln");
    // 8-bit header text without a label is usually UTF-8.
    EXPECT_EQ(windows1252FromCharset("K\xC3\xB6ln", "us-ascii"), "K\xF6ln");
    EXPECT_EQ(windows1252FromCharset("K\xC3\xB6ln", "UTF-8"), "K\xF6ln");
}

// These go through vmime's own converter (ICU natively, the code pages of Windows
// in the plug-in); both must give the same bytes.
TEST(windows1252FromCharset, otherCharsetsGoThroughTheLibrary)
{
    EXPECT_EQ(windows1252FromCharset("5 \xA4", "iso-8859-15"), "5 \x80");   // euro sign
    EXPECT_EQ(windows1252FromCharset("\xE9t\xB1", "ISO-8859-2"), "\xE9t?"); // é, t, ą
    EXPECT_EQ(windows1252FromCharset("\x9C"
                                     "C \xF0\xD2\xC9",
                                     "koi8-r"),
              "\xB0"
              "C ???");
}

TEST(windows1252FromCharset, unknownCharsetsKeepOnlyTheirAscii)
{
    EXPECT_EQ(windows1252FromCharset("ab\xE9\xFF", "x-no-such-charset"), "ab??");
    EXPECT_EQ(windows1252FromCharset("", "koi8-r"), "");
}
