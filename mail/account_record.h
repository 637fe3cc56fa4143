#pragma once
// What the account file keeps of an account and of each message seen on its server,
// and the file's codec. The layout is fixed: little-endian, no header, counted strings
// (byte_codec.h), records of version 1 only.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mail {

// A message as the last check received it: its text (headers and body, without the
// server's status line), the server's unique id and whether it was new at that check.
struct StoredMessage {
    std::string uniqueId;
    std::int32_t reserved = 0;
    std::int32_t isNew = 0;
    std::string rawText;
};

constexpr std::int32_t kDefaultPop3Port = 110;
constexpr std::int32_t kDefaultCheckMinutes = 5;
constexpr std::size_t kReservedTexts = 6;

struct AccountRecord {
    std::string name;
    std::string server;
    std::int32_t port = kDefaultPop3Port;
    std::int32_t checkInterval = kDefaultCheckMinutes; // minutes; 0: never on its own
    std::string userName;
    std::string password;
    std::uint32_t lastCheck = 0; // seconds since 1970-01-01 UTC
    std::string yourName;
    std::string replyAddress;
    std::array<std::string, kReservedTexts> reserved;
    std::vector<StoredMessage> messages; // server order
};

// The one record version this program reads and writes.
constexpr std::int32_t kAccountRecordVersion = 1;

std::string encodeAccountFile(const std::vector<const AccountRecord*>& accounts);

struct DecodedAccounts {
    // The accounts read whole before any error, in file order.
    std::vector<AccountRecord> accounts;
    // True only when the count, every record and nothing else filled the file.
    bool complete = false;
};

DecodedAccounts decodeAccountFile(const std::string& bytes);

} // namespace mail
