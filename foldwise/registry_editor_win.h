#pragma once
// The registrar's registry seam over the Win32 registry. Key names, value names and
// texts travel as UTF-8 and reach the registry through its wide calls, so a library
// path outside the ANSI code page is written as it is.
#include "foldwise/registrar.h"

namespace foldwise {

class Win32RegistryEditor : public RegistryEditor {
public:
    long createKey(RegistryRoot root, const std::string& path) override;
    long setValue(RegistryRoot root, const std::string& path, const ScriptValue& value) override;
    long deleteTree(RegistryRoot root, const std::string& path) override;
    long deleteIfNoSubkeys(RegistryRoot root, const std::string& path) override;
};

} // namespace foldwise
