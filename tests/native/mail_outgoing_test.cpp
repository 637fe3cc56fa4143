#include "mail/message/mail_message.h"
#include "mail/send/outgoing_mail.h"
#include "mail/send/reply_draft.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using mail::CMailMessage;
using mail::MailAddress;
using mail::OutgoingMail;

OutgoingMail sample()
{
    OutgoingMail mail;
    mail.sender = {"Me Myself", "me@here.example"};
    mail.to = {{"Ann", "ann@x.example"}};
    mail.cc = {{"", "cc@x.example"}};
    mail.bcc = {{"Hidden", "secret@x.example"}};
    mail.subject = "Plain subject";
    mail.text = "line one\nline two\r\n.dot line\r";
    mail.mailer = "DeskHost";
    return mail;
}

bool hasOnlyCrlfLineEnds(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
    }
    return true;
}

CMailMessage parsed(const std::string& text)
{
    return CMailMessage(text, "sent", 0, 0);
}

TEST(buildOutgoingText, namesEveryoneButTheBlindCopiesWithCrlfLinesOnly)
{
    const std::string text = mail::buildOutgoingText(sample());
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(hasOnlyCrlfLineEnds(text));
    EXPECT_EQ(text.find("secret@x.example"), std::string::npos);
    EXPECT_EQ(text.find("Bcc"), std::string::npos);
    EXPECT_NE(text.find("From: \"Me Myself\" <me@here.example>\r\n"), std::string::npos);
    const CMailMessage back = parsed(text);
    EXPECT_EQ(back.subject(), "Plain subject");
    EXPECT_NE(back.from().find("me@here.example"), std::string::npos);
    EXPECT_NE(back.to().find("ann@x.example"), std::string::npos);
    EXPECT_NE(back.cc().find("cc@x.example"), std::string::npos);
    EXPECT_EQ(mail::rawHeaderValue(back.headerBlock(), "X-Mailer"), "DeskHost");
    ASSERT_EQ(back.replyAddresses().size(), 1u);
    EXPECT_EQ(back.replyAddresses()[0].email, "me@here.example");
    EXPECT_EQ(back.plainBody(), "line one\r\nline two\r\n.dot line\r\n");
}

TEST(buildOutgoingText, eightBitTextIsQuotedPrintableWindows1252)
{
    OutgoingMail mail = sample();
    mail.subject = "Gr\xFC\xDF"
                   "e, caf\xE9";
    mail.to = {{"J\xFCrgen, M.", "j@x.example"}};
    mail.text = "Sch\xF6ne Gr\xFC\xDF"
                "e\n" +
                std::string(1200, 'a');
    const std::string text = mail::buildOutgoingText(mail);
    for (const char c : text)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80u);
    EXPECT_TRUE(hasOnlyCrlfLineEnds(text));
    EXPECT_NE(text.find("Content-Transfer-Encoding: quoted-printable"), std::string::npos);
    EXPECT_NE(text.find("charset=windows-1252"), std::string::npos);
    const CMailMessage back = parsed(text);
    EXPECT_EQ(back.subject(), mail.subject);
    const auto to = mail::parseAddressList(mail::rawHeaderValue(back.headerBlock(), "To"));
    ASSERT_EQ(to.size(), 1u);
    EXPECT_EQ(to[0].name, "J\xFCrgen, M.");
    EXPECT_EQ(back.plainBody(), "Sch\xF6ne Gr\xFC\xDF"
                                "e\r\n" +
                                    std::string(1200, 'a'));
}

TEST(buildOutgoingText, attachmentsFollowTheTextInBase64)
{
    OutgoingMail mail = sample();
    const std::string bytes("\x00\x01\xFF\n\r binary", 13);
    mail.attachments = {{"report.bin", bytes}, {"notes.txt", "hello\n"}};
    const std::string text = mail::buildOutgoingText(mail);
    EXPECT_TRUE(hasOnlyCrlfLineEnds(text));
    EXPECT_NE(text.find("multipart/mixed"), std::string::npos);
    const CMailMessage back = parsed(text);
    ASSERT_EQ(back.attachmentCount(), 2u);
    EXPECT_EQ(back.attachments()[0].fileName, "report.bin");
    EXPECT_EQ(back.attachmentContent(0), bytes);
    EXPECT_EQ(back.attachments()[1].fileName, "notes.txt");
    EXPECT_EQ(back.attachmentContent(1), "hello\n");
    EXPECT_EQ(back.plainBody(), "line one\r\nline two\r\n.dot line\r\n");
}

TEST(buildOutgoingText, refusesLineBreaksAndNulInAddressesAndHeaderValues)
{
    const std::vector<std::function<void(OutgoingMail&)>> spoilers{
        [](OutgoingMail& m) { m.subject = "hi\r\nBcc: everyone@x"; },
        [](OutgoingMail& m) { m.sender.name = "Me\nX-Evil: 1"; },
        [](OutgoingMail& m) { m.sender.email = std::string("me@x\0", 5); },
        [](OutgoingMail& m) { m.to[0].email = "ann@x\r"; },
        [](OutgoingMail& m) { m.cc[0].name = "C\nC"; },
        [](OutgoingMail& m) { m.bcc[0].email = "s@x\nRCPT TO:<y@z>"; },
        [](OutgoingMail& m) { m.mailer = "Host\r\n"; },
        [](OutgoingMail& m) {
            m.attachments = {{"a\r\nb.txt", "x"}};
        },
    };
    for (std::size_t i = 0; i < spoilers.size(); ++i) {
        OutgoingMail mail = sample();
        spoilers[i](mail);
        EXPECT_FALSE(mail::isSafeToSend(mail)) << i;
        EXPECT_EQ(mail::buildOutgoingText(mail), "") << i;
    }
}

const char kOriginal[] = "From: \"Smith, Ann\" <ann@x.example>\r\n"
                         "Reply-To: Bob <b@x.example>, \"Doe, John\" <j@y.example>\r\n"
                         "Date: Tue, 1 Dec 2026 10:00:00 +0000\r\n"
                         "Subject: Lunch\r\n"
                         "\r\n"
                         "First\nSecond\r\n";

TEST(makeReply, addressesComeFromTheParsedReplyList)
{
    const mail::ReplyDraft draft = mail::makeReply(parsed(kOriginal), false);
    ASSERT_EQ(draft.to.size(), 2u);
    EXPECT_EQ(draft.to[0].email, "b@x.example");
    EXPECT_EQ(draft.to[1].name, "Doe, John");
    EXPECT_EQ(draft.to[1].email, "j@y.example");
    EXPECT_EQ(draft.subject, "Re: Lunch");
    EXPECT_TRUE(hasOnlyCrlfLineEnds(draft.text));
    EXPECT_EQ(draft.text.rfind("\r\n\r\nOn Tue, 1 Dec 2026 10:00:00 +0000, ", 0), 0u);
    EXPECT_NE(draft.text.find("ann@x.example> wrote:\r\n\r\nFirst\r\nSecond\r\n"),
              std::string::npos);
}

TEST(makeReply, replyToAllStartsWithTheSenderAndNamesNobodyTwice)
{
    const std::string raw = std::string(kOriginal).replace(std::string(kOriginal).find("Bob"), 3,
                                                           "\"Ann again\" <ANN@x.example>, Bob");
    const mail::ReplyDraft draft = mail::makeReply(parsed(raw), true);
    ASSERT_EQ(draft.to.size(), 3u);
    EXPECT_EQ(draft.to[0].name, "Smith, Ann");
    EXPECT_EQ(draft.to[1].email, "b@x.example");
    EXPECT_EQ(draft.to[2].email, "j@y.example");
    EXPECT_TRUE(draft.text.empty());
}

TEST(makeReply, aLineBreakDecodedFromTheDateStaysCrlf)
{
    const mail::ReplyDraft draft = mail::makeReply(
        parsed("From: a@x.example\r\nDate: =?us-ascii?q?Tue=0D1_Dec=0A2026?=\r\n\r\nx"), false);
    EXPECT_TRUE(hasOnlyCrlfLineEnds(draft.text));
    EXPECT_NE(draft.text.find("On Tue\r\n1 Dec\r\n2026, a@x.example wrote:"), std::string::npos)
        << draft.text;
}

TEST(makeReply, withoutReplyToOrFromTheSenderAnswers)
{
    const mail::ReplyDraft draft = mail::makeReply(
        parsed("Sender: Desk <desk@x.example>\r\nReturn-Path: <bounce@x.example>\r\n\r\nx"), false);
    ASSERT_EQ(draft.to.size(), 1u);
    EXPECT_EQ(draft.to[0].email, "desk@x.example");
}

TEST(replySubject, marksOnlyOnce)
{
    EXPECT_EQ(mail::replySubject("Lunch"), "Re: Lunch");
    EXPECT_EQ(mail::replySubject("Fwd: Re: Lunch"), "Fwd: Re: Lunch");
    EXPECT_EQ(mail::replySubject("RE: Lunch"), "Re: RE: Lunch");
}

TEST(recipientsFromField, splitsAtSeparatorsOutsideQuotes)
{
    const auto list = mail::recipientsFromField(
        " a@x.example ; Bob <b@y.example>|c@z.example,\"Doe; John | Jr\" <j@y.example> ;");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].email, "a@x.example");
    EXPECT_EQ(list[1].email, "b@y.example");
    EXPECT_EQ(list[2].email, "c@z.example");
    EXPECT_EQ(list[3].name, "Doe; John | Jr");
    EXPECT_EQ(mail::recipientsFromField(mail::recipientField(list)).size(), 4u);
}

TEST(recipientsFromField, readsBackAReplyToANameWithABar)
{
    // A separator of the typed field, but a plain character of a header's name.
    const mail::ReplyDraft draft =
        mail::makeReply(parsed("From: Support | Acme <help@acme.example>\r\n\r\nx"), false);
    ASSERT_EQ(draft.to.size(), 1u);
    const auto back = mail::recipientsFromField(mail::recipientField(draft.to));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].name, "Support | Acme");
    EXPECT_EQ(back[0].email, "help@acme.example");

    // Bare in an address too, where quoting the local part names the same mailbox.
    const mail::ReplyDraft bare = mail::makeReply(parsed("From: a|b@x.example\r\n\r\nx"), false);
    ASSERT_EQ(bare.to.size(), 1u);
    EXPECT_EQ(mail::recipientField(bare.to), "\"a|b\"@x.example");
    const auto again = mail::recipientsFromField(mail::recipientField(bare.to));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].email, "a|b@x.example");
}

} // namespace
