#include "tests/native/pdh_rig.h"

#include <gtest/gtest.h>

namespace {

const char* kServerPath = R"(\Server\Bytes Total/sec)";

std::string interfacePath(const std::string& name)
{
    return R"(\Network Interface()" + name + R"()\Bytes Total/sec)";
}

// Starts a network counter configured for an interface index on a system with the
// given interfaces, every path existing; returns the path it measures.
std::string networkPath(PdhRig& rig, std::vector<std::string> names, int configured)
{
    rig.pdh.acceptAll = true;
    rig.env.interfaces.assign(std::move(names));
    NetworkPdhCounter counter;
    counter.setInterfaceIndex(configured);
    rig.start({&counter});
    return counter.addedPath();
}

} // namespace

TEST(NetworkCounter, measuresTheConfiguredOrElseTheDefaultInterface)
{
    {
        PdhRig rig;
        EXPECT_EQ(networkPath(rig, {"MS TCP Loopback interface", "Ethernet"}, -1),
                  interfacePath("Ethernet"));
    }
    {
        PdhRig rig;
        EXPECT_EQ(networkPath(rig, {"MS TCP Loopback interface", "Ethernet"}, 0),
                  interfacePath("MS TCP Loopback interface"));
    }
    {
        PdhRig rig; // index 5 of three: the default
        EXPECT_EQ(networkPath(rig, {"1", "2", "3"}, 5), interfacePath("2"));
    }
    {
        PdhRig rig;
        EXPECT_EQ(networkPath(rig, {"a", "b", "c"}, 3), interfacePath("a"));
    }
}

TEST(NetworkCounter, fallsBackToTheServerCounter)
{
    {
        PdhRig rig; // only the loopback: no default
        EXPECT_EQ(networkPath(rig, {"MS TCP Loopback interface"}, -1), kServerPath);
    }
    {
        PdhRig rig; // nothing enumerated
        EXPECT_EQ(networkPath(rig, {}, 0), kServerPath);
    }
    {
        PdhRig rig; // the interface's own counter is missing
        rig.env.interfaces.assign({"Ethernet"});
        rig.pdh.paths = {kServerPath};
        NetworkPdhCounter counter;
        rig.start({&counter});
        EXPECT_EQ(counter.addedPath(), kServerPath);
        EXPECT_EQ(rig.pdh.count("add " + interfacePath("Ethernet")), 1u);
    }
}

TEST(NetworkCounter, usesTheLocalizedObjectName)
{
    PdhRig rig(true, kLanguageFrench);
    EXPECT_EQ(networkPath(rig, {"Carte"}, -1), R"(\Interface réseau(Carte)\Total des octets/sec)");
}

TEST(NetworkCounter, instanceNameIsNotAFormat)
{
    PdhRig rig;
    EXPECT_EQ(networkPath(rig, {"Adapter %s %n %d"}, -1), interfacePath("Adapter %s %n %d"));
}

TEST(NetworkCounter, remoteComputerMeasuresItsOwnInterfaces)
{
    PdhRig rig;
    rig.env.remote.set("alpha");
    EXPECT_EQ(networkPath(rig, {"Ethernet"}, -1), R"(\\alpha)" + interfacePath("Ethernet"));

    PdhRig none;
    none.env.remote.set("alpha");
    EXPECT_EQ(networkPath(none, {}, -1), R"(\\alpha\Server\Bytes Total/sec)");
}
