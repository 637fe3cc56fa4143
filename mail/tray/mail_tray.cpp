#include "mail/tray/mail_tray.h"

namespace mail {

namespace {

constexpr int kIconResources[] = {kTrayIconNormal, kTrayIconNewMail, kTrayIconError,
                                  kTrayIconCommunicating};

} // namespace

CMailTray::CMailTray(TrayMenuHost& host, TrayAccountLookup lookup, TrayShell* shell)
    : host_(host), lookup_(std::move(lookup)), tray_(shell)
{
}

CMailTray::~CMailTray()
{
    destroy();
}

bool CMailTray::create(HINSTANCE module)
{
    std::array<HICON, 4> icons{};
    for (std::size_t i = 0; i < icons.size(); ++i)
        icons[i] = LoadIconA(module, MAKEINTRESOURCEA(kIconResources[i]));
    return create(icons, loadMenuImages(module));
}

bool CMailTray::create(const std::array<HICON, 4>& icons, HIMAGELIST images)
{
    destroy();
    icons_ = icons;
    images_ = images;
    menu_ = std::make_unique<CTrayMenuWnd>(host_, images_);
    if (!menu_->create())
        return false;
    return tray_.create(menu_->window(), kTrayCallbackMessage, "", loadedIcon(kTrayIconNormal),
                        kMailTrayIconId, false);
}

void CMailTray::destroy()
{
    tray_.remove();
    menu_.reset();
    if (images_ != nullptr)
        ImageList_Destroy(images_);
    images_ = nullptr;
    // Icons loaded from resources are shared and need no release.
    for (HICON& icon : icons_)
        icon = nullptr;
}

HICON CMailTray::loadedIcon(int resource) const
{
    for (std::size_t i = 0; i < icons_.size(); ++i)
        if (kIconResources[i] == resource)
            return icons_[i];
    return nullptr;
}

void CMailTray::notify(TrayEvent event, TrayAccountKey account, const std::string& hostName)
{
    show(lists_.change(event, account, lookup_, hostName));
}

void CMailTray::refresh(const std::string& hostName)
{
    show(lists_.current(lookup_, hostName));
}

void CMailTray::forget(TrayAccountKey account, const std::string& hostName)
{
    lists_.forget(account);
    refresh(hostName);
}

void CMailTray::show(const std::optional<TrayView>& view)
{
    if (!view)
        return;
    if (view->icon != 0)
        tray_.setIcon(loadedIcon(view->icon));
    tray_.setTooltip(view->tooltip);
}

} // namespace mail
