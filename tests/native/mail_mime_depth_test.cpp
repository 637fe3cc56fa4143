// Nesting depth of multiparts, measured before vmime's recursive parse sees them.
#include "mail/message/mail_message.h"
#include "mail/message/mime_depth.h"

#include <gtest/gtest.h>

using mail::CMailMessage;
using mail::mimeNestingDepth;

namespace {

constexpr int kLimit = CMailMessage::kMaxNesting;

// `levels` multiparts, each holding the next and, innermost, one text part.
std::string nested(int levels, bool closeThem = true)
{
    std::string head = "Subject: deep\r\n";
    std::string tail;
    for (int i = 0; i < levels; ++i) {
        const std::string boundary = "b" + std::to_string(i);
        head += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n--" +
                boundary + "\r\n";
        if (closeThem)
            tail = "\r\n--" + boundary + "--\r\n" + tail;
    }
    return head + "Content-Type: text/plain\r\n\r\ninnermost text" + tail;
}

// Multiparts that name a boundary but never use it: vmime takes each body whole as
// its only part, so these nest without a single delimiter line.
std::string nestedWithoutDelimiters(int levels)
{
    std::string text = "Subject: deep\r\n";
    for (int i = 0; i < levels; ++i)
        text += "Content-Type: multipart/mixed; boundary=x\r\n\r\n";
    return text + "Content-Type: text/plain\r\n\r\nend";
}

} // namespace

TEST(mimeNestingDepth, countsMultipartLevels)
{
    EXPECT_EQ(mimeNestingDepth("Subject: x\r\n\r\nbody", kLimit), 0);
    EXPECT_EQ(mimeNestingDepth(nested(1), kLimit), 1);
    EXPECT_EQ(mimeNestingDepth(nested(7), kLimit), 7);
    EXPECT_EQ(mimeNestingDepth(nested(7, false), kLimit), 7);
    EXPECT_EQ(mimeNestingDepth(nestedWithoutDelimiters(9), kLimit), 9);
}

TEST(mimeNestingDepth, aGuessedBoundaryStartingWithAn8BitByteSplitsNothing)
{
    // vmime leaves such a body whole, so the multiparts before the line still nest.
    const std::string levels = "Content-Type: multipart/mixed\r\n\r\n"
                               "Content-Type: multipart/mixed\r\n\r\n"
                               "Content-Type: multipart/mixed\r\n\r\n"
                               "Content-Type: text/plain\r\n\r\nx\r\n";
    EXPECT_EQ(mimeNestingDepth(levels + "--\xA9"
                                        "b\r\nafter\r\n",
                               kLimit),
              3);
    EXPECT_EQ(mimeNestingDepth(levels + "-- \x80\r\nafter\r\n", kLimit), 3);
    // With an ASCII start the line is a delimiter and only what follows it is a part.
    EXPECT_EQ(mimeNestingDepth(levels + "--b\xA9\r\nafter\r\n", kLimit), 1);

    std::string deep;
    for (int i = 0; i < 3000; ++i)
        deep += "Content-Type: multipart/mixed\r\n\r\n";
    deep += "x\r\n--\xA9\r\n";
    EXPECT_EQ(mimeNestingDepth(deep, kLimit), kLimit + 1);
    EXPECT_TRUE(CMailMessage(deep, "u", 0, 0).isOpaque());
}

TEST(mimeNestingDepth, manySiblingsAreNotDepth)
{
    std::string text = "Content-Type: multipart/mixed; boundary=top\r\n\r\n";
    for (int i = 0; i < 80; ++i) {
        text += "--top\r\nContent-Type: multipart/alternative; boundary=a" + std::to_string(i) +
                "\r\n\r\n--a" + std::to_string(i) + "\r\nContent-Type: text/plain\r\n\r\nx\r\n--a" +
                std::to_string(i) + "--\r\n";
    }
    text += "--top--\r\n";
    EXPECT_EQ(mimeNestingDepth(text, kLimit), 2);
    EXPECT_FALSE(CMailMessage(text, "u", 0, 0).isOpaque());
}

TEST(mimeNestingDepth, stopsCountingPastTheLimit)
{
    EXPECT_EQ(mimeNestingDepth(nested(kLimit), kLimit), kLimit);
    EXPECT_EQ(mimeNestingDepth(nested(kLimit + 1), kLimit), kLimit + 1);
    EXPECT_EQ(mimeNestingDepth(nested(500), kLimit), kLimit + 1);
}

TEST(CMailMessage, nestingUpToTheLimitIsParsed)
{
    const CMailMessage message(nested(kLimit), "u", 0, 0);
    EXPECT_FALSE(message.isOpaque());
    // The text part sits far deeper than body selection looks: the raw body stands in.
    EXPECT_NE(message.plainBody().find("--b0\r\n"), std::string::npos);
}

TEST(CMailMessage, deeperNestingIsKeptAsOpaqueText)
{
    const std::string raw = nested(kLimit + 1);
    const CMailMessage message(raw, "u", 0, 0);
    EXPECT_TRUE(message.isOpaque());
    EXPECT_EQ(message.subject(), "deep");
    EXPECT_EQ(message.plainBody(), raw.substr(raw.find("\r\n\r\n") + 4));
    EXPECT_FALSE(message.isHtml());
    EXPECT_EQ(message.attachmentCount(), 0u);
}

// About 35 KB: enough nesting to overflow a 1 MB stack in a recursive parse.
TEST(CMailMessage, fiveHundredLevelsDoNotCrash)
{
    const std::string raw = nested(500);
    EXPECT_GT(raw.size(), 30000u);
    const CMailMessage message(raw, "u", 0, 0);
    EXPECT_TRUE(message.isOpaque());
    EXPECT_NE(message.plainBody().find("innermost text"), std::string::npos);

    const CMailMessage unclosed(nested(500, false), "u", 0, 0);
    EXPECT_TRUE(unclosed.isOpaque());
    const CMailMessage bare(nestedWithoutDelimiters(2000), "u", 0, 0);
    EXPECT_TRUE(bare.isOpaque());
}
