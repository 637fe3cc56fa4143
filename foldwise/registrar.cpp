#include "foldwise/registrar.h"

namespace foldwise {

namespace {

std::string joined(const std::string& parent, const std::string& name)
{
    return parent.empty() ? name : parent + "\\" + name;
}

long registerKey(RegistryRoot root, const std::string& parent, const ScriptKey& key,
                 RegistryEditor& registry)
{
    const std::string path = joined(parent, key.name);
    if (key.removal == KeyRemoval::deleteOnly)
        return registry.deleteTree(root, path);
    if (key.removal == KeyRemoval::forceRemove) {
        if (const long result = registry.deleteTree(root, path))
            return result;
    }
    if (const long result = registry.createKey(root, path))
        return result;
    for (const ScriptValue& value : key.values) {
        if (const long result = registry.setValue(root, path, value))
            return result;
    }
    for (const ScriptKey& subkey : key.subkeys) {
        if (const long result = registerKey(root, path, subkey, registry))
            return result;
    }
    return 0;
}

long unregisterKey(RegistryRoot root, const std::string& parent, const ScriptKey& key,
                   RegistryEditor& registry)
{
    const std::string path = joined(parent, key.name);
    switch (key.removal) {
    case KeyRemoval::deleteOnly:
        return 0;
    case KeyRemoval::forceRemove:
        return registry.deleteTree(root, path);
    case KeyRemoval::normal:
    case KeyRemoval::noRemove:
        break;
    }
    long first = 0;
    for (const ScriptKey& subkey : key.subkeys) {
        const long result = unregisterKey(root, path, subkey, registry);
        if (first == 0)
            first = result;
    }
    if (key.removal == KeyRemoval::normal) {
        const long result = registry.deleteIfNoSubkeys(root, path);
        if (first == 0)
            first = result;
    }
    return first;
}

} // namespace

long registerScript(const RegistrarScript& script, RegistryEditor& registry)
{
    for (const ScriptRoot& root : script.roots) {
        for (const ScriptKey& key : root.keys) {
            if (const long result = registerKey(root.root, "", key, registry)) {
                // Half a registration would leave the shell loading a class that
                // cannot be created; take back what the script stands for.
                unregisterScript(script, registry);
                return result;
            }
        }
    }
    return 0;
}

long unregisterScript(const RegistrarScript& script, RegistryEditor& registry)
{
    long first = 0;
    for (const ScriptRoot& root : script.roots) {
        for (const ScriptKey& key : root.keys) {
            const long result = unregisterKey(root.root, "", key, registry);
            if (first == 0)
                first = result;
        }
    }
    return first;
}

} // namespace foldwise
