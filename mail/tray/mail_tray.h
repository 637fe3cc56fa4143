#pragma once
// CMailTray: the mail plug-in's tray icon with the menu window behind it. It keeps the
// new-mail, error and checking lists and shows what they add up to: one of four icons
// and a tooltip.
#include "mail/tray/system_tray.h"
#include "mail/tray/tray_menu_wnd.h"
#include "mail/tray/tray_state.h"

#include <array>
#include <memory>
#include <string>

namespace mail {

class CMailTray {
public:
    // shell: where the icon calls go; null for the real shell.
    CMailTray(TrayMenuHost& host, TrayAccountLookup lookup, TrayShell* shell = nullptr);
    ~CMailTray();
    CMailTray(const CMailTray&) = delete;
    CMailTray& operator=(const CMailTray&) = delete;

    // Loads the icons and the menu images from the module, creates the menu window and
    // adds the icon with the normal icon and an empty tooltip.
    bool create(HINSTANCE module);
    // The same with icons at hand, in the order normal, new mail, error, communicating;
    // the tray takes the image list (which may be null).
    bool create(const std::array<HICON, 4>& icons, HIMAGELIST images);
    void destroy();

    // An account's check started, ended without news, failed or found new mail.
    void notify(TrayEvent event, TrayAccountKey account, const std::string& hostName);
    // Shows the lists as they stand, e.g. after an account was renamed.
    void refresh(const std::string& hostName);
    void forget(TrayAccountKey account, const std::string& hostName);

    TrayAccountLists& lists() { return lists_; }
    CSystemTray& icon() { return tray_; }
    CTrayMenuWnd* menuWindow() { return menu_.get(); }
    HICON loadedIcon(int resource) const;

private:
    void show(const std::optional<TrayView>& view);

    TrayMenuHost& host_;
    TrayAccountLookup lookup_;
    TrayAccountLists lists_;
    CSystemTray tray_;
    std::unique_ptr<CTrayMenuWnd> menu_;
    HIMAGELIST images_ = nullptr;
    std::array<HICON, 4> icons_{};
};

} // namespace mail
