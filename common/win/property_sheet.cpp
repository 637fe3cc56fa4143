#include "common/win/property_sheet.h"

namespace {

// The sheet being opened on this thread: the sheet callback carries no data of ours.
thread_local PropertySheetFrame* opening = nullptr;

} // namespace

PropertyPage::PropertyPage(int templateId, HINSTANCE module)
    : templateId_(templateId), module_(module != nullptr ? module : GetModuleHandleA(nullptr))
{
}

HPROPSHEETPAGE PropertyPage::make()
{
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = module_;
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = pageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return CreatePropertySheetPageA(&page);
}

void PropertyPage::setChanged(bool on)
{
    SendMessageA(sheet(), on ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hwnd()), 0);
}

bool PropertyPage::onCommand(int, int)
{
    return false;
}

bool PropertyPage::onNotify(const NMHDR&, LRESULT&)
{
    return false;
}

bool PropertyPage::onApply(bool)
{
    return true;
}

INT_PTR PropertyPage::handleMessage(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

INT_PTR CALLBACK PropertyPage::pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    PropertyPage* initial = nullptr;
    if (message == WM_INITDIALOG)
        initial = reinterpret_cast<PropertyPage*>(
            reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
    return dispatch(hwnd, message, wParam, lParam, initial);
}

INT_PTR PropertyPage::route(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInit();
        return TRUE;
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        const bool handled =
            header.hwndFrom == sheet() ? onSheetNotify(header, result) : onNotify(header, result);
        if (!handled)
            return FALSE;
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, result);
        return TRUE;
    }
    default:
        return handleMessage(message, wParam, lParam);
    }
}

bool PropertyPage::onSheetNotify(const NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case PSN_SETACTIVE:
        onSetActive();
        result = 0;
        return true;
    case PSN_KILLACTIVE:
        result = onKillActive() ? FALSE : TRUE;
        return true;
    case PSN_APPLY: {
        const bool closing = reinterpret_cast<const PSHNOTIFY&>(header).lParam != 0;
        result = onApply(closing) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return true;
    }
    case PSN_RESET:
        onReset();
        return true;
    default:
        return false;
    }
}

PropertySheetFrame::PropertySheetFrame(std::string caption, DWORD flags)
    : caption_(std::move(caption)), flags_(flags)
{
}

void PropertySheetFrame::addPage(PropertyPage& page)
{
    pages_.push_back(&page);
}

INT_PTR PropertySheetFrame::runModal(HWND owner, int startPage)
{
    std::vector<HPROPSHEETPAGE> handles;
    for (PropertyPage* page : pages_)
        handles.push_back(page->make());

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_USECALLBACK | PSH_NOCONTEXTHELP | flags_;
    header.hwndParent = owner;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = static_cast<UINT>(startPage);
    header.phpage = handles.data();
    header.pfnCallback = sheetCallback;

    PropertySheetFrame* outer = opening;
    opening = this;
    const INT_PTR result = PropertySheetA(&header);
    opening = outer;
    hwnd_ = nullptr;
    return result;
}

int CALLBACK PropertySheetFrame::sheetCallback(HWND hwnd, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED && opening != nullptr) {
        opening->hwnd_ = hwnd;
        opening->onInitialized();
    }
    return 0;
}
