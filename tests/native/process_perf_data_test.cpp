#include "meter/measure/perf_data_block.h"
#include "tests/native/perf_data_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const std::string& bytes)
{
    return terminatedMultiString(bytes.data(), bytes.size());
}

// Entries joined by terminators, with the empty entry that ends the list.
std::string multi(const std::vector<std::string>& entries)
{
    std::string bytes;
    for (const std::string& e : entries)
        bytes += e + '\0';
    return bytes + '\0';
}

ProcessCounterNames namesIn(const std::string& bytes)
{
    return findProcessCounterNames(bytes.data(), bytes.size());
}

std::vector<ProcessIdentity> read(const std::vector<std::uint8_t>& block, bool* ok = nullptr)
{
    std::vector<ProcessIdentity> out;
    const bool result =
        readProcessList(block.data(), block.size(), 230, 784, narrowToWindows1252, out);
    if (ok != nullptr)
        *ok = result;
    return out;
}

const std::vector<PerfInstanceSpec> kThree = {
    {u"idle", 0}, {u"svchost", 412}, {u"explorer", 1288}, {u"_Total", 0}};

} // namespace

TEST(perfDataMultiString, splitsAtTheEmptyEntry)
{
    EXPECT_EQ(split(std::string("1\0System\0\0junk\0\0", 16)),
              (std::vector<std::string>{"1", "System"}));
    EXPECT_TRUE(split(std::string("\0", 1)).empty());
}

TEST(perfDataMultiString, anUnterminatedListIsEmpty)
{
    EXPECT_TRUE(split(std::string("1\0System\0", 9)).empty());
    EXPECT_TRUE(split(std::string("1\0Sys", 5)).empty());
    EXPECT_TRUE(split("").empty());
}

TEST(perfDataCounterNames, findsTheProcessObjectAndItsIdCounter)
{
    const ProcessCounterNames found = namesIn(multi(
        {"1", "1847", "2", "System", "230", "Process", "232", "Thread", "784", "ID Process"}));
    EXPECT_TRUE(found.found());
    EXPECT_EQ(found.objectIndex, "230");
    EXPECT_EQ(found.idProcessIndex, 784u);
}

TEST(perfDataCounterNames, matchesIgnoringCaseAndSkipsIndexesThatAreNotNumbers)
{
    const ProcessCounterNames found =
        namesIn(multi({"x1", "process", "7", "PROCESS", "9", "id PROCESS"}));
    EXPECT_EQ(found.objectIndex, "7");
    EXPECT_EQ(found.idProcessIndex, 9u);
}

TEST(perfDataCounterNames, missingOrUnterminatedNamesAreNotFound)
{
    EXPECT_FALSE(namesIn(multi({"2", "System"})).found());
    // The process entry is there, but the list never ends inside the bytes.
    EXPECT_FALSE(namesIn(std::string("230\0Process\0", 12)).found());
    EXPECT_FALSE(findProcessCounterNames(nullptr, 0).found());
}

TEST(perfDataProcessList, readsNamesAndIdsWithoutTheTotal)
{
    PerfDataBuilder builder;
    bool ok = false;
    const std::vector<ProcessIdentity> list = read(builder.processes(kThree), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "Idle"); // first letter upper-cased
    EXPECT_EQ(list[0].pid, 0u);
    EXPECT_EQ(list[1].name, "Svchost");
    EXPECT_EQ(list[1].pid, 412u);
    EXPECT_EQ(list[2].name, "Explorer");
    EXPECT_EQ(list[2].pid, 1288u);
}

TEST(perfDataProcessList, findsTheProcessObjectAmongOthers)
{
    PerfDataBuilder builder;
    PerfObjectSpec thread;
    thread.nameIndex = 232;
    thread.instances = {{u"a", 5}, {u"b", 6}};
    PerfObjectSpec process;
    process.instances = {{u"svchost", 412}, {u"_total", 0}};
    const std::vector<ProcessIdentity> list = read(builder.build({thread, process}));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].pid, 412u);
}

TEST(perfDataProcessList, noInstancesOnlyTheTotalOrNoIdCounterIsEmpty)
{
    PerfDataBuilder builder;
    PerfObjectSpec none;
    none.noInstances = true;
    bool ok = true;
    EXPECT_TRUE(read(builder.build({none}), &ok).empty());
    EXPECT_FALSE(ok);

    PerfObjectSpec one;
    one.instances = {{u"svchost", 412}};
    EXPECT_TRUE(read(builder.build({one})).empty());

    PerfObjectSpec onlyTotal;
    onlyTotal.instances = {{u"_Total", 0}, {u"_TOTAL", 0}};
    EXPECT_TRUE(read(builder.build({onlyTotal}), &ok).empty());
    EXPECT_FALSE(ok);

    PerfObjectSpec noId;
    noId.idProcessIndex = 0;
    noId.instances = kThree;
    EXPECT_TRUE(read(builder.build({noId})).empty());

    PerfObjectSpec other;
    other.nameIndex = 238;
    other.instances = kThree;
    EXPECT_TRUE(read(builder.build({other})).empty());
}

TEST(perfDataProcessList, namesAreNarrowedToTheCodePageAndCut)
{
    PerfDataBuilder builder;
    const std::u16string longName(400, u'a');
    const std::vector<ProcessIdentity> list =
        read(builder.processes({{u"\u00e9diteur", 1}, {u"\u20ac\u4e2d", 2}, {longName, 3}}));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "\xC9"
                            "diteur"); // É, upper-cased in the code page
    EXPECT_EQ(list[1].name, "\x80?");  // the euro sign; no Chinese in 1252
    EXPECT_EQ(list[2].name.size(), kMaxProcessNameBytes);
}

TEST(perfDataProcessList, aNameIsCutAtItsRecordedLength)
{
    PerfDataBuilder builder;
    std::vector<std::uint8_t> block = builder.processes({{u"svchost", 1}, {u"lsass", 2}});
    // Two characters long, no terminator among them.
    poke32(block, builder.map().firstInstance + PerfLayout::kInstanceNameLength, 4);
    const std::vector<ProcessIdentity> list = read(block);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "Sv");
}

TEST(perfDataProcessList, everyTruncationReadsAsNothing)
{
    PerfDataBuilder builder;
    const std::vector<std::uint8_t> block = builder.processes(kThree);
    for (std::size_t size = 0; size < block.size(); ++size) {
        // A copy of exactly this many bytes, so that the sanitizer sees any read past it.
        const std::vector<std::uint8_t> cut(block.begin(),
                                            block.begin() + static_cast<std::ptrdiff_t>(size));
        std::vector<ProcessIdentity> out{{"stale", 9}};
        EXPECT_FALSE(readProcessList(cut.data(), cut.size(), 230, 784, narrowToWindows1252, out))
            << "cut to " << size;
        EXPECT_TRUE(out.empty());
    }
}

TEST(perfDataProcessList, lyingOffsetsAndCountsStayInsideTheBlock)
{
    PerfDataBuilder builder;
    const std::vector<std::uint8_t> block = builder.processes(kThree);
    const std::uint32_t size = static_cast<std::uint32_t>(block.size());
    const std::uint32_t lies[] = {0,           1,           3,          4,        23,
                                  24,          size - 1,    size,       size + 1, 0x7FFFFFFFu,
                                  0x80000000u, 0xFFFFFFF0u, 0xFFFFFFFFu};
    // Every 32-bit field of every record, each told every lie.
    for (std::size_t at = 0; at + 4 <= block.size(); at += 4) {
        for (const std::uint32_t lie : lies) {
            std::vector<std::uint8_t> bad = block;
            poke32(bad, at, lie);
            std::vector<ProcessIdentity> out;
            const bool ok =
                readProcessList(bad.data(), bad.size(), 230, 784, narrowToWindows1252, out);
            EXPECT_EQ(ok, !out.empty()) << "field " << at << " = " << lie;
            EXPECT_LE(out.size(), kThree.size()) << "field " << at << " = " << lie;
        }
    }
}

TEST(perfDataProcessList, aHugeInstanceCountEndsAtTheBlock)
{
    PerfDataBuilder builder;
    std::vector<std::uint8_t> block = builder.processes(kThree);
    poke32(block, builder.map().object + PerfLayout::kObjectInstanceCount, 0x7FFFFFFFu);
    bool ok = true;
    EXPECT_TRUE(read(block, &ok).empty());
    EXPECT_FALSE(ok);
}
