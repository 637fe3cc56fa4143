#pragma once
// What the plug-in's windows need of the plug-in, faked for tests under Wine: two
// accounts ("Home" and "Work", each with a sender), a profile in memory, connections
// to a scripted SMTP server unless a test gives its own; and the answering of the
// message boxes those windows show.
#include "mail/plugin/mail_ui_host.h"
#include "meter/memory_registry.h"

#include "../native/smtp_fakes.h"
#include "../win/sheet_driver.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace fakes {

class FakeUiHost : public mail::MailUiHost {
public:
    static constexpr const char* kProfileKey = "Software\\sendhost\\Mail";

    FakeUiHost(HINSTANCE module, std::string hostName)
        : module_(module), hostName_(std::move(hostName)), log_([] { return mail::TimeOfDay{}; }),
          factory(smtpFactory(peer))
    {
        for (const char* name : {"Home", "Work"}) {
            accounts_.push_back(std::make_unique<mail::CMailAccount>(nullptr));
            accounts_.back()->record.name = name;
            accounts_.back()->record.yourName = std::string(name) + " Me";
            accounts_.back()->record.replyAddress = std::string("me@") + name + ".example";
        }
    }
    HINSTANCE module() override { return module_; }
    std::string hostName() override { return hostName_; }
    HWND hostWindow() override { return nullptr; }
    std::vector<std::unique_ptr<mail::CMailAccount>>& accounts() override { return accounts_; }
    mail::MessageListPtr messages(const mail::CMailAccount&) override { return {}; }
    void markSeen(mail::CMailAccount&, const std::string&) override {}
    bool deleteOnServer(mail::CMailAccount&, const std::string&) override { return false; }
    void restartTimer(mail::CMailAccount&) override {}
    std::unique_ptr<RegistryKey> profile(bool create) override
    {
        return create ? registry.root()->createSubkey(kProfileKey)
                      : registry.root()->openSubkey(kProfileKey);
    }
    mail::CMailLog& log() override { return log_; }
    mail::TransportFactory transports() override { return factory; }

    MemoryRegistry registry;
    SmtpPeer peer;

private:
    HINSTANCE module_;
    std::string hostName_;
    mail::CMailLog log_;
    std::vector<std::unique_ptr<mail::CMailAccount>> accounts_;

public:
    mail::TransportFactory factory; // the scripted peer's, unless replaced
};

// Answers the next message box of `thread` captioned `caption`: its text, or empty
// when none came.
inline std::string answerBox(DWORD thread, const std::string& caption)
{
    HWND box = nullptr;
    if (!sheet_test::waitUntil(
            [&] { return (box = sheet_test::findWindowOf(thread, caption)) != nullptr; }))
        return {};
    std::string said;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char buffer[1024] = "";
        char kind[32] = "";
        GetClassNameA(c, kind, sizeof kind);
        GetWindowTextA(c, buffer, sizeof buffer);
        if (std::string(kind) == "Static" && buffer[0] != '\0')
            said = buffer;
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    sheet_test::waitUntil([&] { return !IsWindow(box); });
    return said;
}

} // namespace fakes
