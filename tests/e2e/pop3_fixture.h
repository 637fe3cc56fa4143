#pragma once
// The dovecot that pop3_server.py starts for a suite, as a test under Wine sees it:
// its port and folder from the fixture's work folder, messages delivered straight
// into a user's maildir, and the messages left there.
#include "tests/e2e/wine_path.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace pop3fixture {

inline std::string g_work; // Windows path of the fixture's work folder, with a trailing '\'
inline std::string g_root; // Windows path of the server's folder
inline int g_port = 0;

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Reads what the fixture left in its work folder (a Unix path); false without a server.
inline bool load(const char* unixWorkFolder)
{
    g_work = windowsPathOfUnixFolder(unixWorkFolder);
    g_port = std::atoi(readFile(g_work + "port").c_str());
    std::string root = readFile(g_work + "root");
    while (!root.empty() && (root.back() == '\n' || root.back() == '\r'))
        root.pop_back();
    g_root = "Z:" + root;
    return g_port != 0 && !root.empty();
}

inline std::string maildir(const std::string& user)
{
    return g_root + "\\mail\\" + user + "\\Maildir\\";
}

// Delivers a message straight into the user's maildir, as a local delivery would.
inline void inject(const std::string& user, const std::string& tag)
{
    static int serial = 0;
    const std::string name = std::to_string(2000000000 + ++serial) + ".M" + tag + "P" +
                             std::to_string(GetCurrentProcessId()) + ".checktest";
    std::ofstream out(maildir(user) + "new\\" + name, std::ios::binary);
    out << "From: sender@example.org\r\nTo: " << user << "@example.org\r\nSubject: " << tag
        << "\r\n\r\nBody of " << tag << ".\r\n";
}

inline int filesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}

inline int messagesOnDisk(const std::string& user)
{
    return filesIn(maildir(user) + "new\\") + filesIn(maildir(user) + "cur\\");
}

} // namespace pop3fixture
