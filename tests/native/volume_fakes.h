#pragma once
// Scripted volumes, recorded alerts and a recording tray for the drive meter's tests.
#include "meter/tray_icon.h"
#include "meter/volumes/volume_alert.h"
#include "meter/volumes/volume_system.h"

#include <map>
#include <string>
#include <vector>

constexpr std::uint64_t kMB = 1048576;

class FakeVolumeSystem : public VolumeSystem {
public:
    // A volume of total MB with free MB; a path not set cannot be reached.
    void setSpace(const std::string& path, std::uint64_t totalMB, std::uint64_t freeMB)
    {
        spaces[path] = DiskSpace{totalMB * kMB, freeMB * kMB, freeMB * kMB};
    }
    void setUnreachable(const std::string& path) { spaces.erase(path); }

    std::optional<DiskSpace> diskSpace(const std::string& path) override
    {
        ++queries[path];
        const auto it = spaces.find(path);
        if (it == spaces.end())
            return std::nullopt;
        return it->second;
    }
    std::optional<std::string> volumeLabel(const std::string& root) override
    {
        const auto it = labels.find(root);
        if (it == labels.end())
            return std::nullopt;
        return it->second;
    }
    std::vector<std::string> logicalDrives() override { return drives; }
    DriveType driveType(const std::string& root) override
    {
        const auto it = types.find(root);
        return it == types.end() ? DriveType::NoRoot : it->second;
    }

    std::map<std::string, DiskSpace> spaces;
    std::map<std::string, std::string> labels;
    std::vector<std::string> drives;
    std::map<std::string, DriveType> types;
    std::map<std::string, int> queries;
};

class RecordingAlerts : public AlertActions {
public:
    struct Wave {
        int resource;
        bool synchronous;
    };
    bool playWave(int resource, bool synchronous) override
    {
        waves.push_back({resource, synchronous});
        return true;
    }
    bool startProcess(const std::string& commandLine) override
    {
        commands.push_back(commandLine);
        return startSucceeds;
    }
    std::vector<Wave> waves;
    std::vector<std::string> commands;
    bool startSucceeds = true;
};

// Icon handles stand for their resource numbers.
class RecordingTray : public TrayNotifier {
public:
    struct Call {
        TrayOperation operation;
        std::uint32_t id;
        int icon;
        std::string tip;
    };
    bool notify(TrayOperation operation, const TrayRecord& record) override
    {
        calls.push_back({operation, record.id,
                         static_cast<int>(reinterpret_cast<std::uintptr_t>(record.icon)),
                         record.tip});
        return true;
    }
    IconHandle loadIcon(int resource) override
    {
        return reinterpret_cast<IconHandle>(static_cast<std::uintptr_t>(resource));
    }
    std::string loadString(int) override { return {}; }

    std::vector<Call> calls;
};
