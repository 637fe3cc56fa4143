#pragma once
// A window owned by a C++ object: messages reach a virtual handler; the object
// destroys its window when it ends, and forgets it when the window ends first.
#include <windows.h>

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    // Registers a class whose windows route to their Window object; once per name.
    static bool registerClass(const char* className, UINT style = CS_DBLCLKS,
                              HBRUSH background = nullptr, HICON icon = nullptr);
    // Unregisters every class this module registered; for a library about to be
    // unloaded, once its windows are gone.
    static void unregisterClasses();
    bool create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                int cx, int cy, HWND parent, UINT_PTR idOrMenu);
    void destroy();

protected:
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};
