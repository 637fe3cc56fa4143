// The account file's bytes: the three forms of a counted string, whole records kept
// byte for byte, and files that are cut short, lie about their counts or are noise.
#include "mail/account_record.h"
#include "mail/byte_codec.h"

#include <gtest/gtest.h>

#include <random>

using mail::AccountRecord;
using mail::decodeAccountFile;
using mail::encodeAccountFile;
using mail::StoredMessage;

namespace {

AccountRecord sampleAccount(const std::string& name, int messages)
{
    AccountRecord a;
    a.name = name;
    a.server = "127.0.0.1";
    a.port = 1110;
    a.checkInterval = 15;
    a.userName = "alice";
    a.password = std::string("p\0w\xff", 4);
    a.lastCheck = 0xfedcba98u;
    a.yourName = "Alice";
    a.replyAddress = "alice@example.org";
    a.reserved[5] = "last";
    for (int i = 0; i < messages; ++i) {
        StoredMessage m;
        m.uniqueId = "uid" + std::to_string(i);
        m.isNew = i % 2;
        m.reserved = 7;
        m.rawText = "Subject: " + std::to_string(i) + "\r\n\r\nbody\r\n";
        a.messages.push_back(m);
    }
    return a;
}

std::string encode(const std::vector<AccountRecord>& accounts)
{
    std::vector<const AccountRecord*> pointers;
    for (const auto& a : accounts) {
        pointers.push_back(&a);
    }
    return encodeAccountFile(pointers);
}

std::string header(const std::string& bytes, std::size_t n)
{
    return bytes.substr(0, n);
}

TEST(AccountFile, EmptyListIsFourZeroBytes)
{
    EXPECT_EQ(encode({}), std::string(4, '\0'));
    const auto decoded = decodeAccountFile(std::string(4, '\0'));
    EXPECT_TRUE(decoded.complete);
    EXPECT_TRUE(decoded.accounts.empty());
}

TEST(AccountFile, CountedStringsTakeTheirThreeFormsAndReadBack)
{
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const std::vector<Case> cases = {
        {0, std::string("\x00", 1)},
        {254, "\xfe"},
        {255, std::string("\xff\xff\x00", 3)},
        {300, "\xff\x2c\x01"},
        {65533, "\xff\xfd\xff"},
        {65534, std::string("\xff\xff\xff\xfe\xff\x00\x00", 7)},
        {70000, std::string("\xff\xff\xff\x70\x11\x01\x00", 7)},
    };
    for (const auto& c : cases) {
        mail::ByteWriter out;
        const std::string text(c.length, 'n');
        out.putCountedString(text);
        EXPECT_EQ(header(out.bytes(), c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(out.bytes().size(), c.prefix.size() + c.length);
        mail::ByteReader in(out.bytes());
        std::string back;
        ASSERT_TRUE(in.getCountedString(back)) << c.length;
        EXPECT_EQ(back, text);
        EXPECT_EQ(in.left(), 0u);
    }
}

TEST(AccountFile, AccountsAndMessagesSurviveByteForByte)
{
    const std::vector<AccountRecord> accounts = {sampleAccount("First", 2),
                                                 sampleAccount(std::string(300, 'N'), 0),
                                                 sampleAccount("Third", 3)};
    const std::string bytes = encode(accounts);
    const auto decoded = decodeAccountFile(bytes);
    ASSERT_TRUE(decoded.complete);
    ASSERT_EQ(decoded.accounts.size(), 3u);
    const auto& first = decoded.accounts[0];
    EXPECT_EQ(first.password, accounts[0].password);
    EXPECT_EQ(first.lastCheck, 0xfedcba98u);
    EXPECT_EQ(first.reserved[5], "last");
    ASSERT_EQ(first.messages.size(), 2u);
    EXPECT_EQ(first.messages[1].uniqueId, "uid1");
    EXPECT_EQ(first.messages[1].isNew, 1);
    EXPECT_EQ(first.messages[1].reserved, 7);
    EXPECT_EQ(first.messages[1].rawText, accounts[0].messages[1].rawText);
    EXPECT_EQ(encode(decoded.accounts), bytes);
}

TEST(AccountFile, EveryShortenedFileIsAReadErrorKeepingWholeAccountsOnly)
{
    const std::string bytes = encode({sampleAccount("One", 1), sampleAccount("Two", 2)});
    const std::size_t firstEnds = encode({sampleAccount("One", 1)}).size();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const auto decoded = decodeAccountFile(bytes.substr(0, n));
        EXPECT_FALSE(decoded.complete) << n;
        EXPECT_EQ(decoded.accounts.size(), n >= firstEnds ? 1u : 0u) << n;
    }
}

TEST(AccountFile, CountsAndLengthsThatCannotFitAreRefused)
{
    const std::string good = encode({sampleAccount("One", 1)});
    auto patched = [&](std::size_t at, const std::string& with) {
        std::string b = good;
        b.replace(at, with.size(), with);
        return decodeAccountFile(b);
    };
    EXPECT_FALSE(patched(0, std::string("\xff\xff\xff\x7f", 4)).complete); // 2^31-1 accounts
    EXPECT_FALSE(patched(0, std::string("\xff\xff\xff\xff", 4)).complete); // -1 accounts
    EXPECT_FALSE(patched(4, std::string("\x02\x00\x00\x00", 4)).complete); // version 2
    EXPECT_FALSE(patched(4, std::string("\x00\x00\x00\x00", 4)).complete); // version 0
    // The name's length as a 32-bit lie.
    EXPECT_FALSE(patched(8, std::string("\xff\xff\xff\xff\xff\xff\x7f", 7)).complete);
    EXPECT_TRUE(patched(0, std::string("\x01\x00\x00\x00", 4)).complete);
    // One byte too many is damage too.
    EXPECT_FALSE(decodeAccountFile(good + '\0').complete);
}

TEST(AccountFile, MessageCountLiesAreRefused)
{
    AccountRecord a = sampleAccount("One", 0);
    const std::string bytes = encode({a});
    // The message count is the last four bytes of an account without messages.
    for (const std::string& lie :
         {std::string("\xff\xff\xff\xff", 4), std::string("\x00\x00\x00\x40", 4),
          std::string("\x01\x00\x00\x00", 4)}) {
        std::string b = bytes;
        b.replace(b.size() - 4, 4, lie);
        const auto decoded = decodeAccountFile(b);
        EXPECT_FALSE(decoded.complete);
        EXPECT_TRUE(decoded.accounts.empty());
    }
}

TEST(AccountFile, NoiseNeverCrashesAndWhatIsReadIsStable)
{
    const std::string good = encode({sampleAccount("One", 2), sampleAccount("Two", 1)});
    std::mt19937 random(12345);
    int complete = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string b = good;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            b[random() % b.size()] = static_cast<char>(random());
        }
        if (round % 3 == 0) {
            b.resize(random() % b.size());
        }
        const auto decoded = decodeAccountFile(b);
        if (decoded.complete) {
            ++complete;
            // Written again and read again, the accounts come back the same.
            const auto again = decodeAccountFile(encode(decoded.accounts));
            ASSERT_TRUE(again.complete);
            EXPECT_EQ(encode(again.accounts), encode(decoded.accounts));
        }
    }
    EXPECT_GT(complete, 0); // flips inside texts leave the file readable
}

} // namespace
