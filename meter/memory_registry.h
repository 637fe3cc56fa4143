#pragma once
// An in-memory registry tree for tests. Names compare without case, as in Windows.
// Every change is appended to a journal shared by all keys of one tree, so a test can
// check what was written and in which order; single value names or key paths can be
// made to fail.
#include "meter/registry_key.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class MemoryRegistry {
public:
    struct Node;
    struct Journal {
        // "create <path>", "set <path>:<name>", "delete <path>:<name>", "open <path>",
        // "drop <path>" (a deleted subkey).
        std::vector<std::string> entries;
        // Lower-case value names whose writes fail, with how many more times (-1: always).
        std::map<std::string, int> failingValues;
        std::set<std::string> failingKeys; // lower-case paths that cannot be opened or created
    };

    MemoryRegistry();
    ~MemoryRegistry();

    // A key object for the root of the tree (think HKEY_CURRENT_USER).
    std::unique_ptr<RegistryKey> root();

    // Direct inspection, bypassing the journal. Null when the key or value is missing.
    bool hasKey(const std::string& path) const;
    const RegistryValue* value(const std::string& path, const std::string& name) const;
    std::vector<std::string> valueNames(const std::string& path) const;
    std::vector<std::string> subkeyNames(const std::string& path) const;

    // The value names set, in order, within the key `path`.
    std::vector<std::string> writtenValues(const std::string& path) const;
    const std::vector<std::string>& journal() const { return journal_->entries; }
    void clearJournal() { journal_->entries.clear(); }

    // The next `times` writes of the value fail (every write when negative).
    void failWritesOf(const std::string& valueName, int times = -1);
    void failKey(const std::string& path);

    // Test set-up helpers that do not appear in the journal.
    void put(const std::string& path, const std::string& name, std::uint32_t type,
             std::vector<std::uint8_t> data);
    void putDword(const std::string& path, const std::string& name, std::uint32_t v);
    void putString(const std::string& path, const std::string& name, const std::string& text);

private:
    const Node* find(const std::string& path) const;

    std::shared_ptr<Node> top_;
    std::shared_ptr<Journal> journal_;
};
