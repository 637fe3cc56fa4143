#pragma once
// The drive meter's window: a report list of the watched volumes with their images,
// sized to show the configured number of rows.
#include "meter/meter_pane.h"
#include "meter/volumes/drive_meter.h"

#include <commctrl.h>

class DrivePane : public MeterPane {
public:
    DrivePane(DriveMeter& meter, TrayNotifier& tray, AppSettings& settings);
    ~DrivePane() override;

    bool create(HWND main, int position) override;
    // Builds the columns from the settings (first "Drive", then the value columns, in
    // the stored order).
    void buildColumns();
    // Puts the drive meter's rows into the list and measures it.
    void transferRows();
    // The list's size plus the hide-button strip: what the main window lays out for.
    Size requiredSize() const { return required_; }
    // Keeps the order the user dragged the columns into.
    void storeColumnOrder();
    HWND list() const { return list_; }

protected:
    void onSize(int cx, int cy) override;
    void prepareMenu(HMENU menu, POINT screen) override;
    bool onCommand(unsigned id) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void measure();
    int rowUnder(POINT screen) const;
    void openInExplorer(int row);
    // The folder space dialog on the row's volume, modal.
    void showFolderUsage(int row);
    void clearSelection();

    DriveMeter& drive_;
    AppSettings& settings_;
    HWND list_ = nullptr;
    HIMAGELIST images_ = nullptr;
    int columnCount_ = 0;
    Size required_{100, 40};
    int menuRow_ = -1;
};
