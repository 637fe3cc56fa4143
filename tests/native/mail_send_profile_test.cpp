#include "mail/send/send_profile.h"
#include "meter/memory_registry.h"

#include <gtest/gtest.h>

namespace {

const char kKey[] = "Software\\desk\\Mail";

TEST(recipientHistory, readsNewestFirstWithoutEmptyOrRepeatedValues)
{
    MemoryRegistry registry;
    registry.putString(kKey, "MailRecip1", "a@x.example");
    registry.putString(kKey, "MailRecip2", "");
    registry.putString(kKey, "MailRecip3", "b@x.example");
    registry.putString(kKey, "MailRecip4", "a@x.example");
    registry.putDword(kKey, "MailRecip5", 7);
    registry.putString(kKey, "MailRecip6", "beyond@x.example");
    const auto key = registry.root()->openSubkey(kKey);
    EXPECT_EQ(mail::readRecipientHistory(*key),
              (std::vector<std::string>{"a@x.example", "b@x.example"}));
}

TEST(recipientHistory, remembersTheLastFiveTheLastOneNewest)
{
    MemoryRegistry registry;
    registry.putString(kKey, "MailRecip5", "old@x.example");
    const auto key = registry.root()->createSubkey(kKey);
    ASSERT_TRUE(mail::rememberRecipients(*key, {"1@x", "2@x", "3@x"}));
    EXPECT_EQ(mail::readRecipientHistory(*key),
              (std::vector<std::string>{"3@x", "2@x", "1@x", "old@x.example"}));

    ASSERT_TRUE(mail::rememberRecipients(*key, {"1@x", "2@x", "3@x", "4@x", "5@x", "6@x", "7@x"}));
    EXPECT_EQ(mail::readRecipientHistory(*key),
              (std::vector<std::string>{"7@x", "6@x", "5@x", "4@x", "3@x"}));

    registry.failWritesOf("MailRecip2", 1);
    EXPECT_FALSE(mail::rememberRecipients(*key, {"x@x", "y@x"}));
}

} // namespace
