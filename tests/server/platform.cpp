// The platform layer's sockets and clock on loopback: what both programs rely on, above all
// that a non-blocking receive with nothing waiting says so apart from an error.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "platform/net.h"
#include "platform/sys.h"

namespace {

int localPort(PlatformSocket s) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr *>(&a), &len);
    return platformPortFromNetwork(a.sin_port);
}

TEST(PlatformNet, DatagramsRoundTripOnLoopback) {
    ASSERT_TRUE(platformNetStart());
    PlatformSocket a = platformSocketOpen();
    PlatformSocket b = platformSocketOpen();
    ASSERT_NE(a, platformSocketInvalid);
    ASSERT_TRUE(platformSocketSetNonBlocking(a));
    ASSERT_TRUE(platformSocketSetNonBlocking(b));
    ASSERT_NE(fcntl(a, F_GETFL) & O_NONBLOCK, 0); // else the receives below never return
    ASSERT_TRUE(platformSocketBind(a, 0));
    ASSERT_TRUE(platformSocketBind(b, 0));
    uint8_t buffer[16];
    PlatformAddress from{1, 2};
    EXPECT_EQ(platformSocketReceive(a, buffer, sizeof buffer, from), platformReceiveNothing);
    EXPECT_EQ(from.address, 1u); // untouched when nothing came

    uint32_t loopback = 0;
    ASSERT_TRUE(platformHostLookup("127.0.0.1", loopback));
    PlatformAddress toA{loopback, platformPortToNetwork(localPort(a))};
    const uint8_t hello[3] = {0, 3, 'p'};
    EXPECT_EQ(platformSocketSend(b, hello, 3, toA), 3);
    EXPECT_EQ(platformSocketSend(b, hello, 0, toA), 0);
    int n = platformReceiveNothing;
    for (int i = 0; i < 200 && n == platformReceiveNothing; i++) {
        n = platformSocketReceive(a, buffer, sizeof buffer, from);
        if (n == platformReceiveNothing) platformSleepMilliseconds(5);
    }
    ASSERT_EQ(n, 3);
    EXPECT_EQ(buffer[2], 'p');
    EXPECT_EQ(from.address, loopback);
    EXPECT_EQ(platformPortFromNetwork(from.port), localPort(b));
    // The empty datagram is a datagram of 0 bytes, not "nothing".
    EXPECT_EQ(platformSocketReceive(a, buffer, sizeof buffer, from), 0);
    EXPECT_EQ(platformSocketReceive(a, buffer, sizeof buffer, from), platformReceiveNothing);

    platformSocketShutdown(a);
    platformSocketClose(a);
    platformSocketClose(b);
    EXPECT_EQ(platformSocketReceive(a, buffer, sizeof buffer, from), platformReceiveError);
}

// The server's idle wait: over at once when a datagram (an empty one too) waits, after its
// time when none does, and no spin on a socket that cannot be waited on.
TEST(PlatformNet, WaitEndsOnADatagramOrAfterItsTime) {
    using Clock = std::chrono::steady_clock;
    PlatformSocket a = platformSocketOpen();
    PlatformSocket b = platformSocketOpen();
    ASSERT_TRUE(platformSocketBind(a, 0));
    auto begin = Clock::now();
    EXPECT_FALSE(platformSocketWait(a, 30));
    EXPECT_GE(Clock::now() - begin, std::chrono::milliseconds(29));
    PlatformAddress toA{htonl(INADDR_LOOPBACK), platformPortToNetwork(localPort(a))};
    EXPECT_EQ(platformSocketSend(b, nullptr, 0, toA), 0);
    begin = Clock::now();
    EXPECT_TRUE(platformSocketWait(a, 2000));
    EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(1000));
    platformSocketClose(a);
    platformSocketClose(b);
    begin = Clock::now();
    EXPECT_FALSE(platformSocketWait(a, 30));
    EXPECT_GE(Clock::now() - begin, std::chrono::milliseconds(29));
}

TEST(PlatformNet, NamesAndAddressText) {
    char text[platformAddressTextSize];
    uint32_t address = 0;
    ASSERT_TRUE(platformHostLookup("192.168.1.20", address));
    EXPECT_STREQ(platformAddressText(address, text), "192.168.1.20");
    EXPECT_STREQ(platformAddressText(0xffffffffu, text), "255.255.255.255");
    EXPECT_FALSE(platformHostLookup("", address));
    char name[4];
    // A host name longer than the buffer still comes back ended by a zero byte.
    platformHostName(name, sizeof name);
    EXPECT_LT(strlen(name), sizeof name);
}

TEST(PlatformSys, SleepAndWallClock) {
    auto begin = std::chrono::steady_clock::now();
    platformSleepMilliseconds(20);
    auto slept = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(slept, std::chrono::milliseconds(20));
    int64_t ms = platformClockMilliseconds();
    int64_t s = platformClockSeconds();
    EXPECT_GT(s, 1700000000);
    EXPECT_LE(ms / 1000, s);
    EXPECT_LE(s - ms / 1000, 1);
}

} // namespace
