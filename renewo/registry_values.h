#pragma once
// The two narrow registry views of the update checker: the caller's settings key, and
// default values under HKEY_CLASSES_ROOT for finding the browser.
#include "common/win/classes_root_keys.h"
#include "renewo/due_test.h"

#include <windows.h>

namespace renewo {

// Reads and writes values of a key the caller opened and will close.
class KeyValues : public SettingsValues {
public:
    explicit KeyValues(HKEY key) : key_(key) {}
    bool query(const char* name, std::uint32_t& type, std::vector<unsigned char>& data) override;
    void setDword(const char* name, std::uint32_t value) override;

private:
    HKEY key_;
};

using ::ClassesRootKeys;

} // namespace renewo
