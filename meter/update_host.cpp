#include "meter/update_host.h"

#include "common/win/resource_string.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

#include <cstdio>
#include <vector>

namespace {

// The checker's entry point under its C++ name, as the library exports it.
constexpr const char* kCheckExport = "_ZN14SoftwareRenewo5CheckERNS_5TDataE";

} // namespace

RenewoHost::RenewoHost(HWND owner, std::function<void()> shutdownAndQuit,
                       std::function<void()> stopTimer)
    : owner_(owner), shutdownAndQuit_(std::move(shutdownAndQuit)), stopTimer_(std::move(stopTimer))
{
}

RenewoHost::~RenewoHost()
{
    closeBaseKey();
    freeChecker();
}

bool RenewoHost::loadChecker()
{
    module_ = LoadLibraryA("Renewo.dll");
    if (module_ == nullptr)
        return false;
    check_ = reinterpret_cast<CheckFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(module_, kCheckExport)));
    if (check_ == nullptr) {
        freeChecker();
        return false;
    }
    return true;
}

void RenewoHost::freeChecker()
{
    if (module_ != nullptr)
        FreeLibrary(module_);
    module_ = nullptr;
    check_ = nullptr;
}

void RenewoHost::showLoadFailure()
{
    MessageBoxA(owner_, loadString(IDS_RENEWO_MISSING).c_str(), kProductName, MB_OK | MB_ICONSTOP);
}

bool RenewoHost::openBaseKey(std::uint32_t& key)
{
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brellix", 0, KEY_ALL_ACCESS, &key_) !=
        ERROR_SUCCESS) {
        key_ = nullptr;
        return false;
    }
    // Registry handles fit the record's 4-byte field on both architectures.
    key = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(key_));
    return true;
}

void RenewoHost::closeBaseKey()
{
    if (key_ != nullptr)
        RegCloseKey(key_);
    key_ = nullptr;
}

void RenewoHost::check(SoftwareRenewo::TData& data)
{
    if (check_ != nullptr)
        check_(data);
}

bool RenewoHost::confirmInstall(const std::string& installerPath)
{
    const std::string format = loadString(IDS_INSTALL_UPDATE);
    std::vector<char> text(format.size() + installerPath.size() + 1);
    std::snprintf(text.data(), text.size(), format.c_str(), installerPath.c_str());
    return MessageBoxA(owner_, text.data(), kProductName, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void RenewoHost::startInstaller(const std::string& installerPath)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string path = installerPath;
    // The installer runs on its own; the program is about to end and does not wait.
    if (CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
