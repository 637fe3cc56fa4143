#pragma once
// "Host": one ping host's IP address or name.
#include "common/win/dialog.h"

#include <optional>
#include <string>

class HostDialog : public Dialog {
public:
    // `opened`: the text the field starts with (empty for a new host).
    explicit HostDialog(std::string opened);
    // The entered name after OK.
    const std::string& host() const { return host_; }

private:
    bool onInit() override;
    bool onCommand(int id, int code) override;
    void onOk() override;
    void updateOk();

    std::string opened_;
    std::string host_;
};

// Runs the dialog on `current`: the entered name on OK, nothing on Cancel.
std::optional<std::string> editHost(HWND owner, const std::string& current);
