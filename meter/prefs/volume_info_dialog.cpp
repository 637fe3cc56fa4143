#include "meter/prefs/volume_info_dialog.h"

#include "common/input/range_input.h"
#include "common/win/browse_folder.h"
#include "common/win/message_box.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

VolumeInfoDialog::VolumeInfoDialog(const WatchedVolume& volume)
    : Dialog(IDD_VOLUME_INFO), volume_(volume)
{
}

bool VolumeInfoDialog::onInit()
{
    const VolumeInfoFields f = volumeInfoFields(volume_);
    setText(IDC_VOLINFO_PATH, f.path.empty() ? kExampleVolumePath : f.path);
    enable(IDOK, !f.path.empty());
    setText(IDC_VOLINFO_NAME, f.name);
    setChecked(IDC_VOLINFO_WARN, f.warn);
    setText(IDC_VOLINFO_LEVEL, f.level);
    followCheckBox();
    return true;
}

bool VolumeInfoDialog::onCommand(int id, int code)
{
    switch (id) {
    case IDC_VOLINFO_PATH:
        if (code == EN_CHANGE)
            enable(IDOK, volumeInfoOkEnabled(text(id)));
        return true;
    case IDC_VOLINFO_WARN:
        followCheckBox();
        enable(IDOK, true);
        return true;
    case IDC_VOLINFO_BROWSE: {
        std::string folder = text(IDC_VOLINFO_PATH);
        if (browseForFolder(hwnd(), folder, "Select volume to add:")) {
            setText(IDC_VOLINFO_PATH, folder);
            enable(IDOK, true);
        }
        return true;
    }
    default:
        return Dialog::onCommand(id, code);
    }
}

void VolumeInfoDialog::followCheckBox()
{
    enable({IDC_VOLINFO_LEVEL, IDC_VOLINFO_MB}, checked(IDC_VOLINFO_WARN));
}

void VolumeInfoDialog::onOk()
{
    VolumeInfoFields f;
    f.path = text(IDC_VOLINFO_PATH);
    f.name = text(IDC_VOLINFO_NAME);
    f.warn = checked(IDC_VOLINFO_WARN);
    f.level = text(IDC_VOLINFO_LEVEL);
    switch (checkVolumeInfo(f)) {
    case VolumeInfoProblem::PathTooLong: {
        std::string ignored;
        readTextField(*this, IDC_VOLINFO_PATH, kVolumePathMost, kProductName, ignored);
        return;
    }
    case VolumeInfoProblem::LevelOutOfRange: {
        long ignored = 0;
        readIntegerField(*this, IDC_VOLINFO_LEVEL, 0, kWarningLevelMost, kProductName, ignored);
        return;
    }
    case VolumeInfoProblem::None:
        break;
    }
    volume_ = volumeOf(f, volume_);
    close(IDOK);
}
