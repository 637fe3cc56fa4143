// The resource script's string table and the core's texts must not drift apart: the
// program loads one, the tests and the core use the other.
#include "meter/measure/counter_library_loader.h"
#include "meter/measure/counter_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

// The entries `id "text"` of a string table in UTF-8, with the text unescaped and
// converted to Windows-1252 (all of our texts stay within Latin-1).
std::map<int, std::string> readStringTable(const std::string& path)
{
    std::ifstream in(path);
    std::map<int, std::string> table;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int id = 0;
        if (!(fields >> id))
            continue;
        const std::size_t open = line.find('"');
        const std::size_t close = line.rfind('"');
        if (open == std::string::npos || close <= open)
            continue;
        const std::string quoted = line.substr(open + 1, close - open - 1);
        std::string text;
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            const auto c = static_cast<unsigned char>(quoted[i]);
            if (c == '\\' && i + 1 < quoted.size()) {
                const char next = quoted[++i];
                text += next == 'n' ? '\n' : next;
            } else if (c == '"' && i + 1 < quoted.size() && quoted[i + 1] == '"') {
                text += '"';
                ++i;
            } else if ((c & 0xE0) == 0xC0 && i + 1 < quoted.size()) {
                const auto low = static_cast<unsigned char>(quoted[++i]);
                text += static_cast<char>(((c & 0x1F) << 6) | (low & 0x3F));
            } else {
                text += static_cast<char>(c);
            }
        }
        table[id] = text;
    }
    return table;
}

} // namespace

TEST(counterStrings, resourceScriptMatchesTheCore)
{
#ifdef _WIN32
    GTEST_SKIP() << "the source tree is read by the native suite";
#endif
    std::string here = __FILE__;
    const std::string script =
        here.substr(0, here.rfind("tests/native/")) + "meter/measure/counter_strings.rc";
    const std::map<int, std::string> table = readStringTable(script);
    ASSERT_EQ(table.size(), 63u) << script;
    for (const auto& [id, text] : table) {
        if (id == IDS_PDH_MISSING) {
            EXPECT_EQ(text, kPdhMissingMessage);
            continue;
        }
        const char* core = counterPathText(id);
        ASSERT_NE(core, nullptr) << id;
        EXPECT_EQ(text, core) << id;
    }
}
