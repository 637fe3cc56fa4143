// Loading and saving accounts: the file through a fake file seam, the damaged file
// kept aside, the profile values, the clamps on times and the connect step's log.
#include "mail/account_profile.h"
#include "mail/account_store.h"
#include "meter/memory_registry.h"
#include "pop3_fakes.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct MemoryFiles : mail::AccountFiles {
    bool read(const std::string& path, std::string& bytes) override
    {
        const auto it = files.find(path);
        if (it == files.end()) {
            return false;
        }
        bytes = it->second;
        return true;
    }
    bool replace(const std::string& path, const std::string& bytes) override
    {
        if (failWrites) {
            return false;
        }
        files[path] = bytes;
        return true;
    }
    bool keepAside(const std::string& path, const std::string& aside) override
    {
        files[aside] = files[path];
        files.erase(path);
        return true;
    }
    std::map<std::string, std::string> files;
    bool failWrites = false;
};

struct RecordingSink : mail::LogSink {
    void writeLine(const std::string& line) override { lines.push_back(line.substr(13)); }
    std::vector<std::string> lines; // without the time stamp
};

const std::string kPath = "C:\\data\\Mail.Brellix";
const std::string kModule = "Software\\brellix\\Mail";

class AccountStoreTest : public ::testing::Test {
protected:
    AccountStoreTest() : log([] { return mail::TimeOfDay{}; })
    {
        log.open(nullptr, &window, false);
        profile = registry.root()->createSubkey(kModule);
    }
    mail::AccountStoreContext context()
    {
        return mail::AccountStoreContext{files, log, profile.get(), nullptr};
    }
    std::unique_ptr<mail::CMailAccount> account(const std::string& name, int messages)
    {
        auto a = std::make_unique<mail::CMailAccount>(nullptr);
        a->record.name = name;
        a->record.server = "127.0.0.1";
        for (int i = 0; i < messages; ++i) {
            a->record.messages.push_back({"id" + std::to_string(i), 0, 1, "text"});
        }
        return a;
    }

    MemoryFiles files;
    RecordingSink window;
    mail::CMailLog log;
    MemoryRegistry registry;
    std::unique_ptr<RegistryKey> profile;
};

TEST_F(AccountStoreTest, SavedAccountsLoadBackWithTheirProfileValues)
{
    mail::AccountList saved;
    saved.push_back(account("Home", 2));
    saved.back()->notify.showDialog = true;
    saved.back()->notify.soundFile = "ding.wav";
    saved.back()->notify.timeoutSeconds = 30;
    saved.push_back(account("Work", 0));
    auto ctx = context();
    ASSERT_TRUE(mail::saveAccounts(ctx, kPath, saved));
    EXPECT_EQ(window.lines, (std::vector<std::string>{"Message: Saved account Home.",
                                                      "Message: Saved account Work."}));
    ASSERT_NE(registry.value(kModule + "\\Home", "Notify.Dialog"), nullptr);

    mail::AccountList loaded;
    ASSERT_TRUE(mail::loadAccounts(ctx, kPath, loaded));
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0]->record.messages.size(), 2u);
    EXPECT_EQ(loaded[0]->record.messages[1].uniqueId, "id1");
    EXPECT_TRUE(loaded[0]->notify.showDialog);
    EXPECT_EQ(loaded[0]->notify.soundFile, "ding.wav");
    EXPECT_EQ(loaded[0]->notify.timeoutSeconds, 30);
    EXPECT_FALSE(loaded[1]->notify.showDialog);
    EXPECT_EQ(window.lines.back(), "Message: Loaded account Work.");
}

TEST_F(AccountStoreTest, MissingFileIsAFirstRunNotDamage)
{
    mail::AccountList loaded;
    auto ctx = context();
    EXPECT_FALSE(mail::loadAccounts(ctx, kPath, loaded));
    EXPECT_TRUE(loaded.empty());
    EXPECT_TRUE(files.files.empty());
    EXPECT_TRUE(window.lines.empty());
}

TEST_F(AccountStoreTest, DamagedFileIsKeptAsideAndNotOverwrittenByWhatWasRead)
{
    mail::AccountList saved;
    saved.push_back(account("Home", 1));
    saved.push_back(account("Work", 3));
    auto ctx = context();
    ASSERT_TRUE(mail::saveAccounts(ctx, kPath, saved));
    const std::string whole = files.files[kPath];
    files.files[kPath] = whole.substr(0, whole.size() - 3);

    mail::AccountList loaded;
    EXPECT_FALSE(mail::loadAccounts(ctx, kPath, loaded));
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0]->record.name, "Home");
    EXPECT_EQ(files.files.count(kPath), 0u);
    EXPECT_EQ(files.files[kPath + ".bad"], whole.substr(0, whole.size() - 3));
    EXPECT_EQ(window.lines.back(), "*Error*: The account file " + kPath +
                                       " is damaged; it was kept as " + kPath + ".bad.");
}

TEST_F(AccountStoreTest, FailedWriteFailsTheSaveAndSaysSo)
{
    mail::AccountList saved;
    saved.push_back(account("Home", 1));
    files.failWrites = true;
    auto ctx = context();
    EXPECT_FALSE(mail::saveAccounts(ctx, kPath, saved));
    EXPECT_EQ(window.lines,
              std::vector<std::string>{"*Error*: Could not save the account file " + kPath + "."});
}

TEST(AccountProfile, FlagsAreTrueOnlyWhenExactlyOneAndTimeoutIsClamped)
{
    MemoryRegistry registry;
    const std::string section = mail::profileKeyPath("BrelliX", "Mail", "Home");
    EXPECT_EQ(section, "Software\\brellix\\Mail\\Home");
    registry.putDword(section, "Notify.Dialog", 2);
    registry.putDword(section, "Notify.TrayPopup", 0);
    registry.putString(section, "Notify.TrayIcon", "1"); // wrong type: ignored
    registry.putDword(section, "Misc.Timeout", 0);
    mail::NotifySettings notify;
    notify.showDialog = true;
    auto key = registry.root()->openSubkey(section);
    ASSERT_TRUE(key);
    mail::readNotifySettings(*key, notify);
    EXPECT_FALSE(notify.showDialog);
    EXPECT_FALSE(notify.showTrayPopup);
    EXPECT_TRUE(notify.changeTrayIcon);
    EXPECT_EQ(notify.timeoutSeconds, 1);
    registry.putDword(section, "Misc.Timeout", 0xffffffffu);
    mail::readNotifySettings(*key, notify);
    EXPECT_EQ(notify.timeoutSeconds, 600);
}

TEST(AccountTimes, TimeoutAndCheckPeriodAreClamped)
{
    EXPECT_EQ(mail::replyTimeoutMs(2), 2000);
    EXPECT_EQ(mail::replyTimeoutMs(0), 1000);
    EXPECT_EQ(mail::replyTimeoutMs(-5), 1000);
    EXPECT_EQ(mail::replyTimeoutMs(3000000), 600000);
    EXPECT_EQ(mail::checkPeriodMs(5), 300000);
    EXPECT_EQ(mail::checkPeriodMs(0), 0);
    EXPECT_EQ(mail::checkPeriodMs(-1), 0);
    EXPECT_EQ(mail::checkPeriodMs(35000), 2100000000);
    EXPECT_EQ(mail::checkPeriodMs(2000000), 2100000000); // would overflow 31 bits
}

TEST(AccountConnect, LogsTheOutcomeWithTheErrorNumber)
{
    fakes::Pop3Peer peer;
    peer.acceptLogin();
    RecordingSink window;
    mail::CMailLog log([] { return mail::TimeOfDay{}; });
    log.open(nullptr, &window, false);
    mail::CMailAccount account(
        [&peer] { return std::make_unique<fakes::ScriptedTransport>(peer); });
    account.pop3.setClock([&peer] { return peer.now; });
    account.record.server = "127.0.0.1";
    account.record.userName = "alice";
    account.record.password = "secret";
    account.notify.timeoutSeconds = 0; // clamped to one second
    ASSERT_TRUE(account.connect(log));
    EXPECT_EQ(account.pop3.timeoutMs(), 1000);
    account.record.password = "wrong";
    peer.reply("PASS wrong\r\n", "-ERR no\r\n");
    EXPECT_FALSE(account.connect(log));
    account.record.port = 70000;
    EXPECT_FALSE(account.connect(log));
    EXPECT_EQ(window.lines,
              (std::vector<std::string>{
                  "Message: Connected to 127.0.0.1 as user alice.",
                  "*Error*: Failed to connect to 127.0.0.1 as user alice.  Error Number 10043 "
                  "occured.",
                  "*Error*: Failed to connect to 127.0.0.1 as user alice.  Error Number 10022 "
                  "occured."}));
}

} // namespace
