#include "mail/logwin/log_window.h"

#include "common/win/dialog.h"
#include "mail/plugin/res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace mail {

namespace {

// Posted by a writing thread: queued lines wait for the window's thread.
constexpr UINT WMU_APPLY_LINES = WM_APP + 1;
constexpr UINT_PTR kKeySubclassId = 1;

// The host's message loop gives this modeless window no dialog keys, so its two
// controls turn Escape and Enter into the commands the dialog manager would send.
LRESULT CALLBACK dialogKeysProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR)
{
    if (message == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_RETURN)) {
        const int command = wParam == VK_ESCAPE ? IDCANCEL : IDOK;
        PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, dialogKeysProc, id);
    return DefSubclassProc(control, message, wParam, lParam);
}

RECT childRect(HWND dialog, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void moveChild(HWND child, int x, int y, int width, int height)
{
    SetWindowPos(child, nullptr, x, y, std::max(width, 0), std::max(height, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void scrollToEnd(HWND edit)
{
    const int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

} // namespace

class CLogDlg::Frame : public Dialog {
public:
    Frame(CLogDlg& owner, HINSTANCE module) : Dialog(IDD_MAIL_LOG, module), owner_(owner) {}

    // The dialog's own text accessor, hidden by CLogDlg::text.
    std::string controlText(int id) const { return DialogControls::text(id); }

private:
    bool onInit() override
    {
        owner_.onInit();
        return true;
    }
    // Done (the default button), Enter, Escape and the close box hide the window.
    void onOk() override { ShowWindow(hwnd(), SW_HIDE); }
    void onCancel() override { ShowWindow(hwnd(), SW_HIDE); }
    void onDestroy() override { owner_.onDestroy(); }
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return owner_.onMessage(message, wParam, lParam) ? TRUE : FALSE;
    }

    CLogDlg& owner_;
};

CLogDlg::CLogDlg() = default;

CLogDlg::~CLogDlg()
{
    destroy();
}

bool CLogDlg::create(HINSTANCE module, const std::string& hostName)
{
    if (window() != nullptr)
        return false;
    hostName_ = hostName;
    {
        std::lock_guard<std::mutex> hold(lock_);
        model_ = std::make_unique<LogText>("Welcome to " + hostName);
    }
    frame_ = std::make_unique<Frame>(*this, module);
    if (frame_->createModeless(nullptr))
        return true;
    frame_.reset();
    return false;
}

void CLogDlg::show()
{
    HWND own = window();
    if (own == nullptr)
        return;
    ShowWindow(own, IsIconic(own) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(own);
}

void CLogDlg::destroy()
{
    // Through the window's own destruction, so that the queue is let go first.
    if (window() != nullptr)
        DestroyWindow(window());
}

HWND CLogDlg::window() const
{
    return frame_ != nullptr ? frame_->hwnd() : nullptr;
}

HWND CLogDlg::item(int id) const
{
    return frame_ != nullptr ? frame_->item(id) : nullptr;
}

std::string CLogDlg::text() const
{
    return frame_ != nullptr ? frame_->controlText(IDC_MAIL_LOG_TEXT) : std::string();
}

void CLogDlg::writeLine(const std::string& line)
{
    bool here = false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (target_ == nullptr || model_ == nullptr)
            return;
        LogText::Edit change = model_->append(line);
        pendingBytes_ += change.append.size();
        pending_.push_back(std::move(change));
        // More than the window keeps is waiting: the whole text replaces the queue.
        if (pendingBytes_ > LogText::kDefaultLimit) {
            pending_.clear();
            pendingBytes_ = 0;
            resync_ = true;
        }
        here = GetCurrentThreadId() == targetThread_;
        // One wake-up at a time; a failed post is tried again with the next line.
        if (!here && !wakePosted_)
            wakePosted_ = PostMessageA(target_, WMU_APPLY_LINES, 0, 0) != FALSE;
    }
    if (here)
        applyPending();
}

void CLogDlg::onInit()
{
    HWND own = window();
    HWND edit = item(IDC_MAIL_LOG_TEXT);
    HWND done = item(IDOK);
    RECT client{};
    GetClientRect(own, &client);
    const RECT editRect = childRect(own, edit);
    const RECT doneRect = childRect(own, done);
    editMargins_ = {editRect.left, editRect.top, client.right - editRect.right,
                    client.bottom - editRect.bottom};
    buttonOffset_ = {client.right - doneRect.left, client.bottom - doneRect.top};

    // No length limit of the control's own: the text is kept short by the model.
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    subclassKeys(edit);
    subclassKeys(done);
    std::lock_guard<std::mutex> hold(lock_);
    SetWindowTextA(edit, model_->text().c_str());
    target_ = own;
    targetThread_ = GetCurrentThreadId();
}

void CLogDlg::onDestroy()
{
    std::lock_guard<std::mutex> hold(lock_);
    target_ = nullptr;
    targetThread_ = 0;
    pending_.clear();
    pendingBytes_ = 0;
    resync_ = false;
    wakePosted_ = false;
    model_.reset();
}

bool CLogDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WMU_APPLY_LINES:
        applyPending();
        return true;
    case WM_SIZE:
        onSize(wParam, LOWORD(lParam), HIWORD(lParam));
        return true;
    default:
        return false;
    }
}

// The edit control fills the window above the button, which keeps to the bottom right
// corner.
void CLogDlg::onSize(WPARAM kind, int width, int height)
{
    SetWindowTextA(window(), (hostName_ + " - Log").c_str());
    if (kind == SIZE_MINIMIZED)
        return;
    HWND edit = item(IDC_MAIL_LOG_TEXT);
    HWND done = item(IDOK);
    if (edit == nullptr || done == nullptr)
        return;
    const RECT& m = editMargins_;
    moveChild(edit, m.left, m.top, width - m.right - m.left, height - m.bottom - m.top);
    const RECT doneRect = childRect(window(), done);
    moveChild(done, width - buttonOffset_.cx, height - buttonOffset_.cy,
              doneRect.right - doneRect.left, doneRect.bottom - doneRect.top);
}

void CLogDlg::applyPending()
{
    std::deque<LogText::Edit> edits;
    std::string whole;
    bool resync = false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (target_ == nullptr)
            return;
        wakePosted_ = false;
        resync = resync_;
        if (resync)
            whole = model_->text();
        else
            edits.swap(pending_);
        pending_.clear();
        pendingBytes_ = 0;
        resync_ = false;
    }
    HWND edit = item(IDC_MAIL_LOG_TEXT);
    if (resync)
        SetWindowTextA(edit, whole.c_str());
    for (const LogText::Edit& change : edits)
        applyEdit(edit, change);
    if (resync || !edits.empty())
        scrollToEnd(edit);
}

// The line goes in at the end and whole lines leave at the front, each by a selection
// replaced in place: only a backlog past the kept length makes the control take its
// whole text again.
void CLogDlg::applyEdit(HWND edit, const LogText::Edit& change)
{
    const int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(change.append.c_str()));
    if (change.removeFront > 0) {
        SendMessageA(edit, EM_SETSEL, 0, static_cast<LPARAM>(change.removeFront));
        SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    }
}

void CLogDlg::subclassKeys(HWND control)
{
    SetWindowSubclass(control, dialogKeysProc, kKeySubclassId, 0);
}

} // namespace mail
