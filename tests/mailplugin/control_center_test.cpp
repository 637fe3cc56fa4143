// The Control Center on Mail.dll's own templates, over a host of the test's own with its
// profile in memory, driven from a second thread by posted clicks and selections.
#include "mail/center/control_center.h"
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"
#include "meter/memory_registry.h"

#include "../win/sheet_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <thread>

using namespace sheet_test;

namespace {

constexpr char kHost[] = "CenterHost";
constexpr char kProfile[] = "Software\\centerhost\\Mail";
const std::string kTitle = std::string(kHost) + " - Control Center";

class FakeHost : public mail::MailUiHost {
public:
    explicit FakeHost(HINSTANCE module) : module_(module), log_([] { return mail::TimeOfDay{}; }) {}

    void addAccount(const std::string& name, std::int32_t interval)
    {
        accounts_.push_back(std::make_unique<mail::CMailAccount>(nullptr));
        accounts_.back()->record.name = name;
        accounts_.back()->record.server = "localhost";
        accounts_.back()->record.userName = name + ".user";
        accounts_.back()->record.checkInterval = interval;
    }
    mail::CMailAccount& account(std::size_t i) { return *accounts_.at(i); }

    HINSTANCE module() override { return module_; }
    std::string hostName() override { return kHost; }
    HWND hostWindow() override { return nullptr; }
    std::vector<std::unique_ptr<mail::CMailAccount>>& accounts() override { return accounts_; }
    mail::MessageListPtr messages(const mail::CMailAccount&) override { return nullptr; }
    void markSeen(mail::CMailAccount&, const std::string&) override {}
    bool deleteOnServer(mail::CMailAccount&, const std::string&) override { return false; }
    void restartTimer(mail::CMailAccount& account) override
    {
        restarted.push_back(account.record.name + ":" +
                            std::to_string(account.record.checkInterval));
    }
    std::unique_ptr<RegistryKey> profile(bool create) override
    {
        return create ? registry.root()->createSubkey(kProfile)
                      : registry.root()->openSubkey(kProfile);
    }
    mail::CMailLog& log() override { return log_; }
    mail::TransportFactory transports() override { return nullptr; }

    MemoryRegistry registry;
    std::vector<std::string> restarted;

private:
    HINSTANCE module_;
    mail::CMailLog log_;
    std::vector<std::unique_ptr<mail::CMailAccount>> accounts_;
};

std::string itemText(HWND tree, HTREEITEM item)
{
    char buffer[64] = "";
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof buffer;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return buffer;
}

HTREEITEM nextItem(HWND tree, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The tree as "group: page page | group: ..."
std::string treeOutline(HWND tree)
{
    std::string outline;
    for (HTREEITEM group = nextItem(tree, nullptr, TVGN_ROOT); group != nullptr;
         group = nextItem(tree, group, TVGN_NEXT)) {
        outline += itemText(tree, group) + ":";
        for (HTREEITEM page = nextItem(tree, group, TVGN_CHILD); page != nullptr;
             page = nextItem(tree, page, TVGN_NEXT))
            outline += " " + itemText(tree, page);
        outline += "|";
    }
    return outline;
}

HTREEITEM findItem(HWND tree, const std::string& group, const std::string& page)
{
    for (HTREEITEM g = nextItem(tree, nullptr, TVGN_ROOT); g != nullptr;
         g = nextItem(tree, g, TVGN_NEXT)) {
        if (itemText(tree, g) != group)
            continue;
        for (HTREEITEM p = nextItem(tree, g, TVGN_CHILD); p != nullptr;
             p = nextItem(tree, p, TVGN_NEXT)) {
            if (itemText(tree, p) == page)
                return p;
        }
    }
    return nullptr;
}

// The pages showing; the Control Center shows one at a time.
std::vector<HWND> visiblePages(HWND center)
{
    std::vector<HWND> pages;
    for (HWND c = GetWindow(center, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char name[16] = "";
        GetClassNameA(c, name, sizeof name);
        if (std::string(name) == "#32770" && IsWindowVisible(c))
            pages.push_back(c);
    }
    return pages;
}

void selectPage(HWND center, const std::string& group, const std::string& page)
{
    HWND tree = GetDlgItem(center, IDC_CENTER_TREE);
    PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(findItem(tree, group, page)));
}

// Selects a page of the tree and waits for the caption above it; the page shown.
HWND openPage(HWND center, const std::string& group, const std::string& page)
{
    selectPage(center, group, page);
    const std::string label = group + " - " + page;
    if (!waitUntil([&] { return text(center, IDC_CENTER_LABEL) == label; }))
        return nullptr;
    const std::vector<HWND> pages = visiblePages(center);
    return pages.size() == 1 ? pages.front() : nullptr;
}

void typeText(HWND dialog, int id, const char* value)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
}

// What was written to the profile: values set, keys created or deleted.
std::vector<std::string> writes(const MemoryRegistry& registry)
{
    std::vector<std::string> found;
    for (const std::string& entry : registry.journal()) {
        if (entry.rfind("open ", 0) != 0)
            found.push_back(entry);
    }
    return found;
}

void closeWith(HWND center, int button)
{
    PostMessageA(center, WM_COMMAND, static_cast<WPARAM>(button), 0);
    waitUntil([&] { return !IsWindow(center); });
}

// A script that leaves the Control Center closed, even when it stops early: a failing
// check must not leave the test waiting on an open dialog.
std::function<void(HWND)> closing(std::function<void(HWND)> script)
{
    return [script](HWND center) {
        script(center);
        if (IsWindow(center))
            closeWith(center, IDCANCEL);
    };
}

class ControlCenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        module = LoadLibraryA(MailExports::kLibraryName);
        ASSERT_NE(module, nullptr) << "Mail.dll beside the test";
        host = std::make_unique<FakeHost>(module);
    }
    void TearDown() override
    {
        host.reset();
        FreeLibrary(module);
    }

    HMODULE module = nullptr;
    std::unique_ptr<FakeHost> host;
};

} // namespace

TEST_F(ControlCenterTest, treeHoldsTheGroupsAndSelectionShowsOnePageWithItsCaption)
{
    host->addAccount("Home", 5);
    host->addAccount("Work", 12);
    std::string outline, firstLabel, firstHelp, workLabel, workInterval, generalSmtp;
    std::size_t firstVisible = 0;
    bool hasImages = false;
    bool closed = true;
    {
        Driver driver(kTitle, closing([&](HWND center) {
                          HWND tree = GetDlgItem(center, IDC_CENTER_TREE);
                          outline = treeOutline(tree);
                          hasImages = SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0) != 0;
                          firstLabel = text(center, IDC_CENTER_LABEL);
                          const std::vector<HWND> shown = visiblePages(center);
                          firstVisible = shown.size();
                          if (!shown.empty())
                              firstHelp = text(shown.front(), IDC_HELP_TEXT);
                          HWND work = openPage(center, "Checking and Notifying", "Work");
                          workLabel = text(center, IDC_CENTER_LABEL);
                          workInterval = work ? text(work, IDC_NOT_INTERVAL) : "no single page";
                          HWND general = openPage(center, "Global Preferences", "General");
                          generalSmtp =
                              general ? std::to_string(GetDlgItem(general, IDC_GEN_SMTP) != nullptr)
                                      : "no single page";
                          closeWith(center, IDCANCEL);
                      }));
        closed = mail::openControlCenter(*host, {});
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_EQ(outline, "Account Details: Home Work|Checking and Notifying: Home Work|"
                       "Mail Client: Home Work|Global Preferences: General|");
    EXPECT_TRUE(hasImages);
    EXPECT_EQ(firstLabel, "Account Details");
    EXPECT_EQ(firstVisible, 1u);
    EXPECT_EQ(firstHelp.rfind("These settings are used by CenterHost to communicate", 0), 0u);
    EXPECT_EQ(workLabel, "Checking and Notifying - Work");
    EXPECT_EQ(workInterval, "12");
    EXPECT_EQ(generalSmtp, "1");
    EXPECT_FALSE(closed);
    EXPECT_EQ(writes(host->registry), std::vector<std::string>{});
}

TEST_F(ControlCenterTest, okWritesTheNotificationSettingsAndRestartsTheTimer)
{
    host->addAccount("Home", 5);
    host->account(0).notify.soundFile = "ding.wav";
    bool soundButtonsBefore = false, soundButtonsAfter = true;
    {
        Driver driver(kTitle, closing([&](HWND center) {
                          HWND page = openPage(center, "Checking and Notifying", "Home");
                          if (page == nullptr)
                              return;
                          soundButtonsBefore =
                              IsWindowEnabled(GetDlgItem(page, IDC_NOT_CHOOSE_SOUND));
                          click(page, IDC_NOT_SOUND);
                          waitUntil([&] { return !checked(page, IDC_NOT_SOUND); });
                          soundButtonsAfter =
                              IsWindowEnabled(GetDlgItem(page, IDC_NOT_CHOOSE_SOUND));
                          click(page, IDC_NOT_DIALOG);
                          waitUntil([&] { return checked(page, IDC_NOT_DIALOG); });
                          typeText(page, IDC_NOT_INTERVAL, "0");
                          typeText(page, IDC_NOT_TIMEOUT, "0");
                          closeWith(center, IDOK);
                      }));
        EXPECT_TRUE(mail::openControlCenter(*host, {}));
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_TRUE(soundButtonsBefore);
    EXPECT_FALSE(soundButtonsAfter);
    const std::string section = std::string(kProfile) + "\\Home";
    const RegistryValue* sound = host->registry.value(section, "Notify.Sound");
    const RegistryValue* dialog = host->registry.value(section, "Notify.Dialog");
    ASSERT_NE(sound, nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(sound->data, std::vector<std::uint8_t>{0});
    EXPECT_EQ(dialog->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(host->account(0).notify.soundFile, "");
    EXPECT_TRUE(host->account(0).notify.showDialog);
    EXPECT_EQ(host->account(0).notify.timeoutSeconds, 2);
    EXPECT_EQ(host->account(0).record.checkInterval, 0);
    EXPECT_EQ(host->restarted, std::vector<std::string>{"Home:0"});
}

TEST_F(ControlCenterTest, cancelLeavesAccountsAndProfileAlone)
{
    host->registry.putString(kProfile, "MailClient", "C:\\old.exe");
    host->addAccount("Home", 5);
    {
        Driver driver(kTitle, closing([&](HWND center) {
                          HWND notify = openPage(center, "Checking and Notifying", "Home");
                          HWND details = openPage(center, "Account Details", "Home");
                          HWND general = openPage(center, "Global Preferences", "General");
                          if (notify == nullptr || details == nullptr || general == nullptr)
                              return;
                          typeText(notify, IDC_NOT_INTERVAL, "1");
                          click(notify, IDC_NOT_DIALOG);
                          waitUntil([&] { return checked(notify, IDC_NOT_DIALOG); });
                          typeText(details, IDC_ACC_NAME, "Renamed");
                          typeText(general, IDC_GEN_SMTP, "smtp.localhost");
                          closeWith(center, IDCANCEL);
                      }));
        EXPECT_FALSE(mail::openControlCenter(*host, {}));
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_EQ(writes(host->registry), std::vector<std::string>{});
    EXPECT_TRUE(host->restarted.empty());
    EXPECT_EQ(host->account(0).record.name, "Home");
    EXPECT_EQ(host->account(0).record.checkInterval, 5);
    EXPECT_FALSE(host->account(0).notify.showDialog);
}

TEST_F(ControlCenterTest, clientPageRefusesAnEmptyPathAndStaysOpen)
{
    host->addAccount("Home", 5);
    host->addAccount("Work", 5);
    bool pathEnabledBefore = true, pathEnabledAfter = false, refused = false, stayed = false;
    std::string startLabel;
    {
        Driver driver(kTitle, closing([&](HWND center) {
                          startLabel = text(center, IDC_CENTER_LABEL);
                          HWND page = visiblePages(center).front();
                          pathEnabledBefore = IsWindowEnabled(GetDlgItem(page, IDC_CLI_PATH));
                          click(page, IDC_CLI_CLIENT);
                          waitUntil([&] { return checked(page, IDC_CLI_CLIENT); });
                          pathEnabledAfter = IsWindowEnabled(GetDlgItem(page, IDC_CLI_PATH));
                          // Leaving for another page is refused as OK is.
                          selectPage(center, "Global Preferences", "General");
                          HWND box = nullptr;
                          refused = waitUntil([&] {
                              return (box = findMessageBox(
                                          driver.thread(),
                                          "You must enter a path to a mail client.")) != nullptr;
                          });
                          if (box != nullptr)
                              PostMessageA(box, WM_COMMAND, IDOK, 0);
                          waitUntil([&] { return !IsWindow(box); });
                          stayed = text(center, IDC_CENTER_LABEL) == "Mail Client - Work";
                          typeText(page, IDC_CLI_PATH, "C:\\client.exe");
                          closeWith(center, IDOK);
                      }));
        // The first group with an account opens on that account's mail-client page.
        EXPECT_TRUE(mail::openControlCenter(*host, {{1, 1}, {}}));
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_EQ(startLabel, "Mail Client - Work");
    EXPECT_FALSE(pathEnabledBefore);
    EXPECT_TRUE(pathEnabledAfter);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(host->account(1).notify.openClientOnSelect);
    EXPECT_EQ(host->account(1).notify.mailClientPath, "C:\\client.exe");
    EXPECT_FALSE(host->account(0).notify.openClientOnSelect);
}

TEST_F(ControlCenterTest, generalPageWritesTheGlobalValues)
{
    host->registry.putString(kProfile, "MailClient", "C:\\old.exe");
    std::string clientShown, outline;
    {
        Driver driver(kTitle, closing([&](HWND center) {
                          outline = treeOutline(GetDlgItem(center, IDC_CENTER_TREE));
                          const std::vector<HWND> shown = visiblePages(center);
                          if (shown.size() != 1 ||
                              text(center, IDC_CENTER_LABEL) != "Global Preferences - General")
                              return;
                          clientShown = text(shown.front(), IDC_GEN_CLIENT);
                          typeText(shown.front(), IDC_GEN_SMTP, "smtp.localhost");
                          closeWith(center, IDOK);
                      }));
        mail::openControlCenter(*host, {{4, std::nullopt}, {}});
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_EQ(outline, "Account Details:|Checking and Notifying:|Mail Client:|"
                       "Global Preferences: General|");
    EXPECT_EQ(clientShown, "C:\\old.exe");
    const RegistryValue* smtp = host->registry.value(kProfile, "MailSMTPServer");
    ASSERT_NE(smtp, nullptr);
    EXPECT_EQ(std::string(smtp->data.begin(), smtp->data.end()),
              std::string("smtp.localhost") + '\0');
}

TEST_F(ControlCenterTest, openingAMissingClientOffersTheGeneralPage)
{
    const std::string question = "You must first choose an email client using the Control "
                                 "Center dialog.\nDisplay the Control Center now?";
    bool askedTwice = false;
    std::string label;
    const DWORD self = GetCurrentThreadId();
    std::thread driver([&] {
        // "No": nothing opens. Then "Yes": the Control Center on its "General" page.
        HWND box = nullptr;
        waitUntil([&] { return (box = findMessageBox(self, question)) != nullptr; });
        PostMessageA(box, WM_COMMAND, IDNO, 0);
        waitUntil([&] { return !IsWindow(box); });
        box = nullptr;
        askedTwice = waitUntil([&] { return (box = findMessageBox(self, question)) != nullptr; });
        PostMessageA(box, WM_COMMAND, IDYES, 0);
        HWND center = nullptr;
        waitUntil([&] { return (center = findWindowOf(self, kTitle)) != nullptr; });
        waitUntil([&] { return text(center, IDC_CENTER_LABEL) != ""; });
        label = text(center, IDC_CENTER_LABEL);
        closeWith(center, IDCANCEL);
    });
    mail::openMailClient(*host);
    const bool centerAfterNo = findWindowOf(self, kTitle) != nullptr;
    mail::openMailClient(*host);
    driver.join();
    EXPECT_FALSE(centerAfterNo);
    EXPECT_TRUE(askedTwice);
    EXPECT_EQ(label, "Global Preferences - General");
    EXPECT_EQ(host->registry.value(kProfile, "MailClient"), nullptr);
}

TEST_F(ControlCenterTest, addAccountClosesTheCenterKeepingChangesOnlyWhenAsked)
{
    const std::string question = "The 'Control Center' will close before opening the 'Create "
                                 "Account' dialog.\nWould you like to save any changes you made?";
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "yes" : "no");
        host = std::make_unique<FakeHost>(module);
        std::atomic<HWND> shown{nullptr};
        bool asked = false, hiddenWhileAdding = false;
        mail::CenterRequest request;
        request.addAccount = [&] {
            hiddenWhileAdding = shown.load() != nullptr && !IsWindowVisible(shown.load());
            host->addAccount("New", 5);
        };
        bool applied = false;
        {
            Driver driver(
                kTitle, closing([&](HWND center) {
                    shown = center;
                    HWND help = visiblePages(center).front();
                    HWND general = openPage(center, "Global Preferences", "General");
                    if (general == nullptr)
                        return;
                    typeText(general, IDC_GEN_SMTP, "smtp.localhost");
                    PostMessageA(help, WM_COMMAND, MAKEWPARAM(IDC_HELP_ADD_ACCOUNT, BN_CLICKED), 0);
                    HWND box = nullptr;
                    asked = waitUntil([&] {
                        return (box = findMessageBox(driver.thread(), question)) != nullptr;
                    });
                    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                    waitUntil([&] { return !IsWindow(center); });
                }));
            applied = mail::openControlCenter(*host, request);
            ASSERT_FALSE(driver.missed());
        }
        EXPECT_TRUE(asked);
        EXPECT_TRUE(hiddenWhileAdding);
        EXPECT_EQ(applied, answer == IDYES);
        ASSERT_EQ(host->accounts().size(), 1u);
        EXPECT_EQ(host->accounts()[0]->record.name, "New");
        EXPECT_EQ(host->registry.value(kProfile, "MailSMTPServer") != nullptr, answer == IDYES);
    }
}
