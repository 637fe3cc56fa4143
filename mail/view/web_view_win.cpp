#include "mail/view/web_view_win.h"

namespace mail {
namespace {

// The HTML renderer the browser control draws with, and the system's control host
// whose window class creates a control from the URL given as the window's text.
constexpr char kRendererLibrary[] = "mshtml.dll";
constexpr char kHostLibrary[] = "atl.dll";
constexpr char kHostInit[] = "AtlAxWinInit";
constexpr char kHostClass[] = "AtlAxWin";

using HostInit = BOOL(WINAPI*)();

std::string fileUrl(const std::string& path)
{
    std::string url = "file:///";
    for (char c : path)
        url += c == '\\' ? '/' : c;
    return url;
}

} // namespace

std::unique_ptr<CWebWnd> CWebWnd::create(HWND parent, const RECT& area, const std::string& file)
{
    HMODULE renderer = LoadLibraryA(kRendererLibrary);
    if (renderer == nullptr)
        return nullptr;
    HMODULE host = LoadLibraryA(kHostLibrary);
    const auto init =
        host != nullptr
            ? reinterpret_cast<HostInit>(reinterpret_cast<void*>(GetProcAddress(host, kHostInit)))
            : nullptr;
    HWND window = nullptr;
    if (init != nullptr && init()) {
        window = CreateWindowExA(WS_EX_CLIENTEDGE, kHostClass, fileUrl(file).c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP, area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, parent, nullptr,
                                 nullptr, nullptr);
    }
    if (window == nullptr) {
        if (host != nullptr)
            FreeLibrary(host);
        FreeLibrary(renderer);
        return nullptr;
    }
    return std::unique_ptr<CWebWnd>(new CWebWnd(renderer, host, window));
}

CWebWnd::~CWebWnd()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
    FreeLibrary(host_);
    FreeLibrary(renderer_);
}

} // namespace mail
