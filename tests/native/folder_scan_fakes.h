#pragma once
// An in-memory folder tree, a scripted volume and a recording tree view for the
// folder usage scan's tests.
#include "common/folderscan/folder_seams.h"
#include "common/folderscan/folder_view.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class MemoryFolders : public FolderLister {
public:
    // Adds an entry to a folder (path with its trailing "\"); a subfolder's own
    // entries go under path + name + "\".
    void addFile(const std::string& folder, const std::string& name, std::uint64_t bytes)
    {
        folders[folder].push_back(FolderEntry{name, false, false, bytes});
    }
    void addFolder(const std::string& folder, const std::string& name, bool reparse = false)
    {
        folders[folder].push_back(FolderEntry{name, true, reparse, 0});
        folders.try_emplace(folder + name + "\\");
    }

    bool list(const std::string& folder, std::vector<FolderEntry>& entries) override
    {
        ++lists[folder];
        const auto it = folders.find(folder);
        if (it == folders.end()) {
            entries.clear();
            return false;
        }
        entries = it->second;
        return true;
    }

    std::map<std::string, std::vector<FolderEntry>> folders;
    std::map<std::string, int> lists;
};

class ScriptedVolumes : public VolumeQuery {
public:
    DriveKind driveKind(const std::string& path) override
    {
        const auto it = kinds.find(path);
        return it == kinds.end() ? DriveKind::other : it->second;
    }
    bool clusterGeometry(const std::string& root, ClusterGeometry& geometry) override
    {
        queried.push_back(root);
        const auto it = geometries.find(root);
        if (it == geometries.end())
            return false;
        geometry = it->second;
        return true;
    }

    std::map<std::string, DriveKind> kinds;
    std::map<std::string, ClusterGeometry> geometries;
    std::vector<std::string> queried;
};

class RecordingTree : public FolderView {
public:
    struct Item {
        TreeItem parent = kTreeRoot;
        std::string text;
        int image = -1;
        int selectedImage = -1;
        std::vector<std::string> texts; // every text it has shown, in order
    };

    TreeItem insertItem(TreeItem parent, const std::string& text, int image,
                        int selectedImage) override
    {
        items.push_back(Item{parent, text, image, selectedImage, {text}});
        return items.size(); // handles from 1; 0 is the tree itself
    }
    void setItemText(TreeItem item, const std::string& text) override
    {
        at(item).text = text;
        at(item).texts.push_back(text);
    }
    void expand(TreeItem item) override { log.push_back("expand " + name(item)); }
    void collapse(TreeItem item) override { log.push_back("collapse " + name(item)); }
    void ensureVisible(TreeItem item) override { log.push_back("visible " + name(item)); }
    void deleteAllItems() override
    {
        items.clear();
        log.push_back("delete all");
    }
    void scanStarted() override { log.push_back("started"); }
    void scanFinished(bool stopped) override
    {
        log.push_back(stopped ? "finished stopped" : "finished");
    }
    void pumpMessages() override
    {
        ++pumps;
        if (onPump)
            onPump();
    }
    void beforeEntry() override { ++entryChecks; }

    Item& at(TreeItem item) { return items.at(item - 1); }
    // The item whose text begins with the name followed by a comma, or is the name.
    const Item* find(const std::string& itemName) const
    {
        for (const Item& item : items) {
            if (item.text == itemName || item.text.rfind(itemName + ",", 0) == 0)
                return &item;
        }
        return nullptr;
    }
    std::string name(TreeItem item)
    {
        if (item == kTreeRoot)
            return "(tree)";
        const std::string& text = at(item).text;
        return text.substr(0, text.find(','));
    }
    std::vector<std::string> textsUnder(TreeItem parent) const
    {
        std::vector<std::string> out;
        for (const Item& item : items) {
            if (item.parent == parent)
                out.push_back(item.text);
        }
        return out;
    }

    std::vector<Item> items;
    std::vector<std::string> log;
    int pumps = 0;
    int entryChecks = 0;
    std::function<void()> onPump;
};
