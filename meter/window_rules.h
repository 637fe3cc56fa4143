#pragma once
// The decisions of the main window that do not need a window: its title, what the
// close box does, which system menu command was chosen, what a tray click does.
#include "meter/app_settings.h"

#include <string>

inline constexpr const char* kProductName = "Brellix";
inline constexpr const char* kProductVersion = "2.6.0";

// "Brellix", with " - " and the remote computer when the title should name it.
std::string windowTitle(const AppSettings& settings);

// The page the preferences sheet opens on, by where it was opened from.
constexpr int kMenuPreferencesPage = 1;
constexpr int kVolumesPage = 2;
constexpr int kAddMeterPage = 3;

enum class CloseAction { Exit, Hide, Ask };
// What the close box does before asking: Shift always asks.
CloseAction closeAction(const AppSettings& settings, bool shiftHeld);

enum class CloseAnswer { Exit, Hide, Cancel };
// Remembers (or forgets) the answer of the close dialog in the flag word.
void rememberCloseAnswer(AppSettings& settings, CloseAnswer answer, bool dontAskAgain);
// The close dialog's check box starts checked when an answer is remembered.
bool closeAnswerRemembered(const AppSettings& settings);

enum class SystemCommand {
    None,
    About,
    UpdateNow,
    Preferences,
    Hide,
    Statistics,
    WebSite,
    Help,
    AutoSize
};
// Our items of the system menu; the low four bits of a command are the system's own.
SystemCommand systemCommand(unsigned command);

enum class TrayClick { Ignore, ShowWindow, OpenMenu };
// A mouse message from one of our tray icons; nothing while a dialog of ours is open.
TrayClick trayClick(unsigned mouseMessage, bool busy);

// The text of the tray menu's hide item.
const char* hideItemText(bool hidden);
