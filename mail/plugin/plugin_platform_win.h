#pragma once
// The plug-in's platform on Windows: the account file on disk, the user's registry,
// the log file, Winsock sockets and the library's own version resource.
#include "mail/account_files_win.h"
#include "mail/plugin/mail_manager.h"

#include <windows.h>

namespace mail {

class WinPluginPlatform : public PluginPlatform {
public:
    AccountFiles& accountFiles() override { return files_; }
    std::string programFolder() override;
    std::string moduleName() override;
    std::unique_ptr<RegistryKey> userKey(const std::string& path, bool create) override;
    std::unique_ptr<LogSink> createLogFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    TransportFactory transports() override;
    TimeOfDay timeOfDay() override;
    bool ownVersion(FileVersion& version) override;

private:
    WinAccountFiles files_;
};

// The module this code is linked into: Mail.dll, or a test program.
HMODULE pluginModule();

// The full path of a module's file; empty on failure.
std::string modulePath(HMODULE module);

// The fixed file version of a file's version resource; false when it has none.
bool fileVersionOf(const std::string& path, FileVersion& version);

} // namespace mail
