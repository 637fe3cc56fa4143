#include "common/web/browser_command.h"

std::string findBrowserCommand(ClassesRoot& root)
{
    for (const char* extension : {".htm", ".html"}) {
        std::string fileType;
        if (!root.defaultValue(extension, 40, fileType)) {
            continue;
        }
        std::string command;
        if (root.defaultValue(fileType + "\\shell\\open\\command", 200, command)) {
            return command;
        }
    }
    return {};
}

namespace {

bool safeOnCommandLine(const std::string& address)
{
    for (const char c : address) {
        if (c == '"' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return true;
}

} // namespace

bool buildBrowserCommandLine(const std::string& command, const std::string& address,
                             std::string& commandLine)
{
    if (!safeOnCommandLine(address)) {
        return false;
    }
    std::string built;
    if (command.find("%1") != std::string::npos) {
        for (std::size_t i = 0; i < command.size(); ++i) {
            if (command[i] == '%' && i + 1 < command.size()) {
                if (command[i + 1] == '1') {
                    built += address;
                    ++i;
                    continue;
                }
                if (command[i + 1] == '%') {
                    built += '%';
                    ++i;
                    continue;
                }
            }
            built += command[i];
        }
    } else {
        built = command + " " + address;
    }
    if (built.size() > kMaxCommandLine) {
        return false;
    }
    commandLine = std::move(built);
    return true;
}
