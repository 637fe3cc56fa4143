// Winsock before <windows.h>, which the other headers bring.
#include "mail/pop3_socket.h"

#include "mail/plugin/plugin_platform_win.h"

#include "common/win/own_module.h"
#include "mail/log_file_win.h"
#include "meter/win32_registry_key.h"

#include <vector>

namespace mail {

HMODULE pluginModule()
{
    return ownModule();
}

std::string modulePath(HMODULE module)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return std::string();
        }
        if (n < buffer.size()) {
            return std::string(buffer.data(), n);
        }
        if (buffer.size() >= 32768) {
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool fileVersionOf(const std::string& path, FileVersion& version)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return false;
    }
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) {
        return false;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixed == nullptr || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    version.major = HIWORD(fixed->dwFileVersionMS);
    version.minor = LOWORD(fixed->dwFileVersionMS);
    version.build = HIWORD(fixed->dwFileVersionLS);
    version.revision = LOWORD(fixed->dwFileVersionLS);
    return true;
}

std::string WinPluginPlatform::programFolder()
{
    return folderOf(modulePath(nullptr));
}

std::string WinPluginPlatform::moduleName()
{
    return moduleBaseName(modulePath(pluginModule()));
}

std::unique_ptr<RegistryKey> WinPluginPlatform::userKey(const std::string& path, bool create)
{
    auto root = Win32RegistryKey::root(HKEY_CURRENT_USER);
    return create ? root->createSubkey(path) : root->openSubkey(path);
}

std::unique_ptr<LogSink> WinPluginPlatform::createLogFile(const std::string& path)
{
    return WinLogFile::create(path);
}

bool WinPluginPlatform::copyFile(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

TransportFactory WinPluginPlatform::transports()
{
    return &CPop3Socket::make;
}

TimeOfDay WinPluginPlatform::timeOfDay()
{
    return localTimeOfDay();
}

bool WinPluginPlatform::ownVersion(FileVersion& version)
{
    return fileVersionOf(modulePath(pluginModule()), version);
}

} // namespace mail
