// The account dialogs on Mail.dll's own templates and pictures, played from a second
// thread: fields typed, buttons pressed, the message boxes they provoke read and
// answered.
#include "mail/accounts_ui/account_dialogs_win.h"
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"

#include "../win/sheet_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

using namespace sheet_test;

namespace {

constexpr char kHost[] = "AccountsHost";

void typeText(HWND dialog, int id, const char* text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Answers the message box of `thread` that says `text`; true when it came without an
// owner, with the host's name as caption and the information icon.
bool answerInformation(DWORD thread, const std::string& text)
{
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = findMessageBox(thread, text)) != nullptr; }))
        return false;
    char caption[64] = "";
    GetWindowTextA(box, caption, sizeof caption);
    bool information = false;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        information = information || reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0)) ==
                                         LoadIconA(nullptr, IDI_INFORMATION);
    const bool right = caption == std::string(kHost) && GetWindow(box, GW_OWNER) == nullptr;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !IsWindow(box); });
    return right && information;
}

HWND focusOf(HWND window)
{
    GUITHREADINFO gui{sizeof gui};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui.hwndFocus;
}

bool boldLabel(HWND page, int id)
{
    LOGFONTA face{};
    HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(page, id, WM_GETFONT, 0, 0));
    return GetObjectA(font, sizeof face, &face) != 0 && face.lfWeight >= FW_BOLD;
}

// Pixel (x, y) of a 24-bit DIB-section picture as a colour reference.
COLORREF pixelOf(HBITMAP picture, int x, int y)
{
    DIBSECTION dib{};
    if (GetObjectA(picture, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24)
        return CLR_INVALID;
    const int row = dib.dsBm.bmHeight > 0 ? dib.dsBm.bmHeight - 1 - y : y;
    const auto* p = static_cast<const BYTE*>(dib.dsBm.bmBits) + row * dib.dsBm.bmWidthBytes + x * 3;
    return RGB(p[2], p[1], p[0]);
}

class AccountDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        module = LoadLibraryA(MailExports::kLibraryName);
        ASSERT_NE(module, nullptr) << "Mail.dll beside the test";
    }
    void TearDown() override { FreeLibrary(module); }
    HMODULE module = nullptr;
};

} // namespace

TEST_F(AccountDialogsTest, editSheetShowsTheAccountAndCancelLeavesIt)
{
    mail::AccountRecord record;
    record.name = "Work";
    record.port = 1110;
    record.password = "pw";
    record.replyAddress = "jo@localhost";
    std::string tab, fields;
    bool requiredBold = true, noteBold = true;
    COLORREF corner = CLR_INVALID, middle = CLR_INVALID;
    {
        Driver driver(std::string(kHost) + " - Edit Account", [&](HWND sheet) {
            HWND page = nullptr;
            waitUntil([&] { return (page = currentPage(sheet)) != nullptr; });
            TCITEMA item{TCIF_TEXT};
            char buffer[32] = "";
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            SendMessageA(PropSheet_GetTabControl(sheet), TCM_GETITEMA, 0, LPARAM(&item));
            tab = buffer;
            for (int id : {IDC_ACC_NAME, IDC_ACC_PASSWORD, IDC_ACC_PORT, IDC_ACC_REPLY})
                fields += text(page, id) + "|";
            for (int id = IDC_ACC_NAME_LABEL; id <= IDC_ACC_PORT_LABEL; ++id)
                requiredBold = requiredBold && boldLabel(page, id);
            noteBold = boldLabel(page, IDC_ACC_NOTE);
            auto picture = reinterpret_cast<HBITMAP>(
                SendDlgItemMessageA(page, IDC_ACC_NOTE_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
            corner = pixelOf(picture, 0, 0);
            middle = pixelOf(picture, 8, 8);
            typeText(page, IDC_ACC_NAME, "Changed");
            typeText(page, IDC_ACC_PORT, "");
            press(sheet, PSBTN_CANCEL);
        });
        EXPECT_FALSE(mail::editAccount(module, kHost, record));
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_EQ(tab, "Details");
    EXPECT_EQ(fields, "Work|pw|1110|jo@localhost|");
    EXPECT_TRUE(requiredBold);
    EXPECT_FALSE(noteBold);
    // The picture's background takes the page's colour; the picture itself stays.
    EXPECT_EQ(corner, GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(middle, corner);
    EXPECT_EQ(record.name, "Work");
    EXPECT_EQ(record.port, 1110);
}

TEST_F(AccountDialogsTest, createRefusesMissingFieldsOnTheOpenPageThenAddsTheAccount)
{
    mail::AccountRecord record;
    bool noServer = false, noUser = false, badPort = false, added = false;
    bool stayedOnServer = false, stayedOnUser = false;
    std::string portShown;
    bool created = false;
    {
        Driver driver(std::string(kHost) + " - Create Account", [&](HWND sheet) {
            HWND page = nullptr;
            waitUntil([&] { return (page = currentPage(sheet)) != nullptr; });
            const DWORD thread = GetWindowThreadProcessId(sheet, nullptr);
            typeText(page, IDC_ACC_NAME, "Home");
            press(sheet, PSBTN_OK);
            noServer = answerInformation(thread, "You must enter a POP3 server for this account.");
            stayedOnServer = IsWindow(sheet) && focusOf(sheet) == GetDlgItem(page, IDC_ACC_SERVER);

            typeText(page, IDC_ACC_SERVER, "localhost");
            typeText(page, IDC_ACC_PORT, "");
            press(sheet, PSBTN_OK);
            noUser = answerInformation(thread, "You must enter a user name for this account.");
            stayedOnUser = IsWindow(sheet) && focusOf(sheet) == GetDlgItem(page, IDC_ACC_USER);
            portShown = text(page, IDC_ACC_PORT);

            typeText(page, IDC_ACC_USER, "me");
            typeText(page, IDC_ACC_PORT, "port");
            press(sheet, PSBTN_OK);
            badPort = answerInformation(thread, "Please enter an integer between 1 and 65535.");
            typeText(page, IDC_ACC_PORT, "");
            press(sheet, PSBTN_OK);
            added = answerInformation(thread, "The Home account was successfully added.");
        });
        created = mail::createAccount(module, kHost, record);
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_TRUE(noServer);
    EXPECT_TRUE(stayedOnServer);
    EXPECT_TRUE(noUser);
    EXPECT_TRUE(stayedOnUser);
    EXPECT_EQ(portShown, "110");
    EXPECT_TRUE(badPort);
    EXPECT_TRUE(added);
    EXPECT_TRUE(created);
    EXPECT_EQ(std::tie(record.name, record.server, record.port, record.userName),
              std::make_tuple("Home", "localhost", 110, "me"));
}

TEST_F(AccountDialogsTest, chooserListsTheAccountsAndAnswersTheSelectedOne)
{
    mail::AccountList accounts;
    for (const char* name : {"One", "Two", "Three"}) {
        accounts.push_back(std::make_unique<mail::CMailAccount>(nullptr));
        accounts.back()->record.name = name;
        accounts.back()->record.server = std::string(name) + ".server";
        accounts.back()->record.userName = std::string(name) + ".user";
    }
    std::string description, shown;
    bool hasImages = false, refused = false, stayed = false;
    std::optional<std::size_t> chosen;
    {
        Driver driver(std::string(kHost) + " - Accounts", [&](HWND dialog) {
            description = text(dialog, IDC_ACH_DESCRIPTION);
            HWND list = GetDlgItem(dialog, IDC_ACH_LIST);
            char buffer[64];
            for (int column = 0; column < 3; ++column) {
                LVCOLUMNA head{LVCF_TEXT | LVCF_WIDTH};
                head.pszText = buffer;
                head.cchTextMax = sizeof buffer;
                SendMessageA(list, LVM_GETCOLUMNA, column, LPARAM(&head));
                shown += std::string(buffer) + ":" + std::to_string(head.cx) + "|";
            }
            for (int row = 0; row < ListView_GetItemCount(list); ++row) {
                for (int column = 0; column < 3; ++column) {
                    ListView_GetItemText(list, row, column, buffer, sizeof buffer);
                    shown += std::string(buffer) + ",";
                }
                LVITEMA item{LVIF_IMAGE | LVIF_PARAM, row};
                ListView_GetItem(list, &item);
                shown += std::to_string(item.iImage) + "," + std::to_string(item.lParam) + "|";
            }
            hasImages = ListView_GetImageList(list, LVSIL_SMALL) != nullptr;
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            refused = answerInformation(GetWindowThreadProcessId(dialog, nullptr),
                                        "You must select an account before pressing OK.");
            stayed = IsWindowVisible(dialog) != FALSE;
            ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        chosen = mail::chooseAccount(module, kHost, accounts);
        ASSERT_FALSE(driver.missed());
    }
    EXPECT_EQ(description, "Select a mail account from the list below and press OK");
    EXPECT_EQ(shown, "Account Name:150|Account Server:150|Account User:150|"
                     "One,One.server,One.user,2,0|Two,Two.server,Two.user,2,1|"
                     "Three,Three.server,Three.user,2,2|");
    EXPECT_TRUE(hasImages);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(chosen, std::optional<std::size_t>(1));
}
