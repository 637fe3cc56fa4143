// The ping meter's network on the running system, on loopback only.
#include "common/win/winsock_session.h"
#include "meter/measure/icmp_helper_echo.h"
#include "meter/measure/ping_counter.h"
#include "meter/measure/win_ping_network.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr std::uint32_t kSilent = 0x7F00004D; // 127.0.0.77
constexpr const char* kSilentRule = "INPUT -d 127.0.0.77 -p icmp --icmp-type echo-request -j DROP";

// Runs an iptables command on the host through /bin/sh and returns its exit code, or
// -1 when it could not be run. Wine starts a Unix program without a process handle to
// wait on, so the shell leaves its exit code in a file that is waited for.
int hostIptables(const std::string& verb)
{
    char status[64];
    std::snprintf(status, sizeof status, "/tmp/brellix-ping-rule-%lu",
                  static_cast<unsigned long>(GetCurrentProcessId()));
    const std::string windowsStatus = std::string("Z:") + status;
    DeleteFileA(windowsStatus.c_str());
    std::string command = "/bin/sh -c \"iptables " + verb + " " + kSilentRule +
                          " >/dev/null 2>&1; echo $? >" + status + ".part; mv " + status +
                          ".part " + status + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    if (process.hProcess != nullptr)
        CloseHandle(process.hProcess);
    if (process.hThread != nullptr)
        CloseHandle(process.hThread);
    for (int i = 0; i < 200; ++i) {
        if (FILE* f = std::fopen(windowsStatus.c_str(), "r")) {
            int code = -1;
            if (std::fscanf(f, "%d", &code) != 1)
                code = -1;
            std::fclose(f);
            DeleteFileA(windowsStatus.c_str());
            return code;
        }
        Sleep(50);
    }
    return -1;
}

// 127.0.0.77 drops echo requests while this lives.
class SilentLoopbackHost {
public:
    SilentLoopbackHost() : added_(hostIptables("-I") == 0) {}
    ~SilentLoopbackHost()
    {
        if (added_)
            hostIptables("-D");
    }
    bool added() const { return added_; }

private:
    bool added_;
};

class pingNetwork : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.started()); }

    WinsockSession session;
    WinPingNetwork network{true};
};

// A system that refuses raw sockets to this user, as Windows does without
// administrator rights, or refuses them for another reason.
class RefusingNetwork : public WinPingNetwork {
public:
    explicit RefusingNetwork(int error) : WinPingNetwork(true), error_(error) {}

protected:
    SOCKET openIcmpSocket(int& error) override
    {
        error = error_;
        return INVALID_SOCKET;
    }

private:
    int error_;
};

} // namespace

TEST_F(pingNetwork, loopbackAnswersWithARoundTrip)
{
    PingCounter counter(network);
    counter.configure(750, {"127.0.0.1"});
    counter.Start();
    counter.Sample();
    ASSERT_EQ(counter.results().size(), 1u);
    EXPECT_GE(counter.results()[0], 0);
    EXPECT_EQ(counter.statuses()[0], kPingOk);
}

TEST_F(pingNetwork, everyLoopbackHostOfATickAnswers)
{
    // Our own requests on loopback arrive among the replies and are read past.
    const auto out = network.echo({kLoopback, 0x7F000002, kLoopback}, 750);
    ASSERT_EQ(out.size(), 3u);
    for (const EchoOutcome& o : out) {
        EXPECT_GE(o.roundTrip, 0);
        EXPECT_EQ(o.status, kPingOk);
    }
}

TEST_F(pingNetwork, dottedAddressesAndNamesResolveToIpv4)
{
    EXPECT_EQ(network.resolve("127.0.0.1"), kLoopback);
    EXPECT_EQ(network.resolve("127.0.0.77"), kSilent);
    EXPECT_EQ(network.resolve("localhost"), kLoopback);
    EXPECT_FALSE(network.resolve(""));
}

TEST_F(pingNetwork, aNameThatDoesNotResolveIsACross)
{
    PingCounter counter(network);
    counter.configure(750, {"brellix-nowhere.invalid", "127.0.0.1"});
    counter.Start();
    counter.Sample();
    EXPECT_EQ(counter.results()[0], -1);
    EXPECT_EQ(counter.statuses()[0], kPingUnresolvable);
    EXPECT_GE(counter.results()[1], 0);
}

TEST_F(pingNetwork, aSilentHostIsACrossAfterTheTimeOutTheOthersStillAnswer)
{
    SilentLoopbackHost silent;
    if (!silent.added())
        GTEST_SKIP() << "cannot add an iptables rule to silence 127.0.0.77 (iptables missing or "
                        "no permission to change the host's firewall)";
    const auto out = network.echo({kSilent, kLoopback}, 300);
    EXPECT_EQ(out[0].roundTrip, -1);
    EXPECT_EQ(out[0].status, kPingTimedOut);
    EXPECT_GE(out[1].roundTrip, 0);
}

TEST_F(pingNetwork, withoutRawSocketRightsTheIcmpHelperAnswers)
{
    RefusingNetwork refused(WSAEACCES);
    const auto out = refused.echo({kLoopback}, 750);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_GE(out[0].roundTrip, 0);
    EXPECT_EQ(out[0].status, kPingOk);
}

TEST_F(pingNetwork, anotherSocketFailureIsACrossForEveryHost)
{
    RefusingNetwork refused(WSAEAFNOSUPPORT);
    const auto out = refused.echo({kLoopback, kLoopback}, 750);
    ASSERT_EQ(out.size(), 2u);
    for (const EchoOutcome& o : out) {
        EXPECT_EQ(o.roundTrip, -1);
        EXPECT_EQ(o.status, WSAEAFNOSUPPORT);
    }
}

TEST_F(pingNetwork, theIcmpHelperCrossesASilentHostAndAnswersTheOthers)
{
    SilentLoopbackHost silent;
    if (!silent.added())
        GTEST_SKIP() << "cannot add an iptables rule to silence 127.0.0.77 (iptables missing or "
                        "no permission to change the host's firewall)";
    const auto out = echoThroughIcmpHelper({kLoopback, kSilent}, 300);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_GE(out[0].roundTrip, 0);
    EXPECT_EQ(out[1].roundTrip, -1);
}
