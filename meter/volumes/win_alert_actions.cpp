#include "meter/volumes/win_alert_actions.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <vector>

WinAlertActions::WinAlertActions(void* module) : module_(module)
{
}

const void* WinAlertActions::waveData(int resource)
{
    const auto known = waves_.find(resource);
    if (known != waves_.end())
        return known->second;
    HMODULE module = module_ != nullptr ? static_cast<HMODULE>(module_) : GetModuleHandleA(nullptr);
    const void* data = nullptr;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resource), "WAVE"))
        if (HGLOBAL loaded = LoadResource(module, found))
            data = LockResource(loaded);
    waves_[resource] = data;
    return data;
}

bool WinAlertActions::playWave(int resource, bool synchronous)
{
    const void* data = waveData(resource);
    if (data == nullptr)
        return false;
    const UINT flags = SND_MEMORY | SND_NODEFAULT | (synchronous ? SND_SYNC : SND_ASYNC);
    return sndPlaySoundA(static_cast<const char*>(data), flags) != FALSE;
}

bool WinAlertActions::startProcess(const std::string& commandLine)
{
    if (commandLine.size() > kMaxCommandLine)
        return false;
    // The call may write into the command line, so it gets its own copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
