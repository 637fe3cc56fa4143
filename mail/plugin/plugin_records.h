#pragma once
// The records Mail.dll exchanges with its host. Their layouts are fixed and the same in
// both architectures: the host window travels as a 32-bit value (Windows guarantees
// that window handles fit), and every field has a fixed size.
#include <cstddef>
#include <cstdint>

constexpr std::size_t kRecordTextSize = 256;
constexpr std::size_t kDescriptionSize = 64; // the description is 44 characters

// What the host tells the plug-in about itself; copied whole both ways.
struct TEnvironment {
    char hostName[kRecordTextSize]; // zero-terminated; empty: the plug-in's default name
    std::uint8_t reserved;          // set by the host; nothing depends on it
    std::uint8_t writeLogFile;      // non-zero: the mail log goes to a file too
    std::uint32_t hostWindow;       // the host's main window, or 0
};

static_assert(sizeof(TEnvironment) == 264, "TEnvironment is exchanged between binaries");
static_assert(offsetof(TEnvironment, hostName) == 0);
static_assert(offsetof(TEnvironment, reserved) == 256);
static_assert(offsetof(TEnvironment, writeLogFile) == 257);
static_assert(offsetof(TEnvironment, hostWindow) == 260);

struct TPluginInfo {
    std::int32_t pluginId;
    char name[kRecordTextSize];
    char author[kRecordTextSize];
    char notice[kRecordTextSize];
    char version[kRecordTextSize];
    char description[kDescriptionSize];
};

static_assert(sizeof(TPluginInfo) == 1092, "TPluginInfo is exchanged between binaries");
static_assert(offsetof(TPluginInfo, pluginId) == 0);
static_assert(offsetof(TPluginInfo, name) == 4);
static_assert(offsetof(TPluginInfo, author) == 260);
static_assert(offsetof(TPluginInfo, notice) == 516);
static_assert(offsetof(TPluginInfo, version) == 772);
static_assert(offsetof(TPluginInfo, description) == 1028);

struct TMenuItem {
    std::int32_t pluginId;
    std::int32_t commandId;
    char text[kRecordTextSize];
    std::uint8_t enabled; // 1 while the accounts are open
    std::uint8_t reserved2;
};

static_assert(sizeof(TMenuItem) == 268, "TMenuItem is exchanged between binaries");
static_assert(offsetof(TMenuItem, pluginId) == 0);
static_assert(offsetof(TMenuItem, commandId) == 4);
static_assert(offsetof(TMenuItem, text) == 8);
static_assert(offsetof(TMenuItem, enabled) == 264);
static_assert(offsetof(TMenuItem, reserved2) == 265);
