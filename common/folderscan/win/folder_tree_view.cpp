#include "common/folderscan/win/folder_tree_view.h"

#include <algorithm>

namespace {

// A message that keeps coming back (a paint nobody validates) must not hold the scan
// for ever; this many is far more than a slice ever queues.
constexpr int kMostMessagesPerPump = 4096;

HTREEITEM handleOf(TreeItem item)
{
    return item == kTreeRoot ? TVI_ROOT : reinterpret_cast<HTREEITEM>(item);
}

} // namespace

HIMAGELIST loadFolderImages(HINSTANCE module)
{
    return ImageList_LoadImageA(module, MAKEINTRESOURCEA(kFolderImagesBitmap), 16, 2,
                                RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

std::string utf8FromAnsi(const std::string& ansi)
{
    if (ansi.empty())
        return {};
    const int length = static_cast<int>(ansi.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), wideLength);
    return utf8FromWide(wide.c_str());
}

std::wstring wideFromUtf8(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
    return wide;
}

std::string utf8FromWide(const wchar_t* wide)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length - 1));
    return utf8;
}

FolderTreeView::FolderTreeView(HWND tree) : tree_(tree)
{
}

TreeItem FolderTreeView::insertItem(TreeItem parent, const std::string& text, int image,
                                    int selectedImage)
{
    std::wstring wide = wideFromUtf8(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = handleOf(parent);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = wide.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return static_cast<TreeItem>(
        SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FolderTreeView::setItemText(TreeItem item, const std::string& text)
{
    pendingTexts_[item] = text;
}

void FolderTreeView::applyTexts()
{
    for (const auto& [item, text] : pendingTexts_) {
        std::wstring wide = wideFromUtf8(text);
        TVITEMW change{};
        change.mask = TVIF_TEXT;
        change.hItem = handleOf(item);
        change.pszText = wide.data();
        SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
    }
    pendingTexts_.clear();
}

void FolderTreeView::expand(TreeItem item)
{
    // The scan opens the root once per child; asking an open item again still costs
    // the tree its expand notifications.
    const LRESULT state = SendMessageW(tree_, TVM_GETITEMSTATE,
                                       reinterpret_cast<WPARAM>(handleOf(item)), TVIS_EXPANDED);
    if ((state & TVIS_EXPANDED) == 0)
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handleOf(item)));
}

void FolderTreeView::collapse(TreeItem item)
{
    SendMessageW(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(handleOf(item)));
}

void FolderTreeView::ensureVisible(TreeItem item)
{
    applyTexts();
    SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(handleOf(item)));
}

void FolderTreeView::deleteAllItems()
{
    pendingTexts_.clear();
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void FolderTreeView::pumpMessages()
{
    if (!sliceDue())
        return;
    const DWORD start = GetTickCount();
    lastPoll_ = start;
    pollStop();
    if (sliceMs_ != 0 && start - lastPump_ < pumpEveryMs_)
        return;
    applyTexts();
    pump();
    const DWORD end = GetTickCount();
    lastPump_ = lastPoll_ = end;
    pumpEveryMs_ = std::max(sliceMs_, kPumpCostShare * (end - start));
}

void FolderTreeView::beforeEntry()
{
    pumpMessages();
}

bool FolderTreeView::sliceDue()
{
    return GetTickCount() - lastPoll_ >= sliceMs_;
}

void dispatchPendingMessages(HWND window, UINT first, UINT last, PreTranslate preTranslate,
                             void* context)
{
    MSG message;
    for (int served = 0;
         served < kMostMessagesPerPump && PeekMessageA(&message, window, first, last, PM_REMOVE);
         ++served) {
        if (preTranslate != nullptr && preTranslate(message, context))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
