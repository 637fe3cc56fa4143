// The message window on Mail.dll's templates, under Wine: a stored message with an
// attachment shown as text, its menu commands, the header dialog, the attachments
// dialog saving into a folder of the test's own, the HTML message falling back to
// text where no browser can be created, and the windows closing with the accounts.
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"
#include "mail/view/message_window.h"
#include "mail/view/web_view_win.h"

#include "../win/sheet_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace mail;

namespace {

constexpr char kHost[] = "ViewHost";
// Bytes no text conversion leaves alone: a NUL, CR LF, 0xFF.
const std::string kAttachmentBytes("\x00\x01\r\n\xff\xfe"
                                   "end",
                                   9);

const std::string kWithAttachment =
    "From: Ann <ann@example.com>\r\n"
    "To: bob@example.com\r\n"
    "Cc: =?ISO-8859-1?Q?J=F6rg?= <joerg@example.com>\r\n"
    "Subject: Parts\r\n"
    "Content-Type: multipart/mixed; boundary=m\r\n"
    "\r\n"
    "--m\r\n"
    "Content-Type: text/plain; charset=ISO-8859-1\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "a=3Db for the 3D printer, see http://127.0.0.1/x =A3\r\n"
    "--m\r\n"
    "Content-Type: application/octet-stream\r\n"
    "Content-Disposition: attachment; filename=\"..\\\\..\\\\report.bin\"\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "AAENCv/+ZW5k\r\n"
    "--m--\r\n";

const std::string kHtmlOnly = "From: ann@example.com\r\n"
                              "Subject: Web\r\n"
                              "Content-Type: multipart/related; boundary=r\r\n"
                              "\r\n"
                              "--r\r\n"
                              "Content-Type: text/html; charset=UTF-8\r\n"
                              "Content-Transfer-Encoding: quoted-printable\r\n"
                              "\r\n"
                              "<p class=3D\"x\">3D printer</p><img src=3D\"cid:pic@x\">\r\n"
                              "--r\r\n"
                              "Content-Type: image/png; name=\"pic.png\"\r\n"
                              "Content-ID: <pic@x>\r\n"
                              "\r\n"
                              "png\r\n"
                              "--r--\r\n";

class FakeHost : public MailUiHost {
public:
    explicit FakeHost(HINSTANCE module) : module_(module), log_([] { return TimeOfDay{}; })
    {
        accounts_.push_back(std::make_unique<CMailAccount>(TransportFactory{}));
    }

    HINSTANCE module() override { return module_; }
    std::string hostName() override { return kHost; }
    HWND hostWindow() override { return nullptr; }
    std::vector<std::unique_ptr<CMailAccount>>& accounts() override { return accounts_; }
    MessageListPtr messages(const CMailAccount&) override { return list; }
    void markSeen(CMailAccount&, const std::string& uniqueId) override { seen.push_back(uniqueId); }
    bool deleteOnServer(CMailAccount&, const std::string& uniqueId) override
    {
        deleted.push_back(uniqueId);
        return deleteSucceeds;
    }
    void restartTimer(CMailAccount&) override {}
    std::unique_ptr<RegistryKey> profile(bool) override { return nullptr; }
    CMailLog& log() override { return log_; }
    TransportFactory transports() override { return {}; }

    CMailAccount& account() { return *accounts_.front(); }

    MessageListPtr list;
    std::vector<std::string> seen;
    std::vector<std::string> deleted;
    bool deleteSucceeds = true;

private:
    HINSTANCE module_;
    std::vector<std::unique_ptr<CMailAccount>> accounts_;
    CMailLog log_;
};

std::string windowText(HWND window)
{
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void removeTree(const std::string& folder)
{
    for (const std::string& name : filesIn(folder)) {
        if (!DeleteFileA((folder + name).c_str()))
            removeTree(folder + name + "\\");
    }
    RemoveDirectoryA(folder.c_str());
}

class MessageWindowTest : public ::testing::Test {
protected:
    struct Prompt {
        std::string text;
        UINT flags;
    };

    void SetUp() override
    {
        module = LoadLibraryA(MailExports::kLibraryName);
        ASSERT_NE(module, nullptr);
        host = std::make_unique<FakeHost>(module);
        host->list = std::make_shared<const MessageList>(
            MessageList{{"uid-att", 0, 1, kWithAttachment}, {"uid-html", 0, 1, kHtmlOnly}});
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "brellix-view-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        saveFolder = folder + "saved\\";
        CreateDirectoryA(saveFolder.c_str(), nullptr);

        seams.prompt = [this](HWND, const std::string& text, UINT flags) {
            prompts.push_back({text, flags});
            ++promptCount;
            return answer;
        };
        seams.chooseFolder = [this](HWND, const std::string& name) -> std::optional<std::string> {
            offeredName = name;
            ++chosen;
            return saveFolder;
        };
        seams.htmlFolder = folder + "html\\";
        seams.createWebView = CWebWnd::create;
    }

    void TearDown() override
    {
        closeAllMessageWindows();
        removeTree(folder);
        host.reset();
        FreeLibrary(module);
    }

    HWND open(const std::string& id, ReplyOpener reply = {})
    {
        return openMessageWindow(*host, host->account(), id, std::move(reply), seams);
    }

    HMODULE module = nullptr;
    std::unique_ptr<FakeHost> host;
    std::string folder;
    std::string saveFolder;
    MessageWindowSeams seams;
    std::vector<Prompt> prompts;
    std::atomic<int> promptCount{0};
    std::atomic<int> chosen{0};
    std::string offeredName;
    int answer = IDYES;
};

TEST_F(MessageWindowTest, ShowsTheStoredMessageAsDecodedTextAndMarksItSeen)
{
    EXPECT_EQ(open("uid-missing"), nullptr);
    EXPECT_TRUE(host->seen.empty());

    HWND window = open("uid-att");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(windowText(window), "ViewHost-Parts");
    EXPECT_EQ(windowText(GetDlgItem(window, IDC_MSG_FROM)), "Ann <ann@example.com>");
    EXPECT_EQ(windowText(GetDlgItem(window, IDC_MSG_TO)), "bob@example.com");
    EXPECT_EQ(windowText(GetDlgItem(window, IDC_MSG_CC)), "J\xF6rg <joerg@example.com>");
    EXPECT_EQ(windowText(GetDlgItem(window, IDC_MSG_SUBJECT)), "Parts");
    // The sender's "..\..\" does not survive into the name.
    EXPECT_EQ(windowText(GetDlgItem(window, IDC_MSG_ATTACHMENTS)), "report.bin");
    EXPECT_NE(windowText(GetDlgItem(window, IDC_MSG_BODY))
                  .find("a=b for the 3D printer, see http://127.0.0.1/x \xA3"),
              std::string::npos);
    EXPECT_EQ(host->seen, std::vector<std::string>{"uid-att"});
    const UINT state = GetMenuState(GetMenu(window), 1, MF_BYPOSITION);
    EXPECT_EQ(state & MF_GRAYED, 0u);
    // A plain message writes no HTML file.
    EXPECT_TRUE(filesIn(folder + "html\\").empty());
}

TEST_F(MessageWindowTest, MenuCommandsRemoveReplyAndClose)
{
    std::vector<std::pair<std::string, bool>> replies;
    HWND window =
        open("uid-att", [&](CMailAccount& account, const CMailMessage& message, bool all) {
            EXPECT_EQ(&account, &host->account());
            replies.emplace_back(message.uniqueId(), all);
        });
    ASSERT_NE(window, nullptr);

    answer = IDNO;
    SendMessageA(window, WM_COMMAND, ID_MSG_REMOVE, 0);
    EXPECT_TRUE(host->deleted.empty());
    answer = IDYES;
    host->deleteSucceeds = false;
    SendMessageA(window, WM_COMMAND, ID_MSG_REMOVE, 0);
    EXPECT_EQ(host->deleted, std::vector<std::string>{"uid-att"});
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].text,
              "Are you sure want to permanently delete the message from the server?");
    EXPECT_EQ(prompts[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(prompts[2].text, "Failed to remove the message from the server.");
    EXPECT_EQ(prompts[2].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

    PostMessageA(window, WM_COMMAND, ID_MSG_REPLY, 0);
    PostMessageA(window, WM_COMMAND, ID_MSG_REPLY_ALL, 0);
    PostMessageA(window, WM_COMMAND, ID_MSG_CLOSE, 0);
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindow(window));
    const std::vector<std::pair<std::string, bool>> expected{{"uid-att", false}, {"uid-att", true}};
    EXPECT_EQ(replies, expected);

    // Without a send window to hand over to, replying does nothing.
    window = open("uid-att");
    SendMessageA(window, WM_COMMAND, ID_MSG_REPLY, 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MessageWindowTest, HeaderDialogShowsTheHeaderBlock)
{
    HWND window = open("uid-att");
    ASSERT_NE(window, nullptr);
    std::string shown;
    {
        sheet_test::Driver driver("Harbinal - Message Header", [&](HWND dialog) {
            shown = windowText(GetDlgItem(dialog, IDC_HEADER_TEXT));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(window, WM_COMMAND, ID_MSG_HEADER, 0);
        EXPECT_FALSE(driver.missed());
    }
    EXPECT_EQ(shown.find("From: Ann <ann@example.com>\r\nTo: bob@example.com\r\n"), 0u);
    EXPECT_NE(shown.find("Content-Type: multipart/mixed; boundary=m"), std::string::npos);
    EXPECT_EQ(shown.find("--m"), std::string::npos);
}

TEST_F(MessageWindowTest, AttachmentsDialogSavesTheSelectedOneByteForByte)
{
    HWND window = open("uid-att");
    ASSERT_NE(window, nullptr);
    LRESULT count = -1;
    std::string listed;
    {
        sheet_test::Driver driver("ViewHost - Save Attachments", [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_ATT_LIST);
            count = SendMessageA(list, LB_GETCOUNT, 0, 0);
            char name[MAX_PATH] = "";
            SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(name));
            listed = name;
            sheet_test::click(dialog, IDC_ATT_SAVE); // nothing selected yet
            sheet_test::waitUntil([&] { return promptCount == 1; });
            SendMessageA(list, LB_SETSEL, TRUE, 0);
            sheet_test::click(dialog, IDC_ATT_SAVE);
            sheet_test::waitUntil([&] { return chosen == 1 && promptCount == 1; });
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(window, WM_COMMAND, ID_MSG_SAVE_ATTACHMENTS, 0);
        EXPECT_FALSE(driver.missed());
    }
    EXPECT_EQ(count, 1);
    EXPECT_EQ(listed, "report.bin");
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, "You must select a file to save before pressing this button.");
    EXPECT_EQ(prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(offeredName, "report.bin");
    EXPECT_EQ(filesIn(saveFolder), std::vector<std::string>{"report.bin"});
    EXPECT_EQ(fileBytes(saveFolder + "report.bin"), kAttachmentBytes);
    // Only the chosen folder was written to.
    EXPECT_EQ(filesIn(folder), std::vector<std::string>{"saved"});
}

// Wine runs without an HTML renderer: the web view cannot be created, and the
// message is shown as its decoded text, with the HTML folder written all the same.
TEST_F(MessageWindowTest, HtmlMessageFallsBackToTextWithoutABrowser)
{
    HWND window = open("uid-html");
    ASSERT_NE(window, nullptr);
    HWND body = GetDlgItem(window, IDC_MSG_BODY);
    EXPECT_TRUE(IsWindowVisible(body));
    EXPECT_EQ(windowText(body), "3D printer");
    EXPECT_EQ(fileBytes(folder + "html\\temp.html"),
              "<p class=\"x\">3D printer</p><img src=\"pic.png\">");
    EXPECT_EQ(fileBytes(folder + "html\\pic.png"), "png");
    EXPECT_EQ(filesIn(folder + "html\\").size(), 2u);
    // No attachment's menu is greyed: the picture is one.
    EXPECT_EQ(GetMenuState(GetMenu(window), 1, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST_F(MessageWindowTest, WindowsKeepTheirListAndCloseWithTheAccounts)
{
    HWND first = open("uid-att");
    HWND second = open("uid-html");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    std::weak_ptr<const MessageList> shown = host->list;
    host->list = std::make_shared<const MessageList>(); // a check replaced the list
    EXPECT_FALSE(shown.expired());
    EXPECT_EQ(open("uid-att"), nullptr);

    closeMessageWindowsOf(host->account());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(shown.expired());

    host->list =
        std::make_shared<const MessageList>(MessageList{{"uid-att", 0, 1, kWithAttachment}});
    first = open("uid-att");
    ASSERT_NE(first, nullptr);
    closeAllMessageWindows();
    EXPECT_FALSE(IsWindow(first));
}

} // namespace
