#pragma once
// The pages of the preferences sheet. Each keeps the fields of its portable page model,
// shows them, takes the user's changes into them and runs the modified test.
#include "meter/prefs/config_sheet.h"
#include "meter/prefs/general_pages.h"
#include "meter/prefs/meter_rows.h"
#include "meter/prefs/schedule_pages.h"
#include "meter/prefs/volume_list.h"
#include "meter/res/resource.h"

#include <memory>
#include <vector>

// Puts the browse picture on a button.
void setBrowsePicture(HWND button);

// The pages in tab order; "Remote Computer" only when the meters read counters.
std::vector<std::unique_ptr<ConfigPage>> makeConfigPages(CConfigSheet& sheet);

class CConfigOptionsPage : public ConfigPage {
public:
    explicit CConfigOptionsPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    void updateEnables();
    ApplicationOptionsFields f_;
};

class CConfigDisplayPage : public ConfigPage {
public:
    explicit CConfigDisplayPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    void updateEnables();
    void browse();
    VolumeOptionsFields f_;
};

class CConfigVolumnsPage : public ConfigPage {
public:
    explicit CConfigVolumnsPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;
    bool onKillActive() override;
    void fillList();
    void updateButtons();
    void showCount();
    void editVolume(bool adding);
    VolumeList list_;
    bool filling_ = false;
};

class CConfigMetersPage : public ConfigPage {
public:
    explicit CConfigMetersPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    void onSetActive() override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;
    bool onCommand(int id, int code) override;
    void fillList();
    int selectedRow() const;
    // The options sheet on the working copy of the meter in `row`.
    void editMeter(int row);
    std::vector<MeterKind> rows_;
    Nt4Notices notices_;
    bool filling_ = false;
};

class CConfigMeterOptionsPage : public ConfigPage {
public:
    explicit CConfigMeterOptionsPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    MeterOptionsFields f_;
};

class CConfigTimePage : public ConfigPage {
public:
    explicit CConfigTimePage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onSlider();
    void showLabels();
    UpdateTimesFields f_;
};

class CConfigLogsPage : public ConfigPage {
public:
    explicit CConfigLogsPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    void showExtension();
    LogFilesFields f_;
};

class CConfigComputerPage : public ConfigPage {
public:
    explicit CConfigComputerPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    void updateEnables();
    RemoteComputerFields f_;
};

class CConfigRenewoPage : public ConfigPage {
public:
    explicit CConfigRenewoPage(CConfigSheet& sheet);
    void store(AppSettings& settings, OptionsList& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    void showChoices();
    AutoUpdateFields f_;
};

class CConfigAboutPage : public ConfigPage {
public:
    explicit CConfigAboutPage(CConfigSheet& sheet) : ConfigPage(IDD_PAGE_ABOUT, sheet) {}
    void store(AppSettings&, OptionsList&) override {}

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
};
