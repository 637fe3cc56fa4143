#include "meter/prefs/host_dialog.h"
#include "meter/res/resource.h"
#include "sheet_driver.h"

#include <gtest/gtest.h>

using namespace sheet_test;

namespace {

constexpr const char* kCaption = "Host";

void type(HWND dialog, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, IDC_HOST_NAME), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

bool okEnabled(HWND dialog)
{
    return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
}

} // namespace

TEST(hostDialog, okFollowsTheEntryAndHandsBackTheName)
{
    std::optional<std::string> result;
    bool disabledEmpty = false, enabledTyped = false, disabledBlank = false;
    Driver driver(kCaption, [&](HWND window) {
        disabledEmpty = !okEnabled(window);
        type(window, "127.0.0.1");
        enabledTyped = okEnabled(window);
        type(window, "   ");
        disabledBlank = !okEnabled(window);
        type(window, " 127.0.0.2 ");
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    result = editHost(nullptr, "");
    EXPECT_TRUE(disabledEmpty);
    EXPECT_TRUE(enabledTyped);
    EXPECT_TRUE(disabledBlank);
    EXPECT_EQ(result, std::optional<std::string>("127.0.0.2"));
}

TEST(hostDialog, anEditedNameNeedsAChangeAndCannotBeCleared)
{
    std::string shown;
    bool disabledAsOpened = false, disabledCleared = false;
    Driver driver(kCaption, [&](HWND window) {
        shown = text(window, IDC_HOST_NAME);
        disabledAsOpened = !okEnabled(window);
        type(window, "");
        disabledCleared = !okEnabled(window);
        // Sent while "OK" is disabled, OK must not hand back the empty name; Cancel,
        // handled after it, then closes the dialog.
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    const std::optional<std::string> result = editHost(nullptr, "localhost");
    EXPECT_EQ(shown, "localhost");
    EXPECT_TRUE(disabledAsOpened);
    EXPECT_TRUE(disabledCleared);
    EXPECT_EQ(result, std::nullopt);
}

TEST(hostDialog, cancelHandsBackNothing)
{
    Driver driver(kCaption, [&](HWND window) {
        type(window, "127.0.0.1");
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(editHost(nullptr, ""), std::nullopt);
    EXPECT_FALSE(driver.missed());
}

TEST(hostDialog, seventyNineCharactersAreTakenEightyRefused)
{
    const std::string longest(79, 'a');
    HWND box = nullptr;
    bool stayed = false;
    Driver driver(kCaption, [&](HWND window) {
        type(window, longest + "b");
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        waitUntil([&] {
            return (box = findMessageBox(GetWindowThreadProcessId(window, nullptr),
                                         "Please enter no more than 79 characters.")) != nullptr;
        });
        if (box != nullptr) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            waitUntil([&] { return !IsWindow(box); });
        }
        stayed = IsWindow(window) != FALSE;
        type(window, longest);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    const std::optional<std::string> result = editHost(nullptr, "");
    EXPECT_NE(box, nullptr);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, std::optional<std::string>(longest));
}
