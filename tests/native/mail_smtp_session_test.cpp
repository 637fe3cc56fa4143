#include "mail/send/send_mail.h"
#include "mail/send/send_texts.h"
#include "mail/send/smtp_session.h"
#include "smtp_fakes.h"

#include <gtest/gtest.h>

namespace {

using fakes::SmtpPeer;

mail::SmtpJob twoRecipientJob()
{
    mail::SmtpJob job;
    job.server = {"127.0.0.2", 2525};
    job.serverText = "127.0.0.2:2525";
    job.helo = "desk";
    job.sender = "me@here.example";
    job.recipients = {"ann@x.example", "bob@y.example"};
    job.text = "Subject: hi\r\n\r\nHello\r\n";
    return job;
}

struct SendRun {
    bool allSent = false;
    std::vector<std::string> reports;
};

SendRun run(SmtpPeer& peer, const mail::SmtpJob& job)
{
    mail::CSmtpSender sender(fakes::smtpFactory(peer));
    sender.setTimeoutMs(10);
    SendRun result;
    result.allSent =
        sender.send(job, [&](const std::string& report) { result.reports.push_back(report); });
    return result;
}

TEST(smtpSession, sendsEachRecipientOnAConnectionOfItsOwn)
{
    SmtpPeer peer;
    const SendRun result = run(peer, twoRecipientJob());
    EXPECT_TRUE(result.allSent);
    EXPECT_TRUE(result.reports.empty());
    ASSERT_EQ(peer.connections.size(), 2u);
    const std::vector<std::string> first{"HELO desk", "MAIL FROM:<me@here.example>",
                                         "RCPT TO:<ann@x.example>", "DATA", "QUIT"};
    EXPECT_EQ(peer.connections[0].commands, first);
    EXPECT_EQ(peer.connections[1].commands[2], "RCPT TO:<bob@y.example>");
    EXPECT_EQ(peer.connections[1].data, "Subject: hi\r\n\r\nHello\r\n.\r\n");
}

TEST(smtpSession, aRejectedRecipientFailsTheSendButNotTheNextRecipient)
{
    SmtpPeer peer;
    peer.rcptReplies["RCPT TO:<ann@x.example>"] = "550 no such user\r\n";
    const SendRun result = run(peer, twoRecipientJob());
    EXPECT_FALSE(result.allSent);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_EQ(result.reports[0], mail::sendErrorReport("550 no such user", "127.0.0.2:2525",
                                                       "me@here.example", "ann@x.example"));
    ASSERT_EQ(peer.connections.size(), 2u);
    EXPECT_EQ(peer.connections[0].commands.back(), "QUIT");
    EXPECT_TRUE(peer.connections[0].data.empty());
    EXPECT_FALSE(peer.connections[1].data.empty());
}

TEST(smtpSession, eachStepMustBeAnsweredWithItsClass)
{
    for (const char* verb : {"HELO", "MAIL", "DATA"}) {
        SmtpPeer peer;
        // A 2xx where 3xx is due is as wrong as a refusal.
        peer.replies[verb] = std::string(verb) == "DATA" ? "250 fine\r\n" : "451 later\r\n";
        const SendRun result = run(peer, twoRecipientJob());
        EXPECT_FALSE(result.allSent) << verb;
        EXPECT_EQ(result.reports.size(), 2u) << verb;
        EXPECT_EQ(peer.connections.size(), 2u) << verb;
        EXPECT_TRUE(peer.connections[0].data.empty()) << verb;
    }
}

TEST(smtpSession, aRefusedMessageTextIsReportedWithTheServersReply)
{
    SmtpPeer peer;
    peer.dataReply = "554-content\r\n554 rejected\r\n";
    const SendRun result = run(peer, twoRecipientJob());
    EXPECT_FALSE(result.allSent);
    ASSERT_EQ(result.reports.size(), 2u);
    EXPECT_NE(result.reports[0].find("554-content\n554 rejected\n\n"), std::string::npos);
}

TEST(smtpSession, aFailedConnectionEndsTheWholeSend)
{
    SmtpPeer peer;
    peer.connectFails = true;
    const SendRun result = run(peer, twoRecipientJob());
    EXPECT_FALSE(result.allSent);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_NE(result.reports[0].find(mail::connectFailedText(10061)), std::string::npos);
}

TEST(smtpSession, aRefusingGreetingEndsTheWholeSend)
{
    SmtpPeer peer;
    peer.greeting = "554 not today\r\n";
    const SendRun result = run(peer, twoRecipientJob());
    EXPECT_EQ(result.reports.size(), 1u);
    EXPECT_EQ(peer.connections.size(), 1u);
    EXPECT_NE(result.reports[0].find("554 not today"), std::string::npos);
}

TEST(smtpSession, aSilentServerTimesOutWithoutAGoodbye)
{
    SmtpPeer peer;
    peer.replies["MAIL"] = "";
    const SendRun result = run(peer, twoRecipientJob());
    EXPECT_FALSE(result.allSent);
    ASSERT_EQ(result.reports.size(), 2u);
    EXPECT_NE(result.reports[0].find(mail::noReplyText(10060)), std::string::npos);
    // Out of step: QUIT would only be read as the answer to MAIL.
    EXPECT_EQ(peer.connections[0].commands.back(), "MAIL FROM:<me@here.example>");
}

TEST(smtpSession, missingServerOrSenderAreReported)
{
    SmtpPeer peer;
    mail::SmtpJob job = twoRecipientJob();
    job.server.host.clear();
    SendRun result = run(peer, job);
    EXPECT_FALSE(result.allSent);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_NE(result.reports[0].find(std::string("error:\n") + mail::SendText::kNoServer),
              std::string::npos);
    EXPECT_TRUE(peer.connections.empty());

    job = twoRecipientJob();
    job.sender.clear();
    result = run(peer, job);
    EXPECT_FALSE(result.allSent);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_NE(result.reports[0].find(mail::SendText::kNoSender), std::string::npos);
    // Sending goes on with the null sender.
    ASSERT_EQ(peer.connections.size(), 2u);
    EXPECT_EQ(peer.connections[1].commands[1], "MAIL FROM:<>");
}

TEST(smtpSession, addressesThatWouldBreakACommandAreRefusedBeforeConnecting)
{
    for (const std::string& bad : {std::string("ann@x\r\nRCPT TO:<evil@z>"), std::string("a\nb@x"),
                                   std::string("a\0b@x", 5), std::string("a>b@x")}) {
        SmtpPeer peer;
        mail::SmtpJob job = twoRecipientJob();
        job.recipients[1] = bad;
        EXPECT_FALSE(run(peer, job).allSent);
        job = twoRecipientJob();
        job.sender = bad;
        EXPECT_FALSE(run(peer, job).allSent);
        EXPECT_TRUE(peer.connections.empty());
    }
}

TEST(smtpSession, overlongAndMalformedRepliesFailTheStep)
{
    SmtpPeer peer;
    peer.replies["HELO"] = "250-" + std::string(mail::SmtpLimits::kReplyLine, 'x') + "\r\n";
    EXPECT_FALSE(run(peer, twoRecipientJob()).allSent);

    SmtpPeer garbled;
    garbled.replies["HELO"] = "hello there\r\n";
    EXPECT_FALSE(run(garbled, twoRecipientJob()).allSent);
    EXPECT_EQ(garbled.connections[0].commands.size(), 1u);
}

TEST(sendMail, sendsTheBuiltTextToToCcAndBcc)
{
    SmtpPeer peer;
    mail::OutgoingMail mail;
    mail.sender = {"Me", "me@here.example"};
    mail.to = {{"Bob", "b@x.example"}};
    mail.cc = {{"", "c@x.example"}};
    mail.bcc = {{"", "hidden@x.example"}};
    mail.subject = "Hi";
    mail.text = ".\nsecond";
    mail::CSmtpSender sender(fakes::smtpFactory(peer));
    std::vector<std::string> reports;
    EXPECT_TRUE(mail::sendMail(sender, mail, "127.0.0.2:2525", "desk",
                               [&](const std::string& r) { reports.push_back(r); }));
    ASSERT_EQ(peer.connections.size(), 3u);
    EXPECT_EQ(peer.connections[0].commands[2], "RCPT TO:<b@x.example>");
    EXPECT_EQ(peer.connections[2].commands[2], "RCPT TO:<hidden@x.example>");
    EXPECT_EQ(peer.connections[2].data, peer.connections[0].data);
    EXPECT_EQ(peer.connections[0].data.find("hidden"), std::string::npos);
    EXPECT_NE(peer.connections[0].data.find("\r\n\r\n..\r\nsecond\r\n.\r\n"), std::string::npos);

    mail.subject = "Hi\r\nBcc: all@x.example";
    reports.clear();
    EXPECT_FALSE(mail::sendMail(sender, mail, "127.0.0.2:2525", "desk",
                                [&](const std::string& r) { reports.push_back(r); }));
    EXPECT_EQ(peer.connections.size(), 3u);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(mail::SendText::kUnsafeMessage), std::string::npos);
}

TEST(dataBlock, stuffsDotsAndEndsWithTheDotLine)
{
    EXPECT_EQ(mail::dataBlock(".a\r\nb\r\n..c\r\n.\r\n"), "..a\r\nb\r\n...c\r\n..\r\n.\r\n");
    // A bare LF cannot smuggle an end of data and a second message past the server.
    EXPECT_EQ(mail::dataBlock("x\n.\nMAIL FROM:<e@v>"), "x\r\n..\r\nMAIL FROM:<e@v>\r\n.\r\n");
    EXPECT_EQ(mail::dataBlock("x\r.y"), "x\r\n..y\r\n.\r\n");
    EXPECT_EQ(mail::dataBlock(""), ".\r\n");
}

TEST(parseSmtpServer, takesAPortOnlyWhenItIsOne)
{
    EXPECT_EQ(mail::parseSmtpServer("mail.example").port, 25);
    const mail::SmtpServer withPort = mail::parseSmtpServer("127.0.0.2:2525");
    EXPECT_EQ(withPort.host, "127.0.0.2");
    EXPECT_EQ(withPort.port, 2525);
    for (const char* bad : {"host:0", "host:65536", "host:99999999999", "host:2x", "host:"}) {
        EXPECT_EQ(mail::parseSmtpServer(bad).host, bad);
        EXPECT_EQ(mail::parseSmtpServer(bad).port, 25);
    }
}

} // namespace
