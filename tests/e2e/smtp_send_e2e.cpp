// Replies sent over Winsock to two recipients through aiosmtpd on loopback, started
// by the ctest fixture (smtp_sink.py) to refuse the first of them with 550: straight
// through the session, and from the send window on Mail.dll's template. What the sink
// stored is read back from its maildir.
#include "mail/message/mail_message.h"
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"
#include "mail/pop3_socket.h"
#include "mail/send/reply_draft.h"
#include "mail/send/send_mail.h"
#include "mail/send/send_texts.h"
#include "mail/send/send_window.h"

#include "tests/e2e/wine_path.h"
#include "tests/mailplugin/fake_ui_host.h"

#include <gtest/gtest.h>
#include <winsock2.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

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

// The stored messages with this subject.
std::vector<mail::CMailMessage> deliveries(const std::string& subject)
{
    const std::string folder = g_work + "maildir\\new\\";
    std::vector<mail::CMailMessage> texts;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return texts;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        mail::CMailMessage message(readFile(folder + found.cFileName), "", 0, 0);
        if (message.subject() == subject)
            texts.push_back(message);
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

    const std::vector<mail::CMailMessage> stored = deliveries("Re: Plans");
    ASSERT_EQ(stored.size(), 2u);
    std::vector<std::string> rcptTo;
    for (const mail::CMailMessage& received : stored) {
        rcptTo.push_back(mail::rawHeaderValue(received.headerBlock(), "X-RcptTo"));
        EXPECT_EQ(mail::rawHeaderValue(received.headerBlock(), "Bcc"), "");
        // The blind copy is named only by the sink's own envelope field.
        std::string text = received.rawText();
        const std::size_t envelope = text.find("X-RcptTo: hidden@w.example");
        if (envelope != std::string::npos)
            text.erase(envelope, 26);
        EXPECT_EQ(text.find("hidden@"), std::string::npos);
        EXPECT_EQ(mail::rawHeaderValue(received.headerBlock(), "X-Mailer"), kHostName);
        // The sink keeps its files with LF line ends; the stuffed dot must be gone.
        EXPECT_NE(received.plainBody().find("\n.Quoted line with a dot"), std::string::npos);
        EXPECT_EQ(received.plainBody().find(".."), std::string::npos);
    }
    std::sort(rcptTo.begin(), rcptTo.end());
    EXPECT_EQ(rcptTo, (std::vector<std::string>{"bob@y.example", "hidden@w.example"}));
}

TEST(smtpSend, theSendWindowReportsTheRefusalThenTheFailure)
{
    HMODULE module = LoadLibraryA(MailExports::kLibraryName);
    ASSERT_NE(module, nullptr) << "Mail.dll beside the test";
    fakes::FakeUiHost host(module, kHostName);
    host.factory = mail::CPop3Socket::make;
    host.registry.putString(fakes::FakeUiHost::kProfileKey, "MailSMTPServer",
                            "127.0.0.2:" + std::to_string(g_port));
    std::string original = kOriginal;
    original.replace(original.find("Plans"), 5, "Trip");
    mail::openReplyWindow(host, *host.accounts()[0], mail::CMailMessage(original, "2", 0, 0),
                          false);
    const DWORD self = GetCurrentThreadId();
    HWND window = sheet_test::findWindowOf(self, "Brellix - Send Message");
    ASSERT_NE(window, nullptr);
    std::vector<std::string> boxes;
    std::thread answerer([&] {
        boxes.push_back(fakes::answerBox(self, kHostName));
        boxes.push_back(fakes::answerBox(self, kHostName));
    });
    SendMessageA(window, WM_COMMAND, IDM_SEND_NOW, 0);
    answerer.join();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].find("error:\n550 5.1.1 No such user here\n"), std::string::npos);
    EXPECT_NE(boxes[0].find("From: me@Home.example\n  To: ann@x.example"), std::string::npos);
    EXPECT_EQ(boxes[1], "Brellix failed to send your message.");

    const std::vector<mail::CMailMessage> stored = deliveries("Re: Trip");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(mail::rawHeaderValue(stored[0].headerBlock(), "X-RcptTo"), "bob@y.example");
    EXPECT_EQ(mail::rawHeaderValue(stored[0].headerBlock(), "X-Mailer"), kHostName);
    EXPECT_NE(stored[0].from().find("me@Home.example"), std::string::npos);
    mail::closeAllSendWindows();
    FreeLibrary(module);
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
