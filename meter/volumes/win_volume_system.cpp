#include "meter/volumes/win_volume_system.h"

#include <windows.h>

#include <cstring>

namespace {

// An empty card reader or disc drive would otherwise ask the user to insert a disk,
// from inside a timer tick; a volume without media is simply unavailable.
class QuietDriveErrors {
public:
    QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietDriveErrors() { SetErrorMode(previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    UINT previous_;
};

} // namespace

std::optional<DiskSpace> WinVolumeSystem::diskSpace(const std::string& path)
{
    const QuietDriveErrors quiet;
    ULARGE_INTEGER forCaller{}, total{}, totalFree{};
    if (!GetDiskFreeSpaceExA(path.c_str(), &forCaller, &total, &totalFree))
        return std::nullopt;
    return DiskSpace{total.QuadPart, forCaller.QuadPart, totalFree.QuadPart};
}

std::optional<std::string> WinVolumeSystem::volumeLabel(const std::string& root)
{
    const QuietDriveErrors quiet;
    char label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                               nullptr, 0))
        return std::nullopt;
    return std::string(label);
}

std::vector<std::string> WinVolumeSystem::logicalDrives()
{
    std::vector<char> buffer(128);
    for (;;) {
        const DWORD needed =
            GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (needed == 0)
            return {};
        if (needed < buffer.size())
            break;
        // Drives came while we asked: ask again with room for them.
        buffer.assign(needed + 1, '\0');
    }
    std::vector<std::string> roots;
    for (const char* p = buffer.data(); *p != '\0'; p += std::strlen(p) + 1)
        roots.emplace_back(p);
    return roots;
}

DriveType WinVolumeSystem::driveType(const std::string& root)
{
    switch (GetDriveTypeA(root.c_str())) {
    case DRIVE_NO_ROOT_DIR:
        return DriveType::NoRoot;
    case DRIVE_REMOVABLE:
        return DriveType::Removable;
    case DRIVE_FIXED:
        return DriveType::Fixed;
    case DRIVE_REMOTE:
        return DriveType::Remote;
    case DRIVE_CDROM:
        return DriveType::CdRom;
    case DRIVE_RAMDISK:
        return DriveType::RamDisk;
    default:
        return DriveType::Unknown;
    }
}
