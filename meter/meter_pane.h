#pragma once
// The window half of a meter: a child of the main window that paints the meter, holds
// its hide button and its tray icon, and tells the main window what the user did.
#include "common/win/window.h"
#include "meter/meter.h"
#include "meter/meter_surface.h"
#include "meter/tray_icon.h"

// What a meter window asks of the main window for its context menu.
class MeterPaneHost {
public:
    virtual ~MeterPaneHost() = default;
    virtual bool isFirstActive(MeterKind kind) const = 0;
    virtual bool isLastActive(MeterKind kind) const = 0;
    // The preferences sheet with page `page` (0-based) in front.
    virtual void openPreferences(int page) = 0;
    // The meter's options sheet; true when it ended with OK.
    virtual bool editMeterOptions(MeterKind kind) = 0;
};

class MeterPane : public Window, public MeterView {
public:
    MeterPane(Meter& meter, TrayNotifier& tray);
    ~MeterPane() override;

    Meter& meter() { return meter_; }
    // Creates the hidden child window with the kind's window name and control id
    // 1100 + position, then its hide button; tray clicks go to `main`.
    virtual bool create(HWND main, int position);
    void setHost(MeterPaneHost* host) { host_ = host; }
    // The pictures of the hide button: the arrow while expanded, the fold picture of
    // the kind while collapsed (not owned).
    void setBitmaps(HBITMAP arrow, HBITMAP fold);

    virtual bool activate();
    virtual bool deactivate();
    // Folds or unfolds to the meter's height and places the hide button.
    void applyCollapsed();
    // Hide button: fold or unfold and ask the main window for a new layout.
    void toggleCollapsed();

    // MeterView
    void redrawNow() override;
    void setTrayIcon(int iconId, const std::string& tip) override;
    void removeTrayIcon() override;

    const CTrayIcon& trayIcon() const { return tray_; }
    CTrayIcon& trayIcon() { return tray_; }
    HWND hideButton() const { return hideButton_; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void onSize(int cx, int cy);
    // The meter's context menu; the drive meter adds its own items first.
    virtual void prepareMenu(HMENU menu, POINT screen);
    virtual bool onCommand(unsigned id);
    HWND mainWindow() const { return main_; }

private:
    void onPaint();
    // A meter that is not folded paints all of its window from its surface, so the
    // background is not erased first; a folded one shows the window's background.
    bool erasesBackground() const { return meter_.options().collapsed(); }
    void onContextMenu(POINT screen);
    void readFrameColours();
    void placeHideButton(int cx, int cy);

    Meter& meter_;
    CTrayIcon tray_;
    HWND main_ = nullptr;
    MeterPaneHost* host_ = nullptr;
    HWND hideButton_ = nullptr;
    HBITMAP arrow_ = nullptr;
    HBITMAP fold_ = nullptr;
    int trayIconId_ = 0; // the icon resource last shown in the tray
    MeterSurface surface_;
};
