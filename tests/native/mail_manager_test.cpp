// The plug-in's central object through fakes of the platform and of the plug-in's
// windows: the environment and its default name, the profile key, the order in which
// accounts are opened, saved and closed, and the host's items.
#include "mail/plugin/mail_manager.h"
#include "meter/memory_registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using namespace mail;

namespace {

struct MemoryFiles : AccountFiles {
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
};

struct LineCollector : LogSink {
    explicit LineCollector(std::vector<std::string>& to) : lines(to) {}
    void writeLine(const std::string& line) override { lines.push_back(line.substr(13)); }
    std::vector<std::string>& lines;
};

struct FakePlatform : PluginPlatform {
    AccountFiles& accountFiles() override { return files; }
    std::string programFolder() override { return "C:\\Program\\"; }
    std::string moduleName() override { return "Mail"; }
    std::unique_ptr<RegistryKey> userKey(const std::string& path, bool create) override
    {
        auto root = registry.root();
        return create ? root->createSubkey(path) : root->openSubkey(path);
    }
    std::unique_ptr<LogSink> createLogFile(const std::string& path) override
    {
        logFiles.push_back(path);
        return std::make_unique<LineCollector>(fileLines);
    }
    bool copyFile(const std::string&, const std::string&) override { return false; }
    TransportFactory transports() override { return nullptr; }
    TimeOfDay timeOfDay() override { return {}; }
    bool ownVersion(FileVersion& v) override
    {
        v = version;
        return hasVersion;
    }

    MemoryFiles files;
    MemoryRegistry registry;
    std::vector<std::string> logFiles;
    std::vector<std::string> fileLines;
    FileVersion version{1, 0, 0, 1};
    bool hasVersion = true;
};

struct RecordingParts : PluginParts {
    void createTray() override { calls.push_back("createTray"); }
    void removeTray() override { calls.push_back("removeTray"); }
    LogSink* openLogWindow(bool& isNew) override
    {
        calls.push_back("openLogWindow");
        isNew = true;
        return &window;
    }
    void destroyLogWindow() override { calls.push_back("destroyLogWindow"); }
    void startCheckTimers(AccountList& accounts) override
    {
        calls.push_back("startCheckTimers " + std::to_string(accounts.size()));
    }
    void releaseAccounts(AccountList& accounts) override
    {
        calls.push_back("releaseAccounts " + std::to_string(accounts.size()));
    }
    void runCommand(int id) override { calls.push_back("command " + std::to_string(id)); }

    std::vector<std::string> calls;
    std::vector<std::string> windowLines;
    LineCollector window{windowLines};
};

TEnvironment environment(const char* name, std::uint8_t writeLog = 0)
{
    TEnvironment e;
    std::memset(&e, 0, sizeof e);
    std::strcpy(e.hostName, name);
    e.reserved = 1;
    e.writeLogFile = writeLog;
    e.hostWindow = 0x12345678;
    return e;
}

// An account file of one account "Home" with no messages, as the core writes it.
std::string oneAccountFile()
{
    AccountRecord record;
    record.name = "Home";
    record.server = "127.0.0.1";
    return encodeAccountFile({&record});
}

class MailManagerTest : public ::testing::Test {
protected:
    void start(const char* hostName = "Brellix", std::uint8_t writeLog = 0)
    {
        const TEnvironment e = environment(hostName, writeLog);
        manager.setEnvironment(e);
        manager.onLoadApp(1);
    }

    FakePlatform platform;
    RecordingParts parts;
    CMailManager manager{platform, parts};
};

} // namespace

TEST_F(MailManagerTest, beforeAnyHostCallTheEnvironmentIsEmptyAndWritesALogFile)
{
    TEnvironment e;
    std::memset(&e, 0x55, sizeof e);
    manager.getEnvironment(e);
    EXPECT_STREQ(e.hostName, "");
    EXPECT_EQ(e.reserved, 0);
    EXPECT_EQ(e.writeLogFile, 1);
    EXPECT_EQ(e.hostWindow, 0u);
}

TEST_F(MailManagerTest, theEnvironmentIsCopiedWholeBothWays)
{
    start("Brellix", 0);
    TEnvironment out;
    std::memset(&out, 0x55, sizeof out);
    manager.getEnvironment(out);
    EXPECT_STREQ(out.hostName, "Brellix");
    EXPECT_EQ(out.reserved, 1);
    EXPECT_EQ(out.writeLogFile, 0);
    EXPECT_EQ(out.hostWindow, 0x12345678u);
    EXPECT_EQ(manager.hostWindow(), 0x12345678u);
}

TEST_F(MailManagerTest, anEmptyHostNameIsKeptAsTheDefaultNameEverywhere)
{
    start("", 1);
    TEnvironment out{};
    manager.getEnvironment(out);
    EXPECT_STREQ(out.hostName, "Harbinal");
    EXPECT_EQ(manager.profilePath(), "Software\\harbinal\\Mail");
    platform.files.files["D:\\Data\\Mail.Harbinal"] = oneAccountFile();
    EXPECT_TRUE(manager.openAccounts("D:\\Data"));
    ASSERT_EQ(platform.logFiles.size(), 1u);
    EXPECT_EQ(platform.logFiles[0], "C:\\Program\\Harbinal_MailLog.txt");
}

TEST_F(MailManagerTest, aHostNameFillingItsWholeFieldIsReadWithoutItsTerminator)
{
    TEnvironment e = environment("");
    std::memset(e.hostName, 'A', sizeof e.hostName); // no terminator at all
    manager.setEnvironment(e);
    EXPECT_EQ(manager.hostName().size(), sizeof e.hostName);
    TEnvironment out{};
    manager.getEnvironment(out);
    EXPECT_EQ(std::strlen(out.hostName), sizeof out.hostName - 1);
}

TEST_F(MailManagerTest, loadingTheAppSetsThePluginIdAndTheProfileKey)
{
    start("Brellix");
    EXPECT_EQ(manager.pluginId(), 1);
    EXPECT_EQ(manager.profileKey(), "brellix");
    EXPECT_EQ(manager.profilePath(), "Software\\brellix\\Mail");
    manager.onUnLoadApp();
    EXPECT_EQ(manager.pluginId(), 0);
}

TEST_F(MailManagerTest, accountsOpenedWithoutLoadingTheAppUseTheHostsProfileKey)
{
    manager.setEnvironment(environment("Brellix"));
    EXPECT_EQ(manager.profilePath(), "Software\\brellix\\Mail");
}

TEST_F(MailManagerTest, openingStartsLogTrayAndAccountsInOrder)
{
    start("Brellix", 1);
    platform.files.files["D:\\Data\\Mail.Brellix"] = oneAccountFile();
    EXPECT_TRUE(manager.openAccounts("D:\\Data"));
    EXPECT_EQ(parts.calls,
              (std::vector<std::string>{"openLogWindow", "createTray", "startCheckTimers 1"}));
    ASSERT_EQ(manager.accounts().size(), 1u);
    EXPECT_EQ(manager.accounts()[0]->record.name, "Home");
    // The new window's first line comes before the accounts' lines, in window and file.
    ASSERT_EQ(parts.windowLines.size(), 2u);
    EXPECT_EQ(parts.windowLines[0], "Message: Log window initialized.");
    EXPECT_EQ(parts.windowLines[1], "Message: Loaded account Home.");
    EXPECT_EQ(platform.fileLines, parts.windowLines);
    EXPECT_EQ(platform.logFiles[0], "C:\\Program\\Brellix_MailLog.txt");
}

TEST_F(MailManagerTest, aMissingAccountFileStillOpensLogAndTrayButStartsNoTimers)
{
    start();
    EXPECT_FALSE(manager.openAccounts("D:\\Nowhere\\"));
    EXPECT_EQ(parts.calls, (std::vector<std::string>{"openLogWindow", "createTray"}));
    EXPECT_TRUE(manager.accountsOpen());
    EXPECT_TRUE(manager.accounts().empty());
    EXPECT_TRUE(platform.logFiles.empty()); // the host asked for no log file
}

TEST_F(MailManagerTest, anEmptyFolderTextMeansTheProgramFolder)
{
    start();
    platform.files.files["C:\\Program\\Mail.Brellix"] = oneAccountFile();
    EXPECT_TRUE(manager.openAccounts(""));
    EXPECT_EQ(manager.accounts().size(), 1u);
}

TEST_F(MailManagerTest, menuRecordsCarryThePluginId)
{
    start();
    manager.onLoadApp(42);
    TMenuItem item{};
    unsigned char more = 0;
    manager.firstMenuItem(item, more);
    EXPECT_EQ(item.pluginId, 42);
    manager.nextMenuItem(item, more);
    EXPECT_EQ(item.pluginId, 42);
    EXPECT_EQ(item.commandId, 201);
}

TEST_F(MailManagerTest, savingWritesTheFileWhereItWasOpenedAndTheProfile)
{
    start();
    platform.files.files["D:\\Data\\Mail.Brellix"] = oneAccountFile();
    manager.openAccounts("D:\\Data");
    manager.accounts()[0]->record.port = 995;
    manager.accounts()[0]->notify.showDialog = true;
    platform.files.files.erase("D:\\Data\\Mail.Brellix");

    EXPECT_TRUE(manager.saveAccounts());
    const auto it = platform.files.files.find("D:\\Data\\Mail.Brellix");
    ASSERT_NE(it, platform.files.files.end());
    const DecodedAccounts decoded = decodeAccountFile(it->second);
    ASSERT_TRUE(decoded.complete);
    ASSERT_EQ(decoded.accounts.size(), 1u);
    EXPECT_EQ(decoded.accounts[0].port, 995);
    const RegistryValue* dialog =
        platform.registry.value("Software\\brellix\\Mail\\Home", "Notify.Dialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
}

TEST_F(MailManagerTest, profileValuesAreReadWhenTheAccountsAreOpened)
{
    start();
    platform.files.files["D:\\Data\\Mail.Brellix"] = oneAccountFile();
    const std::uint8_t one[4] = {1, 0, 0, 0};
    platform.registry.root()
        ->createSubkey("Software\\brellix\\Mail\\Home")
        ->setValue("Notify.Dialog", RegType::kDword, one, 4);
    manager.openAccounts("D:\\Data");
    EXPECT_TRUE(manager.accounts()[0]->notify.showDialog);
}

TEST_F(MailManagerTest, nothingIsSavedWhileTheAccountsAreClosed)
{
    // An account list never read (or already destroyed) would replace the file with an
    // empty one.
    start();
    platform.files.files["C:\\Program\\Mail.Brellix"] = oneAccountFile();
    EXPECT_FALSE(manager.saveAccounts());
    manager.openAccounts("");
    manager.closeAccounts();
    EXPECT_FALSE(manager.saveAccounts());
    EXPECT_EQ(platform.files.files["C:\\Program\\Mail.Brellix"], oneAccountFile());
}

TEST_F(MailManagerTest, closingReleasesTheAccountsBeforeTheyAreDestroyed)
{
    start();
    platform.files.files["D:\\Data\\Mail.Brellix"] = oneAccountFile();
    manager.openAccounts("D:\\Data");
    parts.calls.clear();
    manager.closeAccounts();
    EXPECT_EQ(parts.calls,
              (std::vector<std::string>{"removeTray", "destroyLogWindow", "releaseAccounts 1"}));
    EXPECT_TRUE(manager.accounts().empty());
    EXPECT_FALSE(manager.accountsOpen());
}

TEST_F(MailManagerTest, openingAgainReadsTheAccountsOnceNotTwice)
{
    start();
    platform.files.files["D:\\Data\\Mail.Brellix"] = oneAccountFile();
    manager.openAccounts("D:\\Data");
    manager.openAccounts("D:\\Data");
    EXPECT_EQ(manager.accounts().size(), 1u);
}

TEST_F(MailManagerTest, unloadingStopsTheChecksAndRemovesLogAndTray)
{
    start();
    platform.files.files["D:\\Data\\Mail.Brellix"] = oneAccountFile();
    manager.openAccounts("D:\\Data");
    parts.calls.clear();
    manager.onUnLoadApp();
    EXPECT_EQ(parts.calls,
              (std::vector<std::string>{"releaseAccounts 1", "destroyLogWindow", "removeTray"}));
}

TEST_F(MailManagerTest, onlyThePluginsOwnCommandsAreRun)
{
    start();
    for (int id : {199, 200, 206, 207, 710}) {
        manager.menuItemClicked(id);
    }
    EXPECT_EQ(parts.calls, (std::vector<std::string>{"command 200", "command 206"}));
}

TEST_F(MailManagerTest, hostItemsAreKeptInTheOrderAddedWhateverTheirId)
{
    start();
    manager.addMenuItem("Brellix &Preferences", 11);
    manager.addMenuItem("E&xit Brellix", 10);
    manager.addMenuItem("Hidden", 100);
    ASSERT_EQ(manager.hostMenuItems().size(), 3u);
    EXPECT_EQ(manager.hostMenuItems()[0].text, "Brellix &Preferences");
    EXPECT_EQ(manager.hostMenuItems()[1].id, 10);
    EXPECT_EQ(manager.hostMenuItems()[2].id, 100);
}

TEST_F(MailManagerTest, pluginInfoNamesTheLibraryAndItsVersion)
{
    start();
    TPluginInfo info;
    std::memset(&info, 0x55, sizeof info);
    platform.version = {3, 1, 4, 15};
    manager.fillPluginInfo(info);
    EXPECT_EQ(info.pluginId, 1);
    EXPECT_STREQ(info.name, "Mail");
    EXPECT_STREQ(info.version, "Version 3.1.4.15");
    EXPECT_STREQ(info.description, "Watch one or more mail accounts for new mail");
    EXPECT_GT(std::strlen(info.author), 0u);
    EXPECT_GT(std::strlen(info.notice), 0u);

    platform.hasVersion = false;
    manager.fillPluginInfo(info);
    EXPECT_STREQ(info.version, "");
}
