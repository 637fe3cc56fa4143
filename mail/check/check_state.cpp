#include "mail/check/check_state.h"

#include "mail/mail_account.h"
#include "mail/mail_log.h"

namespace mail {

bool AccountCheck::begin(Worker kind)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (worker_ != Worker::None || kind == Worker::None) {
        return false;
    }
    worker_ = kind;
    running_ = true;
    finished_.reset();
    return true;
}

void AccountCheck::finish(CheckOutcome outcome)
{
    std::lock_guard<std::mutex> guard(lock_);
    finished_ = std::move(outcome);
    running_ = false;
}

bool AccountCheck::running() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return running_;
}

Worker AccountCheck::worker() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return worker_;
}

std::optional<CheckEvent> AccountCheck::complete(AccountRecord& record)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (worker_ == Worker::None || running_ || !finished_) {
        return std::nullopt;
    }
    CheckOutcome outcome = std::move(*finished_);
    finished_.reset();
    worker_ = Worker::None;
    if (outcome.lastCheck != 0) {
        record.lastCheck = outcome.lastCheck;
    }
    if (!outcome.succeeded) {
        return CheckEvent::Error;
    }
    if (outcome.messages) {
        messages_ = outcome.messages;
        record.messages = *messages_;
    }
    return outcome.foundNew ? CheckEvent::NewMail : CheckEvent::NoNews;
}

MessageListPtr AccountCheck::messages() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return messages_;
}

void AccountCheck::load(const AccountRecord& record)
{
    auto list = std::make_shared<const MessageList>(record.messages);
    std::lock_guard<std::mutex> guard(lock_);
    messages_ = std::move(list);
}

Notification decideNotification(CheckEvent event, const NotifySettings& settings,
                                const std::string& accountName, std::size_t messageCount)
{
    Notification n;
    n.event = event;
    if (event == CheckEvent::Error) {
        if (settings.showTrayPopup) {
            n.popupText = formatText("Could not connect to your %s account.", accountName.c_str());
        }
    } else if (event == CheckEvent::NewMail) {
        const std::string text = formatText("%i new message(s) in your %s account",
                                            static_cast<int>(messageCount), accountName.c_str());
        n.soundFile = settings.soundFile;
        n.popupText = settings.showTrayPopup ? text : std::string();
        n.dialogText = settings.showDialog ? text : std::string();
        n.newMailIcon = settings.changeTrayIcon;
    }
    return n;
}

std::optional<std::int32_t> automaticCheckPeriodMs(std::int32_t intervalMinutes)
{
    const std::int32_t period = checkPeriodMs(intervalMinutes);
    if (period <= 0) {
        return std::nullopt;
    }
    return period;
}

void AccountCheck::markSeen(const std::string& uniqueId, AccountRecord& record)
{
    const auto clear = [&uniqueId](std::vector<StoredMessage>& messages) {
        for (StoredMessage& message : messages)
            if (message.uniqueId == uniqueId)
                message.isNew = 0;
    };
    std::lock_guard<std::mutex> hold(lock_);
    auto fresh = std::make_shared<MessageList>(*messages_);
    clear(*fresh);
    messages_ = std::move(fresh);
    clear(record.messages);
}

} // namespace mail
