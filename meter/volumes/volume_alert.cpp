#include "meter/volumes/volume_alert.h"

std::string substituteVolumeName(const std::string& text, const std::string& name)
{
    std::string result;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = from;
        while (at + 1 < text.size() &&
               !(text[at] == '%' && (text[at + 1] == 'V' || text[at + 1] == 'v')))
            ++at;
        if (at + 1 >= text.size())
            break;
        result.append(text, from, at - from);
        result += name;
        from = at + 2;
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::optional<std::string> volumeAlertCommand(const AppSettings& settings,
                                              const std::string& volumeName)
{
    if (settings.volumeAlertExe.empty())
        return std::nullopt;
    const std::string templ = "\"" + settings.volumeAlertExe + "\" " + settings.volumeAlertOptions;
    std::string command = substituteVolumeName(templ, volumeName);
    // A cut command line would run the program with arguments nobody wrote; a line too
    // long to start is not started at all.
    if (command.size() > kMaxCommandLine)
        return std::nullopt;
    return command;
}

void runVolumeAlert(const AppSettings& settings, const std::vector<std::string>& volumeNames,
                    AlertActions& actions)
{
    if (volumeNames.empty())
        return;
    if (settings.volumeWarningSound == kWarningSoundVoice) {
        actions.playWave(kVoiceWave, false);
    } else if (settings.volumeWarningSound == kWarningSoundTone) {
        actions.playWave(kSoundWave, true);
        actions.playWave(kSoundWave, false);
    }
    for (const std::string& name : volumeNames) {
        if (const auto command = volumeAlertCommand(settings, name))
            actions.startProcess(*command); // a program that fails to start is no reason to stop
    }
}
