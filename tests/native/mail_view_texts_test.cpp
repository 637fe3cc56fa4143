// What the message window shows: bodies decoded by their own transfer encoding and
// charset whatever the message's shape, no encoding remnants rewritten in decoded
// text, the HTML file's content ids, titles and attachment lines.
#include "mail/view/message_texts.h"

#include <gtest/gtest.h>

using mail::CMailMessage;

namespace {

CMailMessage parsed(const std::string& raw)
{
    return CMailMessage(raw, "uid-1", 0, 1);
}

} // namespace

TEST(MessageDisplayText, decodesQuotedPrintableWithoutTouchingOrdinaryText)
{
    const CMailMessage message = parsed("Subject: printers\r\n"
                                        "Content-Type: text/plain; charset=ISO-8859-1\r\n"
                                        "Content-Transfer-Encoding: quoted-printable\r\n"
                                        "\r\n"
                                        "a=3Db, my 3D printer, colour #3D3D3D, =A3 5=\r\n"
                                        "0\r\nnext\r\n");
    EXPECT_EQ(mail::messageDisplayText(message),
              "a=b, my 3D printer, colour #3D3D3D, \xA3 50\r\nnext\r\n");
}

TEST(MessageDisplayText, showsAnHtmlOnlyMessageAsDecodedText)
{
    const CMailMessage message =
        parsed("Subject: html\r\n"
               "Content-Type: text/html; charset=UTF-8\r\n"
               "Content-Transfer-Encoding: quoted-printable\r\n"
               "\r\n"
               "<html><head><title>T</title><style>p{color:red}</style></head>=\r\n"
               "<body><p style=3D\"color:#3D3D3D\">3D printer&nbsp;&amp; caf=C3=A9</p>"
               "<script>alert(1)</script>line<br>two &#8364; &#x41;<a href=3D\"x?id=3D3D\"></a>"
               "</body></html>\r\n");
    EXPECT_EQ(mail::messageDisplayText(message), "3D printer & caf\xE9\r\nline\r\ntwo \x80 A");
    // Decoded text that happens to hold "=3D" is kept as it is.
    EXPECT_NE(mail::messageHtmlFileText(message).find("<a href=\"x?id=3D\">"), std::string::npos);
    EXPECT_NE(mail::messageHtmlFileText(message).find("<p style=\"color:#3D3D3D\">3D printer"),
              std::string::npos);
}

// A type that holds no text part at all is shown whole, its own encoding undone.
TEST(MessageDisplayText, decodesTheWholeBodyOfAnUnknownTextType)
{
    const CMailMessage base64 = parsed("Content-Type: text/enriched; charset=\"utf-8\"\r\n"
                                       "Content-Transfer-Encoding: BASE64\r\n"
                                       "\r\n"
                                       "R3LDvMOfZQpkaWU=\r\n");
    EXPECT_EQ(mail::messageDisplayText(base64), "Gr\xFC\xDF"
                                                "e\r\ndie");

    const CMailMessage plain = parsed("Content-Type: text/enriched\r\n\r\nas =3D is\r\n");
    EXPECT_EQ(mail::messageDisplayText(plain), "as =3D is\r\n");
}

TEST(MessageHtmlFileText, pointsContentIdsAtTheSafeAttachmentNames)
{
    const CMailMessage message =
        parsed("Subject: =?UTF-8?B?R3LDvMOfZQ==?= =?ISO-8859-1?Q?=A3?=\r\n"
               "Content-Type: multipart/related; boundary=r\r\n"
               "\r\n"
               "--r\r\n"
               "Content-Type: text/html\r\n"
               "\r\n"
               "<img src=\"CID:Logo@x\"><img src=\"cid:other@x\">\r\n"
               "--r\r\n"
               "Content-Type: image/png; name=\"..\\\\..\\\\evil.png\"\r\n"
               "Content-ID: <logo@x>\r\n"
               "Content-Transfer-Encoding: base64\r\n"
               "\r\n"
               "iVBORw==\r\n"
               "--r\r\n"
               "Content-Type: application/octet-stream; name=\"a:b.txt\"\r\n"
               "\r\n"
               "x\r\n"
               "--r--\r\n");
    const std::string html = mail::messageHtmlFileText(message);
    const std::string first = message.attachments().at(0).fileName;
    EXPECT_EQ(first.find_first_of("\\/:"), std::string::npos);
    EXPECT_NE(html.find("<img src=\"" + first + "\">"), std::string::npos);
    EXPECT_NE(html.find("cid:other@x"), std::string::npos);
    EXPECT_EQ(mail::attachmentNamesText(message),
              first + "," + message.attachments().at(1).fileName);
    EXPECT_EQ(mail::attachmentNamesText(message).find_first_of("\\/:"), std::string::npos);
    EXPECT_EQ(mail::messageWindowTitle("Host", message.subject()), "Host-Gr\xFC\xDF"
                                                                   "e\xA3");
}

TEST(MessageTexts, joinsFoldersAndBreaksLines)
{
    EXPECT_EQ(mail::pathInFolder("C:\\out", "a.txt"), "C:\\out\\a.txt");
    EXPECT_EQ(mail::pathInFolder("C:\\out\\", "a.txt"), "C:\\out\\a.txt");
    EXPECT_EQ(mail::withCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(mail::decodedTransfer("=41=\r\nB", "Quoted-Printable"), "AB");
    EXPECT_EQ(mail::decodedTransfer("=41", "8bit"), "=41");
    EXPECT_EQ(mail::htmlAsPlainText("<a href=\"x\">link</a> &unknown; <b"), "link &unknown;");
}
