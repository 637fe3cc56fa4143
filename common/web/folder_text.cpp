#include "common/web/folder_text.h"

std::string chooserPreselection(const std::string& folder)
{
    if (folder.size() > 3 && folder.back() == '\\')
        return folder.substr(0, folder.size() - 1);
    return folder;
}

std::string folderWithBackslash(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder;
    return folder + '\\';
}
