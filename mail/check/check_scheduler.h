#pragma once
// The user-interface thread's side of the checks: starting an account's check (never
// a second one while the first runs), polling for finished ones, completing them
// under the account's data lock and saying which notification each asks for, and
// calling an account's check off before the account goes away.
#include "mail/check/check_threads.h"
#include "mail/mail_account.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace mail {

struct CheckReport {
    AccountId account = 0;
    Notification notification;
};

class CheckScheduler {
public:
    using Lookup = std::function<CMailAccount*(AccountId)>;

    CheckScheduler(CheckThreads& threads, CMailLog& log, Lookup lookup, LockClock clock = steadyMs);

    // An asynchronous check; false when the account's check is still running (the
    // caller then changes nothing in the tray). Logs "Checking for messages on %s.".
    bool check(AccountId account);
    // Every account in list order; the ones that started.
    std::vector<AccountId> checkAll(const std::vector<AccountId>& accounts);
    bool checking(AccountId account) const;

    // The polling tick: the queued log lines into the log, then every finished check
    // completed. A check whose account's data stays locked waits for the next tick.
    std::vector<CheckReport> poll();

    // Before the account is removed or closed: its check is called off and waited
    // for a bounded time; nothing of it is completed afterwards.
    void forget(AccountId account);

    // The account's state, made on first use (its list read from the account file).
    AccountCheck& state(AccountId account);

private:
    std::optional<CheckReport> complete(AccountId account, AccountCheck& state);

    CheckThreads& threads_;
    CMailLog& log_;
    Lookup lookup_;
    LockClock clock_;
    std::map<AccountId, std::unique_ptr<AccountCheck>> states_;
};

} // namespace mail
