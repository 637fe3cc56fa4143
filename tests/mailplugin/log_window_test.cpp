// The log window built from Mail.dll's dialog: its first lines, lines arriving from
// other threads while this thread pumps, its text kept to the last 64 KiB, and what
// its button, keys and resizing do.
#include "mail/log_text.h"
#include "mail/logwin/log_window.h"
#include "mail/mail_log.h"
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr char kHost[] = "LogHost";
constexpr DWORD kWaitMs = 10000;

// One message at a time: a writer that keeps posting must not keep the check away.
bool pumpUntil(const std::function<bool()>& done, DWORD waitMs = kWaitMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > waitMs)
            return false;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

// Long enough that a few hundred lines pass the window's 64 KiB.
std::string wide(int i)
{
    return "line " + std::to_string(i) + " " + std::string(180, '-');
}

class LogWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryA(MailExports::kLibraryName);
        ASSERT_NE(module, nullptr);
        ASSERT_TRUE(log.create(module, kHost));
    }
    void TearDown() override
    {
        log.destroy();
        FreeLibrary(module);
    }

    HMODULE module = nullptr;
    mail::CLogDlg log;
};

TEST_F(LogWindowTest, StartsHiddenWithTheWelcomeThenTheLogsFirstLine)
{
    EXPECT_FALSE(log.create(module, kHost));
    EXPECT_FALSE(IsWindowVisible(log.window()));
    EXPECT_EQ(log.text(), "Welcome to LogHost");

    // On the window's own thread a line shows at once.
    mail::CMailLog mailLog([] { return mail::TimeOfDay{9, 5, 7}; });
    mailLog.open(nullptr, &log, true);
    EXPECT_EQ(log.text(), "Welcome to LogHost\r\n[09:05:07] - Message: Log window initialized.");
}

// Past 64 KiB whole lines leave at the front, whether the lines piled up beyond that
// before the window's thread came to them, came one by one on that thread, or came
// from another thread while this one pumped.
TEST_F(LogWindowTest, KeepsTheSameLastLinesAsItsTextModel)
{
    mail::LogText expected(std::string("Welcome to ") + kHost);
    const auto write = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            log.writeLine(wide(i));
    };
    std::thread(write, 0, 600).join();
    write(600, 900);
    std::thread writer(write, 900, 1100);
    for (int i = 0; i < 1100; ++i)
        expected.append(wide(i));
    EXPECT_TRUE(pumpUntil([&] { return log.text() == expected.text(); }));
    writer.join();
}

// Lines still queued, or written after the end, never reach a later window.
TEST_F(LogWindowTest, DestroyedWhileAThreadWritesDropsItsLines)
{
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    std::thread writer([&] {
        while (!stop)
            log.writeLine(wide(written++));
    });
    ASSERT_TRUE(pumpUntil([&] { return written > 500; }));
    log.destroy();
    pumpUntil([&] { return written > 1500; }, 2000); // and writes on
    stop = true;
    writer.join();

    ASSERT_TRUE(log.create(module, kHost));
    pumpUntil([] { return false; }, 200);
    log.writeLine("after");
    EXPECT_EQ(log.text(), "Welcome to LogHost\r\nafter");
}

TEST_F(LogWindowTest, DoneEscapeAndTheCloseBoxHide)
{
    const std::function<void()> hides[] = {
        [&] { SendMessageA(GetDlgItem(log.window(), IDOK), BM_CLICK, 0, 0); },
        [&] { SendDlgItemMessageA(log.window(), IDC_MAIL_LOG_TEXT, WM_KEYDOWN, VK_ESCAPE, 0); },
        [&] { SendMessageA(log.window(), WM_CLOSE, 0, 0); },
    };
    for (const auto& hide : hides) {
        log.show();
        ASSERT_TRUE(IsWindowVisible(log.window()));
        hide();
        EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(log.window()); }));
    }
}

TEST_F(LogWindowTest, ResizingRetitlesAndKeepsTheControlsAtTheEdges)
{
    HWND own = log.window();
    const auto placeIn = [own](int id) {
        RECT r;
        GetWindowRect(GetDlgItem(own, id), &r);
        MapWindowPoints(nullptr, own, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT frame;
    GetWindowRect(own, &frame);
    const RECT edit = placeIn(IDC_MAIL_LOG_TEXT), done = placeIn(IDOK);
    SetWindowPos(own, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 60,
                 SWP_NOMOVE | SWP_NOZORDER);
    char title[64] = {};
    GetWindowTextA(own, title, sizeof title);
    EXPECT_STREQ(title, "LogHost - Log");
    const RECT grownEdit = placeIn(IDC_MAIL_LOG_TEXT), movedDone = placeIn(IDOK);
    EXPECT_EQ(grownEdit.right - edit.right, 100);
    EXPECT_EQ(grownEdit.bottom - edit.bottom, 60);
    EXPECT_EQ(movedDone.left - done.left, 100);
    EXPECT_EQ(movedDone.top - done.top, 60);
}

} // namespace
