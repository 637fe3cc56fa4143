#include "mail/tray/system_tray_icon.h"

#include <algorithm>
#include <cstring>

namespace mail {

namespace {

void copyTip(TrayRecord& record, const std::string& tooltip)
{
    std::memset(record.tip, 0, sizeof record.tip);
    std::memcpy(record.tip, tooltip.data(), std::min(tooltip.size(), kTrayTipSize - 1));
}

} // namespace

bool SystemTrayIcon::create(std::uintptr_t window, std::uint32_t callbackMessage,
                            const std::string& tooltip, IconHandle icon, std::uint32_t id,
                            bool hidden)
{
    if (shown())
        remove();
    record_ = TrayRecord{};
    record_.window = window;
    record_.id = id;
    record_.callbackMessage = callbackMessage;
    record_.icon = icon;
    record_.flags = kTrayMessageValid | kTrayIconValid | kTrayTipValid;
    copyTip(record_, tooltip);
    created_ = true;
    hidden_ = hidden;
    return hidden || add();
}

bool SystemTrayIcon::remove()
{
    if (!shown()) {
        created_ = false;
        return true;
    }
    created_ = false;
    return shell_.notify(TrayOperation::Delete, record_);
}

bool SystemTrayIcon::setIcon(IconHandle icon)
{
    record_.icon = icon;
    return modify();
}

bool SystemTrayIcon::setTooltip(const std::string& tooltip)
{
    copyTip(record_, tooltip);
    return modify();
}

bool SystemTrayIcon::hide()
{
    if (!shown())
        return true;
    hidden_ = true;
    return shell_.notify(TrayOperation::Delete, record_);
}

bool SystemTrayIcon::show()
{
    if (!created_ || !hidden_)
        return created_;
    hidden_ = false;
    return add();
}

bool SystemTrayIcon::restore()
{
    return !shown() || add();
}

bool SystemTrayIcon::modify()
{
    if (!shown())
        return true;
    // A failed modify means the shell no longer knows the icon: bring it back.
    return shell_.notify(TrayOperation::Modify, record_) || add();
}

bool SystemTrayIcon::add()
{
    return shell_.notify(TrayOperation::Add, record_);
}

} // namespace mail
