#pragma once
// The record the meter program and the update checker exchange. Its layout is fixed:
// the caller fills the input fields on its own stack, the library completes the result
// fields in place. Both handles travel as 32-bit values so that the 64-bit build keeps
// the same 844 bytes; Windows guarantees that window and registry handles fit.
#include <cstddef>
#include <cstdint>

namespace SoftwareRenewo {

struct TData {
    std::uint32_t ownerWindow; // window owning every dialog of the check; may be 0
    std::uint32_t settingsKey; // open key holding "Renewo LastCheck"
    std::uint32_t flags;       // see the Flags constants below
    char appName[40];
    char currentVersion[20];
    char webSiteUrl[256];
    char versionFileUrl[256];
    std::uint8_t installerDownloaded;
    std::uint8_t stopScheduledChecks;
    char installerPath[258];
};

static_assert(sizeof(TData) == 844, "TData is exchanged between binaries");
static_assert(offsetof(TData, ownerWindow) == 0);
static_assert(offsetof(TData, settingsKey) == 4);
static_assert(offsetof(TData, flags) == 8);
static_assert(offsetof(TData, appName) == 12);
static_assert(offsetof(TData, currentVersion) == 52);
static_assert(offsetof(TData, webSiteUrl) == 72);
static_assert(offsetof(TData, versionFileUrl) == 328);
static_assert(offsetof(TData, installerDownloaded) == 584);
static_assert(offsetof(TData, stopScheduledChecks) == 585);
static_assert(offsetof(TData, installerPath) == 586);

namespace Flags {
constexpr std::uint32_t kIntervalMask = 0x7;       // 1 every call, 2 daily, 3 weekly, 4 monthly
constexpr std::uint32_t kAskFirst = 1u << 3;       // ask before connecting
constexpr std::uint32_t kReportNoUpdate = 1u << 4; // say so when the versions match
constexpr std::uint32_t kDialUp = 1u << 5;         // no permanent connection: ask, hint to connect
} // namespace Flags

} // namespace SoftwareRenewo
