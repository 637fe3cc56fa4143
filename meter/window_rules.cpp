#include "meter/window_rules.h"

namespace {

constexpr unsigned kLeftButtonDoubleClick = 0x0203;
constexpr unsigned kRightButtonUp = 0x0205;

} // namespace

std::string windowTitle(const AppSettings& settings)
{
    std::string title = kProductName;
    if (settings.flag(Booleans::kComputerNameInTitle) && !settings.remoteComputer.empty())
        title += " - " + settings.remoteComputer;
    return title;
}

CloseAction closeAction(const AppSettings& settings, bool shiftHeld)
{
    if (shiftHeld)
        return CloseAction::Ask;
    if (settings.flag(Booleans::kCloseExits))
        return CloseAction::Exit;
    if (settings.flag(Booleans::kCloseHides))
        return CloseAction::Hide;
    return CloseAction::Ask;
}

void rememberCloseAnswer(AppSettings& settings, CloseAnswer answer, bool dontAskAgain)
{
    if (answer == CloseAnswer::Cancel)
        return;
    const bool exits = answer == CloseAnswer::Exit;
    settings.setFlag(Booleans::kCloseExits, dontAskAgain && exits);
    settings.setFlag(Booleans::kCloseHides, dontAskAgain && !exits);
}

bool closeAnswerRemembered(const AppSettings& settings)
{
    return settings.flag(Booleans::kCloseExits) || settings.flag(Booleans::kCloseHides);
}

SystemCommand systemCommand(unsigned command)
{
    switch (command & ~0xFu) {
    case 16:
        return SystemCommand::About;
    case 32:
        return SystemCommand::UpdateNow;
    case 48:
        return SystemCommand::Preferences;
    case 64:
        return SystemCommand::Hide;
    case 80:
        return SystemCommand::Statistics;
    case 96:
        return SystemCommand::WebSite;
    case 112:
        return SystemCommand::Help;
    case 128:
        return SystemCommand::AutoSize;
    default:
        return SystemCommand::None;
    }
}

TrayClick trayClick(unsigned mouseMessage, bool busy)
{
    if (busy)
        return TrayClick::Ignore;
    if (mouseMessage == kLeftButtonDoubleClick)
        return TrayClick::ShowWindow;
    if (mouseMessage == kRightButtonUp)
        return TrayClick::OpenMenu;
    return TrayClick::Ignore;
}

const char* hideItemText(bool hidden)
{
    return hidden ? "U&nhide" : "&Hide";
}
