#include "meter/window_rules.h"

#include <gtest/gtest.h>

TEST(windowTitle, namesTheRemoteComputerOnlyWhenAsked)
{
    AppSettings settings;
    EXPECT_EQ(windowTitle(settings), "Brellix");
    settings.remoteComputer = "\\\\SERVER";
    EXPECT_EQ(windowTitle(settings), "Brellix");
    settings.setFlag(Booleans::kComputerNameInTitle, true);
    EXPECT_EQ(windowTitle(settings), "Brellix - \\\\SERVER");
    settings.remoteComputer.clear();
    EXPECT_EQ(windowTitle(settings), "Brellix");
}

TEST(closeBox, rememberedAnswersAndShift)
{
    AppSettings settings;
    EXPECT_EQ(closeAction(settings, false), CloseAction::Ask);
    EXPECT_FALSE(closeAnswerRemembered(settings));

    rememberCloseAnswer(settings, CloseAnswer::Hide, true);
    EXPECT_EQ(closeAction(settings, false), CloseAction::Hide);
    EXPECT_EQ(closeAction(settings, true), CloseAction::Ask); // Shift always asks
    EXPECT_TRUE(closeAnswerRemembered(settings));

    rememberCloseAnswer(settings, CloseAnswer::Exit, true);
    EXPECT_EQ(closeAction(settings, false), CloseAction::Exit);
    EXPECT_FALSE(settings.flag(Booleans::kCloseHides));

    rememberCloseAnswer(settings, CloseAnswer::Cancel, false); // changes nothing
    EXPECT_EQ(closeAction(settings, false), CloseAction::Exit);

    rememberCloseAnswer(settings, CloseAnswer::Hide, false); // unchecked forgets
    EXPECT_EQ(closeAction(settings, false), CloseAction::Ask);
    EXPECT_EQ(settings.booleans, Booleans::kDefault);
}

TEST(systemMenu, commandsIgnoreTheirLowBits)
{
    EXPECT_EQ(systemCommand(16), SystemCommand::About);
    EXPECT_EQ(systemCommand(16 + 15), SystemCommand::About);
    EXPECT_EQ(systemCommand(48 + 3), SystemCommand::Preferences);
    EXPECT_EQ(systemCommand(128), SystemCommand::AutoSize);
    EXPECT_EQ(systemCommand(0xF060), SystemCommand::None); // the system's own close
    EXPECT_EQ(systemCommand(8), SystemCommand::None);
    EXPECT_EQ(systemCommand(32), SystemCommand::UpdateNow);
    EXPECT_EQ(systemCommand(64), SystemCommand::Hide);
    EXPECT_EQ(systemCommand(80), SystemCommand::Statistics);
    EXPECT_EQ(systemCommand(96), SystemCommand::WebSite);
    EXPECT_EQ(systemCommand(112), SystemCommand::Help);
}

TEST(trayClicks, doubleClickShowsRightClickOpensTheMenu)
{
    EXPECT_EQ(trayClick(0x0203, false), TrayClick::ShowWindow);
    EXPECT_EQ(trayClick(0x0205, false), TrayClick::OpenMenu);
    EXPECT_EQ(trayClick(0x0201, false), TrayClick::Ignore);
    EXPECT_EQ(trayClick(0x0203, true), TrayClick::Ignore);
    EXPECT_EQ(trayClick(0x0205, true), TrayClick::Ignore);
    EXPECT_STREQ(hideItemText(false), "&Hide");
    EXPECT_STREQ(hideItemText(true), "U&nhide");
}
