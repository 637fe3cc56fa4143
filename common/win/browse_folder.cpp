#include "common/win/browse_folder.h"

#include "common/web/folder_text.h"

#include <shlobj.h>

namespace {

int CALLBACK selectInitialFolder(HWND chooser, UINT message, LPARAM, LPARAM data)
{
    const char* folder = reinterpret_cast<const char*>(data);
    if (message == BFFM_INITIALIZED && folder[0] != '\0')
        SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

} // namespace

bool browseForFolder(HWND owner, std::string& folder, const std::string& title)
{
    const std::string preselect = chooserPreselection(folder);
    char displayName[MAX_PATH] = "";

    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = selectInitialFolder;
    info.lParam = reinterpret_cast<LPARAM>(preselect.c_str());

    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item)
        return false;
    char path[MAX_PATH] = "";
    const bool hasPath = SHGetPathFromIDListA(item, path) && path[0] != '\0';
    CoTaskMemFree(item); // the shell's allocator, chosen path or not
    if (!hasPath)
        return false;
    folder = folderWithBackslash(path);
    return true;
}
