#pragma once
// The drive meter: the configured volumes as rows of a list with a fill picture and the
// chosen figures, a tray icon for each volume that asks for one, and the alert when a
// volume drops below its warning level. The list control itself belongs to the window
// half, which only transfers rows() and columns() into it.
#include "meter/meter.h"
#include "meter/tray_icon.h"
#include "meter/volumes/drive_list.h"
#include "meter/volumes/volume_alert.h"
#include "meter/volumes/volume_space.h"
#include "meter/volumes/volume_system.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Tray identifiers of the volume icons: this base plus the volume's index, clear of the
// program icon (100) and the meter icons (1..14).
constexpr std::uint32_t kVolumeTrayIdBase = 200;

// When the settings hold no volumes: the default list, all of it shown.
void applyDefaultVolumes(AppSettings& settings, VolumeSystem& system);

class DriveMeter : public Meter {
public:
    DriveMeter(const AppSettings& settings, VolumeSystem& system, AlertActions& actions,
               TrayNotifier& notifier);
    ~DriveMeter() override;

    DriveOptions& driveOptions() { return static_cast<DriveOptions&>(options()); }

    // Where the volume icons report clicks.
    void setTrayCallback(std::uintptr_t window, std::uint32_t message);

    // Rebuilds the rows; manual for "Update Now" and after settings changes, which also
    // asks failed volumes again and re-adds every volume icon. Returns how many volume
    // icons are in the tray afterwards.
    std::size_t update(bool manual);
    // Takes every volume icon out of the tray (on deactivation).
    void removeVolumeIcons();

    const std::vector<DriveRow>& rows() const { return rows_; }
    std::vector<DriveColumn> columns() const { return shownDriveColumns(settings()); }
    // Volumes the list shows: all with unavailable ones shown, else those not failed.
    std::size_t visibleVolumeCount() const;
    // The path "Open In Explorer" and "Show Folder Usage" act on for a row; nothing for a
    // row of an unreachable volume.
    std::optional<std::string> commandPath(std::size_t row) const;

    // The height the window half measured for the list.
    void setListHeight(int pixels) { listHeight_ = pixels; }

    bool hasGraphOptions() const override { return false; }
    bool canLog() const override { return true; }
    void fitTextFormat(const TextMeasurer&) override {}
    int height() const override { return listHeight_; }

private:
    bool advanceLogCount(bool manual);
    void syncVolumeStates();
    void showVolumeIcon(std::size_t index, const std::string& name, const VolumeSpace& space,
                        bool manual);

    VolumeSystem& system_;
    AlertActions& actions_;
    TrayNotifier& notifier_;
    std::uintptr_t trayWindow_ = 0;
    std::uint32_t trayMessage_ = 0;

    std::vector<VolumeState> states_;
    std::vector<std::unique_ptr<CTrayIcon>> volumeIcons_;
    std::vector<DriveRow> rows_;
    int logCount_ = 0;
    int listHeight_ = 0;
};
