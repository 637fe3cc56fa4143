#pragma once
// SMTP travels over the same line-oriented socket seam as POP3.
#include "mail/pop3_transport.h"

namespace mail {

using SmtpTransport = Pop3Transport;

} // namespace mail
