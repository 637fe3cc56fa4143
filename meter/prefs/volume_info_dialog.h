#pragma once
// "Brellix - Volume Information" (dialog 134): edits one watched volume.
#include "common/win/dialog.h"
#include "meter/prefs/volume_info.h"

class VolumeInfoDialog : public Dialog {
public:
    // A new volume has an empty path.
    explicit VolumeInfoDialog(const WatchedVolume& volume);
    // OK: the edited volume.
    const WatchedVolume& volume() const { return volume_; }

private:
    bool onInit() override;
    bool onCommand(int id, int code) override;
    void onOk() override;
    void followCheckBox();

    WatchedVolume volume_;
};
