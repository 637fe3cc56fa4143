#include "renewo/browse_folder.h"

#include "renewo/paths.h"

#include <shlobj.h>

namespace renewo {

namespace {

int CALLBACK selectInitialFolder(HWND chooser, UINT message, LPARAM, LPARAM data)
{
    const char* folder = reinterpret_cast<const char*>(data);
    if (message == BFFM_INITIALIZED && folder[0] != '\0') {
        SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}

} // namespace

bool browseForFolder(HINSTANCE resources, HWND owner, std::string& folder, int titleId)
{
    char title[256] = "";
    LoadStringA(resources, static_cast<UINT>(titleId), title, sizeof title);
    const std::string preselect = preselectionOf(folder);
    char displayName[MAX_PATH] = "";

    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = selectInitialFolder;
    info.lParam = reinterpret_cast<LPARAM>(preselect.c_str());

    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item) {
        return false;
    }
    char path[MAX_PATH] = "";
    const bool hasPath = SHGetPathFromIDListA(item, path) && path[0] != '\0';
    CoTaskMemFree(item); // the shell's allocator, chosen path or not
    if (!hasPath) {
        return false;
    }
    folder = withTrailingBackslash(path);
    return true;
}

} // namespace renewo
