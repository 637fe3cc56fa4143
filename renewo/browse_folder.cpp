#include "renewo/browse_folder.h"

#include "common/win/browse_folder.h"

namespace renewo {

bool browseForFolder(HINSTANCE resources, HWND owner, std::string& folder, int titleId)
{
    char title[256] = "";
    LoadStringA(resources, static_cast<UINT>(titleId), title, sizeof title);
    return ::browseForFolder(owner, folder, title);
}

} // namespace renewo
