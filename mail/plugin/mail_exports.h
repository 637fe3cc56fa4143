#pragma once
// The boundary of Mail.dll, declared once for the library, its host and its tests.
//
// Every export uses the C calling convention (__cdecl): the caller cleans the stack,
// the sixteen plain names come out undecorated without a .def file, and the 64-bit
// build has one convention anyway. HBGetEnvironment and HBSetEnvironment have C++
// linkage, so their exported names carry their one parameter, a TEnvironment by
// reference; a host binds them by the decorated names below.
#include "mail/plugin/plugin_records.h"

#if defined(_WIN32)
#if defined(MAIL_PLUGIN_BUILD)
#define MAIL_API __declspec(dllexport)
#else
#define MAIL_API __declspec(dllimport)
#endif
#define MAIL_CALL __cdecl
#else
#define MAIL_API
#define MAIL_CALL
#endif

// A one-byte truth value: non-zero is true.
typedef unsigned char HBBool;

extern "C" {
MAIL_API HBBool MAIL_CALL HBInitialize(TEnvironment* environment);
MAIL_API HBBool MAIL_CALL HBUninitialize();
MAIL_API int MAIL_CALL HBOnLoadApp(int pluginId);
MAIL_API int MAIL_CALL HBOnUnLoadApp(int ignored);
MAIL_API int MAIL_CALL HBLoadAccount(const char* folder);
MAIL_API int MAIL_CALL HBOnOpenAccount(const char* folder);
MAIL_API int MAIL_CALL HBSaveAccount();
MAIL_API int MAIL_CALL HBOnSaveAccount();
MAIL_API int MAIL_CALL HBCloseAccount();
MAIL_API int MAIL_CALL HBOnCloseAccount();
MAIL_API HBBool MAIL_CALL HBAddMenuItem(const char* text, int id);
MAIL_API int MAIL_CALL HBGetPluginInfo(TPluginInfo* info);
MAIL_API int MAIL_CALL HBGetFirstMenuItem(TMenuItem* item, unsigned char* more);
MAIL_API int MAIL_CALL HBGetNextMenuItem(TMenuItem* item, unsigned char* more);
MAIL_API int MAIL_CALL HBOnMenuItemClicked(int commandId);
MAIL_API int MAIL_CALL HBOnImportAccount(const char* sourceFolder, const char* destinationFolder);
}

MAIL_API void MAIL_CALL HBSetEnvironment(const TEnvironment& environment);
MAIL_API void MAIL_CALL HBGetEnvironment(TEnvironment& environment);

// The names a host binds by, and the types it calls them through.
namespace MailExports {

constexpr char kLibraryName[] = "Mail.dll";

constexpr char kInitialize[] = "HBInitialize";
constexpr char kUninitialize[] = "HBUninitialize";
constexpr char kOnLoadApp[] = "HBOnLoadApp";
constexpr char kOnUnLoadApp[] = "HBOnUnLoadApp";
constexpr char kLoadAccount[] = "HBLoadAccount";
constexpr char kOnOpenAccount[] = "HBOnOpenAccount";
constexpr char kSaveAccount[] = "HBSaveAccount";
constexpr char kOnSaveAccount[] = "HBOnSaveAccount";
constexpr char kCloseAccount[] = "HBCloseAccount";
constexpr char kOnCloseAccount[] = "HBOnCloseAccount";
constexpr char kAddMenuItem[] = "HBAddMenuItem";
constexpr char kGetPluginInfo[] = "HBGetPluginInfo";
constexpr char kGetFirstMenuItem[] = "HBGetFirstMenuItem";
constexpr char kGetNextMenuItem[] = "HBGetNextMenuItem";
constexpr char kOnMenuItemClicked[] = "HBOnMenuItemClicked";
constexpr char kOnImportAccount[] = "HBOnImportAccount";
// void HBSetEnvironment(const TEnvironment&) and void HBGetEnvironment(TEnvironment&).
constexpr char kSetEnvironment[] = "_Z16HBSetEnvironmentRK12TEnvironment";
constexpr char kGetEnvironment[] = "_Z16HBGetEnvironmentR12TEnvironment";

using InitializeFn = HBBool(MAIL_CALL*)(TEnvironment*);
using NoArgumentBoolFn = HBBool(MAIL_CALL*)();
using IntFn = int(MAIL_CALL*)(int);
using NoArgumentIntFn = int(MAIL_CALL*)();
using FolderFn = int(MAIL_CALL*)(const char*);
using AddMenuItemFn = HBBool(MAIL_CALL*)(const char*, int);
using GetPluginInfoFn = int(MAIL_CALL*)(TPluginInfo*);
using MenuItemFn = int(MAIL_CALL*)(TMenuItem*, unsigned char*);
using ImportAccountFn = int(MAIL_CALL*)(const char*, const char*);
using SetEnvironmentFn = void(MAIL_CALL*)(const TEnvironment&);
using GetEnvironmentFn = void(MAIL_CALL*)(TEnvironment&);

// The message the plug-in posts to the host window when a host item is chosen;
// wParam is the item's id, lParam 0.
constexpr unsigned kHostCommandMessage = 6024;
// Host items with an id from here on are kept but never shown.
constexpr int kFirstHiddenHostItem = 100;

} // namespace MailExports
