#pragma once
// A real folder tree under the temporary folder for the folder usage tests, made and
// removed through the wide API so that names outside the ANSI code page work, and the
// reading of a tree control's items.
#include "common/folderscan/win/folder_tree_view.h"

#include <string>
#include <vector>

class TempTree {
public:
    // A fresh folder named stem plus the process id; root() ends with "\".
    explicit TempTree(const char* stem)
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root_ = utf8FromWide(temp) + stem + std::to_string(GetCurrentProcessId()) + "\\";
        removeAll(wideFromUtf8(root_));
        CreateDirectoryW(wideFromUtf8(root_).c_str(), nullptr);
    }
    ~TempTree() { removeAll(wideFromUtf8(root_)); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return root_; }

    // relative is UTF-8 with "\" separators; folders are made along the way.
    void folder(const std::string& relative)
    {
        std::string path = root_;
        std::size_t start = 0;
        while (start < relative.size()) {
            std::size_t end = relative.find('\\', start);
            if (end == std::string::npos)
                end = relative.size();
            path += relative.substr(start, end - start) + "\\";
            CreateDirectoryW(wideFromUtf8(path).c_str(), nullptr);
            start = end + 1;
        }
    }
    // A file of the given size (written, or extended without writing for big sizes).
    bool file(const std::string& relative, std::uint64_t bytes)
    {
        HANDLE file = CreateFileW(wideFromUtf8(root_ + relative).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(bytes);
        const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        return sized;
    }

private:
    // Links are removed as themselves, never followed.
    static void removeAll(const std::wstring& folder)
    {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = folder + name;
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
                    RemoveDirectoryW(path.c_str()) || DeleteFileW(path.c_str());
                else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                    removeAll(path + L"\\");
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::string root_;
};

// The text of a tree item, as UTF-8.
inline std::string treeItemText(HWND tree, HTREEITEM item)
{
    wchar_t buffer[512] = {};
    TVITEMW read{};
    read.mask = TVIF_TEXT;
    read.hItem = item;
    read.pszText = buffer;
    read.cchTextMax = 512;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
    return utf8FromWide(buffer);
}

inline HTREEITEM treeNext(HWND tree, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The texts of an item's children, in tree order.
inline std::vector<std::string> childTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> texts;
    for (HTREEITEM child = treeNext(tree, parent, TVGN_CHILD); child != nullptr;
         child = treeNext(tree, child, TVGN_NEXT))
        texts.push_back(treeItemText(tree, child));
    return texts;
}

// The child of parent whose text starts with name and ",", or null.
inline HTREEITEM childNamed(HWND tree, HTREEITEM parent, const std::string& name)
{
    for (HTREEITEM child = treeNext(tree, parent, TVGN_CHILD); child != nullptr;
         child = treeNext(tree, child, TVGN_NEXT)) {
        const std::string text = treeItemText(tree, child);
        if (text == name || text.rfind(name + ",", 0) == 0)
            return child;
    }
    return nullptr;
}

// How many items are shown, the way a user scrolls through them.
inline int visibleItemCount(HWND tree)
{
    int count = 0;
    for (HTREEITEM item = treeNext(tree, nullptr, TVGN_ROOT); item != nullptr;
         item = treeNext(tree, item, TVGN_NEXTVISIBLE))
        ++count;
    return count;
}
