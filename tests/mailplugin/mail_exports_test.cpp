// Mail.dll loaded as a host loads it: by name, with every export bound through the
// names and types of mail_exports.h. Each test loads a fresh library (its manager
// starts anew) and frees it again.
#include "common/version.h"
#include "mail/account_record.h"
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace MailExports;

namespace {

constexpr char kHost[] = "MailPluginTest";
constexpr char kProfile[] = "Software\\mailplugintest";

template <typename Fn> Fn bound(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string oneAccountFile(const char* name)
{
    mail::AccountRecord record;
    record.name = name;
    record.server = "127.0.0.1";
    record.userName = "alice";
    return mail::encodeAccountFile({&record});
}

class MailExportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryA(kLibraryName);
        ASSERT_NE(module, nullptr) << "Mail.dll beside the test";
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        base = std::string(temp) + "brellix_mailplugin_" + std::to_string(GetCurrentProcessId());
        folder = base + "\\a"; // no trailing backslash: the library adds it
        other = base + "\\b";
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA(other.c_str(), nullptr);
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
    }
    void TearDown() override
    {
        if (module != nullptr)
            FreeLibrary(module);
        for (const std::string& f : {folder, other}) {
            for (const char* name : {"\\Mail.MailPluginTest", "\\Mail.MailPluginTest.new",
                                     "\\Mail.MailPluginTest.bad", "\\Mail.Harbinal"})
                DeleteFileA((f + name).c_str());
            RemoveDirectoryA(f.c_str());
        }
        RemoveDirectoryA(base.c_str());
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfile);
    }

    bool initialize(const char* hostName)
    {
        TEnvironment environment;
        std::memset(&environment, 0, sizeof environment);
        std::strcpy(environment.hostName, hostName);
        environment.reserved = 1;
        environment.writeLogFile = 0;
        return bound<InitializeFn>(module, kInitialize)(&environment) != 0;
    }
    // The ids of one enumeration, and the "enabled" of every record.
    std::vector<int> enumerate(std::vector<int>* enabled = nullptr)
    {
        std::vector<int> ids;
        TMenuItem item{};
        unsigned char more = 0;
        bound<MenuItemFn>(module, kGetFirstMenuItem)(&item, &more);
        for (int guard = 0;; ++guard) {
            ids.push_back(item.commandId);
            if (enabled)
                enabled->push_back(item.enabled);
            if (more == 0 || guard == 20)
                break;
            bound<MenuItemFn>(module, kGetNextMenuItem)(&item, &more);
        }
        return ids;
    }
    int loadAccount(const std::string& from)
    {
        return bound<FolderFn>(module, kLoadAccount)(from.c_str());
    }

    HMODULE module = nullptr;
    std::string base, folder, other;
};

} // namespace

TEST_F(MailExportsTest, everyExportIsFoundByTheNameItsHeaderGives)
{
    for (const char* name :
         {kInitialize, kUninitialize, kOnLoadApp, kOnUnLoadApp, kLoadAccount, kOnOpenAccount,
          kSaveAccount, kOnSaveAccount, kCloseAccount, kOnCloseAccount, kAddMenuItem,
          kGetPluginInfo, kGetFirstMenuItem, kGetNextMenuItem, kOnMenuItemClicked, kOnImportAccount,
          kSetEnvironment, kGetEnvironment})
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
}

TEST_F(MailExportsTest, anEmptyHostNameComesBackAsTheDefaultName)
{
    TEnvironment in;
    std::memset(&in, 0, sizeof in);
    in.writeLogFile = 0;
    in.hostWindow = 0x1234;
    bound<SetEnvironmentFn>(module, kSetEnvironment)(in);
    TEnvironment out;
    std::memset(&out, 0x55, sizeof out);
    bound<GetEnvironmentFn>(module, kGetEnvironment)(out);
    EXPECT_STREQ(out.hostName, "Harbinal");
    EXPECT_EQ(out.writeLogFile, 0);
    EXPECT_EQ(out.hostWindow, 0x1234u);
}

TEST_F(MailExportsTest, initializeTakesTheWholeEnvironment)
{
    EXPECT_TRUE(initialize(kHost));
    TEnvironment out{};
    bound<GetEnvironmentFn>(module, kGetEnvironment)(out);
    EXPECT_STREQ(out.hostName, kHost);
    EXPECT_EQ(out.reserved, 1);
}

TEST_F(MailExportsTest, menuEnumerationYieldsEveryCommandAndStartsOverAfterTheLast)
{
    initialize(kHost);
    const std::vector<int> all = {200, 201, 202, 203, 204, 205, 206};
    EXPECT_EQ(enumerate(), all);
    EXPECT_EQ(enumerate(), all);
}

TEST_F(MailExportsTest, menuItemsAreEnabledOnlyWhileTheAccountsAreOpen)
{
    initialize(kHost);
    std::vector<int> before, during, after;
    enumerate(&before);
    loadAccount(folder);
    enumerate(&during);
    EXPECT_EQ(bound<NoArgumentIntFn>(module, kCloseAccount)(), 1);
    enumerate(&after);
    EXPECT_EQ(before, std::vector<int>(7, 0));
    EXPECT_EQ(during, std::vector<int>(7, 1));
    EXPECT_EQ(after, std::vector<int>(7, 0));
}

TEST_F(MailExportsTest, theAccountFileIsLoadedAndSavedInTheGivenFolderWithItsProfile)
{
    initialize(kHost);
    const std::string file = folder + "\\Mail.MailPluginTest";
    writeFile(file, oneAccountFile("Home"));
    EXPECT_EQ(loadAccount(folder), 1);

    DeleteFileA(file.c_str());
    EXPECT_EQ(bound<NoArgumentIntFn>(module, kSaveAccount)(), 1);
    const mail::DecodedAccounts saved = mail::decodeAccountFile(readFile(file));
    ASSERT_TRUE(saved.complete);
    ASSERT_EQ(saved.accounts.size(), 1u);
    EXPECT_EQ(saved.accounts[0].name, "Home");
    EXPECT_EQ(saved.accounts[0].userName, "alice");

    // The profile lives under the host name in lower case and the library's own name.
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\mailplugintest\\Mail\\Home", 0, KEY_READ, &key),
        ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(key, "Notify.TrayPopup", nullptr, &type,
                               reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
    RegCloseKey(key);
    bound<NoArgumentIntFn>(module, kCloseAccount)();
}

TEST_F(MailExportsTest, aMissingAccountFileIsNotLoadedAndSavesAsAnEmptyList)
{
    initialize(kHost);
    EXPECT_EQ(loadAccount(folder), 0);
    bound<NoArgumentIntFn>(module, kSaveAccount)();
    EXPECT_EQ(readFile(folder + "\\Mail.MailPluginTest"), std::string(4, '\0'));
    bound<NoArgumentIntFn>(module, kCloseAccount)();
}

TEST_F(MailExportsTest, closingBeforeSavingLeavesTheFileAsItWas)
{
    initialize(kHost);
    const std::string file = folder + "\\Mail.MailPluginTest";
    const std::string bytes = oneAccountFile("Work");
    writeFile(file, bytes);
    loadAccount(folder);
    bound<NoArgumentIntFn>(module, kCloseAccount)();
    bound<NoArgumentIntFn>(module, kSaveAccount)(); // after close: nothing to write
    EXPECT_EQ(readFile(file), bytes);
}

TEST_F(MailExportsTest, importCopiesTheAccountFileBetweenFoldersWithoutBackslashes)
{
    initialize(kHost);
    writeFile(folder + "\\Mail.MailPluginTest", "account bytes");
    EXPECT_EQ(bound<ImportAccountFn>(module, kOnImportAccount)(folder.c_str(), other.c_str()), 0);
    EXPECT_EQ(readFile(other + "\\Mail.MailPluginTest"), "account bytes");
}

TEST_F(MailExportsTest, pluginInfoCarriesTheLibrarysOwnVersion)
{
    initialize(kHost);
    TPluginInfo info;
    std::memset(&info, 0x55, sizeof info);
    EXPECT_EQ(bound<GetPluginInfoFn>(module, kGetPluginInfo)(&info), 0);
    EXPECT_EQ(info.pluginId, 1);
    EXPECT_STREQ(info.name, "Mail");
    // The file version of every binary: major, minor, patch and a revision of 0.
    const std::string expected = "Version " + std::to_string(BRELLIX_VERSION_MAJOR) + "." +
                                 std::to_string(BRELLIX_VERSION_MINOR) + "." +
                                 std::to_string(BRELLIX_VERSION_PATCH) + ".0";
    EXPECT_EQ(std::string(info.version), expected);
    EXPECT_STREQ(info.description, "Watch one or more mail accounts for new mail");

    EXPECT_EQ(bound<NoArgumentBoolFn>(module, kUninitialize)(), 1);
    bound<GetPluginInfoFn>(module, kGetPluginInfo)(&info);
    EXPECT_EQ(info.pluginId, 0);
}

TEST_F(MailExportsTest, nullArgumentsAreSurvived)
{
    EXPECT_EQ(bound<InitializeFn>(module, kInitialize)(nullptr), 1);
    EXPECT_EQ(bound<GetPluginInfoFn>(module, kGetPluginInfo)(nullptr), 0);
    EXPECT_EQ(bound<MenuItemFn>(module, kGetFirstMenuItem)(nullptr, nullptr), 0);
    EXPECT_EQ(bound<AddMenuItemFn>(module, kAddMenuItem)(nullptr, 5), 1);
    EXPECT_EQ(bound<ImportAccountFn>(module, kOnImportAccount)(nullptr, nullptr), 0);
}
