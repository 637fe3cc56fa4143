#pragma once
// The arithmetic and texts of the folder usage tree: what a file takes on disk, how a
// folder's item reads, and which volume answers for a folder's allocation unit.
#include "common/folderscan/folder_seams.h"

#include <cstdint>
#include <string>

// What a file of the given size takes on a volume with the given cluster size, in
// kilobytes: whole clusters, then whole kilobytes. An empty file takes nothing.
std::uint64_t fileKilobytes(std::uint64_t bytes, std::uint32_t clusterSize);

// Megabytes of a kilobyte count: one to three decimals, grouped, "~0.0" for some but
// too little to show. Counted in 64 bits, so volumes past 4 TiB read right.
std::string megabytesText(std::uint64_t kilobytes);

// Totals from this many kilobytes on also read in gigabytes.
constexpr std::uint64_t kGigabyteSuffixFromKB = 1048577;

// The item texts as a folder's scan proceeds.
std::string insertedItemText(const std::string& name);
std::string ownSizeItemText(const std::string& name, std::uint64_t ownKB);
std::string totalSizeItemText(const std::string& name, std::uint64_t ownKB, std::uint64_t totalKB);

// Root of the volume that holds a folder: a share path ("\\server\share\folder\")
// up to and including its fourth "\", any other path its first three characters.
std::string clusterRootOf(const std::string& folder);

constexpr std::uint32_t kShellPageClusterFallback = 1024;
constexpr std::uint32_t kDialogClusterFallback = 512;

// Cluster size of the volume whose root is given, or the fallback when the volume
// cannot be queried, reports nothing, or reports more than 32 bits can hold.
std::uint32_t clusterSizeOf(VolumeQuery& volumes, const std::string& root, std::uint32_t fallback);

// The shell page asks for the root of the folder it shows; the meter program's dialog
// is opened on a volume root and asks for that.
std::uint32_t shellPageClusterSize(VolumeQuery& volumes, const std::string& folder);
std::uint32_t dialogClusterSize(VolumeQuery& volumes, const std::string& volumeRoot);
