#pragma once
// Plain text on the clipboard.
#include <windows.h>

#include <string>

// Replaces the clipboard's contents with `text` as CF_TEXT. False, and the clipboard
// untouched, when it cannot be opened (another program holds it).
bool putClipboardText(HWND owner, const std::string& text);
