#include "meter/volumes/drive_meter.h"
#include "meter/volumes/system_wall_clock.h"
#include "meter/volumes/win_alert_actions.h"
#include "meter/volumes/win_log_writer.h"
#include "meter/volumes/win_volume_system.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fresh folder under the temporary folder, with a trailing backslash.
std::string freshFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder =
        std::string(temp) + name + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

struct LogFiles : ::testing::Test {
    LogFiles()
    {
        settings.booleans = 0;
        settings.logFileBuffer = 0;
        settings.logFilesFolder = freshFolder("brellix-logs-");
        path = settings.logFilesFolder + "CPU Graph Log.txt";
        DeleteFileA(path.c_str());
    }
    ~LogFiles() override
    {
        DeleteFileA(path.c_str());
        RemoveDirectoryA(settings.logFilesFolder.c_str());
    }
    AppSettings settings;
    std::string path;
    WinLogFileWriter writer;
    SystemWallClock clock;
};

class NoTray : public TrayNotifier {
public:
    bool notify(TrayOperation, const TrayRecord&) override { return true; }
    IconHandle loadIcon(int) override { return this; }
    std::string loadString(int) override { return {}; }
};

} // namespace

TEST_F(LogFiles, recordsAreAppendedToTheFileNeverTruncated)
{
    {
        MeterLogFile log(settings, "CPU Graph", writer, clock);
        log.appendLine("37");
        log.appendLine("41");
    }
    MeterLogFile again(settings, "CPU Graph", writer, clock);
    again.appendLine("5");
    const std::string text = readFile(path);
    EXPECT_NE(text.find(", 37\r\n"), std::string::npos);
    EXPECT_LT(text.find(", 37\r\n"), text.find(", 41\r\n"));
    EXPECT_LT(text.find(", 41\r\n"), text.find(", 5\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

TEST_F(LogFiles, aFileHeldForWritingByOthersMakesRecordsWait)
{
    HANDLE other = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    MeterLogFile log(settings, "CPU Graph", writer, clock);
    log.appendLine("held");
    EXPECT_FALSE(log.pending().empty());
    CloseHandle(other);

    EXPECT_TRUE(log.flush());
    EXPECT_NE(readFile(path).find(", held\r\n"), std::string::npos);
}

TEST_F(LogFiles, aMissingFolderKeepsTheRecords)
{
    settings.logFilesFolder += "missing\\";
    MeterLogFile log(settings, "CPU Graph", writer, clock);
    log.appendLine("kept");
    EXPECT_FALSE(log.flush());
    EXPECT_NE(log.pending().find(", kept\r\n"), std::string::npos);
}

TEST(winVolumes, systemDriveIsListedMeasuredAndNamed)
{
    WinVolumeSystem system;
    const auto drives = system.logicalDrives();
    ASSERT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
    EXPECT_EQ(system.driveType("C:\\"), DriveType::Fixed);
    const auto space = system.diskSpace("C:\\");
    ASSERT_TRUE(space);
    EXPECT_GT(space->totalBytes, 0u);
    EXPECT_LE(space->totalFreeBytes, space->totalBytes);
    EXPECT_FALSE(system.diskSpace("\\\\no-such-host-brellix\\share\\"));

    const auto volumes = defaultVolumeList(system);
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes[0].path, "C:\\");

    AppSettings settings;
    settings.volumes = volumes;
    WinAlertActions alerts;
    NoTray tray;
    DriveMeter meter(settings, system, alerts, tray);
    meter.update(true);
    ASSERT_FALSE(meter.rows().empty());
    const std::string& name = meter.rows()[0].name;
    EXPECT_EQ(name.substr(name.size() - 4), " (C)");
}

TEST(winAlerts, longCommandLinesStartWholeAndMissingProgramsFail)
{
    WinAlertActions alerts;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    const std::string command =
        std::string("\"") + system + "\\cmd.exe\" /c rem " + std::string(400, 'a');
    EXPECT_TRUE(alerts.startProcess(command));
    EXPECT_FALSE(alerts.startProcess("\"C:\\no\\such\\program.exe\" x"));
    // The test program carries no wave resources: nothing to play, and no hang.
    EXPECT_FALSE(alerts.playWave(kVoiceWave, true));
}
