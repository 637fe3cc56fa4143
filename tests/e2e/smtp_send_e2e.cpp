// A reply sent over Winsock to two recipients through aiosmtpd on loopback, started
// by the ctest fixture (smtp_sink.py) to refuse the first of them with 550. What the
// sink stored is read back from its maildir.
#include "mail/message/mail_message.h"
#include "mail/pop3_socket.h"
#include "mail/send/reply_draft.h"
#include "mail/send/send_mail.h"
#include "mail/send/send_texts.h"

#include "tests/e2e/wine_path.h"

#include <gtest/gtest.h>
#include <winsock2.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::string g_work;
int g_port = 0;
const char kRejected[] = "ann@x.example"; // the fixture's --reject address
const char kHostName[] = "Brellix";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> deliveries()
{
    const std::string folder = g_work + "maildir\\new\\";
    std::vector<std::string> texts;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return texts;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            texts.push_back(readFile(folder + found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return texts;
}

const char kOriginal[] = "From: Carl <carl@z.example>\r\n"
                         "Reply-To: Ann <ann@x.example>, \"Doe, Bob\" <bob@y.example>\r\n"
                         "Date: Tue, 1 Dec 2026 10:00:00 +0000\r\n"
                         "Subject: Plans\r\n"
                         "\r\n"
                         ".Quoted line with a dot\r\n";

TEST(smtpSend, aReplyReachesTheRecipientAfterTheRejectedOne)
{
    const mail::ReplyDraft draft = mail::makeReply(mail::CMailMessage(kOriginal, "1", 0, 0), false);
    ASSERT_EQ(draft.to.size(), 2u);
    ASSERT_EQ(draft.to[0].email, kRejected);

    mail::OutgoingMail mail;
    mail.sender = {"Me", "me@here.example"};
    mail.to = draft.to;
    mail.bcc = {{"", "hidden@w.example"}};
    mail.subject = draft.subject;
    mail.text = "Agreed.\n" + draft.text;
    mail.mailer = kHostName;

    mail::CSmtpSender sender(mail::CPop3Socket::make);
    sender.setTimeoutMs(10000);
    std::vector<std::string> reports;
    const std::string server = "127.0.0.2:" + std::to_string(g_port);
    const bool allSent = mail::sendMail(sender, mail, server, "desk",
                                        [&](const std::string& r) { reports.push_back(r); });
    EXPECT_FALSE(allSent);
    EXPECT_EQ(mail::sendOutcomeText(allSent, kHostName), "Brellix failed to send your message.");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("error:\n550 5.1.1 No such user here\n"), std::string::npos);
    EXPECT_NE(reports[0].find("To: ann@x.example"), std::string::npos);

    std::vector<std::string> stored = deliveries();
    ASSERT_EQ(stored.size(), 2u);
    std::vector<std::string> rcptTo;
    for (const std::string& text : stored) {
        const mail::CMailMessage received(text, "", 0, 0);
        rcptTo.push_back(mail::rawHeaderValue(received.headerBlock(), "X-RcptTo"));
        EXPECT_EQ(mail::rawHeaderValue(received.headerBlock(), "Bcc"), "");
        EXPECT_EQ(text.find("hidden@w.example\r\n\r\n"), std::string::npos);
        EXPECT_EQ(mail::rawHeaderValue(received.headerBlock(), "X-Mailer"), kHostName);
        EXPECT_EQ(received.subject(), "Re: Plans");
        // The sink keeps its files with LF line ends; the stuffed dot must be gone.
        EXPECT_NE(received.plainBody().find("\n.Quoted line with a dot"), std::string::npos);
        EXPECT_EQ(received.plainBody().find(".."), std::string::npos);
    }
    std::sort(rcptTo.begin(), rcptTo.end());
    EXPECT_EQ(rcptTo, (std::vector<std::string>{"bob@y.example", "hidden@w.example"}));
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: smtp_send_e2e WORKDIR (the fixture's Unix path)\n");
        return 2;
    }
    g_work = windowsPathOfUnixFolder(argv[1]);
    g_port = std::atoi(readFile(g_work + "port").c_str());
    if (g_port <= 0) {
        std::fprintf(stderr, "smtp_send_e2e: no server port in %s\n", g_work.c_str());
        return 2;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return 2;
    const int result = RUN_ALL_TESTS();
    WSACleanup();
    return result;
}
