#pragma once
// CTrayPopupWnd: the small window that slides in above the tray with a line per
// account that has news (new mail or a failed check), stays seven seconds, and slides
// out again; a click sends it away at once. Its lines outlive each showing.
#include "common/win/gdi.h"
#include "common/win/window.h"
#include "mail/notify/popup_lines.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace mail {

constexpr UINT_PTR kPopupShowTimer = 1; // how long a full showing lasts
constexpr UINT kPopupShowMs = 7000;
// Posted to the popup itself when it is clicked away: wParam 1, lParam the account of
// the last line. The popup passes it by; a hook on the popup can learn from it which
// account's news the user dismissed.
constexpr UINT kPopupClickedMessage = 1124;

class CTrayPopupWnd : private Window {
public:
    CTrayPopupWnd() = default;
    ~CTrayPopupWnd() override;

    // Shows the text as the account's line and slides the popup in. The window is
    // made on first use, owned by `owner`, with the images of `module`. False when it
    // cannot be made.
    bool showText(HWND owner, HINSTANCE module, const std::string& text, const void* account);
    // Drops the account's line (the account is going away); an open popup shrinks to
    // the other lines, or slides out when none is left.
    void forget(const void* account);
    // Destroys the window and forgets every line.
    void destroy();
    HWND window() const { return hwnd(); }

    const std::vector<PopupLine>& lines() const { return lines_.lines(); }
    SlidePhase phase() const { return slide_.phase(); }

private:
    bool make(HWND owner, HINSTANCE module);
    void relayout();
    void place();
    void startSlideOut();
    void stopTimers();

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onTimer(UINT_PTR id);
    LRESULT onLeftButtonDown();
    LRESULT onMouseActivate();
    LRESULT onEraseBackground();
    LRESULT onPaint();
    LRESULT onDestroy();
    void slideStep();
    void paint(HDC dc);

    struct ImageListDeleter {
        void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
    };

    FontHandle font_;
    std::unique_ptr<_IMAGELIST, ImageListDeleter> images_;
    PopupLines lines_;
    PopupLayout layout_;
    PopupSlide slide_;
};

} // namespace mail
