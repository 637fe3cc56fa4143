#include "mail/center/control_center.h"

#include "common/win/message_box.h"
#include "mail/accounts_ui/account_dialogs_win.h"
#include "mail/center/center_pages.h"
#include "mail/plugin/res/resource.h"
#include "mail/tray/tray_menu_wnd.h"

#include <shellapi.h>

#include <memory>
#include <vector>

namespace mail {

namespace {

constexpr char kAddAccountQuestion[] =
    "The 'Control Center' will close before opening the 'Create Account' dialog.\nWould you "
    "like to save any changes you made?";
constexpr char kChooseClientFirst[] =
    "You must first choose an email client using the Control Center dialog.\nDisplay the "
    "Control Center now?\n";
constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

void createAccountOf(MailUiHost& host)
{
    AccountRecord record;
    if (!createAccount(host.module(), host.hostName(), record))
        return;
    auto account = std::make_unique<CMailAccount>(host.transports());
    account->record = record;
    host.accounts().push_back(std::move(account));
}

class ControlCenterDlg : public CEZOptionsDlg {
public:
    ControlCenterDlg(MailUiHost& host, const CenterRequest& request)
        : CEZOptionsDlg(IDD_CENTER, host.module(),
                        {IDC_CENTER_TREE, IDC_CENTER_LABEL, IDC_CENTER_PAGE_AREA}),
          host_(host), request_(request)
    {
        std::vector<std::string> names;
        for (const auto& account : host.accounts())
            names.push_back(account->record.name);
        const std::vector<center::CenterNode> tree = center::centerTree(host.hostName(), names);
        for (const center::CenterNode& node : tree)
            addNode(node.caption, node.image, node.parent, makePage(node));
        setStartNode(static_cast<int>(center::startNode(tree, request.start)));
        setTitle(center::centerTitle(host.hostName()));
        setImages(loadMenuImages(host.module()));
    }

private:
    CEZPropertyPage& makePage(const center::CenterNode& node)
    {
        CMailAccount* account =
            node.kind == center::PageKind::Help || node.kind == center::PageKind::General
                ? nullptr
                : host_.accounts().at(node.account).get();
        switch (node.kind) {
        case center::PageKind::Help:
            pages_.push_back(std::make_unique<CHelpPage>(host_.module(), node.helpText,
                                                         [this] { addAccount(); }));
            break;
        case center::PageKind::General:
            pages_.push_back(std::make_unique<CPrefGeneralPage>(host_));
            break;
        case center::PageKind::Details:
            pages_.push_back(std::make_unique<CAccountDetailsPage>(host_, *account));
            break;
        case center::PageKind::Notification:
            pages_.push_back(std::make_unique<CPrefMailNotificationPage>(host_, *account));
            break;
        case center::PageKind::Client:
            pages_.push_back(std::make_unique<CPrefMailClientPage>(host_, *account));
            break;
        }
        return *pages_.back();
    }

    // The new account gets its pages only when the Control Center is opened again.
    void addAccount()
    {
        const bool keep =
            messageBox(nullptr, kAddAccountQuestion, host_.hostName(), kQuestion) == IDYES;
        ShowWindow(hwnd(), SW_HIDE);
        if (request_.addAccount)
            request_.addAccount();
        else
            createAccountOf(host_);
        if (keep && !validateAndApply()) {
            ShowWindow(hwnd(), SW_SHOW); // a page refused: it is in front now
            return;
        }
        close(keep ? IDOK : IDCANCEL);
    }

    MailUiHost& host_;
    const CenterRequest& request_;
    std::vector<std::unique_ptr<CEZPropertyPage>> pages_;
};

std::string mailClientOf(MailUiHost& host)
{
    auto profile = host.profile(false);
    return profile ? center::readProfileText(*profile, center::GlobalValue::kMailClient)
                   : std::string();
}

} // namespace

void openControlCenter(MailUiHost& host)
{
    openControlCenter(host, CenterRequest{});
}

bool openControlCenter(MailUiHost& host, const CenterRequest& request)
{
    ControlCenterDlg dialog(host, request);
    return dialog.runModal(nullptr) == IDOK;
}

void openMailClient(MailUiHost& host)
{
    std::string client = mailClientOf(host);
    if (client.empty()) {
        if (messageBox(nullptr, kChooseClientFirst, host.hostName(), kQuestion) != IDYES)
            return;
        openControlCenter(host, CenterRequest{{center::kGlobalGroup, std::nullopt}, {}});
        client = mailClientOf(host);
        if (client.empty())
            return;
    }
    ShellExecuteA(host.hostWindow(), "open", client.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace mail
