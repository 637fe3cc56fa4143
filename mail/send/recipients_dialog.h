#pragma once
// The recipient list of the send window's To or Cc field ("<host> - Recipients"):
// typed or remembered addresses are added to a list; OK makes the list the field's
// recipients and remembers its last five in the profile.
#include "meter/registry_key.h"

#include <windows.h>

#include <string>
#include <vector>

namespace mail {

// Runs the dialog over `recipients`; true on OK with `recipients` replaced by the
// list. `profile` (may be null) gives the remembered recipients and keeps the new ones.
bool runRecipientsDialog(HINSTANCE module, HWND owner, const std::string& hostName,
                         RegistryKey* profile, std::vector<std::string>& recipients);

} // namespace mail
