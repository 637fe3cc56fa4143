#pragma once
// The account dialogs as text: what the details page shows of an account, how its
// fields are checked when the page is confirmed and how they reach the account; the
// rows of the account chooser and what its OK means.
#include "mail/account_record.h"
#include "mail/account_store.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace mail {

// The details page's fields, each as the text of its edit control.
struct AccountDetailsText {
    std::string name;
    std::string userName;
    std::string password;
    std::string server;
    std::string port;
    std::string yourName;
    std::string replyAddress;
};

// The page's fields as an account starts them.
AccountDetailsText accountDetailsText(const AccountRecord& record);

// The field a refusal is about, so that the page can put the focus there.
enum class DetailsField { Name, Server, Port, UserName };

struct DetailsRefusal {
    DetailsField field;
    std::string message;
};

constexpr long kLowestPort = 1;
constexpr long kHighestPort = 65535;

// Checks the fields in the page's order: name, server, port (an empty one becomes the
// POP3 port, "110"), user name, and last that the port is a whole number within
// kLowestPort..kHighestPort. Nothing when every field passes; otherwise the first
// refusal. The password and the sender fields may stay empty.
std::optional<DetailsRefusal> validateAccountDetails(AccountDetailsText& text);

// Sets the account's fields from texts that passed validateAccountDetails. A port that
// is no number in range, which validation refuses, leaves the account's port alone.
void applyAccountDetails(const AccountDetailsText& text, AccountRecord& record);

// Titles and confirmation of the create and edit sheets.
std::string createAccountTitle(const std::string& hostName);
std::string editAccountTitle(const std::string& hostName);
// "The %s account was successfully added." with the account's name.
std::string accountAddedMessage(const std::string& accountName);

// One row of the account chooser: an account of the list, by its index there.
struct ChooserRow {
    std::string name;
    std::string server;
    std::string userName;
    std::size_t account;
};

// One row per account, in list order.
std::vector<ChooserRow> chooserRows(const AccountList& accounts);

extern const char kChooserDescription[];
extern const char kChooserNothingSelected[];
std::string chooserTitle(const std::string& hostName);

// What OK in the chooser answers: the account of the first selected row, or, when no
// row (or no row that exists) is selected, nothing: the chooser then shows
// kChooserNothingSelected and stays open.
std::optional<std::size_t> chosenAccount(const std::vector<ChooserRow>& rows,
                                         std::optional<std::size_t> firstSelectedRow);

} // namespace mail
