#include "mail/check/check_scheduler.h"

namespace mail {

CheckScheduler::CheckScheduler(CheckThreads& threads, CMailLog& log, Lookup lookup, LockClock clock)
    : threads_(threads), log_(log), lookup_(std::move(lookup)), clock_(std::move(clock))
{
}

AccountCheck& CheckScheduler::state(AccountId account)
{
    auto& slot = states_[account];
    if (!slot) {
        slot = std::make_unique<AccountCheck>();
        if (const CMailAccount* found = lookup_(account)) {
            slot->load(found->record);
        }
    }
    return *slot;
}

bool CheckScheduler::check(AccountId account)
{
    CMailAccount* found = lookup_(account);
    if (!found) {
        return false;
    }
    AccountCheck& st = state(account);
    if (!st.begin(Worker::Thread)) {
        return false;
    }
    log_.write(checkingText(found->record.server), LogLevel::Message);
    if (!threads_.start(account, loginOf(*found), st.messages())) {
        // No thread: the check fails at once, and says so at the next tick.
        st.finish(CheckOutcome{});
    }
    return true;
}

std::vector<AccountId> CheckScheduler::checkAll(const std::vector<AccountId>& accounts)
{
    std::vector<AccountId> started;
    for (AccountId account : accounts) {
        if (check(account)) {
            started.push_back(account);
        }
    }
    return started;
}

bool CheckScheduler::checking(AccountId account) const
{
    const auto it = states_.find(account);
    return it != states_.end() && it->second->worker() != Worker::None;
}

std::vector<CheckReport> CheckScheduler::poll()
{
    DrainedChecks drained = threads_.drain();
    for (const QueuedLogLine& line : drained.log) {
        log_.write(line.text, line.level);
    }
    for (QueuedCheck& done : drained.finished) {
        const auto it = states_.find(done.account);
        if (it != states_.end()) {
            it->second->finish(std::move(done.outcome));
        }
    }
    std::vector<CheckReport> reports;
    for (auto& [account, st] : states_) {
        if (st->worker() == Worker::Thread && !st->running()) {
            if (auto report = complete(account, *st)) {
                reports.push_back(std::move(*report));
            }
        }
    }
    return reports;
}

std::optional<CheckReport> CheckScheduler::complete(AccountId account, AccountCheck& st)
{
    CMailAccount* found = lookup_(account);
    if (!found) {
        return std::nullopt;
    }
    TimedMutexLock data(found->dataLock);
    LockSet locks({{&data, "data"}}, "completing the check of " + found->record.name, &log_,
                  clock_);
    if (!locks.held()) {
        return std::nullopt;
    }
    const auto event = st.complete(found->record);
    if (!event) {
        return std::nullopt;
    }
    return CheckReport{account, decideNotification(*event, found->notify, found->record.name,
                                                   st.messages()->size())};
}

void CheckScheduler::forget(AccountId account)
{
    threads_.cancel(account, kCancelJoinMs);
    states_.erase(account);
}

} // namespace mail
