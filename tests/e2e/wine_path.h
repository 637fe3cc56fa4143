#pragma once
// Folders that a ctest fixture prepares on the Linux side, as a test under Wine names
// them: Wine shows the Unix root as drive Z:.
#include <string>

inline std::string windowsPathOfUnixFolder(const char* unixFolder)
{
    std::string path = std::string("Z:") + unixFolder;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path + "\\";
}
