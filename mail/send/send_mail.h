#pragma once
// Sending a composed message: its MIME text to every recipient over SMTP, and the
// outcome text the user is shown afterwards.
#include "mail/send/outgoing_mail.h"
#include "mail/send/smtp_session.h"

#include <string>

namespace mail {

// The mail as an SMTP job for the server setting (a name, or name:port). The text is
// empty when the mail is not safe to send.
SmtpJob smtpJobFor(const OutgoingMail& mail, const std::string& serverSetting,
                   const std::string& helo);

// Sends the mail; every failure goes to `report`. A mail holding a line break in an
// address or header value is refused before any connection. True when every
// recipient took it.
bool sendMail(CSmtpSender& sender, const OutgoingMail& mail, const std::string& serverSetting,
              const std::string& helo, const CSmtpSender::Report& report);

// "Your mail was sent successfully." or "<host> failed to send your message."
std::string sendOutcomeText(bool allSent, const std::string& hostName);

} // namespace mail
