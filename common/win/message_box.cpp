#include "common/win/message_box.h"

#include "common/input/range_input.h"

namespace {

void refuse(DialogControls& dialog, int id, const std::string& text, const std::string& caption)
{
    messageBox(dialog.hwnd(), text, caption, MB_OK | MB_ICONEXCLAMATION);
    dialog.focus(id);
    SendMessageA(dialog.item(id), EM_SETSEL, 0, -1);
}

} // namespace

int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

bool readIntegerField(DialogControls& dialog, int id, long lowest, long highest,
                      const std::string& caption, long& value)
{
    const std::optional<long> number = parseIntegerInRange(dialog.text(id), lowest, highest);
    if (!number) {
        refuse(dialog, id, integerRangeMessage(lowest, highest), caption);
        return false;
    }
    value = *number;
    return true;
}

bool readTextField(DialogControls& dialog, int id, std::size_t most, const std::string& caption,
                   std::string& value)
{
    std::string text = dialog.text(id);
    if (text.size() > most) {
        refuse(dialog, id, textLengthMessage(most), caption);
        return false;
    }
    value = std::move(text);
    return true;
}
