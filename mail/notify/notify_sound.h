#pragma once
// The new-mail sound: a wave file of the user's choice.
#include <string>

namespace mail {

// Starts the file playing and returns at once; nothing for an empty name. A missing
// or unplayable file stays silent: no stand-in system sound.
void playNotifySound(const std::string& file);

} // namespace mail
