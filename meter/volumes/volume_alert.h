#pragma once
// What happens when volumes drop below their warning levels: a sound and a program.
#include "meter/app_settings.h"

#include <optional>
#include <string>
#include <vector>

// Sound resources and the "Volume Warning Sound" choices.
constexpr int kVoiceWave = 138;
constexpr int kSoundWave = 215;
constexpr std::uint32_t kWarningSoundNone = 0;
constexpr std::uint32_t kWarningSoundVoice = 1;
constexpr std::uint32_t kWarningSoundTone = 2;

// The longest command line a process can be started with.
constexpr std::size_t kMaxCommandLine = 32767;

class AlertActions {
public:
    virtual ~AlertActions() = default;
    // Plays one of the program's wave resources, waiting for its end when synchronous.
    virtual bool playWave(int resource, bool synchronous) = 0;
    // Starts a program from a whole command line; false when it could not be started.
    virtual bool startProcess(const std::string& commandLine) = 0;
};

// Every "%V" and "%v" replaced by name; inserted text is never searched again.
std::string substituteVolumeName(const std::string& text, const std::string& name);

// The alert program's command line for one volume, or nothing when no program is set
// or the line would be longer than a process can be given.
std::optional<std::string> volumeAlertCommand(const AppSettings& settings,
                                              const std::string& volumeName);

// The sound once, then the program once for each volume that just dropped below.
void runVolumeAlert(const AppSettings& settings, const std::vector<std::string>& volumeNames,
                    AlertActions& actions);
