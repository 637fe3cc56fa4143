#include "mail/accounts_ui/account_details.h"

#include "common/input/range_input.h"

#include <cstdio>

namespace mail {

namespace {

constexpr char kDefaultPortText[] = "110";

std::string portText(std::int32_t port)
{
    char text[16];
    std::snprintf(text, sizeof text, "%i", static_cast<int>(port));
    return text;
}

std::optional<long> portValue(const std::string& text)
{
    return parseIntegerInRange(text, kLowestPort, kHighestPort);
}

DetailsRefusal refusal(DetailsField field, std::string message)
{
    return DetailsRefusal{field, std::move(message)};
}

} // namespace

const char kChooserDescription[] = "Select a mail account from the list below and press OK";
const char kChooserNothingSelected[] = "You must select an account before pressing OK.";

AccountDetailsText accountDetailsText(const AccountRecord& record)
{
    AccountDetailsText text;
    text.name = record.name;
    text.userName = record.userName;
    text.password = record.password;
    text.server = record.server;
    text.port = portText(record.port);
    text.yourName = record.yourName;
    text.replyAddress = record.replyAddress;
    return text;
}

std::optional<DetailsRefusal> validateAccountDetails(AccountDetailsText& text)
{
    if (text.name.empty())
        return refusal(DetailsField::Name, "You must enter a name for this account.");
    if (text.server.empty())
        return refusal(DetailsField::Server, "You must enter a POP3 server for this account.");
    if (text.port.empty())
        text.port = kDefaultPortText;
    if (text.userName.empty())
        return refusal(DetailsField::UserName, "You must enter a user name for this account.");
    // A port that is no number would otherwise be stored as whatever its digits spell,
    // or as 0, and every check would fail at the connect.
    if (!portValue(text.port))
        return refusal(DetailsField::Port, integerRangeMessage(kLowestPort, kHighestPort));
    return std::nullopt;
}

void applyAccountDetails(const AccountDetailsText& text, AccountRecord& record)
{
    record.name = text.name;
    record.server = text.server;
    if (const std::optional<long> port = portValue(text.port))
        record.port = static_cast<std::int32_t>(*port);
    record.userName = text.userName;
    record.password = text.password;
    record.yourName = text.yourName;
    record.replyAddress = text.replyAddress;
}

std::string createAccountTitle(const std::string& hostName)
{
    return hostName + " - Create Account";
}

std::string editAccountTitle(const std::string& hostName)
{
    return hostName + " - Edit Account";
}

std::string accountAddedMessage(const std::string& accountName)
{
    return "The " + accountName + " account was successfully added.";
}

std::vector<ChooserRow> chooserRows(const AccountList& accounts)
{
    std::vector<ChooserRow> rows;
    rows.reserve(accounts.size());
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        const AccountRecord& record = accounts[i]->record;
        rows.push_back({record.name, record.server, record.userName, i});
    }
    return rows;
}

std::string chooserTitle(const std::string& hostName)
{
    return hostName + " - Accounts";
}

std::optional<std::size_t> chosenAccount(const std::vector<ChooserRow>& rows,
                                         std::optional<std::size_t> firstSelectedRow)
{
    if (!firstSelectedRow || *firstSelectedRow >= rows.size())
        return std::nullopt;
    return rows[*firstSelectedRow].account;
}

} // namespace mail
