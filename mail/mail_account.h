#pragma once
// One watched POP3 mailbox: what the account file keeps, the notification settings
// kept in the profile, the check state shared with the checking thread, and the POP3
// client with its connect step.
#include "mail/account_record.h"
#include "mail/mail_log.h"
#include "mail/pop3_client.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

namespace mail {

constexpr int kDefaultTimeoutSeconds = 2;

struct NotifySettings {
    std::string soundFile; // empty: no sound
    bool showDialog = false;
    bool showTrayPopup = true;
    bool changeTrayIcon = true;
    std::string mailClientPath; // memory only
    bool openClientOnSelect = false;
    int timeoutSeconds = kDefaultTimeoutSeconds;
};

// The reply time-out in milliseconds, from seconds clamped to 1-600.
int replyTimeoutMs(int seconds);
// The automatic check period in milliseconds, from minutes clamped to 0-35,000 (0: none).
std::int32_t checkPeriodMs(std::int32_t minutes);

// Every wait for an account's locks is bounded.
constexpr std::chrono::milliseconds kLockWait{5000};

class CMailAccount {
public:
    explicit CMailAccount(TransportFactory factory) : pop3(std::move(factory)) {}
    CMailAccount(const CMailAccount&) = delete;
    CMailAccount& operator=(const CMailAccount&) = delete;

    // Quits any connection, sets the time-out and logs in, logging the outcome. Runs
    // under connectionLock.
    bool connect(CMailLog& log);

    NotifySettings notify;
    std::timed_mutex dataLock;       // record.messages, lastCheck and the check state
    std::timed_mutex connectionLock; // pop3
    std::atomic<bool> running{false};
    std::atomic<bool> foundNew{false};
    std::atomic<bool> succeeded{false};
    CPop3Client pop3;
    AccountRecord record;
};

} // namespace mail
