#pragma once
// The platform side of the scheduled update check: the update checker library bound by
// name, the shared settings key, the messages and the installer start.
#include "meter/scheduled_update.h"

#include <windows.h>

#include <functional>

class RenewoHost : public ScheduledUpdateHost {
public:
    // shutdownAndQuit: the program's way out; stopTimer: ends the 30-minute timer.
    RenewoHost(HWND owner, std::function<void()> shutdownAndQuit, std::function<void()> stopTimer);
    ~RenewoHost() override;
    RenewoHost(const RenewoHost&) = delete;
    RenewoHost& operator=(const RenewoHost&) = delete;

    bool loadChecker() override;
    void freeChecker() override;
    void showLoadFailure() override;
    bool openBaseKey(std::uint32_t& key) override;
    void closeBaseKey() override;
    void check(SoftwareRenewo::TData& data) override;
    bool confirmInstall(const std::string& installerPath) override;
    void startInstaller(const std::string& installerPath) override;
    void shutdownAndQuit() override { shutdownAndQuit_(); }
    void stopUpdateTimer() override { stopTimer_(); }

private:
    using CheckFunction = void (*)(SoftwareRenewo::TData&);

    HWND owner_;
    std::function<void()> shutdownAndQuit_;
    std::function<void()> stopTimer_;
    HMODULE module_ = nullptr;
    CheckFunction check_ = nullptr;
    HKEY key_ = nullptr;
};

// Where the version file is published.
inline constexpr const char* kVersionFileUrl = "https://www.brellix.example/version.txt";
