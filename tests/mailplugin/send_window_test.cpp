// The send window and the recipient list on Mail.dll's templates, under Wine: opened
// for a reply, sent through a scripted SMTP server, refused without a server or a
// reply address, closed by Escape; the recipient list adding, refusing and
// remembering addresses. Message boxes and modal dialogs are answered from a second
// thread.
#include "fake_ui_host.h"
#include "mail/message/mail_message.h"
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"
#include "mail/send/recipients_dialog.h"
#include "mail/send/send_texts.h"
#include "mail/send/send_window.h"
#include "tests/mailplugin/message_pump.h"

#include "../win/sheet_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace sheet_test;

namespace {

using fakes::FakeUiHost;

constexpr char kHost[] = "SendHost";
constexpr char kWindowTitle[] = "SendHost - Send Message";
const char* const kProfileKey = FakeUiHost::kProfileKey;

using fakes::pumpUntil;

std::string answerBox(DWORD thread)
{
    return fakes::answerBox(thread, kHost);
}

const char kOriginal[] = "From: Carl <carl@z.example>\r\n"
                         "Reply-To: \"Doe, Bob\" <bob@y.example>\r\n"
                         "Date: Tue, 1 Dec 2026 10:00:00 +0000\r\n"
                         "Subject: Plans\r\n"
                         "\r\n"
                         "See you.\r\n";

class SendWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        module = LoadLibraryA(MailExports::kLibraryName);
        ASSERT_NE(module, nullptr) << "Mail.dll beside the test";
        host = std::make_unique<FakeUiHost>(module, kHost);
    }
    void TearDown() override
    {
        mail::closeAllSendWindows();
        host.reset();
        FreeLibrary(module);
    }
    HWND openReply()
    {
        mail::openReplyWindow(*host, *host->accounts()[1], mail::CMailMessage(kOriginal, "1", 0, 0),
                              false);
        return findWindowOf(GetCurrentThreadId(), kWindowTitle);
    }
    void setServer() { host->registry.putString(kProfileKey, "MailSMTPServer", "127.0.0.9"); }

    HMODULE module = nullptr;
    std::unique_ptr<FakeUiHost> host;
};

TEST_F(SendWindowTest, aReplyOpensFilledInFromItsAccount)
{
    HWND window = openReply();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(text(window, IDC_SEND_TO), "\"Doe, Bob\" <bob@y.example>");
    EXPECT_EQ(text(window, IDC_SEND_SUBJECT), "Re: Plans");
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_SEND_FROM, CB_GETCURSEL, 0, 0), 1);
    char body[512] = "";
    GetDlgItemTextA(window, IDC_SEND_TEXT, body, sizeof body);
    EXPECT_NE(std::string(body).find("Carl <carl@z.example> wrote:\r\n\r\nSee you."),
              std::string::npos);
}

TEST_F(SendWindowTest, sendNowSendsToEveryRecipientAndTellsTheOutcome)
{
    setServer();
    HWND window = openReply();
    ASSERT_NE(window, nullptr);
    SetDlgItemTextA(window, IDC_SEND_CC, "ann@x.example | Zed <z@x.example>");
    std::string outcome;
    const DWORD self = GetCurrentThreadId();
    std::thread answerer([&] { outcome = answerBox(self); });
    SendMessageA(window, WM_COMMAND, IDM_SEND_NOW, 0);
    answerer.join();
    EXPECT_EQ(outcome, mail::SendText::kSentAll);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(host->peer.connections.size(), 3u);
    EXPECT_EQ(host->peer.connections[0].commands[1], "MAIL FROM:<me@Work.example>");
    EXPECT_EQ(host->peer.connections[0].commands[2], "RCPT TO:<bob@y.example>");
    EXPECT_EQ(host->peer.connections[2].commands[2], "RCPT TO:<z@x.example>");
    EXPECT_NE(host->peer.connections[0].data.find("X-Mailer: SendHost\r\n"), std::string::npos);
}

TEST_F(SendWindowTest, withoutAServerTheCommandRefusesToOpen)
{
    const DWORD self = GetCurrentThreadId();
    std::string said;
    std::thread answerer([&] { said = answerBox(self); });
    mail::openSendWindow(*host);
    answerer.join();
    EXPECT_EQ(said, mail::SendText::kNoServerForCommand);
    EXPECT_EQ(findWindowOf(self, kWindowTitle), nullptr);
}

TEST_F(SendWindowTest, anAccountWithoutReplyAddressGoesToItsEditSheetFirst)
{
    setServer();
    host->accounts()[1]->record.replyAddress.clear();
    HWND window = openReply();
    ASSERT_NE(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    std::string said;
    bool sheetOpened = false;
    std::thread answerer([&] {
        said = answerBox(self);
        HWND sheet = nullptr;
        sheetOpened = waitUntil(
            [&] { return (sheet = findWindowOf(self, "SendHost - Edit Account")) != nullptr; });
        if (sheetOpened)
            press(sheet, PSBTN_CANCEL);
    });
    SendMessageA(window, WM_COMMAND, IDM_SEND_NOW, 0);
    answerer.join();
    EXPECT_EQ(said, mail::SendText::kNoReplyAddress);
    EXPECT_TRUE(sheetOpened);
    EXPECT_TRUE(IsWindow(window)); // still no sender: the message stays to be sent
    EXPECT_TRUE(host->peer.connections.empty());
}

TEST_F(SendWindowTest, escapeClosesTheWindowThroughTheHostsOwnLoop)
{
    HWND window = openReply();
    ASSERT_NE(window, nullptr);
    HWND subject = GetDlgItem(window, IDC_SEND_SUBJECT);
    SetFocus(subject);
    PostMessageA(subject, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindow(window); }));
    EXPECT_TRUE(host->peer.connections.empty());
}

TEST_F(SendWindowTest, theRecipientListTakesAddressesAndRemembersTheLastOnes)
{
    host->registry.putString(kProfileKey, "MailRecip1", "old@x.example");
    int remembered = -1;
    int afterBadAdd = -1;
    Driver driver("SendHost - Recipients", [&](HWND dialog) {
        remembered =
            static_cast<int>(SendDlgItemMessageA(dialog, IDC_RECIP_ADDRESS, CB_GETCOUNT, 0, 0));
        SetDlgItemTextA(dialog, IDC_RECIP_ADDRESS, "no at sign");
        SendMessageA(dialog, WM_COMMAND, IDC_RECIP_ADD, 0);
        afterBadAdd =
            static_cast<int>(SendDlgItemMessageA(dialog, IDC_RECIP_LIST, LB_GETCOUNT, 0, 0));
        SetDlgItemTextA(dialog, IDC_RECIP_ADDRESS, "new@x.example");
        SendMessageA(dialog, WM_COMMAND, IDC_RECIP_ADD, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    auto profile = host->profile(true);
    std::vector<std::string> list{"first@x.example"};
    EXPECT_TRUE(mail::runRecipientsDialog(module, nullptr, kHost, profile.get(), list));
    EXPECT_EQ(remembered, 1);
    EXPECT_EQ(afterBadAdd, 1);
    EXPECT_EQ(list, (std::vector<std::string>{"first@x.example", "new@x.example"}));
    const RegistryValue* value = host->registry.value(kProfileKey, "MailRecip1");
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(value->data.data()), "new@x.example");
    value = host->registry.value(kProfileKey, "MailRecip2");
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(value->data.data()), "first@x.example");
}

} // namespace
