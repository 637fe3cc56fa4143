// What the main window does around the preferences sheet beyond storing its settings:
// the volume list's column layout survives an apply, buffered log records go to the
// file they were made for, and an update check waits until the sheet has closed.
#include "e2e_program.h"

#include <fstream>
#include <iterator>

using namespace e2e;

namespace {

// Memory inside the program's process, for the list view messages that take a pointer.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != nullptr)
            address_ =
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr)
            CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool valid() const { return address_ != nullptr; }
    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
    bool write(const void* data)
    {
        return WriteProcessMemory(process_, address_, data, size_, nullptr) != FALSE;
    }
    bool read(void* data) const
    {
        return ReadProcessMemory(process_, address_, data, size_, nullptr) != FALSE;
    }

private:
    std::size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

std::vector<int> columnOrder(HWND list, int count)
{
    std::vector<int> order(static_cast<std::size_t>(count), -1);
    RemoteBuffer remote(list, order.size() * sizeof(int));
    if (remote.valid() &&
        sendTo(list, LVM_GETCOLUMNORDERARRAY, order.size(), remote.address()) != 0)
        remote.read(order.data());
    return order;
}

bool setColumnOrder(HWND list, const std::vector<int>& order)
{
    RemoteBuffer remote(list, order.size() * sizeof(int));
    return remote.valid() && remote.write(order.data()) &&
           sendTo(list, LVM_SETCOLUMNORDERARRAY, order.size(), remote.address()) != 0;
}

std::vector<int> storedWords(const char* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    std::vector<int> words;
    if (!readValue(name, type, data))
        return words;
    for (std::size_t i = 0; i + 4 <= data.size(); i += 4)
        words.push_back(static_cast<int>(data[i] | data[i + 1] << 8 | data[i + 2] << 16 |
                                         static_cast<DWORD>(data[i + 3]) << 24));
    return words;
}

void writeText(const char* name, const std::string& text)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void exitAndWait(const Program& program, HWND main)
{
    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// A folder under the temporary folder that is removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
        removeTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { removeTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    static void removeTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
};

std::string fileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The contents of the files of a folder other than `except`, one after another.
std::string otherFilesIn(const std::string& folder, const std::string& except)
{
    std::string contents;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return contents;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || except == found.cFileName)
            continue;
        contents += fileText(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return contents;
}

std::string windowText(HWND window)
{
    char text[MAX_PATH] = "";
    sendTo(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

struct DialogSearch {
    DWORD pid;
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK collectAnyDialog(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (owner == search->pid && hwnd != search->except && std::string(cls) == "#32770")
        search->found.push_back(hwnd);
    return TRUE;
}

// Every dialog of the process, shown or not yet shown, other than `except`.
std::vector<HWND> allDialogsOf(DWORD pid, HWND except)
{
    DialogSearch search{pid, except, {}};
    EnumWindows(collectAnyDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool holdsText(HWND dialog, const char* text)
{
    HWND child = nullptr;
    while ((child = FindWindowExA(dialog, child, "Static", nullptr)) != nullptr)
        if (windowText(child).find(text) != std::string::npos)
            return true;
    return false;
}

constexpr const char* kCheckQuestion = "It is now time to check the update server";

} // namespace

TEST(endToEnd, okKeepsTheVolumeListColumnsInTheOrderDraggedBeforeOpening)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    HWND drives = FindWindowExA(main, nullptr, "BrellixMeter", "DriveMeter");
    ASSERT_NE(drives, nullptr);
    HWND list = FindWindowExA(drives, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(list, nullptr);
    HWND header = reinterpret_cast<HWND>(sendTo(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    const int count = static_cast<int>(sendTo(header, HDM_GETITEMCOUNT, 0, 0));
    ASSERT_EQ(count, 5); // the name and the four value columns of the flag word

    // As a drag of the headers would leave it.
    const std::vector<int> dragged{2, 0, 4, 1, 3};
    ASSERT_TRUE(setColumnOrder(list, dragged));
    ASSERT_EQ(columnOrder(list, count), dragged);

    HWND sheet = openPreferencesFromTray(main);
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 0);
    PostMessageA(GetDlgItem(page, IDC_OPT_START_HIDDEN), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));
    // The list is built again by the apply, in the order it had.
    EXPECT_TRUE(waitUntil([&] { return columnOrder(list, count) == dragged; }));

    exitAndWait(program, main);
    EXPECT_EQ(storedWords("Column Order"), dragged);
    // Where each column stands: column 0 second, column 1 fourth, and so on.
    EXPECT_EQ(storedWords("Column Positions"), (std::vector<int>{1, 3, 0, 4, 2}));
    deleteProfile();
}

TEST(endToEnd, applyWritesBufferedLogRecordsToTheFileTheyWereMadeFor)
{
    TempFolder logs("brellix-apply-logs");
    const std::string folder = logs.path() + "\\";
    const std::string undated = "CPU Graph Log.txt";

    // A first run leaves the CPU graph's record, which then gets its logging switched on.
    freshProfile(0xF820000B);
    {
        Program first;
        ASSERT_TRUE(first.started());
        HWND main = first.mainWindow(30000);
        ASSERT_NE(main, nullptr);
        exitAndWait(first, main);
    }
    DWORD type = 0;
    std::vector<BYTE> cpu;
    ASSERT_TRUE(readValue("Meter Options 2", type, cpu));
    ASSERT_EQ(cpu.size(), 20u);
    ASSERT_EQ(cpu[4], 0); // the CPU graph
    cpu[11] = 1;          // logging
    writeBinary("Meter Options 2", cpu);
    writeDword("Log File Buffer", 2); // 1 KB: a few seconds of records stay in memory
    writeText("Log Files Folder", folder);

    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    Sleep(4000);                                  // a few samples of the one-second timer
    ASSERT_EQ(otherFilesIn(logs.path(), ""), ""); // still buffered

    // The date in the file name: the records that follow go to another file.
    HWND sheet = openPreferencesFromTray(main);
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 6);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(windowText(GetDlgItem(page, IDC_LOG_FOLDER)), folder);
    PostMessageA(GetDlgItem(page, IDC_LOG_DATE), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));
    // Written by the apply, under the old name, long before the buffer would be full.
    std::string old;
    ASSERT_TRUE(waitUntil([&] {
        old = fileText(folder + undated);
        return !old.empty();
    }));
    EXPECT_EQ(old.substr(old.size() - 2), "\r\n"); // whole records

    Sleep(2000); // records under the new name
    exitAndWait(program, main);
    EXPECT_EQ(fileText(folder + undated), old); // nothing later went there
    const std::string dated = otherFilesIn(logs.path(), undated);
    EXPECT_NE(dated, "");
    EXPECT_EQ(dated.find(old), std::string::npos);
    deleteProfile();
}

TEST(endToEnd, updateCheckAskedForWhileTheSheetIsOpenRunsOnceItCloses)
{
    // Checks on, asking first: a check shows its question before it goes anywhere, and
    // is answered with Cancel, so nothing leaves the machine.
    freshProfile(0xF820000B | 0x00800000);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    // The check at start-up.
    HWND question = program.messageBox(kCheckQuestion, 30000);
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(question); }));

    HWND sheet = openPreferencesFromTray(main);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(sheetPage(sheet, 0), nullptr);
    PostMessageA(main, WMU_CHECK_UPDATE, 0, 0);
    // The page change is posted after the check to the same thread: once it is seen, a
    // check that did not wait has already made its question box.
    ASSERT_NE(sheetPage(sheet, 1), nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    for (HWND d : allDialogsOf(pid, sheet))
        EXPECT_FALSE(holdsText(d, kCheckQuestion));

    pressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(sheetCloses(sheet));
    question = program.messageBox(kCheckQuestion, 30000);
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(question); }));

    exitAndWait(program, main);
    deleteProfile();
}
