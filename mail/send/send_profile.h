#pragma once
// The plug-in's global send settings in its profile: the SMTP server and the five
// most recently used recipients, MailRecip1 the newest.
#include "meter/registry_key.h"

#include <string>
#include <vector>

namespace mail {

namespace SendProfile {
constexpr char kSmtpServer[] = "MailSMTPServer";
constexpr char kRecipientPrefix[] = "MailRecip";
constexpr int kRemembered = 5;
} // namespace SendProfile

std::string readSmtpServer(const RegistryKey& key);

// The remembered recipients, newest first, without empty and repeated ones.
std::vector<std::string> readRecipientHistory(const RegistryKey& key);

// Remembers the last five of `list`: the last as MailRecip1, the one before it as
// MailRecip2, and so on. Values beyond the list's length keep what they held.
bool rememberRecipients(RegistryKey& key, const std::vector<std::string>& list);

} // namespace mail

namespace mail {

// The recipient dialog takes a typed address only when it holds an at sign (and
// nothing that would break a line).
bool isRecipientAddress(const std::string& text);

} // namespace mail
