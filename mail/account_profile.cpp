#include "mail/account_profile.h"

#include <algorithm>
#include <cctype>

namespace mail {

namespace {

bool readDword(const RegistryKey& key, const char* name, std::uint32_t& value)
{
    RegistryValue v;
    if (!key.queryValue(name, v) || v.type != RegType::kDword || v.data.size() != 4) {
        return false;
    }
    value = static_cast<std::uint32_t>(v.data[0]) | (static_cast<std::uint32_t>(v.data[1]) << 8) |
            (static_cast<std::uint32_t>(v.data[2]) << 16) |
            (static_cast<std::uint32_t>(v.data[3]) << 24);
    return true;
}

void readFlag(const RegistryKey& key, const char* name, bool& flag)
{
    std::uint32_t value = 0;
    if (readDword(key, name, value)) {
        flag = value == 1;
    }
}

bool writeDword(RegistryKey& key, const char* name, std::uint32_t value)
{
    const std::uint8_t data[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return key.setValue(name, RegType::kDword, data, sizeof data);
}

} // namespace

std::string profileKeyPath(const std::string& hostName, const std::string& moduleName,
                           const std::string& section)
{
    std::string host = hostName;
    std::transform(host.begin(), host.end(), host.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string path = "Software\\" + host + "\\" + moduleName;
    if (!section.empty()) {
        path += "\\" + section;
    }
    return path;
}

void readNotifySettings(const RegistryKey& key, NotifySettings& notify)
{
    RegistryValue sound;
    if (key.queryValue(ProfileValue::kSound, sound) && sound.type == RegType::kSz) {
        std::string text(sound.data.begin(), sound.data.end());
        text.resize(std::min(text.size(), text.find('\0')));
        notify.soundFile = text;
    }
    readFlag(key, ProfileValue::kDialog, notify.showDialog);
    readFlag(key, ProfileValue::kTrayPopup, notify.showTrayPopup);
    readFlag(key, ProfileValue::kTrayIcon, notify.changeTrayIcon);
    std::uint32_t timeout = 0;
    if (readDword(key, ProfileValue::kTimeout, timeout)) {
        notify.timeoutSeconds =
            replyTimeoutMs(static_cast<int>(std::min<std::uint32_t>(timeout, 1000000))) / 1000;
    }
}

bool writeNotifySettings(RegistryKey& key, const NotifySettings& notify)
{
    std::string sound = notify.soundFile;
    const auto* text = reinterpret_cast<const std::uint8_t*>(sound.c_str());
    bool ok = key.setValue(ProfileValue::kSound, RegType::kSz, text, sound.size() + 1);
    ok = writeDword(key, ProfileValue::kDialog, notify.showDialog ? 1 : 0) && ok;
    ok = writeDword(key, ProfileValue::kTrayPopup, notify.showTrayPopup ? 1 : 0) && ok;
    ok = writeDword(key, ProfileValue::kTrayIcon, notify.changeTrayIcon ? 1 : 0) && ok;
    ok = writeDword(key, ProfileValue::kTimeout,
                    static_cast<std::uint32_t>(notify.timeoutSeconds)) &&
         ok;
    return ok;
}

} // namespace mail
