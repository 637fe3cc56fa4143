// The account file as it may be found on disk: any bytes, cut short, edited by hand or
// written by something else. Whatever it holds, reading it costs no more than its own
// size, keeps only accounts read whole and, once written back, reads back to the same
// accounts and writes the same bytes again. The counted strings underneath are read
// only from the bytes they stand on.
#include "fuzz_support.h"
#include "mail/account_record.h"
#include "mail/byte_codec.h"

#include <vector>

using mail::AccountRecord;
using mail::StoredMessage;

namespace {

// What an account and a message take at the least on disk (every text empty): a
// reader that keeps more records than this allows has made them up.
constexpr std::size_t kLeastAccountBytes = 4 + 2 * 1 + 4 + 4 + 2 * 1 + 4 + 2 * 1 + 6 * 1 + 4;
constexpr std::size_t kLeastMessageBytes = 1 + 1 + 4 + 4;

bool sameMessage(const StoredMessage& a, const StoredMessage& b)
{
    return a.uniqueId == b.uniqueId && a.reserved == b.reserved && a.isNew == b.isNew &&
           a.rawText == b.rawText;
}

bool sameAccount(const AccountRecord& a, const AccountRecord& b)
{
    if (a.name != b.name || a.server != b.server || a.port != b.port ||
        a.checkInterval != b.checkInterval || a.userName != b.userName ||
        a.password != b.password || a.lastCheck != b.lastCheck || a.yourName != b.yourName ||
        a.replyAddress != b.replyAddress || a.reserved != b.reserved ||
        a.messages.size() != b.messages.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.messages.size(); ++i) {
        if (!sameMessage(a.messages[i], b.messages[i]))
            return false;
    }
    return true;
}

bool sameAccounts(const std::vector<AccountRecord>& a, const std::vector<AccountRecord>& b,
                  std::size_t count)
{
    if (a.size() < count || b.size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!sameAccount(a[i], b[i]))
            return false;
    }
    return true;
}

std::string encode(const std::vector<AccountRecord>& accounts)
{
    std::vector<const AccountRecord*> pointers;
    for (const auto& a : accounts)
        pointers.push_back(&a);
    return mail::encodeAccountFile(pointers);
}

// Every text byte, record and message the reader kept must stand on a byte of the file.
void checkBoundedBy(const mail::DecodedAccounts& decoded, std::size_t fileSize)
{
    std::size_t textBytes = 0;
    std::size_t messages = 0;
    for (const auto& a : decoded.accounts) {
        textBytes += a.name.size() + a.server.size() + a.userName.size() + a.password.size() +
                     a.yourName.size() + a.replyAddress.size();
        for (const auto& text : a.reserved)
            textBytes += text.size();
        for (const auto& m : a.messages)
            textBytes += m.uniqueId.size() + m.rawText.size();
        messages += a.messages.size();
    }
    FUZZ_CHECK(textBytes <= fileSize);
    FUZZ_CHECK(decoded.accounts.size() * kLeastAccountBytes + messages * kLeastMessageBytes +
                   textBytes <=
               fileSize);
}

// Counted strings one after the other, as far as they go: a failed read leaves the
// position alone, a good one returns exactly the bytes after its length, in one of the
// three length forms, and the writer's form of that string reads back the same.
void checkCountedStrings(const std::string& bytes)
{
    mail::ByteReader in(bytes);
    for (;;) {
        const std::size_t before = in.position();
        std::string text;
        if (!in.getCountedString(text)) {
            FUZZ_CHECK(in.position() == before);
            return;
        }
        const std::size_t after = in.position();
        FUZZ_CHECK(after <= bytes.size());
        const std::size_t lengthBytes = after - before - text.size();
        FUZZ_CHECK(lengthBytes == 1 || lengthBytes == 3 || lengthBytes == 7);
        FUZZ_CHECK(bytes.compare(after - text.size(), text.size(), text) == 0);

        mail::ByteWriter out;
        out.putCountedString(text);
        mail::ByteReader back(out.bytes());
        std::string again;
        FUZZ_CHECK(back.getCountedString(again) && again == text && back.left() == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = fuzzBytes(data, size);
    checkCountedStrings(file);

    const mail::DecodedAccounts decoded = mail::decodeAccountFile(file);
    checkBoundedBy(decoded, size);

    // Written back, the accounts read the same, and saving what was loaded from a saved
    // file changes no byte: the form on disk is settled after one save.
    const std::string saved = encode(decoded.accounts);
    const mail::DecodedAccounts reloaded = mail::decodeAccountFile(saved);
    FUZZ_CHECK(reloaded.complete);
    FUZZ_CHECK(reloaded.accounts.size() == decoded.accounts.size());
    FUZZ_CHECK(sameAccounts(reloaded.accounts, decoded.accounts, decoded.accounts.size()));
    FUZZ_CHECK(encode(reloaded.accounts) == saved);

    // A saved file cut anywhere never claims to be complete and gives back only
    // accounts that lie whole before the cut, in order; all of them unless the count
    // itself no longer fits what is left (then it is a lie told before any account).
    if (saved.size() <= 4)
        return 0;
    std::vector<std::size_t> accountEnds;
    std::size_t end = 4;
    for (const auto& a : decoded.accounts) {
        end += encode({a}).size() - 4;
        accountEnds.push_back(end);
    }
    FUZZ_CHECK(end == saved.size());
    const std::size_t cut = size == 0 ? 0 : (data[0] | data[size - 1] << 8) % saved.size();
    const mail::DecodedAccounts truncated = mail::decodeAccountFile(saved.substr(0, cut));
    FUZZ_CHECK(!truncated.complete);
    std::size_t whole = 0;
    while (whole < accountEnds.size() && accountEnds[whole] <= cut)
        ++whole;
    FUZZ_CHECK(truncated.accounts.size() <= whole);
    FUZZ_CHECK(sameAccounts(truncated.accounts, decoded.accounts, truncated.accounts.size()));
    if (cut >= 4 && decoded.accounts.size() * kLeastAccountBytes <= cut - 4)
        FUZZ_CHECK(truncated.accounts.size() == whole);
    return 0;
}
