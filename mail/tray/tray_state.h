#pragma once
// Which icon and tooltip the mail tray shows, decided from three ordered lists of
// accounts: those being checked, those whose last check found new mail and those whose
// last check failed. A running check outranks news, and news outranks errors.
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mail {

// Icon resources of the mail tray.
constexpr int kTrayIconNormal = 1000;
constexpr int kTrayIconNewMail = 1001;
constexpr int kTrayIconError = 1002;
constexpr int kTrayIconCommunicating = 1008;

// An account as the lists know it: its identity only, so that a renamed account is
// shown under its current name.
using TrayAccountKey = const void*;

struct TrayAccountInfo {
    std::string name;
    bool changeTrayIcon = true;
};
using TrayAccountLookup = std::function<TrayAccountInfo(TrayAccountKey)>;

struct TrayView {
    int icon = 0; // 0: leave the icon as it is
    std::string tooltip;
};

enum class TrayEvent { CheckStarted, NoNews, Error, NewMail };

// The view for the lists as they stand; hostName is the idle tooltip.
TrayView trayView(const std::vector<TrayAccountKey>& checking,
                  const std::vector<TrayAccountKey>& newMail,
                  const std::vector<TrayAccountKey>& errors, const TrayAccountLookup& lookup,
                  const std::string& hostName);

class TrayAccountLists {
public:
    // The checking threads never touch the lists, but every wait stays bounded.
    static constexpr std::chrono::milliseconds kListWait{5000};

    explicit TrayAccountLists(std::chrono::milliseconds wait = kListWait) : wait_(wait) {}

    // Moves the account between the lists as the event says and returns the view to
    // show; none when the lists stayed locked for the whole wait.
    std::optional<TrayView> change(TrayEvent event, TrayAccountKey account,
                                   const TrayAccountLookup& lookup, const std::string& hostName);
    // The view without a change (a new tooltip after a rename, or the first showing).
    std::optional<TrayView> current(const TrayAccountLookup& lookup, const std::string& hostName);
    // An account that is being removed leaves every list.
    bool forget(TrayAccountKey account);

    // Copies, taken under the lock; empty when it could not be taken.
    std::vector<TrayAccountKey> checking();
    std::vector<TrayAccountKey> newMail();
    std::vector<TrayAccountKey> errors();

    std::timed_mutex& mutex() { return mutex_; }

private:
    std::chrono::milliseconds wait_;
    std::timed_mutex mutex_;
    std::vector<TrayAccountKey> checking_;
    std::vector<TrayAccountKey> newMail_;
    std::vector<TrayAccountKey> errors_;
};

} // namespace mail
