// The mail plug-in's files on disk: the account file replaced in one step, its damaged
// copy kept aside, and the log file's lines.
#include "mail/account_files_win.h"
#include "mail/log_file_win.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class MailFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "brellix_mail_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        path = folder + "Mail.Brellix";
    }
    void TearDown() override
    {
        for (const char* name :
             {"Mail.Brellix", "Mail.Brellix.new", "Mail.Brellix.bad", "Brellix_MailLog.txt"}) {
            DeleteFileA((folder + name).c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }
    static bool exists(const std::string& p)
    {
        return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string folder;
    std::string path;
    mail::WinAccountFiles files;
};

TEST_F(MailFilesTest, ReplaceWritesTheWholeFileAndLeavesNoTemporary)
{
    const std::string first(100000, 'a');
    ASSERT_TRUE(files.replace(path, first));
    ASSERT_TRUE(files.replace(path, "short"));
    std::string back;
    ASSERT_TRUE(files.read(path, back));
    EXPECT_EQ(back, "short");
    EXPECT_FALSE(exists(path + ".new"));
}

TEST_F(MailFilesTest, FailedReplaceKeepsTheOldFile)
{
    ASSERT_TRUE(files.replace(path, "old"));
    // A directory in the temporary file's place makes the write fail.
    ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
    EXPECT_FALSE(files.replace(path, "new"));
    RemoveDirectoryA((path + ".new").c_str());
    std::string back;
    ASSERT_TRUE(files.read(path, back));
    EXPECT_EQ(back, "old");
    EXPECT_FALSE(files.replace(folder + "missing\\Mail.Brellix", "x"));
}

TEST_F(MailFilesTest, MissingFileCannotBeRead)
{
    std::string back = "left";
    EXPECT_FALSE(files.read(path, back));
}

TEST_F(MailFilesTest, KeepAsideReplacesAnEarlierDamagedCopy)
{
    ASSERT_TRUE(files.replace(path + ".bad", "older damage"));
    ASSERT_TRUE(files.replace(path, "damaged"));
    ASSERT_TRUE(files.keepAside(path, path + ".bad"));
    EXPECT_FALSE(exists(path));
    std::string back;
    ASSERT_TRUE(files.read(path + ".bad", back));
    EXPECT_EQ(back, "damaged");
}

TEST_F(MailFilesTest, LogFileIsCreatedEmptyAndEndsEachLineWithCrLf)
{
    const std::string logPath = mail::logFilePath(folder, "Brellix");
    EXPECT_EQ(logPath, folder + "Brellix_MailLog.txt");
    ASSERT_TRUE(files.replace(logPath, "from the last run\r\n"));
    {
        auto file = mail::WinLogFile::create(logPath);
        ASSERT_TRUE(file);
        file->writeLine("one");
        file->writeLine("two");
    }
    std::string back;
    ASSERT_TRUE(files.read(logPath, back));
    EXPECT_EQ(back, "one\r\ntwo\r\n");
    EXPECT_FALSE(mail::WinLogFile::create(folder + "missing\\x.txt"));
}

} // namespace
