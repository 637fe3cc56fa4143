#include "mail/mail_account.h"

#include <algorithm>

namespace mail {

namespace {
constexpr int kShortestTimeout = 1;            // seconds
constexpr int kLongestTimeout = 600;           // seconds
constexpr std::int32_t kLongestPeriod = 35000; // minutes: the period in ms stays in 31 bits
} // namespace

int replyTimeoutMs(int seconds)
{
    return std::clamp(seconds, kShortestTimeout, kLongestTimeout) * 1000;
}

std::int32_t checkPeriodMs(std::int32_t minutes)
{
    return std::clamp(minutes, 0, kLongestPeriod) * 60000;
}

bool CMailAccount::connect(CMailLog& log)
{
    pop3.quit();
    pop3.setTimeoutMs(replyTimeoutMs(notify.timeoutSeconds));
    if (pop3.login(record.server, record.userName, record.password, record.port)) {
        log.write(formatText("Connected to %s as user %s.", record.server.c_str(),
                             record.userName.c_str()),
                  LogLevel::Message);
        return true;
    }
    log.write(formatText("Failed to connect to %s as user %s.  Error Number %i occured.",
                         record.server.c_str(), record.userName.c_str(), pop3.errorNumber()),
              LogLevel::Error);
    return false;
}

} // namespace mail
