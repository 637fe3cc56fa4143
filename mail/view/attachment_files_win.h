#pragma once
// Attachments on disk: saved into a chosen folder, or with the HTML file into the
// folder the web view reads. Files are written only under the safe base names the
// message gives its attachments, so nothing lands outside the folder.
#include "mail/message/mail_message.h"

#include <cstddef>
#include <string>

namespace mail {

// Replaces any file at path with the bytes; false when it cannot be written whole.
bool writeFileBytes(const std::string& path, const std::string& bytes);

// The attachment's decoded bytes under its file name in the folder.
bool saveAttachment(const CMailMessage& message, std::size_t index, const std::string& folder);

// "html\" beneath the running program's folder.
std::string programHtmlFolder();

// Creates the folder when missing, saves every attachment into it, then the HTML
// file "temp.html". Its path, or empty when it could not be written.
std::string writeHtmlFolder(const CMailMessage& message, const std::string& folder);

} // namespace mail
