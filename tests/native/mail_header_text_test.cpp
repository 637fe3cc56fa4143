// Header fields of a raw message: finding, unfolding, encoded words, address lists.
#include "mail/message/header_text.h"

#include <gtest/gtest.h>

using namespace mail;

TEST(rawHeaderValue, findsTheFirstFieldOfThatNameInAnyCaseAndUnfoldsIt)
{
    const std::string block = "X-Subject: not this\r\n"
                              "subject: first\r\n"
                              "  continued\r\n"
                              "\tand more \r\n"
                              "Subject: second\r\n"
                              "To:a@example.com";
    EXPECT_EQ(rawHeaderValue(block, "Subject"), "first  continued\tand more");
    EXPECT_EQ(rawHeaderValue(block, "TO"), "a@example.com");
    EXPECT_EQ(rawHeaderValue(block, "Cc"), "");
    EXPECT_EQ(rawHeaderValue(block, "Subj"), "");
}

TEST(headerBlock, endsAtTheFirstEmptyLineOrTakesEverything)
{
    EXPECT_EQ(headerBlock("A: 1\r\nB: 2\r\n\r\nbody\r\n\r\nmore"), "A: 1\r\nB: 2");
    EXPECT_EQ(headerBlock("A: 1\r\nB: 2\r\n"), "A: 1\r\nB: 2\r\n");
}

TEST(decodedHeaderText, quotedPrintableWordsInLatin1)
{
    EXPECT_EQ(decodedHeaderText("=?ISO-8859-1?Q?Gr=FC=DFe_aus_K=F6ln?="), "Grüße aus Köln");
    EXPECT_EQ(decodedHeaderText("=?iso-8859-1?q?caf=E9?= au lait"), "café au lait");
}

TEST(decodedHeaderText, base64WordsInUtf8)
{
    // "Grüße €" in UTF-8
    EXPECT_EQ(decodedHeaderText("=?UTF-8?B?R3LDvMOfZSDigqw=?="), "Grüße €");
    EXPECT_EQ(decodedHeaderText("Re: =?utf-8?b?R3LDvMOfZSDigqw=?= !"), "Re: Grüße € !");
}

TEST(decodedHeaderText, blanksBetweenEncodedWordsDisappear)
{
    EXPECT_EQ(decodedHeaderText("=?UTF-8?Q?Fr=C3=BChlings?=\r\n =?UTF-8?Q?anfang?="),
              "Frühlingsanfang");
}

TEST(decodedHeaderText, charactersOutsideTheCodePageBecomeQuestionMarks)
{
    // "Привет" (Cyrillic) in UTF-8 and in KOI8-R
    EXPECT_EQ(decodedHeaderText("=?UTF-8?B?0J/RgNC40LLQtdGC?= 1"), "?????? 1");
    EXPECT_EQ(decodedHeaderText("=?KOI8-R?Q?=F0=D2=C9?="), "???");
}

TEST(decodedHeaderText, brokenEncodedWordsStayReadable)
{
    EXPECT_EQ(decodedHeaderText("=?UTF-8?Q?unterminated"), "=?UTF-8?Q?unterminated");
    EXPECT_EQ(decodedHeaderText("plain text"), "plain text");
    EXPECT_EQ(decodedHeaderText(""), "");
}

TEST(parseAddressList, keepsEveryAddressAndQuotedCommas)
{
    const auto list = parseAddressList(
        "\"Doe, John\" <john@example.com>, =?ISO-8859-1?Q?J=F6rg_M=FCller?= <joerg@example.de>,\r\n"
        " plain@example.net");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "Doe, John");
    EXPECT_EQ(list[0].email, "john@example.com");
    EXPECT_EQ(list[1].name, "Jörg Müller");
    EXPECT_EQ(list[1].email, "joerg@example.de");
    EXPECT_EQ(list[2].name, "");
    EXPECT_EQ(list[2].email, "plain@example.net");
}

TEST(parseAddressList, opensGroupsAndSkipsEmptyOnes)
{
    const auto list = parseAddressList("Team: a@example.com, B <b@example.com>;, undisclosed:;");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].email, "a@example.com");
    EXPECT_EQ(list[1].email, "b@example.com");
    EXPECT_TRUE(parseAddressList("").empty());
}

TEST(parseAddressList, anAddressInACharsetNobodyKnowsIsStillRead)
{
    // Writing such an address back out needs a converter for its charset, which does
    // not exist: the library throws, and the message window must not go down with it.
    const auto list = parseAddressList("=?U\x14"
                                       "F-8?Q?zo=C3=AB?=@example.com, "
                                       "=?U\x14"
                                       "F-8?Q?zoe?=@example.com, b@example.com");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_NE(list[0].email.find("@example.com"), std::string::npos);
    EXPECT_EQ(list[0].email.find("=?"), std::string::npos) << list[0].email;
    EXPECT_EQ(list[1].email, "zoe@example.com");
    EXPECT_EQ(list[2].email, "b@example.com");
}

TEST(parseAddressList, eightBitAddressesAreShownAsTheirCharacters)
{
    const auto list = parseAddressList("=?ISO-8859-1?Q?j=F6rg?=@example.de");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].email, "jörg@example.de");
}

TEST(parseAddressList, aNameDecodedWithLineBreaksOrNulIsOneLine)
{
    const auto list = parseAddressList("=?us-ascii?q?Ann=0D=0ASmith=00Jr=09?= <a@example.com>");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "Ann  Smith Jr");
    EXPECT_EQ(list[0].email, "a@example.com");
}

TEST(formatAddressList, quotesNamesThatWouldSplitTheList)
{
    EXPECT_EQ(formatAddressList({{"Doe, John", "john@example.com"},
                                 {"Ann", "ann@example.com"},
                                 {"", "x@example.com"},
                                 {"Say \"hi\"", "q@example.com"}}),
              "\"Doe, John\" <john@example.com>, Ann <ann@example.com>, x@example.com, "
              "\"Say \\\"hi\\\"\" <q@example.com>");
    // Read back unquoted, these would split the list or swallow the rest of it.
    const std::vector<MailAddress> odd = {{"Sales | Desk", "s@example.com"},
                                          {"A=?i", "a@example.com"},
                                          {"Ann (Sales", "n@example.com"},
                                          {"Bo (Sales)", "o@example.com"},
                                          {"", "b@example.com"}};
    EXPECT_EQ(formatAddressList(odd),
              "\"Sales | Desk\" <s@example.com>, \"A=?i\" <a@example.com>, "
              "\"Ann \\(Sales\" <n@example.com>, \"Bo (Sales)\" <o@example.com>, b@example.com");
    const auto back = parseAddressList(formatAddressList(odd));
    ASSERT_EQ(back.size(), 5u);
    EXPECT_EQ(back[1].name, "A=?i");
    EXPECT_EQ(back[2].name, "Ann (Sales");
    EXPECT_EQ(back[3].name, "Bo (Sales)");
    EXPECT_EQ(back[4].email, "b@example.com");
}
