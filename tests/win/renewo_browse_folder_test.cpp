#include "renewo/browse_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

BOOL CALLBACK findChooser(HWND w, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(w, name, sizeof name);
    if (IsWindowVisible(w) && std::string(name) == "#32770") {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

// Presses a button of the chooser once it is up and has made its initial selection.
// It keeps looking for as long as the chooser may come: a cold start of the shell can
// take seconds on a busy machine.
class Presser {
public:
    Presser(DWORD thread, int button)
        : worker_([this, thread, button] {
              HWND chooser = nullptr;
              while (!chooser && !done_) {
                  Sleep(10);
                  EnumThreadWindows(thread, findChooser, reinterpret_cast<LPARAM>(&chooser));
              }
              if (chooser) {
                  Sleep(300);
                  PostMessageA(chooser, WM_COMMAND, button, 0);
              }
          })
    {
    }
    ~Presser()
    {
        done_ = true;
        worker_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread worker_;
};

std::string choose(const std::string& start, int button, bool& chosen)
{
    std::string folder = start;
    Presser presser(GetCurrentThreadId(), button);
    chosen = renewo::browseForFolder(GetModuleHandleA(nullptr), nullptr, folder, 0);
    return folder;
}

std::string lower(std::string s)
{
    for (auto& c : s) {
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

} // namespace

TEST(renewoBrowseForFolder, startsAtTheGivenFolderAndAnswersWithATrailingBackslash)
{
    char windows[MAX_PATH] = "";
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    bool chosen = false;
    // OK without moving: the chosen folder is the preselected one.
    EXPECT_EQ(lower(choose(std::string(windows) + "\\", IDOK, chosen)),
              lower(std::string(windows) + "\\"));
    EXPECT_TRUE(chosen);
    EXPECT_EQ(lower(choose(windows, IDOK, chosen)), lower(std::string(windows) + "\\"));
    EXPECT_TRUE(chosen);
    EXPECT_EQ(lower(choose("C:\\", IDOK, chosen)), "c:\\");
    EXPECT_TRUE(chosen);
}

TEST(renewoBrowseForFolder, cancelKeepsTheFolder)
{
    bool chosen = true;
    EXPECT_EQ(choose("C:\\windows\\", IDCANCEL, chosen), "C:\\windows\\");
    EXPECT_FALSE(chosen);
}
