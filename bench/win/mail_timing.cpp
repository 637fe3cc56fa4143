// Times the mail plug-in's core work under Wine.
//
// Usage:
//   brellix_mail_timing check PORT USER PASSWORD
//     one check of the mailbox on 127.0.0.1:PORT: LIST, UIDL and TOP n 2147483647 of
//     every message; prints the messages, bytes and milliseconds.
//   brellix_mail_timing big PORT USER PASSWORD
//     retrieves the mailbox's last message whole; prints its size, the milliseconds and
//     the process's peak memory (private bytes and working set).
//   brellix_mail_timing accounts FOLDER MESSAGES BYTES
//     saves and loads an account file of one account with MESSAGES messages of BYTES
//     each in FOLDER; prints both times.
// Loopback only: scripts/bench-pop3 starts dovecot and runs Python's poplib beside it.
#include "mail/account_files_win.h"
#include "mail/mail_log.h"
#include "mail/pop3_socket.h"

#include <psapi.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

double nowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool login(mail::CPop3Client& client, char** argv)
{
    client.setTimeoutMs(30000);
    if (!client.login("127.0.0.1", argv[3], argv[4], std::atoi(argv[2]))) {
        std::fprintf(stderr, "login failed: error %d, %s\n", client.errorNumber(),
                     client.lastReply().c_str());
        return false;
    }
    return true;
}

int check(char** argv)
{
    mail::CPop3Client client(mail::CPop3Socket::make);
    const double start = nowMs();
    if (!login(client, argv) || !client.list() || !client.uidl()) {
        return 1;
    }
    std::size_t bytes = 0;
    for (int n = 1; n <= client.messageCount(); ++n) {
        std::string text;
        if (!client.top(n, mail::Pop3Limits::kWholeMessage, text)) {
            std::fprintf(stderr, "TOP %d failed: error %d\n", n, client.errorNumber());
            return 1;
        }
        bytes += text.size();
    }
    client.quit();
    std::printf("check: %d messages, %zu bytes, %.1f ms\n", client.messageCount(), bytes,
                nowMs() - start);
    return 0;
}

int big(char** argv)
{
    mail::CPop3Client client(mail::CPop3Socket::make);
    if (!login(client, argv) || !client.list()) {
        return 1;
    }
    const int last = client.messageCount();
    std::string text;
    const double start = nowMs();
    if (!client.top(last, mail::Pop3Limits::kWholeMessage, text)) {
        std::fprintf(stderr, "TOP failed: error %d\n", client.errorNumber());
        return 1;
    }
    const double elapsed = nowMs() - start;
    client.quit();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("big: %zu bytes in %.1f ms (%.1f MB/s), peak private %.1f MB, peak working set "
                "%.1f MB\n",
                text.size(), elapsed, text.size() / 1048576.0 / (elapsed / 1000.0),
                counters.PeakPagefileUsage / 1048576.0, counters.PeakWorkingSetSize / 1048576.0);
    return 0;
}

int accounts(char** argv)
{
    const std::string folder = argv[2];
    const int messages = std::atoi(argv[3]);
    const std::size_t size = static_cast<std::size_t>(std::atoi(argv[4]));
    auto account = std::make_unique<mail::CMailAccount>(mail::CPop3Socket::make);
    account->record.name = "Bench";
    account->record.server = "127.0.0.1";
    for (int i = 0; i < messages; ++i) {
        account->record.messages.push_back({"uid" + std::to_string(i), 0, i % 2,
                                            std::string(size, static_cast<char>('a' + i % 26))});
    }
    mail::AccountList list;
    list.push_back(std::move(account));
    mail::WinAccountFiles files;
    mail::CMailLog log([] { return mail::TimeOfDay{}; });
    mail::AccountStoreContext context{files, log, nullptr, mail::CPop3Socket::make};
    const std::string path = mail::accountFilePath(folder, "Bench");
    double start = nowMs();
    if (!mail::saveAccounts(context, path, list)) {
        std::fprintf(stderr, "save failed\n");
        return 1;
    }
    const double saved = nowMs() - start;
    mail::AccountList loaded;
    start = nowMs();
    if (!mail::loadAccounts(context, path, loaded) || loaded.size() != 1 ||
        loaded[0]->record.messages.size() != static_cast<std::size_t>(messages)) {
        std::fprintf(stderr, "load failed\n");
        return 1;
    }
    const double read = nowMs() - start;
    std::printf("accounts: %d messages of %zu bytes, save %.1f ms, load %.1f ms\n", messages, size,
                saved, read);
    DeleteFileA(path.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    int result = 2;
    if (argc == 5 && std::strcmp(argv[1], "check") == 0) {
        result = check(argv);
    } else if (argc == 5 && std::strcmp(argv[1], "big") == 0) {
        result = big(argv);
    } else if (argc == 5 && std::strcmp(argv[1], "accounts") == 0) {
        result = accounts(argv);
    } else {
        std::fprintf(stderr, "usage: brellix_mail_timing check|big PORT USER PASSWORD\n"
                             "       brellix_mail_timing accounts FOLDER MESSAGES BYTES\n");
    }
    WSACleanup();
    return result;
}
