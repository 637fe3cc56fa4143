#include "meter/measure/network_interfaces.h"
#include "tests/native/scripted_counter_library.h"

#include <gtest/gtest.h>

TEST(defaultInterfaceIndex, skipsTheLoopbackAndPrefersAnAdapterNamedTwo)
{
    EXPECT_EQ(defaultInterfaceIndex({"MS TCP Loopback interface", "Realtek"}), 1);
    EXPECT_EQ(defaultInterfaceIndex({"ms tcp loopback INTERFACE", "Realtek"}), 1);
    EXPECT_EQ(defaultInterfaceIndex({"1", "2", "3"}), 1);
    EXPECT_EQ(defaultInterfaceIndex({"2", "x", "2", "y"}), 2) << "the last one named 2";
    EXPECT_EQ(defaultInterfaceIndex({"MS TCP Loopback interface"}), -1);
    EXPECT_EQ(defaultInterfaceIndex({}), -1);
    EXPECT_EQ(defaultInterfaceIndex({"MS TCP Loopback interface2", "a"}), 0);
}

TEST(splitMultiString, stopsAtTheEmptyNameOrTheBufferEnd)
{
    const char list[] = "one\0two\0\0three";
    EXPECT_EQ(splitMultiString(list, sizeof list), (std::vector<std::string>{"one", "two"}));
    const char unterminated[] = {'a', '\0', 'b', 'c'};
    EXPECT_EQ(splitMultiString(unterminated, sizeof unterminated),
              (std::vector<std::string>{"a", "bc"}));
    EXPECT_TRUE(splitMultiString(list, 0).empty());
}

namespace {

struct Enumeration {
    ScriptedCounterLibrary pdh;
    NetworkInterfaces interfaces;
    PlatformFacts facts{true, true, kLanguageEnglish};
    RemoteComputer remote;

    void rebuild() { interfaces.rebuild(pdh, facts, remote); }
};

} // namespace

TEST(NetworkInterfaces, sizesThenFillsAndChoosesTheDefault)
{
    Enumeration e;
    e.pdh.instances[""] = {"MS TCP Loopback interface", "Intel PRO_1000"};
    e.rebuild();
    EXPECT_EQ(e.interfaces.names(),
              (std::vector<std::string>{"MS TCP Loopback interface", "Intel PRO_1000"}));
    EXPECT_EQ(e.interfaces.defaultIndex(), 1);
    ASSERT_EQ(e.pdh.calls.size(), 2u);
    EXPECT_EQ(e.pdh.calls[0], "enum  Network Interface 200 0 sizing");
    EXPECT_EQ(e.pdh.calls[1], "enum  Network Interface 200 0 filling");
}

TEST(NetworkInterfaces, remoteFirstThenThisComputer)
{
    Enumeration e;
    e.remote.set("alpha");
    e.facts.counterLanguage = kLanguageGerman;
    e.pdh.instances[""] = {"local"};
    e.rebuild();
    EXPECT_EQ(e.interfaces.names(), std::vector<std::string>{"local"});
    const std::vector<std::string> expected = {
        R"(enum \\alpha Netzwerkschnittstelle 200 0 sizing)",
        "enum  Netzwerkschnittstelle 200 0 sizing",
        R"(enum \\alpha Netzwerkschnittstelle 200 0 filling)",
        "enum  Netzwerkschnittstelle 200 0 filling",
    };
    EXPECT_EQ(e.pdh.calls, expected);

    Enumeration r;
    r.remote.set("alpha");
    r.pdh.instances[R"(\\alpha)"] = {"remote"};
    r.pdh.instances[""] = {"local"};
    r.rebuild();
    EXPECT_EQ(r.interfaces.names(), std::vector<std::string>{"remote"});
}

TEST(NetworkInterfaces, failedEnumerationLeavesTheListEmpty)
{
    Enumeration e;
    e.interfaces.assign({"stale"});
    e.rebuild();
    EXPECT_TRUE(e.interfaces.names().empty());
    EXPECT_EQ(e.interfaces.defaultIndex(), -1);
    EXPECT_EQ(e.interfaces.resolve(0), -1);

    Enumeration none; // the object exists but has no instances
    none.pdh.instances[""] = {};
    none.rebuild();
    EXPECT_TRUE(none.interfaces.names().empty());
}

TEST(NetworkInterfaces, resolveKeepsOnlyAnIndexThatExists)
{
    NetworkInterfaces interfaces;
    interfaces.assign({"MS TCP Loopback interface", "a", "b"});
    EXPECT_EQ(interfaces.resolve(-1), 1);
    EXPECT_EQ(interfaces.resolve(0), 0);
    EXPECT_EQ(interfaces.resolve(2), 2);
    EXPECT_EQ(interfaces.resolve(3), 1);
    EXPECT_EQ(interfaces.resolve(-7), 1);
}
