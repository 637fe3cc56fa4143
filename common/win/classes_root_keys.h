#pragma once
// Default values of keys under HKEY_CLASSES_ROOT, for finding the browser.
#include "common/web/browser_command.h"

class ClassesRootKeys : public ClassesRoot {
public:
    bool defaultValue(const std::string& subkey, std::size_t maxBytes, std::string& value) override;
};
