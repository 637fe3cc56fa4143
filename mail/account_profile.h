#pragma once
// An account's notification settings in the plug-in's registry profile, one key per
// account named after it, below Software\<host name in lower case>\<module name>.
#include "mail/mail_account.h"
#include "meter/registry_key.h"

#include <string>

namespace mail {

namespace ProfileValue {
constexpr char kSound[] = "Notify.Sound";
constexpr char kDialog[] = "Notify.Dialog";
constexpr char kTrayPopup[] = "Notify.TrayPopup";
constexpr char kTrayIcon[] = "Notify.TrayIcon";
constexpr char kTimeout[] = "Misc.Timeout";
} // namespace ProfileValue

// "Software\<host>\<module>", or with a section "...\<module>\<section>"; the host name
// in lower case.
std::string profileKeyPath(const std::string& hostName, const std::string& moduleName,
                           const std::string& section = std::string());

// Missing or mistyped values leave their fields alone; a flag is true only when it is
// exactly 1; the time-out is clamped to what a reply may wait.
void readNotifySettings(const RegistryKey& key, NotifySettings& notify);
// False when any value could not be written.
bool writeNotifySettings(RegistryKey& key, const NotifySettings& notify);

} // namespace mail
