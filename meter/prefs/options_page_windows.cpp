// The "Application Options", "Volume Options" and "Meter Options" pages.
#include "meter/prefs/colours_dialog.h"
#include "meter/prefs/config_pages.h"
#include "meter/prefs/meter_limits_dialog.h"

#include <commdlg.h>

namespace {

const std::vector<int> kHotKeyControls{IDC_OPT_WINKEY_TEXT, IDC_OPT_ALT, IDC_OPT_CTRL,
                                       IDC_OPT_SHIFT, IDC_OPT_KEY};
const std::vector<int> kAlertControls{IDC_DSP_PATH, IDC_DSP_BROWSE, IDC_DSP_OPTIONS_LABEL,
                                      IDC_DSP_OPTIONS, IDC_DSP_HINT};
const std::vector<int> kAlignButtons{IDC_MOP_LEFT, IDC_MOP_CENTER, IDC_MOP_RIGHT};

HBITMAP browsePicture()
{
    static HBITMAP picture =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BROWSE),
                                        IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    return picture;
}

} // namespace

void setBrowsePicture(HWND button)
{
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(browsePicture()));
}

// ---- Application Options ---------------------------------------------------------

CConfigOptionsPage::CConfigOptionsPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_OPTIONS, sheet), f_(loadApplicationOptions(sheet.model().reference()))
{
}

void CConfigOptionsPage::onInit()
{
    setChecked(IDC_OPT_ON_TOP, f_.alwaysOnTop.value());
    setChecked(IDC_OPT_START_HIDDEN, f_.startHidden.value());
    setChecked(IDC_OPT_HIDE_TASKBAR, f_.hideFromTaskBar.value());
    setChecked(IDC_OPT_KEEP_ON_SCREEN, f_.keepOnScreen.value());
    setChecked(IDC_OPT_MAIL_PLUGIN, f_.useMailPlugin.value());
    setComboItems(IDC_OPT_CLOSE_ACTION, closeActionItems());
    setComboIndex(IDC_OPT_CLOSE_ACTION, f_.closeAction.value());
    setChecked(IDC_OPT_HOTKEY_ON, f_.hotKeyOn.value());
    setChecked(IDC_OPT_ALT, f_.alt.value());
    setChecked(IDC_OPT_CTRL, f_.ctrl.value());
    setChecked(IDC_OPT_SHIFT, f_.shift.value());
    setComboItems(IDC_OPT_KEY, hotKeyItems());
    setComboIndex(IDC_OPT_KEY, f_.keyIndex.value());
    updateEnables();
}

bool CConfigOptionsPage::onCommand(int id, int code)
{
    const auto check = [&](Edited<bool>& field) { field.set(checked(id)); };
    switch (id) {
    case IDC_OPT_ON_TOP:
        check(f_.alwaysOnTop);
        break;
    case IDC_OPT_START_HIDDEN:
        check(f_.startHidden);
        break;
    case IDC_OPT_HIDE_TASKBAR:
        check(f_.hideFromTaskBar);
        break;
    case IDC_OPT_KEEP_ON_SCREEN:
        check(f_.keepOnScreen);
        break;
    case IDC_OPT_MAIL_PLUGIN:
        check(f_.useMailPlugin);
        break;
    case IDC_OPT_HOTKEY_ON:
        check(f_.hotKeyOn);
        updateEnables();
        break;
    case IDC_OPT_ALT:
        check(f_.alt);
        break;
    case IDC_OPT_CTRL:
        check(f_.ctrl);
        break;
    case IDC_OPT_SHIFT:
        check(f_.shift);
        break;
    case IDC_OPT_CLOSE_ACTION:
    case IDC_OPT_KEY:
        if (code != CBN_SELCHANGE)
            return false;
        (id == IDC_OPT_KEY ? f_.keyIndex : f_.closeAction).set(comboIndex(id));
        break;
    default:
        return false;
    }
    changed();
    return true;
}

void CConfigOptionsPage::updateEnables()
{
    enable(kHotKeyControls, hotKeyControlsEnabled(f_));
}

void CConfigOptionsPage::store(AppSettings& settings, OptionsList&)
{
    storeApplicationOptions(f_, settings);
}

// ---- Volume Options ----------------------------------------------------------------

CConfigDisplayPage::CConfigDisplayPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_DISPLAY, sheet), f_(loadVolumeOptions(sheet.model().reference()))
{
}

void CConfigDisplayPage::onInit()
{
    setRadioIndex({IDC_DSP_IN_USE, IDC_DSP_REMAINING}, f_.graphShowsRemaining.value() ? 1 : 0);
    setChecked(IDC_DSP_COL_FREE, f_.columnFree.value());
    setChecked(IDC_DSP_COL_USED, f_.columnUsed.value());
    setChecked(IDC_DSP_COL_TOTAL, f_.columnTotal.value());
    setChecked(IDC_DSP_COL_PERCENT, f_.columnPercentage.value());
    setRadioIndex({IDC_DSP_PCT_USED, IDC_DSP_PCT_FREE}, f_.percentUsed.value() ? 0 : 1);
    setRadioIndex({IDC_DSP_MB, IDC_DSP_GB}, f_.gigabytes.value() ? 1 : 0);
    setChecked(IDC_DSP_HIDE_UNAVAILABLE, f_.hideUnavailable.value());
    setChecked(IDC_DSP_NO_RETRY, f_.noRetry.value());
    setComboItems(IDC_DSP_SOUND, warningSoundItems());
    setComboIndex(IDC_DSP_SOUND, f_.sound.value());
    setChecked(IDC_DSP_RUN_APP, f_.runApplication.value());
    setText(IDC_DSP_PATH, f_.alertPath.value());
    setText(IDC_DSP_OPTIONS, f_.alertOptions.value());
    setBrowsePicture(item(IDC_DSP_BROWSE));
    updateEnables();
}

bool CConfigDisplayPage::onCommand(int id, int code)
{
    const auto check = [&](Edited<bool>& field) { field.set(checked(id)); };
    switch (id) {
    case IDC_DSP_IN_USE:
    case IDC_DSP_REMAINING:
        f_.graphShowsRemaining.set(checked(IDC_DSP_REMAINING));
        break;
    case IDC_DSP_COL_FREE:
        check(f_.columnFree);
        break;
    case IDC_DSP_COL_USED:
        check(f_.columnUsed);
        break;
    case IDC_DSP_COL_TOTAL:
        check(f_.columnTotal);
        break;
    case IDC_DSP_COL_PERCENT:
        check(f_.columnPercentage);
        updateEnables();
        break;
    case IDC_DSP_PCT_USED:
    case IDC_DSP_PCT_FREE:
        f_.percentUsed.set(checked(IDC_DSP_PCT_USED));
        break;
    case IDC_DSP_MB:
    case IDC_DSP_GB:
        f_.gigabytes.set(checked(IDC_DSP_GB));
        break;
    case IDC_DSP_HIDE_UNAVAILABLE:
        check(f_.hideUnavailable);
        break;
    case IDC_DSP_NO_RETRY:
        check(f_.noRetry);
        break;
    case IDC_DSP_SOUND:
        if (code != CBN_SELCHANGE)
            return false;
        f_.sound.set(comboIndex(id));
        break;
    case IDC_DSP_RUN_APP:
        check(f_.runApplication);
        updateEnables();
        break;
    case IDC_DSP_OPTIONS:
        // Only what the user types: the page's own filling is no edit.
        if (code != EN_CHANGE || text(id) == f_.alertOptions.value())
            return code == EN_CHANGE;
        f_.alertOptions.set(text(id));
        break;
    case IDC_DSP_BROWSE:
        browse();
        return true;
    default:
        return false;
    }
    changed();
    return true;
}

void CConfigDisplayPage::browse()
{
    const std::string filter = systemFilter(kAlertProgramFilter);
    char file[MAX_PATH] = "";
    f_.alertPath.value().copy(file, sizeof file - 1);
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = hwnd();
    open.lpstrFilter = filter.c_str();
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrDefExt = kAlertProgramExtension;
    open.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&open))
        return;
    f_.alertPath.set(file);
    setText(IDC_DSP_PATH, file);
    changed();
}

void CConfigDisplayPage::updateEnables()
{
    enable({IDC_DSP_PCT_USED, IDC_DSP_PCT_FREE}, percentChoicesEnabled(f_));
    enable(kAlertControls, alertProgramEnabled(f_));
}

void CConfigDisplayPage::store(AppSettings& settings, OptionsList&)
{
    storeVolumeOptions(f_, settings);
}

// ---- Meter Options -----------------------------------------------------------------

CConfigMeterOptionsPage::CConfigMeterOptionsPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_METER_OPTIONS, sheet), f_(loadMeterOptionsPage(sheet.model().reference()))
{
}

void CConfigMeterOptionsPage::onInit()
{
    setRadioIndex(kAlignButtons, f_.textAlign.value());
    setChecked(IDC_MOP_AVERAGE, f_.includeAverage.value());
}

bool CConfigMeterOptionsPage::onCommand(int id, int)
{
    switch (id) {
    case IDC_MOP_LEFT:
    case IDC_MOP_CENTER:
    case IDC_MOP_RIGHT:
        f_.textAlign.set(radioIndex(kAlignButtons));
        break;
    case IDC_MOP_AVERAGE:
        f_.includeAverage.set(checked(id));
        break;
    case IDC_MOP_LIMITS: {
        MeterLimitsDialog dialog(f_.highLimit.value(), f_.mediumLimit.value());
        if (dialog.runModal(hwnd()) != IDOK)
            return true;
        f_.highLimit.set(dialog.high());
        f_.mediumLimit.set(dialog.medium());
        break; // the new limits go through the modified test like every change
    }
    case IDC_MOP_COLORS: {
        ColoursDialog dialog(f_.colours.value());
        if (dialog.runModal(hwnd()) != IDOK)
            return true;
        f_.colours.set(dialog.colours());
        break;
    }
    default:
        return false;
    }
    changed();
    return true;
}

void CConfigMeterOptionsPage::store(AppSettings& settings, OptionsList&)
{
    storeMeterOptionsPage(f_, settings);
}
