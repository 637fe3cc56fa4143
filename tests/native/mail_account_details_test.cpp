// The account dialogs as text: the details page's fields, their checks in order, how
// they reach the account, and the chooser's rows and answer.
#include "mail/accounts_ui/account_details.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mail;

namespace {

AccountDetailsText completeText()
{
    AccountDetailsText text;
    text.name = "Home";
    text.server = "pop.home";
    text.port = "1110";
    text.userName = "me";
    return text;
}

std::string refusalOf(AccountDetailsText text)
{
    const auto refusal = validateAccountDetails(text);
    return refusal ? refusal->message : std::string();
}

} // namespace

TEST(accountDetails, pageShowsEachFieldAndApplyingItUnchangedGivesTheAccountBack)
{
    AccountRecord original;
    original.name = "Work";
    original.server = "127.0.0.1";
    original.port = 995;
    original.userName = "jo";
    original.password = "s3cret";
    original.yourName = "Jo Doe";
    original.replyAddress = "jo@example.org";
    AccountDetailsText text = accountDetailsText(original);
    EXPECT_EQ(text.port, "995");
    ASSERT_FALSE(validateAccountDetails(text));
    AccountRecord copy;
    applyAccountDetails(text, copy);
    EXPECT_EQ(std::tie(copy.name, copy.server, copy.port, copy.userName, copy.password,
                       copy.yourName, copy.replyAddress),
              std::tie(original.name, original.server, original.port, original.userName,
                       original.password, original.yourName, original.replyAddress));
}

TEST(validateAccountDetails, refusesTheFirstMissingFieldInThePagesOrder)
{
    AccountDetailsText text; // everything empty; the password and sender may stay so
    const std::pair<std::string AccountDetailsText::*, DetailsField> order[] = {
        {&AccountDetailsText::name, DetailsField::Name},
        {&AccountDetailsText::server, DetailsField::Server},
        {&AccountDetailsText::userName, DetailsField::UserName}};
    const char* messages[] = {"You must enter a name for this account.",
                              "You must enter a POP3 server for this account.",
                              "You must enter a user name for this account."};
    for (int i = 0; i < 3; ++i) {
        const auto refusal = validateAccountDetails(text);
        ASSERT_TRUE(refusal) << i;
        EXPECT_EQ(refusal->message, messages[i]);
        EXPECT_EQ(refusal->field, order[i].second);
        text.*order[i].first = "x";
    }
    EXPECT_FALSE(validateAccountDetails(text));
}

TEST(validateAccountDetails, anEmptyPortBecomes110OnceNameAndServerPass)
{
    AccountDetailsText text = completeText();
    text.name.clear();
    text.port.clear();
    validateAccountDetails(text);
    EXPECT_EQ(text.port, "");
    text.name = "Home";
    text.userName.clear();
    validateAccountDetails(text);
    EXPECT_EQ(text.port, "110");
    // Whatever the port holds, a missing user name is what is reported.
    for (const char* port : {"", "abc", "70000"}) {
        text.port = port;
        EXPECT_EQ(refusalOf(text), "You must enter a user name for this account.") << port;
    }
}

TEST(validateAccountDetails, portMustBeAWholeNumberFrom1To65535)
{
    for (const char* port : {"1", " 995 ", "65535"}) {
        AccountDetailsText text = completeText();
        text.port = port;
        EXPECT_EQ(refusalOf(text), "") << port;
    }
    for (const char* port : {"0", "-110", "65536", "abc", "12abc", "1.5", "99999999999999999999"}) {
        AccountDetailsText text = completeText();
        text.port = port;
        const auto refusal = validateAccountDetails(text);
        ASSERT_TRUE(refusal) << port;
        EXPECT_EQ(refusal->message, "Please enter an integer between 1 and 65535.");
        EXPECT_EQ(refusal->field, DetailsField::Port);
    }
}

TEST(applyAccountDetails, setsThePagesFieldsAndLeavesTheRestOfTheAccount)
{
    AccountRecord record;
    record.port = 995;
    record.checkInterval = 17;
    record.lastCheck = 123456;
    record.messages.push_back({"uid-1", 0, 1, "Subject: hi\r\n\r\nbody"});
    AccountDetailsText text = completeText();
    text.port = "12abc"; // refused by validation: the port stays
    applyAccountDetails(text, record);
    EXPECT_EQ(record.name, "Home");
    EXPECT_EQ(record.port, 995);
    text.port = " 2110 ";
    applyAccountDetails(text, record);
    EXPECT_EQ(record.port, 2110);
    EXPECT_EQ(record.checkInterval, 17);
    EXPECT_EQ(record.lastCheck, 123456u);
    EXPECT_EQ(record.messages.size(), 1u);
}

TEST(accountChooser, listsEveryAccountInOrderAndAnswersTheSelectedRowsAccount)
{
    AccountList list;
    for (const char* name : {"A", "B", "C"}) {
        list.push_back(std::make_unique<CMailAccount>(nullptr));
        list.back()->record.name = name;
        list.back()->record.server = std::string("server-") + name;
        list.back()->record.userName = std::string("user-") + name;
    }
    std::vector<ChooserRow> rows = chooserRows(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(std::tie(rows[1].name, rows[1].server, rows[1].userName),
              std::make_tuple("B", "server-B", "user-B"));
    EXPECT_EQ(rows[2].account, 2u);
    rows[1].account = 7; // a row stands for its account, wherever that is in the list
    EXPECT_EQ(chosenAccount(rows, 1), std::optional<std::size_t>(7));
    EXPECT_FALSE(chosenAccount(rows, std::nullopt));
    EXPECT_FALSE(chosenAccount(rows, 3));
    EXPECT_EQ(accountAddedMessage("50% off"), "The 50% off account was successfully added.");
}
