#pragma once
// The message window's two modal dialogs: the message's header block, and its
// attachments with saving the selected ones into a folder.
#include "mail/message/mail_message.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace mail {

// A message box of the message window, captioned with the host's name.
using ViewPrompt = std::function<int(HWND owner, const std::string& text, UINT flags)>;
// The folder the attachments go to, asked with the first one's name; none: cancelled.
using SaveFolderChooser =
    std::function<std::optional<std::string>(HWND owner, const std::string& firstName)>;

// "&Message Header:" over the header block, read-only; "&Done" closes.
void showHeaderDialog(HINSTANCE module, HWND owner, const std::string& headerBlock);

// The attachments' names; "&Save Selected...." writes the selected ones into the
// chosen folder.
void showAttachmentsDialog(HINSTANCE module, HWND owner, const std::string& hostName,
                           const CMailMessage& message, const SaveFolderChooser& chooseFolder,
                           const ViewPrompt& prompt);

// The system's save-file dialog ("All Files(*.*)"), offering the name: the folder of
// the path the user picks.
std::optional<std::string> saveFolderFromDialog(HWND owner, const std::string& firstName);

} // namespace mail
