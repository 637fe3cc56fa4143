#pragma once
// The pages of the Control Center: the help page of each group, the global "General"
// page, and each account's checking-and-notifying, mail-client and details pages.
#include "mail/accounts_ui/account_dialogs_win.h"
#include "mail/center/center_model.h"
#include "mail/center/ez_options_dlg.h"
#include "mail/plugin/mail_ui_host.h"

#include <functional>
#include <string>

namespace mail {

// A group's explanation, with "&Add Account..." for users who have none yet.
class CHelpPage : public CEZPropertyPage {
public:
    CHelpPage(HINSTANCE module, std::string helpText, std::function<void()> addAccount);

protected:
    void onInit() override;
    bool onCommand(int id, int code) override;

private:
    std::string helpText_;
    std::function<void()> addAccount_;
};

// The SMTP server and the mail client of every account, global values of the profile.
class CPrefGeneralPage : public CEZPropertyPage {
public:
    explicit CPrefGeneralPage(MailUiHost& host);
    void apply() override;

protected:
    void onInit() override;
    bool onCommand(int id, int code) override;

private:
    MailUiHost& host_;
};

// How often an account is checked, how long a reply may take and how new mail is told.
class CPrefMailNotificationPage : public CEZPropertyPage {
public:
    CPrefMailNotificationPage(MailUiHost& host, CMailAccount& account);
    void apply() override;

protected:
    void onInit() override;
    bool onCommand(int id, int code) override;

private:
    center::NotificationFields fields() const;
    void enableSound();

    MailUiHost& host_;
    CMailAccount& account_;
};

// What selecting one of the account's messages does: show it, or open a mail client.
class CPrefMailClientPage : public CEZPropertyPage {
public:
    CPrefMailClientPage(MailUiHost& host, CMailAccount& account);
    bool validate() override;
    void apply() override;

protected:
    void onInit() override;
    bool onCommand(int id, int code) override;

private:
    center::ClientChoice choice() const;
    void enablePath();

    MailUiHost& host_;
    CMailAccount& account_;
};

// The account's details, as on the create and edit sheets.
class CAccountDetailsPage : public CEZPropertyPage {
public:
    CAccountDetailsPage(MailUiHost& host, CMailAccount& account);
    bool validate() override;
    void apply() override;

protected:
    void onInit() override;

private:
    CMailAccount& account_;
    AccountDetailsForm form_;
    AccountDetailsText checked_;
};

} // namespace mail
