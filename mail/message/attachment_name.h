#pragma once
// File names of attachments come from the sender. Before one is used to write a
// file it is reduced to a plain base name that cannot leave the chosen folder, name
// a device or an alternate data stream, or be silently altered by Windows.

#include <string>

namespace mail {

// The safe form of a proposed file name; `number` (1-based) names the attachment
// when nothing usable is left ("attachment3").
std::string safeAttachmentName(const std::string& proposed, int number);

} // namespace mail
