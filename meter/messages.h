#pragma once
// Private messages of the main window, posted by its meters, tray icons, start-up steps
// and the mail plug-in.
constexpr unsigned kMsgStartHidden = 1025;
constexpr unsigned kMsgTrayNotify = 1026;
constexpr unsigned kMsgMoveUp = 1027;   // wParam = kind
constexpr unsigned kMsgMoveDown = 1028; // wParam = kind
constexpr unsigned kMsgRelayout = 1029;
constexpr unsigned kMsgUpdateCheck = 1030;
constexpr unsigned kMsgFirstActivation = 1031;
constexpr unsigned kMsgStartCounters = 1032;
constexpr unsigned kMsgStartUpChain = 1033;
constexpr unsigned kMsgWelcome = 1034;
constexpr unsigned kMsgLoadPlugin = 1035;
constexpr unsigned kMsgPluginCommand = 6024; // wParam = item id
