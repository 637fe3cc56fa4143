#include "meter/prefs/host_dialog.h"

#include "common/win/message_box.h"
#include "meter/prefs/host_entry.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

HostDialog::HostDialog(std::string opened) : Dialog(IDD_HOST), opened_(std::move(opened))
{
}

bool HostDialog::onInit()
{
    limitText(IDC_HOST_NAME, kHostNameMost);
    setText(IDC_HOST_NAME, opened_);
    updateOk();
    return true;
}

bool HostDialog::onCommand(int id, int code)
{
    if (id == IDC_HOST_NAME) {
        if (code == EN_CHANGE)
            updateOk();
        return true;
    }
    return Dialog::onCommand(id, code);
}

void HostDialog::updateOk()
{
    enable(IDOK, hostOkEnabled(text(IDC_HOST_NAME), opened_));
}

void HostDialog::onOk()
{
    std::string entry;
    if (!readTextField(*this, IDC_HOST_NAME, kHostNameMost, kProductName, entry))
        return;
    // A command sent to the dialog arrives even while "OK" is disabled.
    if (!hostOkEnabled(entry, opened_))
        return;
    host_ = enteredHost(entry);
    close(IDOK);
}

std::optional<std::string> editHost(HWND owner, const std::string& current)
{
    HostDialog dialog(current);
    if (dialog.runModal(owner) != IDOK)
        return std::nullopt;
    return dialog.host();
}
