#pragma once
// Loading all settings at start-up and saving them at every save point, from and to
// the program's key below HKEY_CURRENT_USER (the profile's key when one was named).
#include "meter/app_settings.h"
#include "meter/registry_key.h"
#include "meter/window_settings.h"

#include <string>

// Where the earlier product kept the same settings, below HKEY_CURRENT_USER.
inline constexpr const char* kImportParentPath = "Software\\Kavrond";
inline constexpr const char* kImportKeyName = "Dunmere";

struct SettingsLocation {
    std::string profileName;   // empty: the plain key
    std::string programFolder; // the default folder of the log files
};

enum class SettingsSource { Defaults, OwnKey, Imported };

// Starts `settings` from the defaults, then takes over the earlier product's key once
// (moving it into ours) or else reads our own key when it exists. Nothing is created.
SettingsSource loadSettings(RegistryKey& currentUser, const SettingsLocation& location,
                            AppSettings& settings, const WindowAndMeters& window);

// Writes everything into our key, creating it when missing. False when the key could
// not be created or a value not written; the program carries on either way.
bool saveSettings(RegistryKey& currentUser, const SettingsLocation& location,
                  const AppSettings& settings, const WindowAndMeters& window);
