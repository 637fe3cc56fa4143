#pragma once
// Message boxes of the programs, and the standard refusals of typed numbers and texts:
// the message, then the focus back in the field.
#include "common/win/dialog_controls.h"

#include <string>

int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// The field's whole number when it lies in lowest..highest. Otherwise shows
// "Please enter an integer between %1 and %2.", selects the field and returns false.
bool readIntegerField(DialogControls& dialog, int id, long lowest, long highest,
                      const std::string& caption, long& value);
// The field's text when it has at most `most` characters. Otherwise shows
// "Please enter no more than %1 characters.", selects the field and returns false.
bool readTextField(DialogControls& dialog, int id, std::size_t most, const std::string& caption,
                   std::string& value);
