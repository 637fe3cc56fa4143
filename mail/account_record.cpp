#include "mail/account_record.h"

#include "mail/byte_codec.h"

namespace mail {

namespace {

// The fewest bytes an account or a message record can take (every text empty), so
// that a count that could never fit in what is left is refused before anything is
// allocated for it.
constexpr std::size_t kSmallestAccount = 4 + 2 + 4 + 4 + 2 + 4 + 2 + kReservedTexts + 4;
constexpr std::size_t kSmallestMessage = 1 + 1 + 4 + 4;

void encodeMessage(ByteWriter& out, const StoredMessage& m)
{
    out.putCountedString(m.rawText);
    out.putCountedString(m.uniqueId);
    out.putInt32(m.reserved);
    out.putInt32(m.isNew);
}

void encodeAccount(ByteWriter& out, const AccountRecord& a)
{
    out.putInt32(kAccountRecordVersion);
    out.putCountedString(a.name);
    out.putCountedString(a.server);
    out.putInt32(a.port);
    out.putInt32(a.checkInterval);
    out.putCountedString(a.userName);
    out.putCountedString(a.password);
    out.putUint32(a.lastCheck);
    out.putCountedString(a.yourName);
    out.putCountedString(a.replyAddress);
    for (const auto& text : a.reserved) {
        out.putCountedString(text);
    }
    out.putInt32(static_cast<std::int32_t>(a.messages.size()));
    for (const auto& m : a.messages) {
        encodeMessage(out, m);
    }
}

// A count that is negative, or larger than the bytes left could hold, is a lie.
bool getCount(ByteReader& in, std::size_t smallestItem, std::int32_t& count)
{
    return in.getInt32(count) && count >= 0 &&
           static_cast<std::size_t>(count) <= in.left() / smallestItem;
}

bool decodeMessage(ByteReader& in, StoredMessage& m)
{
    return in.getCountedString(m.rawText) && in.getCountedString(m.uniqueId) &&
           in.getInt32(m.reserved) && in.getInt32(m.isNew);
}

bool decodeAccount(ByteReader& in, AccountRecord& a)
{
    std::int32_t version = 0;
    if (!in.getInt32(version) || version != kAccountRecordVersion) {
        return false;
    }
    if (!in.getCountedString(a.name) || !in.getCountedString(a.server) || !in.getInt32(a.port) ||
        !in.getInt32(a.checkInterval) || !in.getCountedString(a.userName) ||
        !in.getCountedString(a.password) || !in.getUint32(a.lastCheck) ||
        !in.getCountedString(a.yourName) || !in.getCountedString(a.replyAddress)) {
        return false;
    }
    for (auto& text : a.reserved) {
        if (!in.getCountedString(text)) {
            return false;
        }
    }
    std::int32_t count = 0;
    if (!getCount(in, kSmallestMessage, count)) {
        return false;
    }
    a.messages.resize(static_cast<std::size_t>(count));
    for (auto& m : a.messages) {
        if (!decodeMessage(in, m)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string encodeAccountFile(const std::vector<const AccountRecord*>& accounts)
{
    std::size_t estimate = 4;
    for (const auto* a : accounts) {
        estimate += kSmallestAccount + 512;
        for (const auto& m : a->messages) {
            estimate += m.rawText.size() + m.uniqueId.size() + 24;
        }
    }
    ByteWriter out;
    out.reserve(estimate);
    out.putInt32(static_cast<std::int32_t>(accounts.size()));
    for (const auto* a : accounts) {
        encodeAccount(out, *a);
    }
    return out.take();
}

DecodedAccounts decodeAccountFile(const std::string& bytes)
{
    DecodedAccounts result;
    ByteReader in(bytes);
    std::int32_t count = 0;
    if (!getCount(in, kSmallestAccount, count)) {
        return result;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        AccountRecord a;
        if (!decodeAccount(in, a)) {
            return result;
        }
        result.accounts.push_back(std::move(a));
    }
    result.complete = in.left() == 0;
    return result;
}

} // namespace mail
