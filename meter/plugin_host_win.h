#pragma once
// "Mail.dll" from the program's search path. Each export is bound by name the first
// time it is called (GetProcAddress), so only a library that was found is ever asked
// for one; an export the library lacks makes its call do nothing.
#include "meter/plugin_host.h"

#include <windows.h>

class WinMailLibrary : public MailLibrary {
public:
    WinMailLibrary() = default;
    ~WinMailLibrary() override;
    WinMailLibrary(const WinMailLibrary&) = delete;
    WinMailLibrary& operator=(const WinMailLibrary&) = delete;

    bool load() override;
    void free() override;
    bool initialize(TEnvironment& environment) override;
    void addMenuItem(const char* text, int id) override;
    void loadAccount(const std::string& folder) override;
    void saveAccount() override;
    void closeAccount() override;
    void uninitialize() override;

private:
    template <typename Fn> Fn bind(const char* name) const;

    HMODULE module_ = nullptr;
};

// The window handle as the plug-in's record keeps it.
std::uint32_t windowAs32Bits(HWND window);
