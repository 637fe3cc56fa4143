// Brellix.exe with Mail.dll beside it and accounts on dovecot (pop3_server.py, started
// by a ctest fixture of this suite): the checks started from the mail tray, what they
// leave in the account file the program has the plug-in save at exit, "delete all"
// with its two questions, and the plug-in option switched off.
#include "e2e_program.h"
#include "mail/account_record.h"
#include "mail/plugin/res/resource.h"
#include "tests/e2e/pop3_fixture.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>

using namespace e2e;
using namespace pop3fixture;

namespace {

constexpr DWORD kPluginOn = 0xF820000B;   // a plain profile, not a first start
constexpr DWORD kNoMailPlugin = 1u << 15; // "Use e-mail plug-in" off
// The mail tray's window, its icon's notification and the menu commands used here.
constexpr const char* kMailTrayTitle = "Mail Tray";
constexpr UINT kTrayCallback = 0x8064;
constexpr LPARAM kRightButtonUp = 517;
constexpr WPARAM kAddAccount = 200;
constexpr WPARAM kRemoveAccount = 201;
constexpr WPARAM kCheckMailNow = 202;
constexpr WPARAM kHostItemBase = 700;
constexpr WPARAM kDeleteAllBase = 800;
// The account profile of the host "Brellix" and the plug-in "Mail".
constexpr const char* kMailProfile = "Software\\brellix\\Mail";
constexpr const char* kAccountProfile = "Software\\brellix\\Mail\\";
constexpr DWORD kReplyTimeoutSeconds = 20; // Wine under load answers slowly

std::string accountFile()
{
    const std::string program = programPath();
    return program.substr(0, program.find_last_of('\\') + 1) + "Mail.Brellix";
}

// A value of an account's profile section; the suite's runs delete the section.
void setProfileValue(const std::string& account, const char* name, DWORD value)
{
    HKEY key;
    const std::string path = kAccountProfile + account;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
        RegCloseKey(key);
    }
}

mail::AccountRecord accountOf(const std::string& user, const std::string& password = "secret")
{
    mail::AccountRecord record;
    record.name = "Box of " + user;
    record.server = "127.0.0.1";
    record.port = g_port;
    record.userName = user;
    record.password = password;
    record.checkInterval = 0; // checked only when asked
    // A generous reply time-out for each account, in its profile section.
    setProfileValue(record.name, "Misc.Timeout", kReplyTimeoutSeconds);
    return record;
}

void writeAccounts(const std::vector<mail::AccountRecord>& records)
{
    std::vector<const mail::AccountRecord*> list;
    for (const auto& record : records)
        list.push_back(&record);
    std::ofstream out(accountFile(), std::ios::binary | std::ios::trunc);
    out << mail::encodeAccountFile(list);
}

mail::DecodedAccounts readAccounts()
{
    return mail::decodeAccountFile(readFile(accountFile()));
}

// Sessions of a user that dovecot has seen end.
int sessionsEnded(const std::string& user)
{
    std::istringstream log(readFile(g_root + "\\dovecot.log"));
    const std::string who = "pop3(" + user + ")";
    int count = 0;
    for (std::string line; std::getline(log, line);)
        if (line.find(who) != std::string::npos && line.find("Disconnected") != std::string::npos)
            ++count;
    return count;
}

template <typename Done> bool within(DWORD limitMs, Done done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return false;
        Sleep(100);
    }
    return true;
}

HWND mailTray()
{
    HWND tray = nullptr;
    within(20000, [&] { return (tray = FindWindowA(nullptr, kMailTrayTitle)) != nullptr; });
    return tray;
}

// The menu is built when it opens; its generated commands (host items, accounts)
// are those of the menu last shown, so it is opened and closed first.
void openAndCloseMenu(HWND tray)
{
    PostMessageA(tray, kTrayCallback, 0, kRightButtonUp);
    within(10000, [] {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu);
    });
    PostMessageA(tray, WM_KEYDOWN, VK_ESCAPE, 0);
    within(10000, [] {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu == nullptr || !IsWindowVisible(menu);
    });
}

void command(HWND tray, WPARAM id)
{
    PostMessageA(tray, WM_COMMAND, id, 0);
}

// A started program with the plug-in, its accounts as given.
class MailProgram {
public:
    explicit MailProgram(const std::vector<mail::AccountRecord>& accounts,
                         DWORD booleans = kPluginOn)
    {
        freshProfile(booleans);
        writeAccounts(accounts);
        program_ = std::make_unique<Program>();
    }
    ~MailProgram()
    {
        deleteProfile();
        SHDeleteKeyA(HKEY_CURRENT_USER, kMailProfile);
    }

    bool ready()
    {
        if (!program_->started() || program_->mainWindow(30000) == nullptr)
            return false;
        tray_ = mailTray();
        return tray_ != nullptr;
    }
    HWND tray() const { return tray_; }
    Program& program() { return *program_; }

    // "&Check Mail Now", then until dovecot has seen the user's session end and the
    // one-second completion poll has had its turn.
    bool checkAll(const std::vector<std::string>& users)
    {
        std::vector<int> before;
        for (const auto& user : users)
            before.push_back(sessionsEnded(user));
        command(tray_, kCheckMailNow);
        for (std::size_t i = 0; i < users.size(); ++i)
            if (!within(60000, [&] { return sessionsEnded(users[i]) > before[i]; }))
                return false;
        Sleep(2500);
        return true;
    }

    // "E&xit Brellix" in the mail tray menu: message 6024 with the host's id 10.
    bool exitThroughMailTray()
    {
        openAndCloseMenu(tray_);
        command(tray_, kHostItemBase + PLUGIN_ITEM_EXIT);
        DWORD exitCode = 1;
        return program_->waitForExit(30000, exitCode) && exitCode == 0;
    }

private:
    std::unique_ptr<Program> program_;
    HWND tray_ = nullptr;
};

std::vector<std::string> expectedUids()
{
    // "count total", then "number size uid" per message, as Python's poplib saw them.
    std::istringstream expected(readFile(g_work + "expected"));
    std::string line;
    std::getline(expected, line);
    std::vector<std::string> uids;
    while (std::getline(expected, line)) {
        std::istringstream fields(line);
        std::string number, size, uid;
        fields >> number >> size >> uid;
        uids.push_back(uid);
    }
    return uids;
}

std::vector<std::string> idsOf(const mail::AccountRecord& record)
{
    std::vector<std::string> ids;
    for (const auto& message : record.messages)
        ids.push_back(message.uniqueId);
    return ids;
}

std::vector<int> newFlagsOf(const mail::AccountRecord& record)
{
    std::vector<int> flags;
    for (const auto& message : record.messages)
        flags.push_back(message.isNew);
    return flags;
}

// A top-level window of the given title, visible.
HWND shownWindow(const char* title, DWORD limitMs = 20000)
{
    HWND found = nullptr;
    within(limitMs, [&] {
        found = FindWindowA("#32770", title);
        return found != nullptr && IsWindowVisible(found);
    });
    return found;
}

// The plug-in's log window (hidden until asked for) and the text of its edit control.
std::string logWindowText()
{
    HWND log = FindWindowA("#32770", "Brellix - Log");
    if (log == nullptr)
        log = FindWindowA("#32770", "Mail - Log");
    HWND edit = log != nullptr ? GetDlgItem(log, IDC_MAIL_LOG_TEXT) : nullptr;
    if (edit == nullptr)
        return {};
    // Another process's control answers only messages: GetWindowText would give its
    // caption, not its text.
    const auto length = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND sheetPage(HWND sheet)
{
    return FindWindowExA(sheet, nullptr, "#32770", nullptr);
}

} // namespace

TEST(mailTrayE2E, anAccountAddedInItsSheetIsSavedWithWhatWasTyped)
{
    MailProgram run({});
    ASSERT_TRUE(run.ready());
    command(run.tray(), kAddAccount);
    HWND sheet = shownWindow("Brellix - Create Account");
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet);
    ASSERT_NE(page, nullptr);
    const std::pair<int, const char*> typed[] = {
        {IDC_ACC_NAME, "Typed"},      {IDC_ACC_SERVER, "127.0.0.1"},
        {IDC_ACC_PORT, ""},           {IDC_ACC_USER, "alice"},
        {IDC_ACC_PASSWORD, "secret"}, {IDC_ACC_REPLY, "alice@example.org"}};
    for (const auto& [id, text] : typed)
        SendMessageA(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    PostMessageA(sheet, WM_COMMAND, IDOK, 0);
    HWND added = run.program().messageBox("The Typed account was successfully added.", 20000);
    ASSERT_NE(added, nullptr);
    PostMessageA(added, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(run.exitThroughMailTray());

    const auto saved = readAccounts();
    ASSERT_TRUE(saved.complete);
    ASSERT_EQ(saved.accounts.size(), 1u);
    const mail::AccountRecord& account = saved.accounts[0];
    EXPECT_EQ(account.name, "Typed");
    EXPECT_EQ(account.server, "127.0.0.1");
    EXPECT_EQ(account.port, 110); // an empty port
    EXPECT_EQ(account.userName, "alice");
    EXPECT_EQ(account.password, "secret");
    EXPECT_EQ(account.replyAddress, "alice@example.org");
}

TEST(mailTrayE2E, theAccountChosenForRemovalIsGoneFromTheSavedFile)
{
    MailProgram run({accountOf("alice"), accountOf("bob")});
    ASSERT_TRUE(run.ready());
    command(run.tray(), kRemoveAccount);
    HWND chooser = shownWindow("Brellix - Accounts");
    ASSERT_NE(chooser, nullptr);
    HWND list = GetDlgItem(chooser, IDC_ACH_LIST);
    ASSERT_NE(list, nullptr);
    // The keyboard selects the first row: alice's account.
    PostMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    Sleep(500);
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(within(20000, [&] { return !IsWindow(chooser); }));
    ASSERT_TRUE(run.exitThroughMailTray());

    const auto saved = readAccounts();
    ASSERT_TRUE(saved.complete);
    ASSERT_EQ(saved.accounts.size(), 1u);
    EXPECT_EQ(saved.accounts[0].userName, "bob");
}

TEST(mailTrayE2E, checkFindsEveryMessageAsNewUnderTheServersIds)
{
    const mail::AccountRecord alice = accountOf("alice");
    setProfileValue(alice.name, "Notify.Dialog", 1);
    MailProgram run({alice});
    ASSERT_TRUE(run.ready());
    ASSERT_TRUE(run.checkAll({"alice"}));

    // Told by the popup and, as the account asks, by the new-mail dialog.
    HWND popup = FindWindowA("BrellixMailTrayPopup", nullptr);
    EXPECT_TRUE(popup != nullptr && IsWindowVisible(popup));
    HWND dialog = FindWindowA("#32770", "Brellix - Notification");
    ASSERT_NE(dialog, nullptr);
    char text[256] = {};
    SendMessageA(GetDlgItem(dialog, IDC_NEW_MAIL_TEXT), WM_GETTEXT, sizeof text,
                 reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "4 new message(s) in your Box of alice account");
    ASSERT_TRUE(run.exitThroughMailTray());

    const auto saved = readAccounts();
    ASSERT_TRUE(saved.complete);
    ASSERT_EQ(saved.accounts.size(), 1u);
    EXPECT_EQ(idsOf(saved.accounts[0]), expectedUids());
    EXPECT_EQ(newFlagsOf(saved.accounts[0]), std::vector<int>(4, 1));
    EXPECT_NE(saved.accounts[0].lastCheck, 0u);
}

TEST(mailTrayE2E, aSecondCheckMarksMessagesOldAndOnlyAnArrivalIsNew)
{
    inject("carol", "first");
    inject("carol", "second");
    inject("carol", "third");
    {
        MailProgram run({accountOf("carol")});
        ASSERT_TRUE(run.ready());
        ASSERT_TRUE(run.checkAll({"carol"}));
        ASSERT_TRUE(run.exitThroughMailTray());
    }
    const auto first = readAccounts();
    ASSERT_EQ(first.accounts.size(), 1u);
    EXPECT_EQ(newFlagsOf(first.accounts[0]), std::vector<int>(3, 1));

    // The next start knows the ids from the file: nothing is new again.
    {
        MailProgram run(first.accounts);
        ASSERT_TRUE(run.ready());
        ASSERT_TRUE(run.checkAll({"carol"}));
        ASSERT_TRUE(run.exitThroughMailTray());
    }
    const auto second = readAccounts();
    ASSERT_EQ(second.accounts.size(), 1u);
    EXPECT_EQ(idsOf(second.accounts[0]), idsOf(first.accounts[0]));
    EXPECT_EQ(newFlagsOf(second.accounts[0]), std::vector<int>(3, 0));

    inject("carol", "fourth");
    {
        MailProgram run(second.accounts);
        ASSERT_TRUE(run.ready());
        ASSERT_TRUE(run.checkAll({"carol"}));
        ASSERT_TRUE(run.exitThroughMailTray());
    }
    const auto third = readAccounts();
    ASSERT_EQ(third.accounts.size(), 1u);
    EXPECT_EQ(newFlagsOf(third.accounts[0]), (std::vector<int>{0, 0, 0, 1}));
}

TEST(mailTrayE2E, deleteAllEmptiesTheMailboxAfterBothQuestions)
{
    ASSERT_GT(messagesOnDisk("bob"), 0);
    MailProgram run({accountOf("bob")});
    ASSERT_TRUE(run.ready());
    openAndCloseMenu(run.tray());
    command(run.tray(), kDeleteAllBase + 0);

    HWND first = run.program().messageBox("This will first synchronize", 20000);
    ASSERT_NE(first, nullptr);
    PostMessageA(first, WM_COMMAND, IDYES, 0);
    HWND second = run.program().messageBox("Are you sure you want to delete ALL of them?", 60000);
    ASSERT_NE(second, nullptr);
    PostMessageA(second, WM_COMMAND, IDYES, 0);
    // Committed by the deleting session's QUIT, not by some later connection.
    EXPECT_TRUE(within(30000, [] { return messagesOnDisk("bob") == 0; }));
    EXPECT_TRUE(run.exitThroughMailTray());
}

TEST(mailTrayE2E, aRefusedLoginIsLoggedWithItsErrorNumberAndKeepsTheMessages)
{
    mail::AccountRecord account = accountOf("alice", "wrong");
    account.messages.push_back({"kept-id", 0, 0, "Subject: kept\r\n\r\nbody\r\n"});
    MailProgram run({account});
    ASSERT_TRUE(run.ready());
    EXPECT_NE(logWindowText().find("Welcome to Brellix"), std::string::npos);
    command(run.tray(), kCheckMailNow);
    const std::string expected =
        "*Error*: Failed to connect to 127.0.0.1 as user alice.  Error Number 10043 occured.";
    EXPECT_TRUE(within(60000, [&] { return logWindowText().find(expected) != std::string::npos; }))
        << logWindowText();
    Sleep(2500); // the completion poll
    ASSERT_TRUE(run.exitThroughMailTray());
    const auto saved = readAccounts();
    ASSERT_EQ(saved.accounts.size(), 1u);
    EXPECT_EQ(idsOf(saved.accounts[0]), std::vector<std::string>{"kept-id"});
}

TEST(mailTrayE2E, withThePluginOptionOffThereIsNoMailTrayAndTheFileStaysAsItWas)
{
    MailProgram run({accountOf("alice")}, kPluginOn | kNoMailPlugin);
    const std::string before = readFile(accountFile());
    ASSERT_TRUE(run.program().started());
    HWND main = run.program().mainWindow(30000);
    ASSERT_NE(main, nullptr);
    Sleep(2000); // past the start-up step that would load the plug-in
    EXPECT_EQ(FindWindowA(nullptr, kMailTrayTitle), nullptr);
    PostMessageA(main, WMU_PLUGIN_COMMAND, PLUGIN_ITEM_EXIT, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(run.program().waitForExit(15000, exitCode));
    EXPECT_EQ(readFile(accountFile()), before);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2 || !pop3fixture::load(argv[1])) {
        std::fprintf(stderr, "usage: mail_tray_e2e WORKDIR (a running pop3_server.py)\n");
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    DeleteFileA(accountFile().c_str());
    return result;
}
