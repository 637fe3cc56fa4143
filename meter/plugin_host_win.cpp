#include "meter/plugin_host_win.h"

#include "mail/plugin/mail_exports.h"

#include <cstdint>

using namespace MailExports;

WinMailLibrary::~WinMailLibrary()
{
    free();
}

template <typename Fn> Fn WinMailLibrary::bind(const char* name) const
{
    if (module_ == nullptr)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
}

bool WinMailLibrary::load()
{
    if (module_ == nullptr)
        module_ = LoadLibraryA(kLibraryName);
    return module_ != nullptr;
}

void WinMailLibrary::free()
{
    if (module_ != nullptr)
        FreeLibrary(module_);
    module_ = nullptr;
}

bool WinMailLibrary::initialize(TEnvironment& environment)
{
    auto fn = bind<InitializeFn>(kInitialize);
    return fn != nullptr && fn(&environment) != 0;
}

void WinMailLibrary::addMenuItem(const char* text, int id)
{
    if (auto fn = bind<AddMenuItemFn>(kAddMenuItem))
        fn(text, id);
}

void WinMailLibrary::loadAccount(const std::string& folder)
{
    if (auto fn = bind<FolderFn>(kLoadAccount))
        fn(folder.c_str());
}

void WinMailLibrary::saveAccount()
{
    if (auto fn = bind<NoArgumentIntFn>(kSaveAccount))
        fn();
}

void WinMailLibrary::closeAccount()
{
    if (auto fn = bind<NoArgumentIntFn>(kCloseAccount))
        fn();
}

void WinMailLibrary::uninitialize()
{
    if (auto fn = bind<NoArgumentBoolFn>(kUninitialize))
        fn();
}

std::uint32_t windowAs32Bits(HWND window)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}
