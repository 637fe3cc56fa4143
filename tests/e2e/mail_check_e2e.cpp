// The mail checks under Wine against dovecot on loopback (pop3_server.py, started by a
// ctest fixture of their own): checking threads whose outcomes reach the
// user-interface thread through the queue, calling a check off, and deleting on the
// server until the maildir is empty.

// Winsock before anything that brings in <windows.h>.
#include <winsock2.h>

#include "mail/check/check_runner_win.h"
#include "mail/check/check_scheduler.h"
#include "mail/check/win_mutex.h"
#include "mail/pop3_socket.h"
#include "mail/view/attachment_files_win.h"

#include "tests/e2e/pop3_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include <cstdio>

namespace {

using namespace pop3fixture;

mail::ServerLogin loginAs(const std::string& user, int port = 0)
{
    mail::ServerLogin login;
    login.accountName = user;
    login.server = "127.0.0.1";
    login.port = port ? port : g_port;
    login.userName = user;
    login.password = "secret";
    login.timeoutSeconds = 10;
    return login;
}

// Polls the queue the way the plug-in's one-second timer does, only faster.
bool waitForOutcome(mail::CheckRunner& runner, mail::AccountId account, mail::DrainedChecks& seen,
                    DWORD limitMs = 20000)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limitMs) {
        mail::DrainedChecks drained = runner.drain();
        seen.log.insert(seen.log.end(), drained.log.begin(), drained.log.end());
        for (auto& done : drained.finished) {
            seen.finished.push_back(std::move(done));
        }
        for (const auto& done : seen.finished) {
            if (done.account == account) {
                return true;
            }
        }
        Sleep(20);
    }
    return false;
}

struct RecordingSink : mail::LogSink {
    void writeLine(const std::string& line) override { lines.push_back(line.substr(13)); }
    std::vector<std::string> lines;
};

TEST(CheckRunner, InjectedMessagesArriveThroughTheQueueAsNew)
{
    inject("carol", "first");
    inject("carol", "second");
    RecordingSink window;
    mail::CMailLog log([] { return mail::TimeOfDay{}; });
    log.open(nullptr, &window, false);
    mail::CMailAccount account(mail::CPop3Socket::make);
    account.record.name = "Carol";
    account.record.server = "127.0.0.1";
    account.record.port = g_port;
    account.record.userName = "carol";
    account.record.password = "secret";
    account.notify.timeoutSeconds = 10;
    mail::CheckRunner runner(mail::CPop3Socket::make, mail::processCheckLock());
    mail::CheckScheduler scheduler(
        runner, log, [&](mail::AccountId id) { return id == 7 ? &account : nullptr; });
    ASSERT_TRUE(scheduler.check(7));
    EXPECT_FALSE(scheduler.check(7)); // one check per account

    // The plug-in's one-second polling timer, only faster.
    std::vector<mail::CheckReport> reports;
    const DWORD start = GetTickCount();
    while (reports.empty() && GetTickCount() - start < 20000) {
        Sleep(20);
        reports = scheduler.poll();
    }
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].notification.event, mail::CheckEvent::NewMail);
    EXPECT_EQ(reports[0].notification.popupText, "2 new message(s) in your Carol account");
    ASSERT_EQ(account.record.messages.size(), 2u);
    for (const auto& m : account.record.messages) {
        EXPECT_EQ(m.isNew, 1);
        EXPECT_NE(m.rawText.find("Body of "), std::string::npos);
    }
    EXPECT_EQ(window.lines,
              (std::vector<std::string>{"Message: Checking for messages on 127.0.0.1.",
                                        "Message: Connected to 127.0.0.1 as user carol."}));
    EXPECT_FALSE(scheduler.checking(7));
}

TEST(CheckRunner, SecondCheckMarksTheMessagesOld)
{
    inject("carol", "third");
    mail::CheckRunner runner(mail::CPop3Socket::make, mail::processCheckLock());
    mail::DrainedChecks first;
    ASSERT_TRUE(runner.start(1, loginAs("carol"), nullptr));
    ASSERT_TRUE(waitForOutcome(runner, 1, first));
    ASSERT_TRUE(first.finished[0].outcome.succeeded);
    mail::DrainedChecks second;
    ASSERT_TRUE(runner.start(1, loginAs("carol"), first.finished[0].outcome.messages));
    ASSERT_TRUE(waitForOutcome(runner, 1, second));
    const mail::CheckOutcome& outcome = second.finished[0].outcome;
    ASSERT_TRUE(outcome.succeeded);
    EXPECT_FALSE(outcome.foundNew);
    EXPECT_EQ(outcome.messages->size(), first.finished[0].outcome.messages->size());
    for (const auto& m : *outcome.messages) {
        EXPECT_EQ(m.isNew, 0) << m.uniqueId;
    }
}

TEST(CheckRunner, CancelWhileWaitingForTheCheckLockJoinsWithinTheBound)
{
    mail::Win32Mutex checkLock;
    ASSERT_TRUE(checkLock.tryLockFor(std::chrono::milliseconds(0))); // another account talks
    mail::CheckRunner runner(mail::CPop3Socket::make, checkLock);
    ASSERT_TRUE(runner.start(3, loginAs("carol"), nullptr));
    Sleep(500);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(runner.cancel(3, 2000));
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_FALSE(runner.busy(3));
    EXPECT_TRUE(runner.drain().finished.empty()); // a called-off check leaves no outcome
    checkLock.unlock();
}

TEST(CheckRunner, CancelDuringASilentServerJoinsWithinTheBound)
{
    // A listener that accepts into its backlog and never greets.
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_NE(listener, INVALID_SOCKET);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    int length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);

    mail::CheckRunner runner(mail::CPop3Socket::make, mail::processCheckLock());
    mail::ServerLogin login = loginAs("carol", ntohs(address.sin_port));
    login.timeoutSeconds = 600;
    ASSERT_TRUE(runner.start(4, login, nullptr));
    Sleep(500);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(runner.cancel(4, 2000));
    EXPECT_LT(GetTickCount() - start, 2000u);
    closesocket(listener);
}

TEST(DeleteOnServer, OneMessageLeavesTheMaildir)
{
    const int before = messagesOnDisk("bob");
    ASSERT_GT(before, 0);
    mail::CheckContext ctx;
    ctx.transports = mail::CPop3Socket::make;
    ctx.checkLock = &mail::processCheckLock();
    ctx.log = [](const std::string&, mail::LogLevel) {};
    const mail::CheckOutcome check = mail::runCheck(loginAs("bob"), {}, ctx);
    ASSERT_TRUE(check.succeeded);
    mail::Win32Mutex connectionLock;
    EXPECT_TRUE(mail::deleteMessageById(loginAs("bob"), check.messages->front().uniqueId,
                                        connectionLock, ctx, nullptr));
    EXPECT_EQ(messagesOnDisk("bob"), before - 1);
}

TEST(DeleteOnServer, AllEmptiesTheMaildir)
{
    inject("bob", "extra");
    mail::CMailLog log([] { return mail::TimeOfDay{}; });
    mail::CheckContext ctx;
    ctx.transports = mail::CPop3Socket::make;
    ctx.checkLock = &mail::processCheckLock();
    mail::AccountCheck state;
    mail::AccountRecord record;
    mail::Win32Mutex dataLock;
    mail::Win32Mutex connectionLock;
    std::size_t asked = 0;
    const auto report = mail::deleteAll(
        {state, record, loginAs("bob"), dataLock, connectionLock},
        [&](std::size_t count) {
            asked = count;
            return true;
        },
        ctx, log);
    EXPECT_EQ(report.result, mail::DeleteAllResult::Done);
    EXPECT_GT(asked, 1u);
    EXPECT_EQ(report.failures, 0u);
    EXPECT_EQ(messagesOnDisk("bob"), 0);
}

// Every byte value twice, so that a text-mode write or a lost byte shows.
std::string binaryPayload()
{
    std::string bytes;
    for (int round = 0; round < 2; ++round)
        for (int value = 0; value < 256; ++value)
            bytes += static_cast<char>(value);
    return bytes;
}

std::string base64Lines(const std::string& bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const auto at = [&](std::size_t k) {
            return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0u;
        };
        const unsigned group = at(i) << 16 | at(i + 1) << 8 | at(i + 2);
        out += digits[group >> 18 & 63];
        out += digits[group >> 12 & 63];
        out += i + 1 < bytes.size() ? digits[group >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? digits[group & 63] : '=';
        if ((i / 3 + 1) % 19 == 0)
            out += "\r\n";
    }
    return out + "\r\n";
}

TEST(AttachmentFromTheServer, IsSavedByteForByteUnderItsName)
{
    const std::string payload = binaryPayload();
    {
        std::ofstream out(maildir("carol") + "new\\3000000001.Mattached.checktest",
                          std::ios::binary);
        out << "From: sender@example.org\r\nTo: carol@example.org\r\nSubject: attached\r\n"
               "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"part\"\r\n\r\n"
               "--part\r\nContent-Type: text/plain\r\n\r\nSee the file.\r\n"
               "--part\r\nContent-Type: application/octet-stream; name=\"data.bin\"\r\n"
               "Content-Transfer-Encoding: base64\r\n"
               "Content-Disposition: attachment; filename=\"data.bin\"\r\n\r\n"
            << base64Lines(payload) << "--part--\r\n";
    }
    mail::CheckContext ctx;
    ctx.transports = mail::CPop3Socket::make;
    ctx.checkLock = &mail::processCheckLock();
    ctx.log = [](const std::string&, mail::LogLevel) {};
    const mail::CheckOutcome outcome = mail::runCheck(loginAs("carol"), {}, ctx);
    ASSERT_TRUE(outcome.succeeded);
    const auto found = std::find_if(
        outcome.messages->begin(), outcome.messages->end(), [](const mail::StoredMessage& m) {
            return m.rawText.find("Subject: attached") != std::string::npos;
        });
    ASSERT_NE(found, outcome.messages->end());
    const mail::CMailMessage message(found->rawText, found->uniqueId, 0, 1);
    ASSERT_EQ(message.attachmentCount(), 1u);
    EXPECT_EQ(message.attachments()[0].fileName, "data.bin");

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "brellix_attachment_e2e\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(mail::saveAttachment(message, 0, folder));
    EXPECT_EQ(readFile(folder + "data.bin"), payload);
    DeleteFileA((folder + "data.bin").c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mail_check_e2e WORKDIR\n");
        return 2;
    }
    if (!pop3fixture::load(argv[1])) {
        std::fprintf(stderr, "mail_check_e2e: no server in %s\n", argv[1]);
        return 2;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    WSACleanup();
    return result;
}
