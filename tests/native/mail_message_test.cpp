// The message model: header texts, body selection, attachments, the HTML file text.
#include "mail/message/mail_message.h"
#include "mail/message/mime_depth.h"

#include <gtest/gtest.h>

using mail::CMailMessage;
using mail::MessageAttachment;

namespace {

CMailMessage parsed(const std::string& raw)
{
    return CMailMessage(raw, "uid-1", 0, 1);
}

const std::string kAlternative = "From: Ann <ann@example.com>\r\n"
                                 "To: bob@example.com\r\n"
                                 "Subject: Both\r\n"
                                 "MIME-Version: 1.0\r\n"
                                 "Content-Type: multipart/alternative; boundary=\"alt\"\r\n"
                                 "\r\n"
                                 "preamble\r\n"
                                 "--alt\r\n"
                                 "Content-Type: text/plain; charset=ISO-8859-1\r\n"
                                 "Content-Transfer-Encoding: quoted-printable\r\n"
                                 "\r\n"
                                 "Gr=FC=DFe, a long line that goes=\r\n"
                                 " on.\r\n"
                                 "--alt\r\n"
                                 "Content-Type: text/html; charset=UTF-8\r\n"
                                 "Content-Transfer-Encoding: base64\r\n"
                                 "\r\n"
                                 "PHA+R3LDvMOfZTwvcD4=\r\n"
                                 "--alt--\r\n";

} // namespace

TEST(CMailMessage, keepsTheAccountFileRecord)
{
    const std::string raw = "Subject: x\r\n\r\nbody";
    CMailMessage message(raw, "0001.abc", 0, 1);
    EXPECT_EQ(message.rawText(), raw);
    EXPECT_EQ(message.uniqueId(), "0001.abc");
    EXPECT_EQ(message.reserved(), 0);
    EXPECT_EQ(message.isNew(), 1);
    message.setNew(0);
    const CMailMessage copy = message;
    EXPECT_EQ(copy.isNew(), 0);
    EXPECT_EQ(copy.subject(), "x");
}

TEST(CMailMessage, headerTextsAreDecodedAndMissingOnesEmpty)
{
    const CMailMessage message = parsed("From: =?UTF-8?Q?Zo=C3=AB?= <zoe@example.com>\r\n"
                                        "To: a@example.com, \"B, Bee\" <b@example.com>\r\n"
                                        "Subject: =?ISO-8859-1?Q?=C0_bient=F4t?=\r\n"
                                        "Date: Tue, 1 Oct 2024 10:00:00 +0200\r\n"
                                        "\r\n"
                                        "Hi\r\n");
    EXPECT_EQ(message.from(), "Zoë <zoe@example.com>");
    EXPECT_EQ(message.to(), "a@example.com, \"B, Bee\" <b@example.com>");
    EXPECT_EQ(message.cc(), "");
    EXPECT_EQ(message.subject(), "À bientôt");
    EXPECT_EQ(message.date(), "Tue, 1 Oct 2024 10:00:00 +0200");
    EXPECT_EQ(message.headerBlock(),
              message.rawText().substr(0, message.rawText().find("\r\n\r\n")));
}

TEST(CMailMessage, encodedWordsTheLibraryThrowsOnLeaveTheFieldsAsSent)
{
    // Two encoded words, the first with a "?" in its text: the MIME library's word
    // reader throws on this run, in the header, the address list and the text alike.
    const std::string bad = "=?x?b??k=?=x=?x?b?k=?=";
    const std::string raw = "From: " + bad +
                            " <a@example.com>\r\nSender: s@example.com\r\n"
                            "Subject: " +
                            bad + "\r\n\r\nHello\r\n";
    const CMailMessage message = parsed(raw);
    EXPECT_EQ(message.subject(), bad);
    EXPECT_EQ(message.from(), bad + " <a@example.com>");
    ASSERT_EQ(message.replyAddresses().size(), 1u);
    EXPECT_EQ(message.replyAddresses()[0].email, "s@example.com");
    EXPECT_NE(message.plainBody().find("Hello"), std::string::npos);
    EXPECT_EQ(mail::mimeNestingDepth(raw, 50), 0);

    // In a part's header only, and so in the message's parse too.
    const std::string nested = "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n"
                               "Subject: " +
                               bad + "\r\n\r\npart\r\n--b--\r\n";
    EXPECT_EQ(mail::mimeNestingDepth(nested, 50), 1);
    EXPECT_NE(parsed(nested).plainBody().find("part"), std::string::npos);
}

TEST(CMailMessage, replyToListsEveryAddressWithQuotedCommas)
{
    const CMailMessage message =
        parsed("From: ann@example.com\r\n"
               "Reply-To: \"Smith, Jane\" <jane@example.com>, desk@example.com,\r\n"
               "  \"Doe; John\" <john@example.com>\r\n"
               "\r\n");
    const auto addresses = message.replyAddresses();
    ASSERT_EQ(addresses.size(), 3u);
    EXPECT_EQ(addresses[0].name, "Smith, Jane");
    EXPECT_EQ(addresses[1].email, "desk@example.com");
    EXPECT_EQ(addresses[2].email, "john@example.com");
    EXPECT_EQ(
        message.replyAddress(),
        "\"Smith, Jane\" <jane@example.com>, desk@example.com, \"Doe; John\" <john@example.com>");
}

TEST(CMailMessage, replyAddressFallsBackToFromSenderThenReturnPath)
{
    EXPECT_EQ(parsed("From: a@example.com\r\n\r\n").replyAddress(), "a@example.com");
    EXPECT_EQ(
        parsed("Sender: s@example.com\r\nReturn-Path: <r@example.com>\r\n\r\n").replyAddress(),
        "s@example.com");
    const CMailMessage last = parsed("Return-Path: <r@example.com>\r\n\r\n");
    EXPECT_EQ(last.replyAddress(), "r@example.com");
    ASSERT_EQ(last.replyAddresses().size(), 1u);
    EXPECT_EQ(parsed("Subject: none\r\n\r\n").replyAddress(), "");
}

TEST(CMailMessage, singlePartBodiesAreDecodedAndConverted)
{
    const CMailMessage qp = parsed("Content-Type: text/plain; charset=iso-8859-1\r\n"
                                   "Content-Transfer-Encoding: quoted-printable\r\n"
                                   "\r\n"
                                   "caf=E9 =3D soft=\r\n"
                                   "break\r\n");
    EXPECT_EQ(qp.plainBody(), "café = softbreak\r\n");
    EXPECT_FALSE(qp.isHtml());

    const CMailMessage base64 = parsed("Content-Type: text/plain; charset=\"utf-8\"\r\n"
                                       "Content-Transfer-Encoding: BASE64\r\n"
                                       "\r\n"
                                       "Wm/DqyBzYXlzIGhlbGxvLg0KTGluZSB0d28g4oCTIGRhc2guDQo=\r\n");
    EXPECT_EQ(base64.plainBody(), "Zoë says hello.\r\nLine two – dash.\r\n");

    const CMailMessage unknown = parsed("Content-Transfer-Encoding: x-rot13\r\n\r\nuryyb");
    EXPECT_EQ(unknown.plainBody(), "uryyb");
}

TEST(CMailMessage, alternativePartsGiveThePlainAndTheHtmlBody)
{
    const CMailMessage message = parsed(kAlternative);
    EXPECT_EQ(message.plainBody(), "Grüße, a long line that goes on.");
    EXPECT_EQ(message.htmlBody(), "<p>Grüße</p>");
    EXPECT_TRUE(message.isHtml());
    EXPECT_EQ(message.attachmentCount(), 0u);
}

TEST(CMailMessage, aPlainMessageHasNoHtmlPartButItsRawBodyStandsIn)
{
    const CMailMessage message = parsed("Subject: s\r\n\r\nline one\r\n\r\nline two\r\n");
    EXPECT_FALSE(message.isHtml());
    EXPECT_EQ(message.htmlBody(), "line one\r\n\r\nline two\r\n");
    EXPECT_EQ(message.plainBody(), "line one\r\n\r\nline two\r\n");
}

TEST(CMailMessage, bodiesAreFoundOneLevelIntoMultipartsButNoDeeper)
{
    const std::string oneLevel =
        "Content-Type: multipart/mixed; boundary=outer\r\n\r\n"
        "--outer\r\nContent-Type: multipart/alternative; boundary=inner\r\n\r\n"
        "--inner\r\nContent-Type: text/plain\r\n\r\nplain text\r\n"
        "--inner\r\nContent-Type: text/html\r\n\r\n<b>html</b>\r\n"
        "--inner--\r\n"
        "--outer--\r\n";
    EXPECT_EQ(parsed(oneLevel).plainBody(), "plain text");
    EXPECT_EQ(parsed(oneLevel).htmlBody(), "<b>html</b>");

    const std::string twoLevels = "Content-Type: multipart/mixed; boundary=a\r\n\r\n"
                                  "--a\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n"
                                  "--b\r\nContent-Type: multipart/alternative; boundary=c\r\n\r\n"
                                  "--c\r\nContent-Type: text/html\r\n\r\n<i>deep</i>\r\n--c--\r\n"
                                  "--b--\r\n--a--\r\n";
    const CMailMessage deep = parsed(twoLevels);
    EXPECT_FALSE(deep.isHtml());
    EXPECT_EQ(deep.htmlBody(), twoLevels.substr(twoLevels.find("\r\n\r\n") + 4));
}

const std::string kWithAttachments =
    "Subject: files\r\n"
    "Content-Type: multipart/mixed; boundary=\"=_b\"\r\n"
    "\r\n"
    "--=_b\r\n"
    "Content-Type: text/html\r\n"
    "\r\n"
    "<img src=\"cid:Pic1@Example\"> 3D=20view\r\n"
    "--=_b\r\n"
    "Content-Type: application/pdf\r\n"
    "Content-Disposition: attachment; filename=\"..\\\\..\\\\report.pdf\"\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "AAECAwQFBgcICQoLDA0ODyVQREYtMS40\r\n"
    "--=_b\r\n"
    "Content-Type: text/plain; name=\"notes.txt\"\r\n"
    "\r\n"
    "text parts are shown, not saved\r\n"
    "--=_b\r\n"
    "Content-Type: image/png; name=\"CON.png\"\r\n"
    "Content-ID: <pic1@example>\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "=89PNG\r\n"
    "--=_b\r\n"
    "Content-Type: audio/x-wav\r\n"
    "\r\n"
    "RIFF\r\n"
    "--=_b--\r\n";

TEST(CMailMessage, topLevelPartsOfFileTypesAreAttachmentsWithSafeNames)
{
    const CMailMessage message = parsed(kWithAttachments);
    ASSERT_EQ(message.attachmentCount(), 3u);
    const auto& list = message.attachments();
    EXPECT_EQ(list[0].fileName, "report.pdf");
    EXPECT_EQ(list[0].partIndex, 1);
    EXPECT_EQ(list[1].fileName, "_CON.png");
    EXPECT_EQ(list[1].partIndex, 3);
    EXPECT_EQ(list[1].contentId, "pic1@example");
    EXPECT_EQ(list[2].fileName, "attachment3");
    EXPECT_EQ(message.attachmentContent(0),
              std::string("\0\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17%PDF-1.4", 24));
    EXPECT_EQ(message.attachmentContent(1), "\x89PNG");
    EXPECT_EQ(message.attachmentContent(3), "");
}

TEST(CMailMessage, attachmentsWithTheSameNameGetDistinctFiles)
{
    const CMailMessage message =
        parsed("Content-Type: multipart/mixed; boundary=b\r\n\r\n"
               "--b\r\nContent-Type: image/gif; name=\"x.gif\"\r\n\r\n1\r\n"
               "--b\r\nContent-Type: image/gif; name=\"X.gif\"\r\n\r\n2\r\n"
               "--b--\r\n");
    ASSERT_EQ(message.attachmentCount(), 2u);
    EXPECT_EQ(message.attachments()[0].fileName, "x.gif");
    EXPECT_EQ(message.attachments()[1].fileName, "X (2).gif");
}

TEST(CMailMessage, htmlFileTextTidiesAndPointsAtSavedPictures)
{
    // Ordinary text keeps its "3D"; only an encoded equals sign loses it.
    EXPECT_EQ(parsed(kWithAttachments).htmlFileText(), "<img src=\"_CON.png\"> 3D view");
}

TEST(CMailMessage, aMessageOfAFileTypeIsItsOwnAttachment)
{
    const CMailMessage message =
        parsed("Content-Type: application/octet-stream; name=\"data.bin\"\r\n"
               "Content-Transfer-Encoding: base64\r\n"
               "\r\n"
               "AAEC\r\n");
    ASSERT_EQ(message.attachmentCount(), 1u);
    EXPECT_EQ(message.attachments()[0].partIndex, MessageAttachment::kWholeMessage);
    EXPECT_EQ(message.attachments()[0].fileName, "data.bin");
    EXPECT_EQ(message.attachmentContent(0), std::string("\0\1\2", 3));
    EXPECT_EQ(message.plainBody(), "");
}

TEST(CMailMessage, settingNewTextReplacesTheAttachmentList)
{
    CMailMessage message = parsed(kWithAttachments);
    message.setRawText("Subject: plain\r\n\r\nno files");
    EXPECT_EQ(message.attachmentCount(), 0u);
    EXPECT_EQ(message.subject(), "plain");
    EXPECT_EQ(message.plainBody(), "no files");
}

// Under Wine this runs on the static vmime of the plug-in with its Windows charset
// converter; natively on Debian's vmime. Both must give the same texts.
TEST(CMailMessage, multipartMessageWithSeveralCharsetsEndToEnd)
{
    const CMailMessage message = parsed("From: =?KOI8-R?Q?=F0=D2=C9?= <ivan@example.ru>\r\n"
                                        "Subject: =?ISO-8859-15?Q?Preis_5_=A4?=\r\n"
                                        "Content-Type: multipart/mixed; boundary=mix\r\n"
                                        "\r\n"
                                        "--mix\r\n"
                                        "Content-Type: multipart/alternative; boundary=alt\r\n"
                                        "\r\n"
                                        "--alt\r\n"
                                        "Content-Type: text/plain; charset=iso-8859-15\r\n"
                                        "Content-Transfer-Encoding: quoted-printable\r\n"
                                        "\r\n"
                                        "5 =A4 f=FCr dich\r\n"
                                        "--alt\r\n"
                                        "Content-Type: text/html; charset=iso-8859-2\r\n"
                                        "\r\n"
                                        "<p>\xE9\xB1</p>\r\n"
                                        "--alt--\r\n"
                                        "--mix\r\n"
                                        "Content-Type: application/zip; name=\"a.zip\"\r\n"
                                        "Content-Transfer-Encoding: base64\r\n"
                                        "\r\n"
                                        "UEsDBA==\r\n"
                                        "--mix--\r\n");
    EXPECT_EQ(message.from(), "??? <ivan@example.ru>");
    EXPECT_EQ(message.subject(), "Preis 5 €");
    EXPECT_EQ(message.plainBody(), "5 € für dich");
    EXPECT_EQ(message.htmlBody(), "<p>é?</p>");
    ASSERT_EQ(message.attachmentCount(), 1u);
    EXPECT_EQ(message.attachmentContent(0), "PK\x03\x04");
}
