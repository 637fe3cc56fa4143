#include "common/folderscan/win/folder_tree_view.h"

namespace {

// FindFirstFileExW's basic information (no short names) and its larger buffer, which
// the headers of the oldest systems this program targets do not declare. Those
// systems refuse them with ERROR_INVALID_PARAMETER, and the plain form is used then.
constexpr FINDEX_INFO_LEVELS kFindInfoBasic = static_cast<FINDEX_INFO_LEVELS>(1);
constexpr DWORD kFindLargeFetch = 2;

HANDLE findFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data)
{
    HANDLE find = FindFirstFileExW(pattern.c_str(), kFindInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, kFindLargeFetch);
    if (find == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        find = FindFirstFileW(pattern.c_str(), &data);
    return find;
}

FolderEntry entryOf(const WIN32_FIND_DATAW& data)
{
    FolderEntry entry;
    entry.name = utf8FromWide(data.cFileName);
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isReparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return entry;
}

} // namespace

bool WinFolderLister::list(const std::string& folder, std::vector<FolderEntry>& entries)
{
    entries.clear();
    WIN32_FIND_DATAW data;
    HANDLE find = findFirst(wideFromUtf8(folder + "*.*"), data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        entries.push_back(entryOf(data));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

DriveKind WinVolumeQuery::driveKind(const std::string& path)
{
    switch (GetDriveTypeW(wideFromUtf8(path).c_str())) {
    case DRIVE_REMOVABLE:
        return DriveKind::removable;
    case DRIVE_FIXED:
        return DriveKind::fixed;
    case DRIVE_REMOTE:
        return DriveKind::remote;
    case DRIVE_CDROM:
        return DriveKind::cdrom;
    default:
        return DriveKind::other;
    }
}

bool WinVolumeQuery::clusterGeometry(const std::string& root, ClusterGeometry& geometry)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceW(wideFromUtf8(root).c_str(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &clusters))
        return false;
    geometry.sectorsPerCluster = sectorsPerCluster;
    geometry.bytesPerSector = bytesPerSector;
    return true;
}
