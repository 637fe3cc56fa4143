// The "Update Times", "Log Files", "Remote Computer", "Auto Update" and "About" pages.
#include "common/win/browse_folder.h"
#include "common/win/resource_string.h"
#include "common/win/web_page.h"
#include "meter/prefs/config_pages.h"
#include "meter/timer_labels.h"
#include "meter/window_rules.h"

#include <commctrl.h>

namespace {

const std::vector<int> kBufferButtons{IDC_LOG_NO_BUFFER, IDC_LOG_LITTLE, IDC_LOG_LOT};
const std::vector<int> kFrequencyButtons{IDC_UPD_EVERY_RUN, IDC_UPD_24H, IDC_UPD_7D, IDC_UPD_30D};
const std::vector<int> kRemoteControls{IDC_CMP_NAME, IDC_CMP_TEXT1, IDC_CMP_TEXT2, IDC_CMP_TITLE};

std::vector<int> ticksEvery(int step, int lowest, int highest)
{
    std::vector<int> ticks{lowest};
    for (int at = step; at <= highest; at += step)
        ticks.push_back(at);
    return ticks;
}

} // namespace

// ---- Update Times ------------------------------------------------------------------

CConfigTimePage::CConfigTimePage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_TIMES, sheet), f_(loadUpdateTimes(sheet.model().reference()))
{
}

void CConfigTimePage::onInit()
{
    setTrackRange(IDC_TIM_DRIVE, kDriveSliderLowest, kDriveSliderHighest);
    setTrackTicks(IDC_TIM_DRIVE, ticksEvery(10, kDriveSliderLowest, kDriveSliderHighest));
    setTrackPosition(IDC_TIM_DRIVE, f_.drivePosition.value());
    for (int id : {IDC_TIM_USAGE1, IDC_TIM_USAGE2}) {
        setTrackRange(id, kUsageSliderLowest, kUsageSliderHighest);
        setTrackTicks(id, ticksEvery(10, kUsageSliderLowest, kUsageSliderHighest));
    }
    setTrackPosition(IDC_TIM_USAGE1, f_.timer1.value());
    setTrackPosition(IDC_TIM_USAGE2, f_.timer2.value());
    showLabels();
}

INT_PTR CConfigTimePage::handleMessage(UINT message, WPARAM, LPARAM)
{
    if (message != WM_HSCROLL)
        return FALSE;
    onSlider();
    return TRUE;
}

void CConfigTimePage::onSlider()
{
    bool moved = false;
    const auto follow = [&](int id, Edited<int>& field) {
        const int position = trackPosition(id);
        if (position != field.value()) {
            field.set(position);
            moved = true;
        }
    };
    follow(IDC_TIM_DRIVE, f_.drivePosition);
    follow(IDC_TIM_USAGE1, f_.timer1);
    follow(IDC_TIM_USAGE2, f_.timer2);
    showLabels();
    if (moved)
        changed();
}

void CConfigTimePage::showLabels()
{
    setText(IDC_TIM_DRIVE_LABEL, driveIntervalLabel(driveSecondsOf(f_.drivePosition.value())));
    setText(IDC_TIM_USAGE1_LABEL, usageIntervalLabel(1, static_cast<unsigned>(f_.timer1.value())));
    setText(IDC_TIM_USAGE2_LABEL, usageIntervalLabel(2, static_cast<unsigned>(f_.timer2.value())));
}

void CConfigTimePage::store(AppSettings& settings, OptionsList&)
{
    storeUpdateTimes(f_, settings);
}

// ---- Log Files ---------------------------------------------------------------------

CConfigLogsPage::CConfigLogsPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_LOGS, sheet), f_(loadLogFiles(sheet.model().reference()))
{
}

void CConfigLogsPage::onInit()
{
    setText(IDC_LOG_FOLDER, f_.folder.value());
    setBrowsePicture(item(IDC_LOG_BROWSE));
    setRadioIndex({IDC_LOG_COMMA, IDC_LOG_TAB}, f_.tab.value() ? 1 : 0);
    setChecked(IDC_LOG_DATE, f_.dateInName.value());
    setRadioIndex(kBufferButtons, f_.buffer.value());
    showExtension();
}

bool CConfigLogsPage::onCommand(int id, int)
{
    switch (id) {
    case IDC_LOG_COMMA:
    case IDC_LOG_TAB:
        chooseTabSeparator(f_, checked(IDC_LOG_TAB));
        showExtension();
        break;
    case IDC_LOG_TXT:
    case IDC_LOG_CSV:
        f_.csv.set(checked(IDC_LOG_CSV));
        break;
    case IDC_LOG_DATE:
        f_.dateInName.set(checked(id));
        break;
    case IDC_LOG_NO_BUFFER:
    case IDC_LOG_LITTLE:
    case IDC_LOG_LOT:
        f_.buffer.set(radioIndex(kBufferButtons));
        break;
    case IDC_LOG_BROWSE: {
        std::string folder = f_.folder.value();
        if (!browseForFolder(hwnd(), folder, "Select log file folder:"))
            return true;
        f_.folder.set(folder);
        setText(IDC_LOG_FOLDER, folder);
        break;
    }
    default:
        return false;
    }
    changed();
    return true;
}

void CConfigLogsPage::showExtension()
{
    setRadioIndex({IDC_LOG_TXT, IDC_LOG_CSV}, f_.csv.value() ? 1 : 0);
    enable(IDC_LOG_CSV, csvChoiceEnabled(f_));
}

void CConfigLogsPage::store(AppSettings& settings, OptionsList&)
{
    storeLogFiles(f_, settings);
}

// ---- Remote Computer ---------------------------------------------------------------

CConfigComputerPage::CConfigComputerPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_COMPUTER, sheet), f_(loadRemoteComputer(sheet.model().reference()))
{
}

void CConfigComputerPage::onInit()
{
    setRadioIndex({IDC_CMP_LOCAL, IDC_CMP_REMOTE}, f_.remote.value() ? 1 : 0);
    setText(IDC_CMP_NAME, f_.name.value());
    setChecked(IDC_CMP_TITLE, f_.nameInTitle.value());
    updateEnables();
}

bool CConfigComputerPage::onCommand(int id, int code)
{
    switch (id) {
    case IDC_CMP_LOCAL:
    case IDC_CMP_REMOTE:
        f_.remote.set(checked(IDC_CMP_REMOTE));
        updateEnables();
        break;
    case IDC_CMP_NAME:
        if (code != EN_CHANGE || text(id) == f_.name.value())
            return code == EN_CHANGE;
        f_.name.set(text(id));
        break;
    case IDC_CMP_TITLE:
        f_.nameInTitle.set(checked(id));
        break;
    default:
        return false;
    }
    changed();
    return true;
}

void CConfigComputerPage::updateEnables()
{
    enable(kRemoteControls, remoteControlsEnabled(f_));
}

void CConfigComputerPage::store(AppSettings& settings, OptionsList&)
{
    storeRemoteComputer(f_, settings);
}

// ---- Auto Update -------------------------------------------------------------------

CConfigRenewoPage::CConfigRenewoPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_RENEWO, sheet), f_(loadAutoUpdate(sheet.model().reference()))
{
}

void CConfigRenewoPage::onInit()
{
    showChoices();
}

void CConfigRenewoPage::showChoices()
{
    setChecked(IDC_UPD_ENABLE, f_.enabled.value());
    setRadioIndex(kFrequencyButtons, f_.frequency.value());
    setChecked(IDC_UPD_FULL_TIME, f_.fullTime.value());
    setChecked(IDC_UPD_ASK, f_.ask.value());
    enable(kFrequencyButtons, frequencyEnabled(f_));
    enable(IDC_UPD_FULL_TIME, frequencyEnabled(f_));
    enable(IDC_UPD_ASK, askEnabled(f_));
}

bool CConfigRenewoPage::onCommand(int id, int)
{
    switch (id) {
    case IDC_UPD_ENABLE:
        f_.enabled.set(checked(id));
        break;
    case IDC_UPD_EVERY_RUN:
    case IDC_UPD_24H:
    case IDC_UPD_7D:
    case IDC_UPD_30D:
        f_.frequency.set(radioIndex(kFrequencyButtons));
        break;
    case IDC_UPD_FULL_TIME:
        chooseFullTime(f_, checked(id));
        break;
    case IDC_UPD_ASK:
        f_.ask.set(checked(id));
        break;
    default:
        return false;
    }
    showChoices();
    changed();
    return true;
}

void CConfigRenewoPage::store(AppSettings& settings, OptionsList&)
{
    storeAutoUpdate(f_, settings);
}

// ---- About -------------------------------------------------------------------------

void CConfigAboutPage::onInit()
{
    setText(IDC_ABT_NAME, std::string(kProductName) + " v" + kProductVersion);
    setText(IDC_ABT_ADDRESS, loadString(IDS_URL_WEB_SITE));
}

bool CConfigAboutPage::onCommand(int id, int)
{
    if (id != IDC_ABT_WEB && id != IDC_ABT_HARBINAL)
        return false;
    openWebPage(false, loadString(id == IDC_ABT_WEB ? IDS_URL_WEB_SITE : IDS_URL_HARBINAL),
                kProductName, hwnd());
    return true;
}
