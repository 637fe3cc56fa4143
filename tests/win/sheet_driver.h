#pragma once
// Drives a modal sheet or dialog of this thread from a second thread: it waits for the
// window, then runs a script of posted clicks and checks while this thread runs the
// window's loop. Buttons of a sheet are pressed with a posted PSM_PRESSBUTTON: a sent
// one from another thread never returns.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace sheet_test {

constexpr int kApplyButton = 0x3021;

// Polls `done` until it holds or about ten seconds have passed.
inline bool waitUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        Sleep(20);
    }
    return done();
}

struct Search {
    std::string text;
    HWND found;
};

inline BOOL CALLBACK matchCaption(HWND w, LPARAM data)
{
    auto* s = reinterpret_cast<Search*>(data);
    char text[128] = "";
    GetWindowTextA(w, text, sizeof text);
    if (IsWindowVisible(w) && s->text == text) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

inline BOOL CALLBACK matchStatic(HWND w, LPARAM data)
{
    auto* s = reinterpret_cast<Search*>(data);
    HWND child = nullptr;
    while ((child = FindWindowExA(w, child, "Static", nullptr)) != nullptr) {
        char buffer[512] = "";
        GetWindowTextA(child, buffer, sizeof buffer);
        if (std::string(buffer).find(s->text) != std::string::npos) {
            s->found = w;
            return FALSE;
        }
    }
    return TRUE;
}

inline HWND findWindowOf(DWORD thread, const std::string& caption)
{
    Search search{caption, nullptr};
    EnumThreadWindows(thread, matchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A message box of the thread whose text contains `text`.
inline HWND findMessageBox(DWORD thread, const std::string& text)
{
    Search search{text, nullptr};
    EnumThreadWindows(thread, matchStatic, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Driver {
public:
    Driver(const std::string& caption, std::function<void(HWND)> script)
        : thread_(GetCurrentThreadId()), worker_([this, caption, script] {
              HWND window = nullptr;
              waitUntil([&] { return (window = findWindowOf(thread_, caption)) != nullptr; });
              if (window != nullptr)
                  script(window);
              else
                  missed_ = true;
              finished_ = true;
          })
    {
    }
    ~Driver() { worker_.join(); }
    DWORD thread() const { return thread_; }
    bool missed() const { return missed_; }

private:
    DWORD thread_;
    std::atomic<bool> missed_{false};
    std::atomic<bool> finished_{false};
    std::thread worker_;
};

inline HWND currentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

inline bool applyEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}

inline void press(HWND sheet, int button)
{
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

inline void click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline bool checked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline std::string text(HWND dialog, int id)
{
    char buffer[256] = "";
    GetWindowTextA(GetDlgItem(dialog, id), buffer, sizeof buffer);
    return buffer;
}

// Shows page `index` and waits until it is the current one.
inline HWND showPage(HWND sheet, int index)
{
    PostMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    HWND page = nullptr;
    waitUntil([&] {
        page = currentPage(sheet);
        return page != nullptr &&
               SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) == index;
    });
    return page;
}

} // namespace sheet_test
