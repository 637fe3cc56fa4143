#include "mail/mailbox_check.h"

#include <unordered_map>

namespace mail {

MailboxCheck checkMailbox(CPop3Client& client, const std::vector<StoredMessage>& known)
{
    MailboxCheck check;
    std::int32_t count = 0;
    std::int64_t total = 0;
    if (!client.stat(count, total)) {
        return check;
    }
    // Without the ids no message can be judged. Asking for them again for each message
    // would cost a round trip, or at least a futile call, per message the server
    // claims, and STAT may claim two billion.
    std::string firstId;
    if (count > 0 && !client.messageUid(1, firstId)) {
        check.failedRetrievals = count;
        return check;
    }
    std::unordered_map<std::string, const StoredMessage*> byId;
    for (const auto& m : known) {
        byId.emplace(m.uniqueId, &m); // the first of equal ids wins, as in a search
    }
    for (int n = 1; n <= count; ++n) {
        StoredMessage message;
        if (!client.messageUid(n, message.uniqueId)) {
            ++check.failedRetrievals;
            continue;
        }
        const auto previous = byId.find(message.uniqueId);
        if (!client.top(n, Pop3Limits::kWholeMessage, message.rawText)) {
            ++check.failedRetrievals;
            if (previous != byId.end()) {
                StoredMessage kept = *previous->second;
                kept.isNew = 0;
                check.messages.push_back(std::move(kept));
            }
            continue;
        }
        message.isNew = previous == byId.end() ? 1 : 0;
        check.foundNew = check.foundNew || message.isNew != 0;
        check.messages.push_back(std::move(message));
    }
    check.succeeded = count == 0 || check.failedRetrievals < count;
    return check;
}

} // namespace mail
