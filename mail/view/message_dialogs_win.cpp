#include "mail/view/message_dialogs_win.h"

#include "common/win/dialog.h"
#include "mail/plugin/res/resource.h"
#include "mail/view/attachment_files_win.h"
#include "mail/view/message_texts.h"

#include <commdlg.h>

#include <vector>

namespace mail {
namespace {

constexpr char kNoSelection[] = "You must select a file to save before pressing this button.";
constexpr char kSaveFailed[] = "Failed to save the attachment %s.";
constexpr char kSaveFilter[] = "All Files(*.*)\0*.*\0\0";

class HeaderDialog : public Dialog {
public:
    HeaderDialog(HINSTANCE module, std::string header)
        : Dialog(IDD_MESSAGE_HEADER, module), header_(std::move(header))
    {
    }

private:
    bool onInit() override
    {
        setText(IDC_HEADER_TEXT, withCrLf(header_));
        return true;
    }

    std::string header_;
};

class AttachmentsDialog : public Dialog {
public:
    AttachmentsDialog(HINSTANCE module, const std::string& hostName, const CMailMessage& message,
                      const SaveFolderChooser& chooseFolder, const ViewPrompt& prompt)
        : Dialog(IDD_SAVE_ATTACHMENTS, module), hostName_(hostName), message_(message),
          chooseFolder_(chooseFolder), prompt_(prompt)
    {
    }

private:
    using Handler = void (AttachmentsDialog::*)();
    struct Command {
        int id;
        Handler handler;
    };
    static const Command kCommands[];

    bool onInit() override
    {
        char caption[128] = {};
        GetWindowTextA(hwnd(), caption, sizeof caption);
        SetWindowTextA(hwnd(), (hostName_ + " " + caption).c_str());
        for (const auto& attachment : message_.attachments())
            SendDlgItemMessageA(hwnd(), IDC_ATT_LIST, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(attachment.fileName.c_str()));
        return true;
    }

    bool onCommand(int id, int code) override;

    std::vector<int> selection() const
    {
        const auto count = SendDlgItemMessageA(hwnd(), IDC_ATT_LIST, LB_GETSELCOUNT, 0, 0);
        if (count <= 0)
            return {};
        std::vector<int> items(static_cast<std::size_t>(count));
        SendDlgItemMessageA(hwnd(), IDC_ATT_LIST, LB_GETSELITEMS, static_cast<WPARAM>(count),
                            reinterpret_cast<LPARAM>(items.data()));
        return items;
    }

    void saveSelected()
    {
        const std::vector<int> items = selection();
        if (items.empty()) {
            prompt_(hwnd(), kNoSelection, MB_OK | MB_ICONINFORMATION);
            return;
        }
        const auto& attachments = message_.attachments();
        const auto folder =
            chooseFolder_(hwnd(), attachments.at(static_cast<std::size_t>(items[0])).fileName);
        if (!folder)
            return;
        for (int item : items) {
            const auto index = static_cast<std::size_t>(item);
            if (!saveAttachment(message_, index, *folder)) {
                char text[MAX_PATH + sizeof kSaveFailed];
                wsprintfA(text, kSaveFailed, attachments.at(index).fileName.c_str());
                prompt_(hwnd(), text, MB_OK | MB_ICONEXCLAMATION);
            }
        }
    }

    std::string hostName_;
    const CMailMessage& message_;
    const SaveFolderChooser& chooseFolder_;
    const ViewPrompt& prompt_;
};

const AttachmentsDialog::Command AttachmentsDialog::kCommands[] = {
    {IDC_ATT_SAVE, &AttachmentsDialog::saveSelected}};

bool AttachmentsDialog::onCommand(int id, int code)
{
    for (const Command& command : kCommands) {
        if (command.id == id && code == BN_CLICKED) {
            (this->*command.handler)();
            return true;
        }
    }
    return Dialog::onCommand(id, code);
}

} // namespace

void showHeaderDialog(HINSTANCE module, HWND owner, const std::string& headerBlock)
{
    HeaderDialog(module, headerBlock).runModal(owner);
}

void showAttachmentsDialog(HINSTANCE module, HWND owner, const std::string& hostName,
                           const CMailMessage& message, const SaveFolderChooser& chooseFolder,
                           const ViewPrompt& prompt)
{
    AttachmentsDialog(module, hostName, message, chooseFolder, prompt).runModal(owner);
}

std::optional<std::string> saveFolderFromDialog(HWND owner, const std::string& firstName)
{
    char path[MAX_PATH] = {};
    firstName.copy(path, MAX_PATH - 1);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kSaveFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog))
        return std::nullopt;
    const std::string chosen(path);
    const std::size_t slash = chosen.find_last_of("\\/");
    if (slash == std::string::npos)
        return std::nullopt;
    return chosen.substr(0, slash + 1);
}

} // namespace mail
