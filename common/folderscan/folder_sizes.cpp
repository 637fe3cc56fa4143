#include "common/folderscan/folder_sizes.h"

#include "common/numtext/numtext.h"

std::uint64_t fileKilobytes(std::uint64_t bytes, std::uint32_t clusterSize)
{
    // A cluster size of 0 never reaches here from a scan (the fallbacks see to that);
    // count such a volume by the byte rather than divide by nothing.
    const std::uint64_t cluster = clusterSize == 0 ? 1 : clusterSize;
    const std::uint64_t clusters = bytes / cluster + (bytes % cluster != 0 ? 1 : 0);
    // Only sizes no file system reports come near the top of 64 bits; they saturate.
    const std::uint64_t onDisk = clusters > UINT64_MAX / cluster ? UINT64_MAX : clusters * cluster;
    return onDisk / 1024 + (onDisk % 1024 != 0 ? 1 : 0);
}

std::string megabytesText(std::uint64_t kilobytes)
{
    // The same text as formatKBtoUnit(true, k), without its 32-bit count.
    return formatAdaptive(static_cast<double>(kilobytes) / 1024.0, 1, 3, true, true);
}

std::string insertedItemText(const std::string& name)
{
    return name;
}

std::string ownSizeItemText(const std::string& name, std::uint64_t ownKB)
{
    return name + ",  " + megabytesText(ownKB) + " MB";
}

std::string totalSizeItemText(const std::string& name, std::uint64_t ownKB, std::uint64_t totalKB)
{
    std::string text =
        ownSizeItemText(name, ownKB) + ",  with subfolders " + megabytesText(totalKB) + " MB";
    if (totalKB >= kGigabyteSuffixFromKB) {
        // Megabytes of the total in megabytes, rounded: gigabytes with the same decimals.
        text += " (" + megabytesText(totalKB / 1024 + (totalKB % 1024 >= 512 ? 1 : 0)) + " GB)";
    }
    return text;
}

std::string clusterRootOf(const std::string& folder)
{
    if (!folder.empty() && folder[0] == '\\') {
        int separators = 0;
        for (std::size_t i = 0; i < folder.size(); ++i) {
            if (folder[i] == '\\' && ++separators == 4)
                return folder.substr(0, i + 1);
        }
        // "\\server\share" without its closing "\": the share is still the root. A
        // shorter text is no root at all, and its query fails.
        return folder + "\\";
    }
    return folder.substr(0, 3);
}

std::uint32_t clusterSizeOf(VolumeQuery& volumes, const std::string& root, std::uint32_t fallback)
{
    ClusterGeometry geometry;
    if (!volumes.clusterGeometry(root, geometry))
        return fallback;
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(geometry.sectorsPerCluster) * geometry.bytesPerSector;
    if (bytes == 0 || bytes > UINT32_MAX)
        return fallback;
    return static_cast<std::uint32_t>(bytes);
}

std::uint32_t shellPageClusterSize(VolumeQuery& volumes, const std::string& folder)
{
    return clusterSizeOf(volumes, clusterRootOf(folder), kShellPageClusterFallback);
}

std::uint32_t dialogClusterSize(VolumeQuery& volumes, const std::string& volumeRoot)
{
    return clusterSizeOf(volumes, volumeRoot, kDialogClusterFallback);
}
