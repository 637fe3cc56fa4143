#include "meter/measure/perf_stats.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

// The statistics tree: value names with 4-byte values, and a log of every open and
// every read.
class ScriptedPerfStats : public PerfStatsReader {
public:
    std::map<std::string, std::uint32_t> data;
    std::vector<std::string> log;
    bool startStatMissing = false;

    std::unique_ptr<PerfStatsKey> open(const std::string& path) override
    {
        log.push_back("open " + path);
        if (startStatMissing && path == "PerfStats\\StartStat")
            return nullptr;
        return std::make_unique<Key>(*this, path.substr(path.find('\\') + 1));
    }

private:
    class Key : public PerfStatsKey {
    public:
        Key(ScriptedPerfStats& tree, std::string name) : tree_(tree), name_(std::move(name)) {}
        ~Key() override { tree_.log.push_back("close " + name_); }
        bool queryValue(const std::string& value, std::uint8_t* buffer,
                        std::uint32_t* size) override
        {
            tree_.log.push_back(name_ + " " + value + " " + std::to_string(*size));
            const auto it = tree_.data.find(value);
            if (it == tree_.data.end() || *size < 4)
                return false;
            std::memcpy(buffer, &it->second, 4); // little-endian on every target
            *size = 4;
            return true;
        }

    private:
        ScriptedPerfStats& tree_;
        std::string name_;
    };
};

class ManualClock : public TickClock {
public:
    std::uint32_t now = 0;
    std::uint32_t tickCount() const override { return now; }
};

} // namespace

TEST(ByteRate, bytesPerSecondBetweenSamples)
{
    ByteRate rate;
    EXPECT_EQ(rate.update(1000, 5000), 0) << "the first sample has nothing to compare";
    EXPECT_EQ(rate.update(3000, 7000), 1000);
    EXPECT_EQ(rate.update(3003, 9000), 2) << "1.5 rounds up";
    EXPECT_EQ(rate.update(3005, 9000), 0) << "no time passed";
    EXPECT_EQ(rate.update(3005, 9500), 0);
}

TEST(ByteRate, survivesWrapsAndRestarts)
{
    ByteRate rate;
    rate.update(1000, 0xFFFFFC18u); // 1000 ms before the tick count wraps
    EXPECT_EQ(rate.update(3000, 1000), 1000);
    EXPECT_EQ(rate.update(500, 2000), 0) << "a restarted statistic is not a negative rate";
    EXPECT_EQ(rate.update(0xFFFFFFFFu, 2001), 2147483647) << "clamped, not undefined";
}

TEST(PerfStatsSource, opensEachKeyForItsPhase)
{
    ScriptedPerfStats tree;
    ManualClock clock;
    PerfStatsSource source(tree);
    PerfStatsCounter network({401, 402}, clock);
    source.attach(network);
    ASSERT_TRUE(source.start());
    source.collect();
    source.stop();
    const std::vector<std::string> expected = {
        "open PerfStats\\StartStat",          "StartStat SMBRedir\\BReadsSec 512",
        "StartStat SMBRedir\\BWritesSec 512", "close StartStat",
        "open PerfStats\\StatData",           "StatData SMBRedir\\BReadsSec 4",
        "StatData SMBRedir\\BWritesSec 4",    "close StatData",
        "open PerfStats\\StopStat",           "StopStat SMBRedir\\BReadsSec 512",
        "StopStat SMBRedir\\BWritesSec 512",  "close StopStat",
    };
    EXPECT_EQ(tree.log, expected);
}

TEST(PerfStatsSource, noStartKeyStartsNothing)
{
    ScriptedPerfStats tree;
    tree.startStatMissing = true;
    ManualClock clock;
    PerfStatsSource source(tree);
    PerfStatsCounter cpu({400}, clock);
    source.attach(cpu);
    EXPECT_FALSE(source.start());
    source.collect();
    EXPECT_EQ(cpu.value(), 0);
}

TEST(PerfStatsCounter, processorReadsTheStatisticAsItIs)
{
    ScriptedPerfStats tree;
    ManualClock clock;
    PerfStatsSource source(tree);
    PerfStatsCounter cpu({400}, clock);
    source.attach(cpu);
    source.start();
    tree.data["KERNEL\\CPUUsage"] = 42;
    source.collect();
    EXPECT_EQ(cpu.value(), 42);
    tree.data.erase("KERNEL\\CPUUsage");
    source.collect();
    EXPECT_EQ(cpu.value(), 0);
}

TEST(PerfStatsCounter, throughputIsTheRateOfBothStatistics)
{
    ScriptedPerfStats tree;
    ManualClock clock;
    PerfStatsSource source(tree);
    PerfStatsCounter disk({403, 404}, clock);
    source.attach(disk);
    source.start();

    tree.data["VFAT\\BReadsSec"] = 600;
    tree.data["VFAT\\BWritesSec"] = 400;
    clock.now = 10000;
    source.collect();
    EXPECT_EQ(disk.value(), 0) << "first tick after start";

    tree.data["VFAT\\BReadsSec"] = 2000;
    tree.data["VFAT\\BWritesSec"] = 1000;
    clock.now = 12000;
    source.collect();
    EXPECT_EQ(disk.value(), 1000);

    tree.data.erase("VFAT\\BWritesSec"); // a missing statistic counts 0
    clock.now = 13000;
    source.collect();
    EXPECT_EQ(disk.value(), 0);
}
