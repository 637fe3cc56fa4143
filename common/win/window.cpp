#include "common/win/window.h"

#include "common/win/own_module.h"

#include <string>
#include <vector>

namespace {

// The module this code is linked into. A library registers its classes under its own
// instance, so that they can be unregistered when it is unloaded and a later load
// does not find a class whose window procedure pointed into the old image.
HINSTANCE ownInstance()
{
    HMODULE module = ownModule();
    return module != nullptr ? module : GetModuleHandleA(nullptr);
}

std::vector<std::string>& registeredClasses()
{
    static std::vector<std::string> names;
    return names;
}

} // namespace

Window::~Window()
{
    destroy();
}

bool Window::registerClass(const char* className, UINT style, HBRUSH background, HICON icon)
{
    WNDCLASSA existing;
    const HINSTANCE instance = ownInstance();
    if (GetClassInfoA(instance, className, &existing))
        return true;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (RegisterClassA(&wc) == 0)
        return false;
    registeredClasses().push_back(className);
    return true;
}

void Window::unregisterClasses()
{
    for (const std::string& name : registeredClasses())
        UnregisterClassA(name.c_str(), ownInstance());
    registeredClasses().clear();
}

bool Window::create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, UINT_PTR idOrMenu)
{
    if (hwnd_ != nullptr)
        return false;
    return CreateWindowExA(exStyle, className, title, style, x, y, cx, cy, parent,
                           reinterpret_cast<HMENU>(idOrMenu), ownInstance(), this) != nullptr;
}

void Window::destroy()
{
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_); // WM_NCDESTROY clears hwnd_
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);

    const LRESULT result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}
