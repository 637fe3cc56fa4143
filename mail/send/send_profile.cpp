#include "mail/send/send_profile.h"

#include "meter/registry_values.h"

#include <algorithm>

namespace mail {
namespace {

std::string recipientValue(int number)
{
    return SendProfile::kRecipientPrefix + std::to_string(number);
}

} // namespace

std::string readSmtpServer(const RegistryKey& key)
{
    std::string server;
    readText(key, SendProfile::kSmtpServer, server);
    return server;
}

std::vector<std::string> readRecipientHistory(const RegistryKey& key)
{
    std::vector<std::string> history;
    for (int number = 1; number <= SendProfile::kRemembered; ++number) {
        std::string recipient;
        if (!readText(key, recipientValue(number), recipient) || recipient.empty())
            continue;
        if (std::find(history.begin(), history.end(), recipient) == history.end())
            history.push_back(recipient);
    }
    return history;
}

bool rememberRecipients(RegistryKey& key, const std::vector<std::string>& list)
{
    bool ok = true;
    int number = 1;
    for (auto it = list.rbegin(); it != list.rend() && number <= SendProfile::kRemembered;
         ++it, ++number) {
        ok = writeText(key, recipientValue(number), *it) && ok;
    }
    return ok;
}

} // namespace mail

namespace mail {

bool isRecipientAddress(const std::string& text)
{
    return text.find('@') != std::string::npos &&
           text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

} // namespace mail
