#pragma once
// File names of attachments come from the sender. Before one is used to write a
// file it is reduced to a plain base name that cannot leave the chosen folder, name
// a device or an alternate data stream, or be silently altered by Windows.

#include <string>
#include <vector>

namespace mail {

// The safe form of a proposed file name; `number` (1-based) names the attachment
// when nothing usable is left ("attachment3").
std::string safeAttachmentName(const std::string& proposed, int number);

// `name`, or `name` with " (2)", " (3)"... before its extension when `taken` already
// holds it in any letter case: attachments saved into one folder must not overwrite
// each other.
std::string distinctAttachmentName(const std::string& name, const std::vector<std::string>& taken);

} // namespace mail
