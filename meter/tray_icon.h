#pragma once
// One notification-area icon. The icon is in the tray exactly while a handle is held;
// the shell is told only what changed, and a failed add is retried by the next update.
#include <cstdint>
#include <string>

using IconHandle = const void*; // an HICON on Windows

enum class TrayOperation { Add, Modify, Delete };

// Validity flags of a notification record, with the shell's values.
constexpr std::uint32_t kTrayMessageValid = 0x1;
constexpr std::uint32_t kTrayIconValid = 0x2;
constexpr std::uint32_t kTrayTipValid = 0x4;

constexpr std::size_t kTrayTipSize = 64; // 63 characters and a terminating zero

struct TrayRecord {
    std::uintptr_t window = 0;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    IconHandle icon = nullptr;
    char tip[kTrayTipSize] = {};
};

// What the tray icon needs from the platform: the shell's notify call and resources.
class TrayNotifier {
public:
    virtual ~TrayNotifier() = default;
    virtual bool notify(TrayOperation operation, const TrayRecord& record) = 0;
    virtual IconHandle loadIcon(int resource) = 0;
    virtual std::string loadString(int resource) = 0;
};

class CTrayIcon {
public:
    CTrayIcon(TrayNotifier& notifier, std::uint32_t id);
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    std::uint32_t id() const { return record_.id; }
    void setId(std::uint32_t id) { record_.id = id; }
    void setCallback(std::uintptr_t window, std::uint32_t message);

    bool show(int iconResource, const std::string& tip);
    // Resource 0 removes the icon; another shows that icon with that string as tip.
    bool showFromResource(int resource);
    bool remove();
    // icon null removes; tip null keeps the tip as it is.
    bool update(IconHandle icon, const std::string* tip);

    bool inTray() const { return record_.icon != nullptr; }
    std::string tip() const { return record_.tip; }
    // After the shell restarted, our icons are gone although we hold their handles:
    // forget the handle so that the next update adds the icon again.
    void forgetIcon() { record_.icon = nullptr; }

private:
    void setTip(const std::string& tip);

    TrayNotifier& notifier_;
    TrayRecord record_;
};
