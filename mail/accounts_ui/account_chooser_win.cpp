#include "common/win/dialog.h"
#include "common/win/message_box.h"
#include "mail/accounts_ui/account_details.h"
#include "mail/accounts_ui/account_dialogs_win.h"
#include "mail/plugin/res/resource.h"
#include "mail/tray/tray_menu.h"
#include "mail/tray/tray_menu_wnd.h"

#include <commctrl.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace mail {

namespace {

constexpr int kColumnWidth = 150; // pixels
constexpr const char* kColumnTitles[] = {"Account Name", "Account Server", "Account User"};

using ImageListOwner =
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, decltype(&ImageList_Destroy)>;

// "Mail - Accounts": one row per account; OK answers the selected row's account.
class AccountChooser : public Dialog {
public:
    AccountChooser(HINSTANCE module, const std::string& hostName, std::vector<ChooserRow> rows,
                   const std::string& description)
        : Dialog(IDD_ACCOUNT_CHOOSER, module), module_(module), hostName_(hostName),
          rows_(std::move(rows)),
          description_(description.empty() ? kChooserDescription : description),
          images_(nullptr, ImageList_Destroy)
    {
    }

    std::optional<std::size_t> chosen() const { return chosen_; }

protected:
    bool onInit() override
    {
        SetWindowTextA(hwnd(), chooserTitle(hostName_).c_str());
        setText(IDC_ACH_DESCRIPTION, description_);
        SendMessageA(list(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        // The list shares the images (LVS_SHAREIMAGELISTS): the dialog keeps them.
        images_.reset(loadMenuImages(module_));
        SendMessageA(list(), LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(images_.get()));
        addColumns();
        addRows();
        return true;
    }

    void onOk() override
    {
        chosen_ = chosenAccount(rows_, firstSelectedRow());
        if (!chosen_) {
            messageBox(nullptr, kChooserNothingSelected, hostName_, MB_OK | MB_ICONINFORMATION);
            return;
        }
        close(IDOK);
    }

private:
    HWND list() const { return item(IDC_ACH_LIST); }

    void addColumns()
    {
        for (int i = 0; i < static_cast<int>(std::size(kColumnTitles)); ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.cx = kColumnWidth;
            column.pszText = const_cast<char*>(kColumnTitles[i]);
            column.iSubItem = i;
            SendMessageA(list(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&column));
        }
    }

    void addRows()
    {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const ChooserRow& row = rows_[i];
            LVITEMA entry{};
            entry.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            entry.iItem = static_cast<int>(i);
            entry.iImage = kMenuImageAccount;
            entry.pszText = const_cast<char*>(row.name.c_str());
            entry.lParam = static_cast<LPARAM>(row.account);
            const auto index = static_cast<int>(
                SendMessageA(list(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
            setCell(index, 1, row.server);
            setCell(index, 2, row.userName);
        }
    }

    void setCell(int index, int column, const std::string& text)
    {
        LVITEMA cell{};
        cell.iSubItem = column;
        cell.pszText = const_cast<char*>(text.c_str());
        SendMessageA(list(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&cell));
    }

    // The position in rows_ of the first selected row: rows are inserted in that order
    // and the list is never sorted.
    std::optional<std::size_t> firstSelectedRow() const
    {
        const auto index = static_cast<int>(
            SendMessageA(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (index < 0)
            return std::nullopt;
        return static_cast<std::size_t>(index);
    }

    HINSTANCE module_;
    const std::string& hostName_;
    std::vector<ChooserRow> rows_;
    std::string description_;
    ImageListOwner images_;
    std::optional<std::size_t> chosen_;
};

} // namespace

std::optional<std::size_t> chooseAccount(HINSTANCE module, const std::string& hostName,
                                         const AccountList& accounts,
                                         const std::string& description)
{
    AccountChooser chooser(module, hostName, chooserRows(accounts), description);
    if (chooser.runModal(nullptr) != IDOK)
        return std::nullopt;
    return chooser.chosen();
}

} // namespace mail
