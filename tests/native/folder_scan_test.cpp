#include "common/folderscan/folder_scan.h"
#include "folder_scan_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A volume C: with 4 KB clusters:
//   C:\Data\          6 KB of files (1 byte, 4097 bytes), subfolders A and B
//   C:\Data\A\        one 1.5 MB file, subfolder Deep
//   C:\Data\A\Deep\   one 0.5 MB file
//   C:\Data\B\        nothing
struct FolderScanTest : ::testing::Test {
    FolderScanTest()
    {
        volumes.geometries["C:\\"] = ClusterGeometry{8, 512};
        folders.addFile("C:\\Data\\", "one.txt", 1);
        folders.addFolder("C:\\Data\\", "A");
        folders.addFile("C:\\Data\\", "two.txt", 4097);
        folders.addFolder("C:\\Data\\", "B");
        folders.addFile("C:\\Data\\A\\", "big.bin", 1536 * 1024);
        folders.addFolder("C:\\Data\\A\\", "Deep");
        folders.addFile("C:\\Data\\A\\Deep\\", "small.bin", 512 * 1024);
        scan.setFolder("C:\\Data\\");
    }

    MemoryFolders folders;
    ScriptedVolumes volumes;
    RecordingTree tree;
    FolderScan scan{FolderScanHost::shellPage, folders, volumes, tree};
};

TEST_F(FolderScanTest, writesOwnAndCumulativeSizesIntoTheTree)
{
    scan.refresh();

    ASSERT_EQ(tree.items.size(), 4u);
    EXPECT_EQ(tree.items[0].text, "C:\\Data\\,  0.01 MB,  with subfolders 2.0 MB");
    EXPECT_EQ(tree.items[0].parent, kTreeRoot);
    EXPECT_EQ(tree.textsUnder(1),
              (std::vector<std::string>{"A,  1.5 MB,  with subfolders 2.0 MB", "B,  0.0 MB"}));
    EXPECT_EQ(tree.find("Deep")->text, "Deep,  0.5 MB");
    EXPECT_EQ(tree.find("Deep")->parent, 2u);
    EXPECT_EQ(scan.rootItem(), 1u);
    EXPECT_EQ(scan.rootTotalKB(), 12u + 1536u + 512u);
    EXPECT_EQ(scan.clusterSize(), 4096u);
}

TEST_F(FolderScanTest, eachItemShowsItsNameThenOwnSizeThenEachRunningTotal)
{
    scan.refresh();

    EXPECT_EQ(tree.items[0].texts,
              (std::vector<std::string>{"C:\\Data\\", "C:\\Data\\,  0.01 MB",
                                        "C:\\Data\\,  0.01 MB,  with subfolders 2.0 MB",
                                        "C:\\Data\\,  0.01 MB,  with subfolders 2.0 MB"}));
    // A folder without subfolders keeps its own-size text.
    EXPECT_EQ(tree.find("B")->texts, (std::vector<std::string>{"B", "B,  0.0 MB"}));
}

TEST_F(FolderScanTest, imagesFromTheDriveKindAtTheRootOnly)
{
    volumes.kinds["C:\\Data\\"] = DriveKind::remote;
    scan.refresh();
    EXPECT_EQ(tree.items[0].image, kImageRemote);
    EXPECT_EQ(tree.items[0].selectedImage, kImageRemote);
    EXPECT_EQ(tree.find("A")->image, kImageFolder);
    EXPECT_EQ(tree.find("A")->selectedImage, kImageOpenFolder);

    volumes.kinds["C:\\Data\\"] = DriveKind::other;
    scan.refresh();
    EXPECT_EQ(tree.items[0].image, kImageFolder);
    EXPECT_EQ(tree.items[0].selectedImage, kImageOpenFolder);
}

TEST_F(FolderScanTest, opensTheRootForItsChildrenButNoDeeperLevel)
{
    scan.refresh();
    for (const std::string& entry : tree.log) {
        if (entry.rfind("expand", 0) == 0) {
            EXPECT_EQ(entry, "expand C:\\Data\\");
        }
    }
    EXPECT_EQ(std::count(tree.log.begin(), tree.log.end(), "expand C:\\Data\\"), 2);
    EXPECT_EQ(tree.log.back(), "finished");
    EXPECT_EQ(tree.log.front(), "started");
}

TEST_F(FolderScanTest, pathsWithoutTheirSeparatorAndUnreadableFolders)
{
    folders.folders.erase("C:\\Data\\A\\");
    scan.setFolder("C:\\Data");
    scan.refresh();
    EXPECT_EQ(tree.items[0].text, "C:\\Data,  0.01 MB,  with subfolders 0.01 MB");
    EXPECT_EQ(tree.find("A")->text, "A,  0.0 MB");
    EXPECT_EQ(tree.textsUnder(2).size(), 0u);
    // Each folder is listed twice: for its files, then for its subfolders.
    EXPECT_EQ(folders.lists["C:\\Data\\"], 2);
    EXPECT_EQ(folders.lists["C:\\Data\\B\\"], 2);
}

TEST_F(FolderScanTest, skipsDotEntriesAndNeverInsertsFiles)
{
    folders.folders["C:\\Data\\B\\"].push_back(FolderEntry{".", true, false, 0});
    folders.folders["C:\\Data\\B\\"].push_back(FolderEntry{"..", true, false, 0});
    scan.refresh();
    EXPECT_EQ(tree.items.size(), 4u);
    EXPECT_EQ(tree.find("one.txt"), nullptr);
    EXPECT_EQ(folders.lists.count("C:\\Data\\B\\.\\"), 0u);
}

TEST_F(FolderScanTest, clusterSizeOfTheShellPageIsAskedOnEveryRefresh)
{
    scan.refresh();
    EXPECT_EQ(tree.find("B")->text, "B,  0.0 MB");
    volumes.geometries["C:\\"] = ClusterGeometry{0, 512}; // reported, but nothing
    scan.refresh();
    EXPECT_EQ(scan.clusterSize(), 1024u);
    // 1 byte and 4097 bytes now take 1 KB and 5 KB.
    EXPECT_EQ(scan.rootTotalKB(), 1u + 5u + 1536u + 512u);
    EXPECT_EQ(volumes.queried, (std::vector<std::string>{"C:\\", "C:\\"}));
}

TEST(FolderScanDialog, asksTheClusterSizeOnceWhenItsVolumeIsSet)
{
    MemoryFolders folders;
    ScriptedVolumes volumes;
    RecordingTree tree;
    FolderScan scan(FolderScanHost::meterDialog, folders, volumes, tree);
    volumes.geometries["D:\\"] = ClusterGeometry{4, 512};
    volumes.kinds["D:\\"] = DriveKind::fixed;
    folders.addFile("D:\\", "a", 1);
    scan.setFolder("D:\\");
    scan.refresh();
    scan.refresh();
    EXPECT_EQ(volumes.queried, std::vector<std::string>{"D:\\"});
    EXPECT_EQ(tree.items[0].text, "D:\\,  0.002 MB");
    EXPECT_EQ(tree.items[0].image, kImageFixed);

    scan.setFolder("E:\\");
    EXPECT_EQ(scan.clusterSize(), 512u);
}

TEST(FolderScanTotals, countInSixtyFourBits)
{
    MemoryFolders folders;
    ScriptedVolumes volumes;
    RecordingTree tree;
    FolderScan scan(FolderScanHost::shellPage, folders, volumes, tree);
    volumes.geometries["Z:\\"] = ClusterGeometry{8, 512};
    folders.addFolder("Z:\\", "a");
    folders.addFolder("Z:\\", "b");
    folders.addFile("Z:\\a\\", "sparse", 3ull << 40);
    folders.addFile("Z:\\b\\", "sparse", 2ull << 40);
    scan.setFolder("Z:\\");
    scan.refresh();
    EXPECT_EQ(tree.items[0].text, "Z:\\,  0.0 MB,  with subfolders 5,242,880.0 MB (5,120.0 GB)");
    EXPECT_EQ(scan.rootTotalKB(), 5ull << 30);

    folders.folders["Z:\\"].clear();
    folders.addFile("Z:\\", "sparse", 5ull << 40);
    scan.refresh();
    EXPECT_EQ(tree.items[0].text, "Z:\\,  5,242,880.0 MB");
}

TEST_F(FolderScanTest, stopLeavesWhatWasShownWithTheTotalsReachedSoFar)
{
    // Stop while Deep is being scanned: after its own size is shown.
    tree.onPump = [&] {
        const RecordingTree::Item* deep = tree.find("Deep");
        if (deep && deep->texts.size() == 2)
            scan.stop();
    };
    scan.refresh();

    EXPECT_TRUE(scan.stopRequested());
    EXPECT_EQ(tree.log.back(), "finished stopped");
    EXPECT_EQ(tree.items.size(), 3u); // B is never reached
    EXPECT_EQ(tree.find("B"), nullptr);
    EXPECT_EQ(tree.find("Deep")->text, "Deep,  0.5 MB");
    EXPECT_EQ(tree.find("A")->text, "A,  1.5 MB,  with subfolders 2.0 MB");
    EXPECT_EQ(tree.items[0].text, "C:\\Data\\,  0.01 MB,  with subfolders 2.0 MB");
    EXPECT_EQ(folders.lists.count("C:\\Data\\B\\"), 0u);
}

TEST_F(FolderScanTest, refreshClearsTheStopAndScansTheFolderAsItIsNow)
{
    tree.onPump = [&] { scan.stop(); };
    scan.refresh();
    ASSERT_EQ(tree.items.size(), 1u);

    tree.onPump = nullptr;
    folders.addFolder("C:\\Data\\", "New");
    scan.refresh();
    EXPECT_FALSE(scan.stopRequested());
    EXPECT_EQ(tree.log.back(), "finished");
    EXPECT_EQ(std::count(tree.log.begin(), tree.log.end(), "delete all"), 2);
    EXPECT_EQ(tree.items.size(), 5u);
    EXPECT_EQ(tree.textsUnder(1).back(), "New,  0.0 MB");
    EXPECT_EQ(scan.rootItem(), 1u);
}

TEST_F(FolderScanTest, refreshFromWithinAScanDoesNothing)
{
    int calls = 0;
    tree.onPump = [&] {
        if (++calls == 1)
            scan.refresh();
    };
    scan.refresh();
    EXPECT_EQ(std::count(tree.log.begin(), tree.log.end(), "started"), 1);
    EXPECT_EQ(tree.items.size(), 4u);
}

TEST_F(FolderScanTest, reparsePointsAreListedButNotEntered)
{
    folders.addFolder("C:\\Data\\B\\", "Loop", true);
    folders.addFile("C:\\Data\\B\\Loop\\", "elsewhere", 1 << 20);
    scan.refresh();

    ASSERT_NE(tree.find("Loop"), nullptr);
    EXPECT_EQ(tree.find("Loop")->texts, std::vector<std::string>{"Loop"});
    EXPECT_EQ(tree.find("Loop")->image, kImageFolder);
    EXPECT_EQ(folders.lists.count("C:\\Data\\B\\Loop\\"), 0u);
    EXPECT_EQ(tree.find("B")->text, "B,  0.0 MB,  with subfolders 0.0 MB");
    EXPECT_EQ(scan.rootTotalKB(), 12u + 1536u + 512u);
}

TEST_F(FolderScanTest, collapseAllClosesChildrenBeforeParentsThenOpensTheRoot)
{
    scan.refresh();
    tree.log.clear();
    scan.collapseAll();
    EXPECT_EQ(tree.log, (std::vector<std::string>{"collapse Deep", "collapse A", "collapse B",
                                                  "collapse C:\\Data\\", "expand C:\\Data\\"}));
}

TEST(FolderScanCollapse, beforeAnyScanThereIsNothingToCollapse)
{
    MemoryFolders folders;
    ScriptedVolumes volumes;
    RecordingTree tree;
    FolderScan scan(FolderScanHost::shellPage, folders, volumes, tree);
    scan.collapseAll();
    EXPECT_TRUE(tree.log.empty());
}

} // namespace
