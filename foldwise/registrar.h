#pragma once
// Carrying out a registration script: what registration writes and what
// unregistration takes away, over the registry as a seam (the Win32 registry in the
// library, an in-memory tree in the tests).
#include "foldwise/registrar_script.h"

#include <string>

namespace foldwise {

// Result codes are the system's error numbers: 0 for success.
class RegistryEditor {
public:
    virtual ~RegistryEditor() = default;
    // Opens the key at path (names joined by "\"), creating it and any missing parent.
    virtual long createKey(RegistryRoot root, const std::string& path) = 0;
    virtual long setValue(RegistryRoot root, const std::string& path, const ScriptValue& value) = 0;
    // Deletes the key with everything below it; a missing key is no error.
    virtual long deleteTree(RegistryRoot root, const std::string& path) = 0;
    // Deletes the key with its values, but only when it has no subkey left; a missing
    // key is no error.
    virtual long deleteIfNoSubkeys(RegistryRoot root, const std::string& path) = 0;
};

// Writes every key and value of the script. Stops at the first failing step, takes
// back what the script registers, and answers the failing step's code.
long registerScript(const RegistrarScript& script, RegistryEditor& registry);

// Removes what the script registered, as its markers say. Goes on past a failing
// step and answers the first failure's code.
long unregisterScript(const RegistrarScript& script, RegistryEditor& registry);

} // namespace foldwise
