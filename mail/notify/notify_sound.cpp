#include "mail/notify/notify_sound.h"

#include <windows.h>

#include <mmsystem.h>

namespace mail {

void playNotifySound(const std::string& file)
{
    if (file.empty())
        return;
    PlaySoundA(file.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

} // namespace mail
