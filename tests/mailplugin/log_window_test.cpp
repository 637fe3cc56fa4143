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

std::string numbered(int i)
{
    return "line " + std::to_string(i) + " of the checking thread";
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

    mail::CMailLog mailLog([] { return mail::TimeOfDay{9, 5, 7}; });
    mailLog.open(nullptr, &log, true);
    ASSERT_TRUE(pumpUntil([&] { return log.text().size() > 18; }));
    EXPECT_EQ(log.text(), "Welcome to LogHost\r\n[09:05:07] - Message: Log window initialized.");
    mailLog.close();
}

TEST_F(LogWindowTest, LinesFromAnotherThreadArriveInOrder)
{
    mail::LogText expected(std::string("Welcome to ") + kHost);
    for (int i = 0; i < 200; ++i)
        expected.append(numbered(i));
    std::atomic<bool> finished{false};
    std::thread writer([&] {
        for (int i = 0; i < 200; ++i)
            log.writeLine(numbered(i));
        finished = true;
    });
    EXPECT_TRUE(pumpUntil([&] { return finished && log.text() == expected.text(); }));
    writer.join();
}

// Past 64 KiB whole lines leave at the front, both when lines are applied one by one
// and when more than the window keeps piled up before its thread came to them.
TEST_F(LogWindowTest, KeepsTheSameLastLinesAsItsTextModel)
{
    const auto wide = [](int i) { return numbered(i) + std::string(160, '-'); };
    mail::LogText expected(std::string("Welcome to ") + kHost);
    for (int i = 0; i < 600; ++i) {
        expected.append(wide(i));
        log.writeLine(wide(i));
    }
    EXPECT_EQ(log.text(), expected.text());
    std::thread writer([&] {
        for (int i = 600; i < 1200; ++i)
            log.writeLine(wide(i));
    });
    writer.join();
    for (int i = 600; i < 1200; ++i)
        expected.append(wide(i));
    EXPECT_TRUE(pumpUntil([&] { return log.text() == expected.text(); }));
    EXPECT_LE(log.text().size(), mail::LogText::kDefaultLimit);
}

// Lines still queued, or written after the end, never reach a later window.
TEST_F(LogWindowTest, DestroyedWhileAThreadWritesDropsItsLines)
{
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    std::thread writer([&] {
        while (!stop)
            log.writeLine(numbered(written++));
    });
    ASSERT_TRUE(pumpUntil([&] { return written > 500; }));
    log.destroy();
    EXPECT_EQ(log.window(), nullptr);
    const int atEnd = written;
    pumpUntil([&] { return written > atEnd + 500; }, 2000);
    stop = true;
    writer.join();

    ASSERT_TRUE(log.create(module, kHost));
    pumpUntil([] { return false; }, 200);
    log.writeLine("after");
    EXPECT_EQ(log.text(), "Welcome to LogHost\r\nafter");
}

TEST_F(LogWindowTest, DoneEscapeEnterAndTheCloseBoxHide)
{
    HWND edit = GetDlgItem(log.window(), IDC_MAIL_LOG_TEXT);
    const std::function<void()> hides[] = {
        [&] { SendMessageA(GetDlgItem(log.window(), IDOK), BM_CLICK, 0, 0); },
        [&] { SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0); },
        [&] { SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0); },
        [&] { SendMessageA(log.window(), WM_CLOSE, 0, 0); },
    };
    for (const auto& hide : hides) {
        log.show();
        ASSERT_TRUE(IsWindowVisible(log.window()));
        hide();
        EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(log.window()); }));
        EXPECT_NE(log.window(), nullptr);
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
    RECT window;
    GetWindowRect(own, &window);
    const RECT edit = placeIn(IDC_MAIL_LOG_TEXT), done = placeIn(IDOK);

    SetWindowPos(own, nullptr, 0, 0, window.right - window.left + 100,
                 window.bottom - window.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    char title[64] = {};
    GetWindowTextA(own, title, sizeof title);
    EXPECT_STREQ(title, "LogHost - Log");
    const RECT grownEdit = placeIn(IDC_MAIL_LOG_TEXT), movedDone = placeIn(IDOK);
    EXPECT_EQ(grownEdit.left, edit.left);
    EXPECT_EQ(grownEdit.right - edit.right, 100);
    EXPECT_EQ(grownEdit.bottom - edit.bottom, 60);
    EXPECT_EQ(movedDone.left - done.left, 100);
    EXPECT_EQ(movedDone.top - done.top, 60);
    EXPECT_GT(movedDone.top, grownEdit.bottom);
}

} // namespace
