#pragma once
// The mail tray's one notification-area icon as a record and the rules for telling the
// shell about it: created shown or hidden, changed only while shown, added again when
// the shell has lost it. The shell itself is behind a one-call seam.
#include "meter/tray_icon.h" // the shell's record layout and operations

#include <cstdint>
#include <string>

namespace mail {

class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual bool notify(TrayOperation operation, const TrayRecord& record) = 0;
};

class SystemTrayIcon {
public:
    explicit SystemTrayIcon(TrayShell& shell) : shell_(shell) {}
    SystemTrayIcon(const SystemTrayIcon&) = delete;
    SystemTrayIcon& operator=(const SystemTrayIcon&) = delete;

    // Fills the record and adds the icon unless hidden. The tooltip keeps 63 characters.
    bool create(std::uintptr_t window, std::uint32_t callbackMessage, const std::string& tooltip,
                IconHandle icon, std::uint32_t id, bool hidden);
    // Takes the icon out of the notification area for good (until the next create).
    bool remove();
    // Changes are kept in the record either way; the shell hears of them only while the
    // icon is shown, and an icon the shell lost is added again.
    bool setIcon(IconHandle icon);
    bool setTooltip(const std::string& tooltip);
    bool hide();
    bool show();
    // The shell restarted (or the work area changed): add the icon again as it is now.
    bool restore();

    bool created() const { return created_; }
    bool hidden() const { return hidden_; }
    bool shown() const { return created_ && !hidden_; }
    const TrayRecord& record() const { return record_; }
    std::string tooltip() const { return record_.tip; }

private:
    bool modify();
    bool add();

    TrayShell& shell_;
    TrayRecord record_;
    bool created_ = false;
    bool hidden_ = false;
};

} // namespace mail
