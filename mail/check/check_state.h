#pragma once
// An account's check as the user-interface thread keeps it: whether one is running,
// the outcome a finished check left behind, and the message list. A check never edits
// the list it was given: it builds a new one, and Complete swaps it in on the
// user-interface thread. Menus, message windows and tips hold the list they show by
// shared ownership, so a swap never frees what one of them still draws from.
#include "mail/account_record.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mail {

using MessageList = std::vector<StoredMessage>;
using MessageListPtr = std::shared_ptr<const MessageList>;

struct CheckOutcome {
    bool succeeded = false;
    bool foundNew = false;
    // The server's list as this check found it; null when the check failed, so that
    // the account keeps the list it had.
    MessageListPtr messages;
    std::uint32_t lastCheck = 0; // seconds since 1970 when STAT answered; 0: it did not
};

enum class Worker { None, Thread, Synchronous };
enum class CheckEvent { NoNews, Error, NewMail };

class AccountCheck {
public:
    AccountCheck() : messages_(std::make_shared<const MessageList>()) {}
    AccountCheck(const AccountCheck&) = delete;
    AccountCheck& operator=(const AccountCheck&) = delete;

    // Marks a check of this kind as started; false (and nothing changes) while
    // another one has not been completed.
    bool begin(Worker kind);
    // From the checking thread: the outcome waits for Complete.
    void finish(CheckOutcome outcome);
    // Has a started check not finished yet? The user-interface thread polls this.
    bool running() const;
    Worker worker() const;

    // On the user-interface thread once the check has finished: swaps the new list
    // in, keeps the record (the account file) in step and tells which notification
    // is due. Nothing while no finished check waits.
    std::optional<CheckEvent> complete(AccountRecord& record);

    MessageListPtr messages() const;
    // The user opened the message: its new flag is cleared in a fresh list (the one
    // shown elsewhere stays as it is) and in the record.
    void markSeen(const std::string& uniqueId, AccountRecord& record);
    // The list read from the account file.
    void load(const AccountRecord& record);

private:
    mutable std::mutex lock_;
    Worker worker_ = Worker::None;
    bool running_ = false;
    std::optional<CheckOutcome> finished_;
    MessageListPtr messages_;
};

// What a finished check asks of the user interface, decided from the account's
// notification switches; the tray, popup, dialog and sound carry it out.
struct NotifySettings;

struct Notification {
    CheckEvent event = CheckEvent::NoNews;
    std::string soundFile;  // empty: no sound
    std::string popupText;  // empty: no popup line
    std::string dialogText; // empty: no dialog
    // New mail with the account's changeTrayIcon set: the tray shows the new-mail icon.
    bool newMailIcon = false;
};

Notification decideNotification(CheckEvent event, const NotifySettings& settings,
                                const std::string& accountName, std::size_t messageCount);

// The automatic check period of an account in milliseconds; none for interval 0.
std::optional<std::int32_t> automaticCheckPeriodMs(std::int32_t intervalMinutes);

} // namespace mail
