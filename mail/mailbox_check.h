#pragma once
// One pass over a connected mailbox: every message retrieved whole, its unique id, and
// whether it is new against the list the account already knows. The thread, the
// process-wide check lock, the connect step and QUIT around it belong to the caller.
#include "mail/account_record.h"
#include "mail/pop3_client.h"

#include <vector>

namespace mail {

struct MailboxCheck {
    // The server answered STAT and at least one message (or none at all, when the
    // mailbox is empty) could be had.
    bool succeeded = false;
    bool foundNew = false;
    std::vector<StoredMessage> messages; // server order
    int failedRetrievals = 0;
};

// A message that cannot be retrieved this time keeps its previous entry (no longer
// new) when its id is known; one that has no id cannot be judged and is left out.
MailboxCheck checkMailbox(CPop3Client& client, const std::vector<StoredMessage>& known);

} // namespace mail
