#pragma once
// What the folder usage scan asks of the system: the entries of one folder, the kind
// of drive a path is on and the allocation unit of a volume. The Win32 side answers
// with the find-file calls, the drive-type query and the disk-space query; the tests
// answer from an in-memory tree.
#include <cstdint>
#include <string>
#include <vector>

// One entry of a folder as the system enumerates it. The name is already in the
// encoding the view shows (the scan only joins it into paths and texts), so names
// outside the ANSI code page survive when the lister hands them over as UTF-8.
struct FolderEntry {
    std::string name;
    bool isDirectory = false;
    // Junctions, directory symbolic links and mount points: shown, never entered, so
    // that a link back up the tree (or into /proc under Wine) cannot loop the scan.
    bool isReparsePoint = false;
    std::uint64_t size = 0; // bytes, the full 64-bit size
};

class FolderLister {
public:
    virtual ~FolderLister() = default;
    // Replaces entries with everything that matches folder + "*.*" (folder always ends
    // with "\"), in the order the file system enumerates them, "." and ".." included
    // if the system reports them. False when the folder cannot be enumerated.
    virtual bool list(const std::string& folder, std::vector<FolderEntry>& entries) = 0;
};

enum class DriveKind { removable, fixed, remote, cdrom, other };

// Allocation geometry of a volume as the disk-space query reports it.
struct ClusterGeometry {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
};

class VolumeQuery {
public:
    virtual ~VolumeQuery() = default;
    // Kind of drive of a path; a path that is not a drive root may answer other.
    virtual DriveKind driveKind(const std::string& path) = 0;
    // Geometry of the volume whose root is given ("C:\", "\\server\share\"); false
    // when the volume cannot be queried.
    virtual bool clusterGeometry(const std::string& root, ClusterGeometry& geometry) = 0;
};
