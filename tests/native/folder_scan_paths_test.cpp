#include "common/folderscan/folder_scan.h"
#include "folder_scan_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct FolderScanPaths : ::testing::Test {
    MemoryFolders folders;
    ScriptedVolumes volumes;
    RecordingTree tree;
    FolderScan scan{FolderScanHost::shellPage, folders, volumes, tree};
};

// A chain of levels "C:\d\d\...\d\" with one 1 MB file at the bottom.
std::string buildChain(MemoryFolders& folders, int levels)
{
    std::string path = "C:\\";
    for (int i = 0; i < levels; ++i) {
        folders.addFolder(path, "d");
        path += "d\\";
    }
    folders.addFile(path, "bottom", 1 << 20);
    return path;
}

TEST_F(FolderScanPaths, aDeepChainIsScannedWithoutRecursion)
{
    buildChain(folders, 2000);
    scan.setMaxPatternChars(100000);
    scan.setFolder("C:\\");
    scan.refresh();

    ASSERT_EQ(tree.items.size(), 2001u);
    EXPECT_EQ(tree.items.back().text, "d,  1.0 MB");
    EXPECT_EQ(tree.items.back().parent, 2000u);
    EXPECT_EQ(tree.items[0].text, "C:\\,  0.0 MB,  with subfolders 1.0 MB");
    EXPECT_EQ(scan.rootTotalKB(), 1024u);

    scan.collapseAll();
    EXPECT_EQ(tree.log[tree.log.size() - 3], "collapse d");
    EXPECT_EQ(tree.log[tree.log.size() - 2], "collapse C:\\");
}

TEST_F(FolderScanPaths, foldersTheSystemCannotNameAreLeftOut)
{
    buildChain(folders, 200);
    scan.setFolder("C:\\");
    scan.refresh();

    // "C:\" + n * "d\" + "*.*" fits in 259 characters up to n = 126.
    EXPECT_EQ(tree.items.size(), 127u);
    std::size_t longest = 0;
    for (const auto& [path, count] : folders.lists)
        longest = std::max(longest, path.size());
    EXPECT_EQ(longest, 3u + 2u * 126u);
    EXPECT_EQ(tree.items.back().text, "d,  0.0 MB");
}

TEST_F(FolderScanPaths, aPatternOfExactly259CharactersStillFits)
{
    folders.addFolder("C:\\", std::string(252, 'x')); // "C:\" + 252 + "\*.*": 259
    folders.addFolder("C:\\", std::string(253, 'y'));
    scan.setFolder("C:\\");
    scan.refresh();
    EXPECT_EQ(tree.textsUnder(1), std::vector<std::string>{std::string(252, 'x') + ",  0.0 MB"});
}

TEST_F(FolderScanPaths, namesOutsideAsciiPassThroughAndCountAsCharacters)
{
    const std::string name = "\xC3\x9C"
                             "ber\xE2\x82\xAC"; // "Über€" in UTF-8
    folders.addFolder("C:\\", name);
    folders.addFile("C:\\" + name + "\\", "f", 2048);
    // A folder of 240 two-byte characters: 484 bytes, but a pattern of 246 characters.
    std::string wide;
    for (int i = 0; i < 240; ++i)
        wide += "\xC3\xA9";
    folders.addFolder("C:\\", wide);
    scan.setFolder("C:\\");
    scan.refresh();

    EXPECT_EQ(tree.find(name)->text, name + ",  0.002 MB");
    EXPECT_EQ(folders.lists["C:\\" + name + "\\"], 2);
    EXPECT_NE(tree.find(wide), nullptr);
    EXPECT_EQ(folders.lists["C:\\" + wide + "\\"], 2);
}

} // namespace
