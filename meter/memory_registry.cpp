#include "meter/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> splitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

std::string joinPath(const std::string& base, const std::string& name)
{
    return base.empty() ? name : base + "\\" + name;
}

std::string normalPath(const std::string& path)
{
    std::string joined;
    for (const std::string& part : splitPath(path))
        joined = joinPath(joined, part);
    return joined;
}

} // namespace

struct MemoryRegistry::Node {
    std::string name;
    bool deleted = false;
    std::map<std::string, std::shared_ptr<Node>> children; // by lower-case name
    std::map<std::string, std::pair<std::string, RegistryValue>> values;

    void markDeleted()
    {
        deleted = true;
        for (auto& child : children)
            child.second->markDeleted();
    }
};

namespace {

class MemoryKey : public RegistryKey {
public:
    using Node = MemoryRegistry::Node;
    using Journal = MemoryRegistry::Journal;

    MemoryKey(std::shared_ptr<Node> node, std::string path, std::shared_ptr<Journal> journal)
        : node_(std::move(node)), path_(std::move(path)), journal_(std::move(journal))
    {
    }

    std::unique_ptr<RegistryKey> openSubkey(const std::string& path) override
    {
        return walk(path, false);
    }

    std::unique_ptr<RegistryKey> createSubkey(const std::string& path) override
    {
        return walk(path, true);
    }

    bool queryValue(const std::string& name, RegistryValue& value) const override
    {
        if (node_->deleted)
            return false;
        auto it = node_->values.find(lower(name));
        if (it == node_->values.end())
            return false;
        value = it->second.second;
        return true;
    }

    bool setValue(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override
    {
        if (node_->deleted || failsNow(name))
            return false;
        RegistryValue value;
        value.type = type;
        if (size != 0)
            value.data.assign(data, data + size);
        node_->values[lower(name)] = {name, std::move(value)};
        journal_->entries.push_back("set " + path_ + ":" + name);
        return true;
    }

    bool deleteValue(const std::string& name) override
    {
        if (node_->deleted || node_->values.erase(lower(name)) == 0)
            return false;
        journal_->entries.push_back("delete " + path_ + ":" + name);
        return true;
    }

    bool deleteSubkey(const std::string& name) override
    {
        if (node_->deleted)
            return false;
        auto it = node_->children.find(lower(name));
        if (it == node_->children.end())
            return false;
        it->second->markDeleted();
        const std::string dropped = joinPath(path_, it->second->name);
        node_->children.erase(it);
        journal_->entries.push_back("drop " + dropped);
        return true;
    }

private:
    bool failsNow(const std::string& name)
    {
        auto it = journal_->failingValues.find(lower(name));
        if (it == journal_->failingValues.end() || it->second == 0)
            return false;
        if (it->second > 0)
            --it->second;
        return true;
    }

    std::unique_ptr<RegistryKey> walk(const std::string& path, bool create)
    {
        if (node_->deleted)
            return nullptr;
        std::shared_ptr<Node> node = node_;
        std::string at = path_;
        bool created = false;
        for (const std::string& part : splitPath(path)) {
            at = joinPath(at, part);
            if (journal_->failingKeys.count(lower(at)) != 0)
                return nullptr;
            auto it = node->children.find(lower(part));
            if (it == node->children.end()) {
                if (!create)
                    return nullptr;
                auto child = std::make_shared<Node>();
                child->name = part;
                it = node->children.emplace(lower(part), std::move(child)).first;
                created = true;
            }
            node = it->second;
        }
        journal_->entries.push_back((created ? "create " : "open ") + at);
        return std::make_unique<MemoryKey>(node, at, journal_);
    }

    std::shared_ptr<Node> node_;
    std::string path_;
    std::shared_ptr<Journal> journal_;
};

} // namespace

MemoryRegistry::MemoryRegistry()
    : top_(std::make_shared<Node>()), journal_(std::make_shared<Journal>())
{
}

MemoryRegistry::~MemoryRegistry() = default;

std::unique_ptr<RegistryKey> MemoryRegistry::root()
{
    return std::make_unique<MemoryKey>(top_, std::string(), journal_);
}

const MemoryRegistry::Node* MemoryRegistry::find(const std::string& path) const
{
    const Node* node = top_.get();
    for (const std::string& part : splitPath(path)) {
        auto it = node->children.find(lower(part));
        if (it == node->children.end())
            return nullptr;
        node = it->second.get();
    }
    return node;
}

bool MemoryRegistry::hasKey(const std::string& path) const
{
    return find(path) != nullptr;
}

const RegistryValue* MemoryRegistry::value(const std::string& path, const std::string& name) const
{
    const Node* node = find(path);
    if (node == nullptr)
        return nullptr;
    auto it = node->values.find(lower(name));
    return it == node->values.end() ? nullptr : &it->second.second;
}

std::vector<std::string> MemoryRegistry::valueNames(const std::string& path) const
{
    std::vector<std::string> names;
    if (const Node* node = find(path))
        for (const auto& entry : node->values)
            names.push_back(entry.second.first);
    return names;
}

std::vector<std::string> MemoryRegistry::subkeyNames(const std::string& path) const
{
    std::vector<std::string> names;
    if (const Node* node = find(path))
        for (const auto& entry : node->children)
            names.push_back(entry.second->name);
    return names;
}

std::vector<std::string> MemoryRegistry::writtenValues(const std::string& path) const
{
    const std::string prefix = "set " + lower(normalPath(path)) + ":";
    std::vector<std::string> names;
    for (const std::string& entry : journal_->entries)
        if (entry.size() > prefix.size() && lower(entry.substr(0, prefix.size())) == prefix)
            names.push_back(entry.substr(prefix.size()));
    return names;
}

void MemoryRegistry::failWritesOf(const std::string& valueName, int times)
{
    journal_->failingValues[lower(valueName)] = times;
}

void MemoryRegistry::failKey(const std::string& path)
{
    journal_->failingKeys.insert(lower(normalPath(path)));
}

void MemoryRegistry::put(const std::string& path, const std::string& name, std::uint32_t type,
                         std::vector<std::uint8_t> data)
{
    Node* node = top_.get();
    for (const std::string& part : splitPath(path)) {
        auto& child = node->children[lower(part)];
        if (!child) {
            child = std::make_shared<Node>();
            child->name = part;
        }
        node = child.get();
    }
    RegistryValue value;
    value.type = type;
    value.data = std::move(data);
    node->values[lower(name)] = {name, std::move(value)};
}

void MemoryRegistry::putDword(const std::string& path, const std::string& name, std::uint32_t v)
{
    put(path, name, RegType::kDword,
        {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
         static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)});
}

void MemoryRegistry::putString(const std::string& path, const std::string& name,
                               const std::string& text)
{
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    put(path, name, RegType::kSz, std::move(data));
}
