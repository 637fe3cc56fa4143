#include "meter/settings_store.h"

namespace {

void loadFrom(const RegistryKey& key, const SettingsLocation& location, AppSettings& settings,
              const WindowAndMeters& window)
{
    loadWindowAndMeters(key, window);
    settings.load(key, location.programFolder);
}

bool importEarlierProduct(RegistryKey& currentUser, const SettingsLocation& location,
                          AppSettings& settings, const WindowAndMeters& window)
{
    const std::string oldPath = std::string(kImportParentPath) + "\\" + kImportKeyName;
    {
        std::unique_ptr<RegistryKey> old = currentUser.openSubkey(oldPath);
        if (!old)
            return false;
        loadFrom(*old, location, settings, window);
    }
    // The old key goes only once its contents are safely in ours; otherwise the next
    // start simply tries again.
    if (!saveSettings(currentUser, location, settings, window))
        return true;
    if (std::unique_ptr<RegistryKey> parent = currentUser.openSubkey(kImportParentPath))
        parent->deleteSubkey(kImportKeyName);
    return true;
}

} // namespace

SettingsSource loadSettings(RegistryKey& currentUser, const SettingsLocation& location,
                            AppSettings& settings, const WindowAndMeters& window)
{
    settings.resetDefaults(location.programFolder);
    if (importEarlierProduct(currentUser, location, settings, window))
        return SettingsSource::Imported;
    std::unique_ptr<RegistryKey> own =
        currentUser.openSubkey(settingsKeyPath(location.profileName, true));
    if (!own)
        return SettingsSource::Defaults;
    loadFrom(*own, location, settings, window);
    return SettingsSource::OwnKey;
}

bool saveSettings(RegistryKey& currentUser, const SettingsLocation& location,
                  const AppSettings& settings, const WindowAndMeters& window)
{
    std::unique_ptr<RegistryKey> own =
        currentUser.createSubkey(settingsKeyPath(location.profileName, true));
    if (!own)
        return false;
    const bool windowSaved = saveWindowAndMeters(*own, window);
    const bool settingsSaved = settings.save(*own);
    return windowSaved && settingsSaved;
}
