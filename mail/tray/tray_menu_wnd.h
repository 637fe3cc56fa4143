#pragma once
// CTrayMenuWnd: the hidden "Mail Tray" window behind the mail tray icon. It hears the
// icon's clicks, builds the owner-drawn popup menu from the menu model on every
// opening, draws it, and turns a picked command into what the command stands for.
// What the menu lists and what its commands do belong to the plug-in, reached
// through TrayMenuHost.
#include "common/win/gdi.h"
#include "common/win/window.h"
#include "mail/tray/tray_menu.h"
#include "meter/canvas.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace mail {

constexpr UINT kTrayCallbackMessage = 0x8064; // the icon's notifications
constexpr UINT kMailTrayIconId = 1001;
constexpr UINT kHostCommandMessage = 6024; // posted to the host: wParam = its item's id
constexpr int kMenuImagesBitmap = 1003;
// Notifications that open the menu: a context-menu request and a right-button release.
constexpr LPARAM kTrayContextMenu = 123;
constexpr LPARAM kTrayRightButtonUp = 517;

class TrayMenuHost {
public:
    virtual ~TrayMenuHost() = default;
    virtual std::vector<MenuAccount> menuAccounts() = 0;
    virtual std::vector<HostMenuItem> hostMenuItems() = 0;
    virtual HWND hostWindow() = 0; // may be null
    // A plug-in command, an account's check or delete-all, or a message to open; the
    // indices are those of the menu that was shown and may have gone since.
    virtual void runTrayCommand(const TrayCommand& command) = 0;
    // The right-click tip for a message; empty when the message is gone.
    virtual std::string messageTip(std::size_t account, std::size_t message) = 0;
};

// The menu's 16 x 16 images from a module's bitmap (pure green is transparent); null
// when the module has none.
HIMAGELIST loadMenuImages(HINSTANCE module);

// Text measured in the menu font and its bold variant.
class MenuFontMeasurer : public TextMeasurer {
public:
    MenuFontMeasurer();
    Size measureText(const std::string& text, FontWeight weight) const override;
    HFONT font(FontWeight weight) const;

private:
    FontHandle normal_;
    FontHandle bold_;
};

class CTrayMenuWnd : private Window {
public:
    // images: the menu image list, owned by the caller; may be null (no images drawn).
    CTrayMenuWnd(TrayMenuHost& host, HIMAGELIST images);
    ~CTrayMenuWnd() override;

    bool create();
    HWND window() const { return hwnd(); }

    // Rebuilds the popup menu from the model; it lives until the next build.
    HMENU buildMenu();
    const TrayMenu& menu() const { return menu_; }
    // Builds the menu and tracks it at the cursor.
    void openMenu();
    void runCommand(int command);

    HWND tipWindow() const { return tip_.hwnd(); }
    const std::string& tipText() const { return tip_.text; }

private:
    // A small topmost window with the message facts in two tab-separated columns.
    class TipWindow : public Window {
    public:
        void show(const std::string& text, HFONT font);
        void hide();
        std::string text;

    private:
        LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
        void paint();
        HFONT font_ = nullptr;
    };

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onTrayNotify(LPARAM lParam);
    LRESULT onMeasureItem(MEASUREITEMSTRUCT* measure);
    LRESULT onDrawItem(const DRAWITEMSTRUCT* draw);
    LRESULT onCommand(WPARAM wParam);
    LRESULT onMenuRightButton(WPARAM position, LPARAM menu);
    LRESULT onDestroy();
    void drawCaption(HDC dc, const TrayMenuItem& item, const RECT& bounds);
    void drawItem(HDC dc, const TrayMenuItem& item, const DRAWITEMSTRUCT* draw);
    void destroyMenu();

    TrayMenuHost& host_;
    HIMAGELIST images_;
    MenuFontMeasurer fonts_;
    TrayMenu menu_;
    HMENU popup_ = nullptr;
    TipWindow tip_;
};

} // namespace mail
