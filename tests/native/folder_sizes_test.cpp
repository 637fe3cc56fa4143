#include "common/folderscan/folder_sizes.h"
#include "folder_scan_fakes.h"

#include <gtest/gtest.h>

TEST(folderFileKilobytes, roundsToClustersThenKilobytes)
{
    EXPECT_EQ(fileKilobytes(0, 4096), 0u);
    EXPECT_EQ(fileKilobytes(1, 4096), 4u);
    EXPECT_EQ(fileKilobytes(4096, 4096), 4u);
    EXPECT_EQ(fileKilobytes(4097, 4096), 8u);
    // Clusters smaller than a kilobyte: a cluster and a half still takes 2 KB.
    EXPECT_EQ(fileKilobytes(1, 512), 1u);
    EXPECT_EQ(fileKilobytes(1024, 512), 1u);
    EXPECT_EQ(fileKilobytes(1025, 512), 2u);
    EXPECT_EQ(fileKilobytes(1536, 512), 2u);
    // Clusters that are not whole kilobytes round twice.
    EXPECT_EQ(fileKilobytes(1, 1536), 2u);
    EXPECT_EQ(fileKilobytes(1537, 1536), 3u);
}

TEST(folderFileKilobytes, survivesSizesPastThirtyTwoBitsAndAZeroCluster)
{
    const std::uint64_t fiveTiB = 5ull << 40;
    EXPECT_EQ(fileKilobytes(fiveTiB, 4096), 5368709120u);
    EXPECT_EQ(fileKilobytes(fiveTiB + 1, 4096), 5368709124u);
    EXPECT_EQ(fileKilobytes(1, 0), 1u);
    EXPECT_EQ(fileKilobytes(1025, 0), 2u);
    EXPECT_EQ(fileKilobytes(UINT64_MAX, 65536), UINT64_MAX / 1024 + 1);
}

TEST(folderItemText, megabytesAtTheirBoundaries)
{
    EXPECT_EQ(ownSizeItemText("Docs", 1536), "Docs,  1.5 MB");
    EXPECT_EQ(ownSizeItemText("Docs", 1), "Docs,  0.001 MB");
    EXPECT_EQ(ownSizeItemText("Docs", 0), "Docs,  0.0 MB");
    EXPECT_EQ(ownSizeItemText("Docs", 1048576), "Docs,  1,024.0 MB");
    EXPECT_EQ(insertedItemText("C:\\Data"), "C:\\Data");
}

TEST(folderItemText, gigabytesFromJustOverAGigabyte)
{
    EXPECT_EQ(totalSizeItemText("Docs", 4, 1048576),
              "Docs,  0.004 MB,  with subfolders 1,024.0 MB");
    EXPECT_EQ(totalSizeItemText("Docs", 4, 1048577),
              "Docs,  0.004 MB,  with subfolders 1,024.0 MB (1.0 GB)");
    // The gigabytes are the megabytes rounded half up, in megabytes.
    EXPECT_EQ(totalSizeItemText("D", 0, 2508 * 1024 + 511),
              "D,  0.0 MB,  with subfolders 2,508.5 MB (2.4 GB)");
    EXPECT_EQ(totalSizeItemText("D", 0, 2508 * 1024 + 512),
              "D,  0.0 MB,  with subfolders 2,508.5 MB (2.5 GB)");
}

TEST(folderItemText, totalsPastFourTebibytesDoNotWrap)
{
    const std::uint64_t fiveTiBinKB = fileKilobytes(5ull << 40, 4096);
    EXPECT_EQ(totalSizeItemText("Big", fiveTiBinKB, fiveTiBinKB),
              "Big,  5,242,880.0 MB,  with subfolders 5,242,880.0 MB (5,120.0 GB)");
    const std::uint64_t justOver4TiB = (4ull << 30) + 1024;
    EXPECT_EQ(megabytesText(justOver4TiB), "4,194,305.0");
}

TEST(folderClusterRoot, shareUpToItsFourthSeparatorElseThreeCharacters)
{
    EXPECT_EQ(clusterRootOf("\\\\server\\share\\folder\\"), "\\\\server\\share\\");
    EXPECT_EQ(clusterRootOf("\\\\server\\share\\"), "\\\\server\\share\\");
    EXPECT_EQ(clusterRootOf("\\\\server\\share"), "\\\\server\\share\\");
    EXPECT_EQ(clusterRootOf("C:\\Windows\\System32\\"), "C:\\");
    EXPECT_EQ(clusterRootOf("D:\\"), "D:\\");
    EXPECT_EQ(clusterRootOf("D:"), "D:");
}

TEST(folderClusterSize, geometryOrTheFallbackOfEachHost)
{
    ScriptedVolumes volumes;
    volumes.geometries["\\\\server\\share\\"] = ClusterGeometry{8, 512};
    EXPECT_EQ(shellPageClusterSize(volumes, "\\\\server\\share\\folder\\"), 4096u);
    EXPECT_EQ(volumes.queried.back(), "\\\\server\\share\\");

    EXPECT_EQ(shellPageClusterSize(volumes, "C:\\Temp\\"), 1024u);
    EXPECT_EQ(volumes.queried.back(), "C:\\");
    EXPECT_EQ(dialogClusterSize(volumes, "C:\\"), 512u);
}

TEST(folderClusterSize, aReportOfNothingOrTooMuchIsNoAnswer)
{
    ScriptedVolumes volumes;
    volumes.geometries["C:\\"] = ClusterGeometry{0, 512};
    volumes.geometries["D:\\"] = ClusterGeometry{8, 0};
    volumes.geometries["E:\\"] = ClusterGeometry{65536, 65536};
    volumes.geometries["F:\\"] = ClusterGeometry{65535, 65536};
    EXPECT_EQ(shellPageClusterSize(volumes, "C:\\x\\"), 1024u);
    EXPECT_EQ(dialogClusterSize(volumes, "D:\\"), 512u);
    EXPECT_EQ(dialogClusterSize(volumes, "E:\\"), 512u);
    EXPECT_EQ(dialogClusterSize(volumes, "F:\\"), 65535u * 65536u);
}
