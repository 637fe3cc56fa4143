#pragma once
// The account dialogs of the mail plug-in: the create and edit sheets with their one
// "Details" page, and the account chooser. `module` holds the dialog templates and
// pictures (the plug-in's own module). Every message box they show has no owner
// window, the host's name as its caption and the information icon.
#include "common/win/dialog_controls.h"
#include "common/win/gdi.h"
#include "mail/account_record.h"
#include "mail/account_store.h"
#include "mail/accounts_ui/account_details.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace mail {

// The fields of a page made from IDD_ACCOUNT_DETAILS, wherever the page is shown: filled
// from an account with the required labels in bold and the note's picture, and checked
// when the page is confirmed.
class AccountDetailsForm {
public:
    AccountDetailsForm(HINSTANCE module, std::string hostName);

    void open(DialogControls& page, const AccountRecord& record);
    // The fields once they pass. A refusal is shown, captioned with the host's name, and
    // leaves the focus on its field. An empty port shows the one it became.
    std::optional<AccountDetailsText> checkedFields(DialogControls& page);

private:
    HINSTANCE module_;
    std::string hostName_;
    FontHandle bold_;
    BitmapHandle note_;
};

// The details sheet titled `title`. OK (once the page's fields pass their checks):
// true, with `record` set from the page. Cancel: false, `record` as it was. The page's
// refusals have `hostName` as their caption.
bool runAccountSheet(HINSTANCE module, const std::string& title, AccountRecord& record,
                     const std::string& hostName);

// The sheet titled "<host> - Create Account"; on OK it also confirms the new account
// ("The <name> account was successfully added.").
bool createAccount(HINSTANCE module, const std::string& hostName, AccountRecord& record);
// The sheet titled "<host> - Edit Account" on an existing account.
bool editAccount(HINSTANCE module, const std::string& hostName, AccountRecord& record);

// The chooser titled "<host> - Accounts" with one row per account, under `description`
// (the standard line when empty). OK: the index in `accounts` of the selected row's
// account; Cancel: nothing.
std::optional<std::size_t> chooseAccount(HINSTANCE module, const std::string& hostName,
                                         const AccountList& accounts,
                                         const std::string& description = {});

} // namespace mail
