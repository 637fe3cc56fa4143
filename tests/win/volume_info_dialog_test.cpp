#include "meter/prefs/volume_info_dialog.h"

#include "meter/res/resource.h"
#include "sheet_driver.h"

#include <gtest/gtest.h>

using namespace sheet_test;

namespace {

constexpr const char* kCaption = "Brellix - Volume Information";
constexpr std::uint32_t kNoWarning = 0xFFFFFFFFu;

void type(HWND dialog, int id, const char* text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool enabledItem(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// Presses OK and answers the message that comes; true when it came.
bool okIsRefusedWith(HWND dialog, const char* message)
{
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    waitUntil([&] {
        return (box = findMessageBox(GetWindowThreadProcessId(dialog, nullptr), message)) !=
               nullptr;
    });
    if (box == nullptr)
        return false;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !IsWindow(box); });
    return IsWindow(dialog) != FALSE;
}

struct DialogRun {
    INT_PTR result = 0;
    WatchedVolume volume;
    bool missed = false;
};

DialogRun runDialog(const WatchedVolume& volume, const std::function<void(HWND)>& script)
{
    VolumeInfoDialog dialog(volume);
    DialogRun run;
    {
        Driver driver(kCaption, script);
        run.result = dialog.runModal(nullptr);
        run.missed = driver.missed();
    }
    run.volume = dialog.volume();
    return run;
}

} // namespace

TEST(volumeInfoDialog, opensOnTheVolumeWithTheLevelFollowingItsBox)
{
    bool levelOn = false, levelOffAfterToggle = false, mbOff = false;
    std::string path, name, level;
    const DialogRun run = runDialog({"D:\\", "Data", 2048, true}, [&](HWND dialog) {
        path = text(dialog, IDC_VOLINFO_PATH);
        name = text(dialog, IDC_VOLINFO_NAME);
        level = text(dialog, IDC_VOLINFO_LEVEL);
        levelOn = checked(dialog, IDC_VOLINFO_WARN) && enabledItem(dialog, IDC_VOLINFO_LEVEL);
        click(dialog, IDC_VOLINFO_WARN);
        // The dialog disables the two controls one after the other; this thread may look between.
        levelOffAfterToggle = waitUntil([&] { return !enabledItem(dialog, IDC_VOLINFO_LEVEL); });
        mbOff = waitUntil([&] { return !enabledItem(dialog, IDC_VOLINFO_MB); });
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_EQ(path, "D:\\");
    EXPECT_EQ(name, "Data");
    EXPECT_EQ(level, "2048");
    EXPECT_TRUE(levelOn);
    EXPECT_TRUE(levelOffAfterToggle);
    EXPECT_TRUE(mbOff);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.volume.warningMB, kNoWarning); // the box was cleared
}

TEST(volumeInfoDialog, levelOutOfRangeIsRefusedOnlyWhileItsBoxIsChecked)
{
    bool refused = false;
    const DialogRun run = runDialog({"D:\\", "Data", 2048, false}, [&](HWND dialog) {
        type(dialog, IDC_VOLINFO_LEVEL, "100000");
        refused = okIsRefusedWith(dialog, "Please enter an integer between 0 and 99999.");
        // The same level with the box cleared is not read at all.
        click(dialog, IDC_VOLINFO_WARN);
        waitUntil([&] { return !enabledItem(dialog, IDC_VOLINFO_LEVEL); });
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_TRUE(refused);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.volume.warningMB, kNoWarning);
}

TEST(volumeInfoDialog, checkedLevelZeroMeansNoWarning)
{
    const DialogRun run = runDialog({"D:\\", "Data", 2048, false}, [&](HWND dialog) {
        type(dialog, IDC_VOLINFO_LEVEL, "0");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.volume.warningMB, kNoWarning);
}

TEST(volumeInfoDialog, pathIsLimitedAndGetsItsBackslash)
{
    bool okOffWhenEmpty = false, refused = false;
    const DialogRun run = runDialog({"C:\\", "", kNoWarning, false}, [&](HWND dialog) {
        type(dialog, IDC_VOLINFO_PATH, "");
        okOffWhenEmpty = waitUntil([&] { return !enabledItem(dialog, IDOK); });
        const std::string tooLong = "\\\\server\\" + std::string(52, 'x'); // 61 characters
        type(dialog, IDC_VOLINFO_PATH, tooLong.c_str());
        refused = okIsRefusedWith(dialog, "Please enter no more than 60 characters.");
        type(dialog, IDC_VOLINFO_PATH, "\\\\server\\share");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_TRUE(okOffWhenEmpty);
    EXPECT_TRUE(refused);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.volume.path, "\\\\server\\share\\");
}

TEST(volumeInfoDialog, cancelLeavesTheVolume)
{
    const WatchedVolume original{"D:\\", "Data", 2048, true};
    const DialogRun run = runDialog(original, [&](HWND dialog) {
        type(dialog, IDC_VOLINFO_NAME, "Other");
        type(dialog, IDC_VOLINFO_LEVEL, "7");
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(run.volume.userName, "Data");
    EXPECT_EQ(run.volume.warningMB, 2048u);
}
