#pragma once
// The texts the user sees when sending: refusals, error reports and outcomes.
#include <string>

namespace mail {

namespace SendText {
constexpr char kNoServerConfigured[] = "You must first specify an SMTP server before sending mail.";
constexpr char kNoServerForCommand[] =
    "You must specify an SMTP server to send mail from first using the preferences dialog.";
constexpr char kNoReplyAddress[] = "You must enter a reply-to address in the account details "
                                   "dialog before sending mail from that account.";
constexpr char kSentAll[] = "Your mail was sent successfully.";
constexpr char kNoServer[] = "No server";
constexpr char kNoSender[] = "No sender";
constexpr char kNoRecipient[] = "No recipient";
constexpr char kUnsafeMessage[] = "An address or header line holds a line break; nothing was sent.";
} // namespace SendText

// "<host> failed to send your message."
std::string sendFailedText(const std::string& hostName);

// One failed delivery: what went wrong (the server's reply or the client's own
// error), then the server, sender and recipient it concerned.
std::string sendErrorReport(const std::string& error, const std::string& server,
                            const std::string& sender, const std::string& recipient);

// The client's own errors, when the server gave no reply to show.
std::string connectFailedText(int socketError);
std::string noReplyText(int socketError);

} // namespace mail
