#pragma once
// Header texts of a raw message: fields found by name in the header block, encoded
// words decoded, address lists read whole and written back as one line of text.

#include <string>
#include <vector>

namespace mail {

// The raw text up to the first empty line ("\r\n\r\n"); all of it when there is none.
std::string headerBlock(const std::string& raw);

// The value of the first field of that name (any case) in a header block, its
// continuation lines unfolded, without the blanks around it; empty when missing.
std::string rawHeaderValue(const std::string& block, const std::string& name);

// An unstructured field value with its encoded words (Q and B, any charset)
// decoded, as Windows-1252; a value that cannot be decoded stays as it is.
std::string decodedHeaderText(const std::string& value);

struct MailAddress {
    std::string name;  // display name, Windows-1252, may be empty
    std::string email; // the address itself, local@domain
};

// Every mailbox of an address list (groups opened up), in order; quoted names keep
// their commas. Unreadable entries are skipped.
std::vector<MailAddress> parseAddressList(const std::string& value);

// One address as text: `Name <email>`, the name quoted when it holds characters
// that would split or change the list ("|" among them since a typed recipient field
// takes it as a separator, and "=?"), with an unclosed "(" escaped; the bare address
// when there is no name.
std::string formatAddress(const MailAddress& address);

// Addresses joined with ", ".
std::string formatAddressList(const std::vector<MailAddress>& addresses);

} // namespace mail
