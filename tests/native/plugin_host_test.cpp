// The meter program's hosting of the mail plug-in through a recording library: what
// is called, in which order and with what, and when nothing is.
#include "meter/plugin_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RecordingLibrary : MailLibrary {
    bool load() override
    {
        calls.push_back("load");
        return present;
    }
    void free() override { calls.push_back("free"); }
    bool initialize(TEnvironment& environment) override
    {
        calls.push_back("initialize");
        seen = environment;
        return initializes;
    }
    void addMenuItem(const char* text, int id) override
    {
        calls.push_back("item " + std::to_string(id) + " " + text);
    }
    void loadAccount(const std::string& folder) override
    {
        calls.push_back("loadAccount " + folder);
    }
    void saveAccount() override { calls.push_back("saveAccount"); }
    void closeAccount() override { calls.push_back("closeAccount"); }
    void uninitialize() override { calls.push_back("uninitialize"); }

    bool present = true;
    bool initializes = true;
    TEnvironment seen{};
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

class PluginHostTest : public ::testing::Test {
protected:
    PluginHostTest() { host.setHostWindow(0xABCD1234); }
    RecordingLibrary library;
    PluginHost host{library, "Brellix", "C:\\Brellix\\"};
};

} // namespace

TEST_F(PluginHostTest, loadIntroducesTheHostAddsItsItemsAndOpensTheAccounts)
{
    host.load(true);
    EXPECT_EQ(library.calls, (Calls{"load", "initialize", "item 11 Brellix &Preferences",
                                    "item 10 E&xit Brellix", "loadAccount C:\\Brellix\\"}));
    EXPECT_STREQ(library.seen.hostName, "Brellix");
    EXPECT_EQ(library.seen.reserved, 1);
    EXPECT_EQ(library.seen.writeLogFile, 0);
    EXPECT_EQ(library.seen.hostWindow, 0xABCD1234u);
    EXPECT_TRUE(host.accountsLoaded());
}

TEST_F(PluginHostTest, anUnwantedPluginIsNeverLoaded)
{
    host.load(false);
    host.unload(true);
    EXPECT_TRUE(library.calls.empty());
}

TEST_F(PluginHostTest, aMissingLibraryEndsTheLoadQuietly)
{
    library.present = false;
    host.load(true);
    host.unload(true);
    EXPECT_EQ(library.calls, (Calls{"load"}));
    EXPECT_FALSE(host.libraryLoaded());
}

TEST_F(PluginHostTest, aFailedInitializeAddsNothingAndOpensNothing)
{
    library.initializes = false;
    host.load(true);
    EXPECT_EQ(library.calls, (Calls{"load", "initialize"}));
    library.calls.clear();
    host.unload(true); // nothing to save or uninitialise; the library is still freed
    EXPECT_EQ(library.calls, (Calls{"free"}));
}

TEST_F(PluginHostTest, shutdownSavesBeforeClosingAndUninitialisesBeforeFreeing)
{
    host.load(true);
    library.calls.clear();
    host.unload(true);
    EXPECT_EQ(library.calls, (Calls{"saveAccount", "closeAccount", "uninitialize", "free"}));
    EXPECT_FALSE(host.libraryLoaded());
}

TEST_F(PluginHostTest, aPartialUnloadKeepsTheLibrary)
{
    host.load(true);
    library.calls.clear();
    host.unload(false);
    host.unload(false); // the accounts are closed once only
    EXPECT_EQ(library.calls, (Calls{"saveAccount", "closeAccount"}));
    EXPECT_TRUE(host.libraryLoaded());
}

TEST_F(PluginHostTest, reloadDoesNothingWhileTheOptionIsUnchanged)
{
    host.load(true);
    library.calls.clear();
    host.reload(true);
    EXPECT_TRUE(library.calls.empty());
    EXPECT_TRUE(host.accountsLoaded());
}

TEST_F(PluginHostTest, switchingThePluginOffClosesTheAccountsAndKeepsTheLibrary)
{
    host.load(true);
    library.calls.clear();
    host.reload(false);
    EXPECT_EQ(library.calls, (Calls{"saveAccount", "closeAccount"}));
    EXPECT_FALSE(host.accountsLoaded());
    library.calls.clear();
    host.unload(true); // the library is still uninitialised and freed at the end
    EXPECT_EQ(library.calls, (Calls{"uninitialize", "free"}));
}

TEST_F(PluginHostTest, switchingItBackOnReopensTheAccountsOfTheLoadedLibrary)
{
    host.load(true);
    host.reload(false);
    library.calls.clear();
    host.reload(true);
    EXPECT_EQ(library.calls, (Calls{"loadAccount C:\\Brellix\\"}));
    EXPECT_TRUE(host.accountsLoaded());
}

TEST_F(PluginHostTest, switchingItOnLaterLoadsTheLibraryForTheFirstTime)
{
    host.load(false);
    host.reload(true);
    EXPECT_EQ(library.calls.front(), "load");
    EXPECT_EQ(library.calls.back(), "loadAccount C:\\Brellix\\");
}

TEST_F(PluginHostTest, aLongHostNameIsCutToItsField)
{
    PluginHost longName(library, std::string(400, 'n'), "C:\\");
    longName.load(true);
    EXPECT_EQ(std::string(library.seen.hostName).size(), sizeof library.seen.hostName - 1);
}
