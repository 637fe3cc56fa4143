// The update checker end to end: Renewo.dll loaded by name and SoftwareRenewo::Check
// bound by its decorated name, as the meter program does, against a loopback web
// server. A helper thread plays the user: it watches the windows of the checking
// thread, notes what they show and answers them with posted messages.
#include "renewo/res/resource.h"
#include "renewo/tdata.h"

#include <windows.h>

#include <shlobj.h>

#include "tests/e2e/wine_path.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <mutex>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string g_work; // Windows path of the work folder, with trailing "\"
std::string g_port;
std::string g_downPort;

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string randomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (auto& c : s) {
        c = static_cast<char>(gen());
    }
    return s;
}

std::string url(const std::string& file, const std::string& port = g_port)
{
    return "http://127.0.0.1:" + port + "/" + file;
}

std::string windowText(HWND w)
{
    char text[1024] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

std::string className(HWND w)
{
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

// What the user does when a window shows up.
struct Script {
    bool getNewVersion = true; // in the detailed update dialog; else Continue
    bool cancelDownload = false;
    std::string folder; // chosen in the folder chooser; empty: cancel it
};

class User {
public:
    User(DWORD thread, Script script) : thread_(thread), script_(std::move(script))
    {
        worker_ = std::thread([this] { run(); });
    }
    ~User()
    {
        stop_ = true;
        worker_.join();
    }
    std::vector<std::string> seen()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }
    bool saw(const std::string& what)
    {
        for (const auto& s : seen()) {
            if (s == what) {
                return true;
            }
        }
        return false;
    }

private:
    void note(const std::string& s)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back(s);
    }

    static BOOL CALLBACK collect(HWND w, LPARAM list)
    {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
    }

    static BOOL CALLBACK findTree(HWND w, LPARAM found)
    {
        if (className(w) == "SysTreeView32") {
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        }
        return TRUE;
    }

    static BOOL CALLBACK staticTexts(HWND w, LPARAM text)
    {
        auto& all = *reinterpret_cast<std::string*>(text);
        const std::string t = windowText(w);
        if (className(w) == "Static" && !t.empty()) {
            all += (all.empty() ? "" : " ") + t;
        }
        return TRUE;
    }

    void run()
    {
        while (!stop_) {
            std::vector<HWND> windows;
            EnumThreadWindows(thread_, collect, reinterpret_cast<LPARAM>(&windows));
            for (HWND w : windows) {
                if (IsWindowVisible(w) && className(w) == "#32770" && !handled_.count(w)) {
                    answer(w);
                }
            }
            Sleep(20);
        }
    }

    void answer(HWND w)
    {
        auto item = [w](int id) { return GetDlgItem(w, id); };
        if (item(IDC_CONNECTING_TEXT)) {
            handled_.insert(w);
            note("connecting");
        } else if (item(IDC_GET_NEW_VERSION)) {
            handled_.insert(w);
            note("detailed: " + windowText(w) + " | " + windowText(item(IDC_UPDATE_HEADLINE)) +
                 " | " + windowText(item(IDC_UPDATE_DETAILS)));
            PostMessageA(w, WM_COMMAND, script_.getNewVersion ? IDC_GET_NEW_VERSION : IDOK, 0);
        } else if (item(IDC_VISIT_WEB_SITE)) {
            handled_.insert(w);
            note("short: " + windowText(item(IDC_UPDATE_HEADLINE)));
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        } else if (item(IDC_PROGRESS_BAR)) {
            if (windowText(item(IDC_GETTING)) == "< connecting >") {
                return; // not filled in yet: look again
            }
            handled_.insert(w);
            note("progress: " + windowText(w) + " | " + windowText(item(IDC_GETTING)));
            if (script_.cancelDownload) {
                PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
            }
        } else if (hasTree(w)) {
            handled_.insert(w);
            note("chooser");
            if (script_.folder.empty()) {
                PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            SendMessageA(w, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(script_.folder.c_str()));
            Sleep(200);
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        } else {
            std::string text;
            EnumChildWindows(w, staticTexts, reinterpret_cast<LPARAM>(&text));
            if (text.empty()) {
                return; // still being built
            }
            handled_.insert(w);
            note("box: " + windowText(w) + " | " + text);
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        }
    }

    static bool hasTree(HWND w)
    {
        bool found = false;
        EnumChildWindows(w, findTree, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    DWORD thread_;
    Script script_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::set<HWND> handled_;
    std::thread worker_;
};

using CheckFunction = void (*)(SoftwareRenewo::TData&);

class RenewoE2E : public ::testing::Test {
protected:
    HMODULE library = nullptr;
    CheckFunction check = nullptr;
    HKEY key = nullptr;
    HWND owner = nullptr;

    void SetUp() override
    {
        library = LoadLibraryA("Renewo.dll");
        ASSERT_NE(library, nullptr);
        check = reinterpret_cast<CheckFunction>(reinterpret_cast<void*>(
            GetProcAddress(library, "_ZN14SoftwareRenewo5CheckERNS_5TDataE")));
        ASSERT_NE(check, nullptr);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\BrellixTest\\RenewoE2E", 0, nullptr,
                                  0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegDeleteValueA(key, "Renewo LastCheck");
        owner = CreateWindowExA(0, "STATIC", "Brellix", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }

    void TearDown() override
    {
        if (owner) {
            DestroyWindow(owner);
        }
        if (key) {
            RegCloseKey(key);
            RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\BrellixTest\\RenewoE2E");
        }
        if (library) {
            FreeLibrary(library);
        }
    }

    SoftwareRenewo::TData record(std::uint32_t flags, const std::string& versionUrl)
    {
        SoftwareRenewo::TData d;
        std::memset(&d, 0x5a, sizeof d); // results must be cleared by the call
        d.ownerWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(owner));
        d.settingsKey = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(key));
        d.flags = flags;
        std::strcpy(d.appName, "Brellix");
        std::strcpy(d.currentVersion, "2.6.0");
        std::strcpy(d.webSiteUrl, url("home.html").c_str());
        std::strcpy(d.versionFileUrl, versionUrl.c_str());
        return d;
    }

    // sixthLine: a line after the installer's address, as the version file may carry.
    void publish(const std::string& name, const std::string& installer,
                 const std::string& sixthLine = "")
    {
        writeFile(g_work + "www\\version-" + name + ".txt", "1\r\n2.7.0\r\nMay 5, 2003\r\n" +
                                                                url("page.html") + "\r\n" +
                                                                url(name) + "\r\n" + sixthLine);
        writeFile(g_work + "www\\" + name, installer);
    }

    // The stored time of the last check, or -1 when there is none of the right shape.
    long long lastCheck()
    {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExA(key, "Renewo LastCheck", nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != 4) {
            return -1;
        }
        return static_cast<std::int32_t>(value);
    }
};

TEST_F(RenewoE2E, exportsItsHelpersUnderTheirDecoratedNames)
{
    EXPECT_NE(GetProcAddress(library, "_ZN14SoftwareRenewo11OpenWebPageEbPKc"), nullptr);
    EXPECT_NE(GetProcAddress(library, "_ZN14SoftwareRenewo15BrowseForFolderEP6HWND__"
                                      "RNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEEi"),
              nullptr);
}

TEST_F(RenewoE2E, downloadsTheInstallerIntoTheChosenFolder)
{
    const std::string installer = randomBytes(3 * 16384 + 1234, 1);
    publish("setup-2.7.0.exe", installer);
    // Wine's folder chooser cannot select folders on the Unix drive; the prefix's C: it can.
    const std::string folder = "C:\\renewo-e2e";
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "\\setup-2.7.0.exe").c_str());

    SoftwareRenewo::TData d = record(2, url("version-setup-2.7.0.exe.txt"));
    const long long before = std::time(nullptr);
    {
        User user(GetCurrentThreadId(), Script{true, false, folder});
        check(d);
        const auto seen = user.seen();
        EXPECT_TRUE(user.saw("detailed: Update Available | There is a new version of Brellix "
                             "available. | Version 2.7.0 was made available on May 5, 2003. "
                             "You are running version 2.6.0."));
        EXPECT_TRUE(user.saw("chooser"));
        for (const auto& s : seen) {
            EXPECT_NE(s.rfind("box:", 0), 0u) << "no message expected: " << s;
        }
    }
    const long long after = std::time(nullptr);

    EXPECT_EQ(d.installerDownloaded, 1);
    EXPECT_EQ(d.stopScheduledChecks, 0);
    const std::string path = folder + "\\setup-2.7.0.exe";
    EXPECT_STREQ(d.installerPath, path.c_str());
    EXPECT_TRUE(readText(path) == installer) << "saved file differs from the served one";
    EXPECT_GE(lastCheck(), before);
    EXPECT_LE(lastCheck(), after);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());

    // Checked a moment ago: the next daily check is not due and shows nothing.
    SoftwareRenewo::TData again = record(2, url("version-setup-2.7.0.exe.txt"));
    User user(GetCurrentThreadId(), Script{});
    check(again);
    EXPECT_TRUE(user.seen().empty());
    EXPECT_EQ(again.installerDownloaded, 0);
    EXPECT_EQ(again.installerPath[0], '\0');
}

TEST_F(RenewoE2E, aPublishedDigestRefusesAnyOtherDownload)
{
    // "abc" and its standard SHA-256 digest; the server serves one byte changed.
    const std::string abcDigest =
        "sha256=BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD\r\n";
    publish("changed-setup.exe", "abd", abcDigest);
    SoftwareRenewo::TData d = record(1, url("version-changed-setup.exe.txt"));
    {
        User user(GetCurrentThreadId(), Script{true, false, g_work + "out"});
        check(d);
        EXPECT_TRUE(user.saw("box: Brellix - Download Error | The downloaded file is not the "
                             "published installer. It was not saved."));
        EXPECT_FALSE(user.saw("chooser"));
    }
    EXPECT_EQ(d.installerDownloaded, 0);
    EXPECT_EQ(d.installerPath[0], '\0');

    publish("signed-setup.exe", "abc", abcDigest);
    const std::string folder = "C:\\renewo-e2e-digest";
    CreateDirectoryA(folder.c_str(), nullptr);
    SoftwareRenewo::TData matching = record(1, url("version-signed-setup.exe.txt"));
    {
        User user(GetCurrentThreadId(), Script{true, false, folder});
        check(matching);
        EXPECT_TRUE(user.saw("chooser"));
    }
    EXPECT_EQ(matching.installerDownloaded, 1);
    const std::string path = folder + "\\signed-setup.exe";
    EXPECT_EQ(readText(path), "abc");
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(RenewoE2E, aCancelledDownloadReportsNoInstaller)
{
    publish("slow-setup.exe", randomBytes(64 * 16384, 2));
    SoftwareRenewo::TData d = record(1, url("version-slow-setup.exe.txt"));
    User user(GetCurrentThreadId(), Script{true, true, g_work + "out"});
    check(d);
    EXPECT_TRUE(user.saw("progress: Downloading | slow-setup.exe"));
    EXPECT_TRUE(user.saw("box: Brellix - Download Canceled | Download canceled."));
    EXPECT_FALSE(user.saw("chooser"));
    EXPECT_EQ(d.installerDownloaded, 0);
    EXPECT_EQ(d.installerPath[0], '\0');
    EXPECT_EQ(d.stopScheduledChecks, 1); // interval code 1
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(RenewoE2E, aBodyShorterThanItsLengthIsAFailedTransfer)
{
    publish("short-setup.exe", randomBytes(20000, 3));
    SoftwareRenewo::TData d = record(2, url("version-short-setup.exe.txt"));
    User user(GetCurrentThreadId(), Script{true, false, g_work + "out"});
    check(d);
    EXPECT_TRUE(user.saw("box: Brellix - Download Error | Failed to tranfer file."));
    EXPECT_FALSE(user.saw("chooser"));
    EXPECT_EQ(d.installerDownloaded, 0);
}

TEST_F(RenewoE2E, anInstallerThatIsNotFoundIsAFailedTransfer)
{
    // The server answers the installer's address with 404 and an HTML page of its own.
    writeFile(g_work + "www\\version-missing.txt", "1\r\n2.7.0\r\nMay 5, 2003\r\n" +
                                                       url("page.html") + "\r\n" +
                                                       url("missing-setup.exe") + "\r\n");
    SoftwareRenewo::TData d = record(2, url("version-missing.txt"));
    User user(GetCurrentThreadId(), Script{true, false, g_work + "out"});
    check(d);
    EXPECT_TRUE(user.saw("box: Brellix - Download Error | Failed to tranfer file."));
    EXPECT_FALSE(user.saw("chooser"));
    EXPECT_EQ(d.installerDownloaded, 0);
    EXPECT_EQ(d.installerPath[0], '\0');
}

TEST_F(RenewoE2E, anErrorPageOffersTheShortForm)
{
    // No such file: the server answers 404 with an HTML page, read as the version file.
    SoftwareRenewo::TData d = record(2, url("no-such-version-file.txt"));
    User user(GetCurrentThreadId(), Script{});
    check(d);
    EXPECT_TRUE(user.saw("short: There is a new version of Brellix available."));
    EXPECT_EQ(d.installerDownloaded, 0);
    EXPECT_GT(lastCheck(), 0);
}

TEST_F(RenewoE2E, aServerThatIsDownIsReportedAndTriedAgainNextTime)
{
    SoftwareRenewo::TData d =
        record(2 | SoftwareRenewo::Flags::kReportNoUpdate, url("version.txt", g_downPort));
    User user(GetCurrentThreadId(), Script{});
    check(d);
    EXPECT_TRUE(
        user.saw("box: Brellix - Connection Error | Failed to connect to the update server."));
    EXPECT_EQ(d.installerDownloaded, 0);
    EXPECT_EQ(d.stopScheduledChecks, 0);
    EXPECT_EQ(lastCheck(), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: renewo_e2e WORKDIR (the Unix path the server serves)\n");
        return 2;
    }
    g_work = windowsPathOfUnixFolder(argv[1]);
    g_port = readText(g_work + "port");
    g_downPort = readText(g_work + "down_port");
    while (!g_downPort.empty() && (g_downPort.back() == '\n' || g_downPort.back() == '\r')) {
        g_downPort.pop_back();
    }
    if (g_port.empty() || g_downPort.empty()) {
        std::fprintf(stderr, "renewo_e2e: no server port in %s\n", g_work.c_str());
        return 2;
    }
    return RUN_ALL_TESTS();
}
