#include "renewo/browser_command.h"

#include <gtest/gtest.h>

#include <map>

using namespace renewo;

namespace {

class Root : public ClassesRoot {
public:
    std::map<std::string, std::string> values;
    bool defaultValue(const std::string& subkey, std::size_t maxBytes, std::string& value) override
    {
        auto it = values.find(subkey);
        if (it == values.end() || it->second.empty() || it->second.size() >= maxBytes) {
            return false;
        }
        value = it->second;
        return true;
    }
};

} // namespace

TEST(renewoFindBrowserCommand, prefersHtmThenFallsBackToHtml)
{
    Root root;
    EXPECT_EQ(findBrowserCommand(root), "");
    root.values[".html"] = "htmlfile";
    root.values["htmlfile\\shell\\open\\command"] = "browser.exe \"%1\"";
    EXPECT_EQ(findBrowserCommand(root), "browser.exe \"%1\"");
    root.values[".htm"] = "htmfile";
    EXPECT_EQ(findBrowserCommand(root), "browser.exe \"%1\"") << "no command for .htm's type";
    root.values["htmfile\\shell\\open\\command"] = "other.exe";
    EXPECT_EQ(findBrowserCommand(root), "other.exe");
}

TEST(renewoBuildBrowserCommandLine, putsTheAddressInPlaceOfPercentOne)
{
    std::string line;
    ASSERT_TRUE(buildBrowserCommandLine("\"C:\\B\\b.exe\" -nohome \"%1\"", "http://x/y", line));
    EXPECT_EQ(line, "\"C:\\B\\b.exe\" -nohome \"http://x/y\"");
    ASSERT_TRUE(buildBrowserCommandLine("b.exe %1 %% %2", "http://x/%20y", line));
    EXPECT_EQ(line, "b.exe http://x/%20y % %2");
}

TEST(renewoBuildBrowserCommandLine, appendsTheAddressWithoutPercentOne)
{
    std::string line;
    ASSERT_TRUE(buildBrowserCommandLine("C:\\B\\b.exe", "http://x/", line));
    EXPECT_EQ(line, "C:\\B\\b.exe http://x/");
}

TEST(renewoBuildBrowserCommandLine, refusesLinesOver255Characters)
{
    std::string line = "unchanged";
    const std::string command = "b.exe \"%1\""; // 8 characters around the address
    EXPECT_TRUE(buildBrowserCommandLine(command, std::string(247, 'a'), line));
    EXPECT_EQ(line.size(), 255u);
    line = "unchanged";
    EXPECT_FALSE(buildBrowserCommandLine(command, std::string(248, 'a'), line));
    EXPECT_FALSE(buildBrowserCommandLine("b.exe", std::string(250, 'a'), line));
    EXPECT_EQ(line, "unchanged");
}

TEST(renewoBuildBrowserCommandLine, refusesAddressesThatCouldLeaveTheirQuotes)
{
    std::string line;
    EXPECT_FALSE(buildBrowserCommandLine("b.exe \"%1\"", "http://x/\" -evil \"", line));
    EXPECT_FALSE(buildBrowserCommandLine("b.exe", "http://x/\r\ncalc", line));
}
