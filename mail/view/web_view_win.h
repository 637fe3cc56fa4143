#pragma once
// CWebWnd: a child window hosting the system's web browser control, showing one
// file. Where the browser cannot be created (no HTML renderer, no control host) there
// is no CWebWnd and the caller shows the message as text.
#include <windows.h>

#include <memory>
#include <string>

namespace mail {

class CWebWnd {
public:
    // The view over `area` of parent (client coordinates) showing the file; null when
    // the browser control cannot be created.
    static std::unique_ptr<CWebWnd> create(HWND parent, const RECT& area, const std::string& file);
    ~CWebWnd();
    CWebWnd(const CWebWnd&) = delete;
    CWebWnd& operator=(const CWebWnd&) = delete;

    HWND hwnd() const { return window_; }

private:
    CWebWnd(HMODULE renderer, HMODULE host, HWND window)
        : renderer_(renderer), host_(host), window_(window)
    {
    }

    HMODULE renderer_;
    HMODULE host_;
    HWND window_;
};

} // namespace mail
