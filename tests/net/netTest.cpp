// The network client against a stand-in server on loopback: the join, the local port, the
// reading of every server message (cut and oversized ones too), and the unit update both
// ways with its fixed 24.8 numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "core/state.h"
#include "net/net.h"
#include "net/update.h"
#include "world/random.h"
#include "world/scenery.h"
#include "world/unit.h"

namespace {

using Bytes = std::vector<uint8_t>;
template <size_t N> Bytes dg(const char (&s)[N]) {
    return Bytes(s, s + N - 1);
}
// A datagram of these message bytes with its length in front.
template <size_t N> Bytes frame(const char (&s)[N]) {
    Bytes b{uint8_t((N + 1) >> 8), uint8_t((N + 1) & 255)};
    b.insert(b.end(), s, s + N - 1);
    return b;
}

// A UDP socket on 127.0.0.1 that plays the server; it answers whoever sent to it last.
struct Peer {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in client{};
    int port = 0;
    Peer() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        bind(fd, reinterpret_cast<sockaddr *>(&a), len);
        getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
        port = ntohs(a.sin_port);
    }
    ~Peer() { close(fd); }
    // The next datagram within ms milliseconds; empty when none came.
    Bytes receive(int ms = 200) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, ms) != 1) return {};
        uint8_t b[9000];
        socklen_t len = sizeof client;
        ssize_t n = recvfrom(fd, b, sizeof b, 0, reinterpret_cast<sockaddr *>(&client), &len);
        return Bytes(b, b + (n > 0 ? n : 0));
    }
    void send(const Bytes &d) {
        sendto(fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr *>(&client), sizeof client);
    }
};

class Net : public ::testing::Test {
  protected:
    Peer server;
    void SetUp() override {
        netInit();
        EXPECT_EQ(serverPort, 9999); // then the stand-in's port
        myPlayerId = 0;
        totalTime = 0;
        memset(playerNames, 0, sizeof playerNames);
        memset(playerNameLengths, 0, sizeof playerNameLengths);
        unitClearAll();
        sceneryPropsClear();
        serverPort = server.port;
    }
    void TearDown() override { netDisconnect(); }
    Bytes connect(const char *name) {
        netConnect(name, "127.0.0.1");
        if (!(fcntl(netSocket, F_GETFL) & O_NONBLOCK)) { // a blocking read would hang the test
            ADD_FAILURE() << "the client's socket blocks";
            netDisconnect();
        }
        return server.receive();
    }
    // Sends a datagram and lets the client read it.
    void deliver(const Bytes &d) {
        server.send(d);
        netReceive();
    }
};

TEST_F(Net, JoinsFromItsLocalPortAndReadsNothingWithoutASocket) {
    netReceive();
    EXPECT_EQ(packetsReceived, 0u);
    netConnect("ann", ""); // a host that is not found: nothing goes out
    EXPECT_TRUE(server.receive(50).empty());
    netDisconnect();
    strcpy(playerNames[1], "bo");
    EXPECT_EQ(connect(""), dg("\x00\x04J\x00"));
    EXPECT_EQ(ntohs(server.client.sin_port), localPort);
    EXPECT_GE(localPort, 10000);
    EXPECT_LE(localPort, 10031);
    deliver(dg("\x00\x03S")); // server full: nothing changes, the socket stays open
    EXPECT_EQ(netState, 0);
    deliver(dg("\x00\x04W\x02"));
    EXPECT_EQ(netState, 1);
    EXPECT_EQ(myPlayerId, 2);
    EXPECT_EQ(packetsReceived, 2u);
    netSendBegin(); // the state waits for the server's own begin
    EXPECT_EQ(server.receive(), dg("\x00\x03"
                                   "B"));
    EXPECT_EQ(netState, 1);

    // A new socket takes the closed one's number and port: the client must leave it alone.
    PlatformSocket closed = netSocket;
    netDisconnect();
    EXPECT_EQ(netState, 0);
    EXPECT_EQ(packetsReceived, 0u);
    PlatformSocket other = platformSocketOpen();
    ASSERT_EQ(other, closed);
    platformSocketSetNonBlocking(other); // a client that read it must not block the test
    platformSocketBind(other, localPort);
    deliver(dg("\x00\x03"
               "B"));
    EXPECT_EQ(netState, 0);
    EXPECT_EQ(packetsReceived, 0u);
    EXPECT_EQ(myPlayerId, 2);
    EXPECT_STREQ(playerNames[1], "bo");
    netDisconnect();
    uint8_t got[8];
    PlatformAddress from;
    EXPECT_TRUE(platformSocketWait(other, 200));
    EXPECT_EQ(platformSocketReceive(other, got, 8, from), 3);
    platformSocketClose(other);
}

// A port that another client on this machine holds is passed over for the next one, and
// with all 32 taken the system chooses; the join goes out either way.
TEST_F(Net, TakesTheNextFreeLocalPort) {
    // The seed's first draw, -2146914187, is negative: its low five bits are 21.
    const int drawn = 10021;
    randomSeed(5583, 0);
    connect("ann");
    EXPECT_EQ(localPort, drawn);
    netDisconnect();
    std::vector<int> held;
    for (int i = 0; i < 32; i++) {
        int s = platformSocketOpen();
        held.push_back(s);
        platformSocketBind(s, 10000 + (drawn - 10000 + i) % 32);
        if (i == 0) {
            randomSeed(5583, 0);
            EXPECT_EQ(connect("ann"), dg("\x00\x07J"
                                         "ann\x00"));
            EXPECT_EQ(localPort, 10022);
            EXPECT_EQ(ntohs(server.client.sin_port), localPort);
            netDisconnect();
        }
    }
    EXPECT_EQ(connect("abcdefghijklmno"), dg("\x00\x13J"
                                             "abcdefghijklmno\x00"));
    EXPECT_EQ(localPort, 0);
    for (int s : held)
        platformSocketClose(s);
}

TEST_F(Net, AnswersEveryPingAndReadsMessagesInOrder) {
    connect("ann");
    deliver(dg("\x00\x03p"));
    EXPECT_EQ(server.receive(), dg("\x00\x03p"));
    EXPECT_TRUE(server.receive(50).empty());
    deliver(dg("\x00\x04pp"));
    EXPECT_EQ(server.receive(), dg("\x00\x03p"));
    EXPECT_EQ(server.receive(), dg("\x00\x03p"));
    EXPECT_TRUE(server.receive(50).empty());
    deliver(dg("\x00\x05W\x03"
               "B"));
    EXPECT_EQ(myPlayerId, 3);
    EXPECT_EQ(netState, 2);
    EXPECT_EQ(packetsReceived, 3u);
    deliver(dg("\x00\x04W\x01")); // a welcome during a game
    EXPECT_EQ(netState, 1);
}

TEST_F(Net, AMismatchedLengthEndsTheFramesReading) {
    connect("ann");
    server.send(dg("\x00\x04W\x01\x00"));
    server.send(dg("\x00\x04W\x01"));
    netReceive();
    EXPECT_EQ(packetsReceived, 1u);
    EXPECT_EQ(netState, 0);
    netReceive();
    EXPECT_EQ(packetsReceived, 2u);
    EXPECT_EQ(netState, 1);
    // Below 3 bytes: not counted, and the reading ends; all else waiting is read at once.
    server.send(dg("\x00\x02"));
    server.send(dg("\x00\x03"
                   "B"));
    server.send(dg("\x00\x04W\x03"));
    netReceive();
    EXPECT_EQ(packetsReceived, 2u);
    EXPECT_EQ(netState, 1);
    netReceive();
    EXPECT_EQ(packetsReceived, 4u);
    EXPECT_EQ(myPlayerId, 3);
}

TEST_F(Net, NamesAndDropsOfPlayers) {
    connect("ann");
    strcpy(playerNames[2], "old");
    playerNameLengths[2] = 3;
    deliver(dg("\x00\x09N\x02"
               "ann\x00\x00"));
    EXPECT_STREQ(playerNames[0], "ann");
    EXPECT_EQ(playerNameLengths[0], 3);
    EXPECT_EQ(playerNameLengths[1], 0);
    EXPECT_STREQ(playerNames[2], "old");

    unitSpawn(1, 0, 0, 0, 1, 5, 0);
    unitSpawn(2, 0, 0, 0, 0, 6, 0);
    unitSpawn(2, 0, 0, 0, 2, 7, 0);
    units[0].flags = 4;
    units[0].timer = 50;
    deliver(dg("\x00\x04X\x02")); // a player left: nothing changes
    deliver(dg("\x00\x04"
               "D\x01"));
    EXPECT_EQ(units[0].flags, 5u); // bit 0, dying, added
    EXPECT_EQ(units[0].hp, 0);
    EXPECT_EQ(units[0].timer, 0);
    EXPECT_EQ(units[1].flags, 0u);
    EXPECT_EQ(units[2].flags, 0u);
}

// Oversized names are cut and extra names read over; a cut message is refused and ends its
// datagram; a welcome to a slot above 3 is refused and the reading goes on.
TEST_F(Net, CutAndOversizedMessagesStayInsideTheirBounds) {
    connect("ann");
    deliver(frame("N\x06"
                  "abcdefghijklmnopqrst\x00"
                  "b\x00"
                  "c\x00"
                  "d\x00"
                  "e\x00"
                  "f\x00"
                  "B"));
    EXPECT_STREQ(playerNames[0], "abcdefghijklmno");
    EXPECT_EQ(playerNameLengths[0], 15);
    EXPECT_STREQ(playerNames[3], "d");
    EXPECT_EQ(netState, 2);

    deliver(dg("\x00\x07N\x02x\x00y"));
    deliver(dg("\x00\x03W"));
    deliver(frame("W\x07"
                  "B"));
    EXPECT_STREQ(playerNames[0], "abcdefghijklmno");
    EXPECT_EQ(myPlayerId, 0);

    netState = 1;
    deliver(dg("\x00\x07W\x04"
               "BpD"));
    EXPECT_EQ(netState, 2);
    EXPECT_EQ(myPlayerId, 0);
    EXPECT_EQ(server.receive(), dg("\x00\x03p"));

    // 'U' from slot 1 with one unit entry but only 10 of its 18 bytes, then a prop count.
    sceneryPropAdd(1, 0, 0, 0);
    deliver(frame("U\x01\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x01"));
    deliver(frame("U\x01\x00\x01\x00\x00\x00"));
    // Whole unit entries before the missing prop count, or before a cut prop entry.
    deliver(frame("U\x01\x01\x05\x01\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00"
                  "\x00\x00\x00\x00"));
    deliver(frame("U\x01\x01\x05\x01\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00"
                  "\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00"));
    EXPECT_EQ(units[0].type, 0);
    EXPECT_EQ(sceneryProps[0].type, 1);
}

TEST(NetFixed, TruncatesTowardZeroAndClampsOutOfRange) {
    const struct {
        float value;
        uint32_t bits;
        float back;
    } cases[] = {
        {1.5f, 0x00000180, 1.5f},
        {-1.5f, 0xFFFFFE80, -1.5f},
        {90, 0x00005A00, 90},
        {359.9f, 0x000167E6, 359.8984375f},
        {-0.3f, 0xFFFFFFB4, -0.296875f},
        {1919.99f, 0x00077FFD, 1919.98828125f},
        {0.0039f, 0, 0},
        {-0.0039f, 0, 0},
        {8388608, 0x7FFFFFFF, 8388608},
        {-1e9f, 0x80000000, -8388608},
        {INFINITY, 0x7FFFFFFF, 8388608},
        {NAN, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(uint32_t(netFixedEncode(c.value)), c.bits) << c.value;
        EXPECT_EQ(netFixedDecode(netFixedEncode(c.value)), c.back) << c.value;
    }
}

TEST_F(Net, SendsOneUpdateEvery100MsOfARunningGame) {
    connect("ann");
    netState = 1;
    netSendUpdate(500);
    EXPECT_EQ(sendAccumulator, 0);
    netState = 2;
    myPlayerId = 1;
    units[5].owner = 1; // a free slot keeps its last owner: it is no unit
    netSendUpdate(250);
    EXPECT_EQ(server.receive(), dg("\x00\x06U\x01\x00\x00"));
    EXPECT_EQ(sendAccumulator, 150);
    netSendUpdate(1);
    EXPECT_EQ(server.receive(), dg("\x00\x06U\x01\x00\x00"));
    netSendUpdate(1);
    EXPECT_TRUE(server.receive(50).empty());

    // Own units in slot order (dying ones too), then the picked-up props, which are freed.
    unitSpawn(1, 0, 0, 0, 0, 9, 0);
    unitSpawn(2, 1.5f, -1.5f, 90, 1, 300, 0);
    unitSpawn(1, 1919.99f, 0, 0, 1, 3, 0);
    units[2].flags = 1; // dying
    sceneryPropAdd(2, 90, 1.5f, 0);
    sceneryPropAdd(1, 5, 5, 0);
    netSendUpdate(48); // exactly 100 ms gathered
    EXPECT_EQ(server.receive(), dg("\x00\x32U\x01\x02"
                                   "\x2c\x02\x00\x00\x01\x80\xff\xff\xfe\x80\x00\x00\x00\x00"
                                   "\x00\x00\x5a\x00"
                                   "\x03\x01\x00\x07\x7f\xfd\x00\x00\x00\x00\x00\x00\x00\x00"
                                   "\x00\x00\x00\x00"
                                   "\x01\x00\x00\x5a\x00\x00\x00\x01\x80"));
    EXPECT_EQ(sceneryProps[0].type, 0);
    EXPECT_EQ(sceneryProps[1].type, 1);
}

TEST_F(Net, AppliesOtherPlayersUpdatesAndIgnoresItsOwn) {
    connect("ann");
    sceneryPropAdd(1, 1100, 1200, 0);
    sceneryPropAdd(1, 1200, 1100, 0);
    const Bytes two = dg("\x00\x32U\x02\x02"
                         "p\x01\x00\x00\x64\x00\x00\x00\xc8\x00\x00\x00\x00\x00\x00\x00\x5a\x00"
                         "\x04\x02\x00\x00\x01\x80\x00\x00\x01\x80\x00\x00\x00\x00\x00\x00\x00\x00"
                         "\x01\x00\x04\x4c\x01\x00\x04\xb0\x00");
    deliver(two);
    EXPECT_EQ(units[0].x, 100);
    EXPECT_EQ(units[0].y, 200);
    EXPECT_EQ(units[0].heading, 90);
    EXPECT_EQ(units[0].lastPacket, 1u); // the first datagram since the connect
    EXPECT_EQ(units[1].type, 2);
    EXPECT_EQ(sceneryProps[0].type, 0); // 1100.00390625 lies within 0.01
    EXPECT_EQ(sceneryProps[1].type, 1);
    units[0].hp = 1; // a listed unit is moved, not made anew
    deliver(two);
    EXPECT_EQ(units[0].hp, 1);

    deliver(dg("\x00\x06U\x02\x00\x00"));
    EXPECT_EQ(units[0].type, 0);
    EXPECT_EQ(units[1].type, 0);

    myPlayerId = 2;
    unitSpawn(1, 0, 0, 0, 2, 7, 0);
    sceneryPropAdd(1, 1100, 1200, 0);
    deliver(two);
    EXPECT_EQ(units[0].serial, 7);
    EXPECT_EQ(units[1].type, 0);
    EXPECT_EQ(sceneryProps[0].type, 1);
    EXPECT_TRUE(server.receive(50).empty()); // its bytes are not read as messages
}

} // namespace
