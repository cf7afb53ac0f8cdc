// The server's table and datagram handling in process, with every send and log line
// captured: what the wire cannot show (failed sends, the clock) and the bounds on
// outside bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "server/server.h"

namespace {

struct Sent {
    PlatformAddress to;
    std::vector<uint8_t> bytes;
};

std::vector<Sent> sent;
bool failSends = false;

int captureSend(PlatformSocket, const uint8_t *data, int length, const PlatformAddress &to) {
    sent.push_back({to, std::vector<uint8_t>(data, data + length)});
    return failSends ? -1 : length;
}

std::vector<uint8_t> operator""_b(const char *text, size_t size) {
    return std::vector<uint8_t>(text, text + size);
}

PlatformAddress peer(int n) {
    return {0x0100007fu, platformPortToNetwork(10000 + n)};
}

uint8_t outputBuffer[protocolBufferSize];

class ServerTable : public ::testing::Test {
  protected:
    void SetUp() override {
        serverSend = captureSend;
        log = open_memstream(&logText, &logSize);
        serverLogFile = log;
        gameReset(game);
        timeoutSeconds = 2;
        sent.clear();
        failSends = false;
    }
    void TearDown() override {
        serverLogFile = nullptr;
        serverSend = platformSocketSend;
        fclose(log);
        free(logText);
    }
    // Hands a datagram to the server in a buffer of exactly its size.
    void receive(const std::vector<uint8_t> &bytes, const PlatformAddress &from) {
        std::vector<uint8_t> copy(bytes);
        serverHandleDatagram(game, destination, outputBuffer, 0, copy.data(),
                             static_cast<int>(copy.size()), from);
    }
    void join(const char *name, int n) {
        std::vector<uint8_t> d{0, 0, 'J'};
        for (const char *p = name; *p; p++)
            d.push_back(static_cast<uint8_t>(*p));
        d.push_back(0);
        d[1] = static_cast<uint8_t>(d.size());
        receive(d, peer(n));
    }
    // The log written since the last call.
    std::string takeLog() {
        fflush(log);
        std::string s(logText + logTaken, logSize - logTaken);
        logTaken = logSize;
        return s;
    }
    std::vector<uint8_t> takeSent(size_t i) { return sent.at(i).bytes; }

    PlatformAddress destination;
    FILE *log = nullptr;
    char *logText = nullptr;
    size_t logSize = 0;
    size_t logTaken = 0;
};

TEST(ProtocolFrame, ValidationAndFieldReaders) {
    int length = -1;
    auto check = [&](std::vector<uint8_t> d) {
        return protocolFrameCheck(d.data(), static_cast<int>(d.size()), length);
    };
    EXPECT_EQ(check("\0"_b), ProtocolFrame::tooSmall);
    EXPECT_EQ(check("\0\2"_b), ProtocolFrame::tooSmall);
    EXPECT_EQ(check("\0\5p"_b), ProtocolFrame::lengthMismatch);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(check("\0\3p"_b), ProtocolFrame::valid);
    std::vector<uint8_t> big(300, 'U');
    big[0] = 1;
    big[1] = 44;
    EXPECT_EQ(check(big), ProtocolFrame::valid);
    EXPECT_EQ(length, 300);

    // A name is cut to the room given and to the datagram, whichever ends first.
    auto d = "\0\0Jabcdef"_b;
    char name[4] = {'x', 'x', 'x', 'x'};
    ProtocolReader r{d.data(), static_cast<int>(d.size()), 3};
    protocolReadName(r, name, sizeof name);
    EXPECT_STREQ(name, "abc");
    EXPECT_EQ(r.offset, 9);
    uint8_t b = 77;
    EXPECT_FALSE(protocolReadByte(r, b));
    EXPECT_EQ(b, 77);

    uint8_t small[3];
    ProtocolWriter w{small, 3};
    protocolWriteByte(w, 'N');
    EXPECT_FALSE(w.failed);
    protocolWriteByte(w, 4);
    EXPECT_TRUE(w.failed);
    EXPECT_EQ(w.offset, 3);
}

TEST_F(ServerTable, EveryFailedSendSiteLogsItsLineAndGoesOn) {
    const std::string distributeFailed = "GAMEDISTRIBUTE: [1] Error sending a message.\n";
    failSends = true;
    join("ann", 0);
    EXPECT_EQ(takeLog(), "MAIN: Got a new client \"ann\" 127.0.0.1:10000 (0).\n"
                         "MAIN: [1] Error sending a message.\n" +
                             distributeFailed);
    join("bo", 1);
    join("cy", 2);
    join("di", 3);
    takeLog();
    join("ed", 4);
    EXPECT_EQ(takeLog(), "MAIN: [2] Error sending a message.\n");
    sent.clear();
    receive("\0\3B"_b, peer(0));
    EXPECT_EQ(takeLog(), distributeFailed + distributeFailed + distributeFailed + distributeFailed +
                             "MAIN: A game has begun!\n");
    EXPECT_EQ(sent.size(), 4u);
    EXPECT_EQ(game.started, 1);
    sent.clear();
    receive("\0\5U\1\2"_b, peer(1));
    const std::string relayFailed = "MAIN: [4] Error sending a message.\n";
    EXPECT_EQ(takeLog(), relayFailed + relayFailed + relayFailed);
    EXPECT_EQ(sent.size(), 3u);

    // A ping that the platform does not take still counts as missed.
    timeoutSeconds = 1;
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 50000);
    takeLog();
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 51001);
    const std::string pingFailed = "NOINCOMINGTRAFFIC: [1] Error sending a message.\n";
    EXPECT_EQ(takeLog(), pingFailed + pingFailed + pingFailed + pingFailed);
    EXPECT_EQ(game.clients[0].missedPings, 1);
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 52002);
    std::string log = takeLog();
    EXPECT_EQ(log.rfind("NOINCOMINGTRAFFIC: ann (0) timed out.\n", 0), 0u);
}

TEST_F(ServerTable, IdlePassFollowsTheClockBothWays) {
    timeoutSeconds = 2;
    join("ann", 0);
    sent.clear();
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 100000);
    EXPECT_EQ(game.clients[0].lastHeard, 100000);
    // Exactly 1000 ms is not yet silence.
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 101000);
    EXPECT_TRUE(sent.empty());
    // A clock set back does nothing until it passes the stamp by more than a second.
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 40000);
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 100900);
    EXPECT_TRUE(sent.empty());
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 101001);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes, "\0\3p"_b);
    EXPECT_EQ(sent[0].to.port, peer(0).port);
    EXPECT_EQ(game.clients[0].missedPings, 1);
    // Set forward by an hour: one more interval, one more ping, no more.
    noIncomingTrafficAt(game, destination, outputBuffer, 0, 3701001);
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(game.clients[0].missedPings, 2);
    // Any valid datagram is an answer; an invalid one is not.
    receive("\0\2"_b, peer(0));
    EXPECT_EQ(game.clients[0].missedPings, 2);
    receive("\0\3Z"_b, peer(0));
    EXPECT_EQ(game.clients[0].missedPings, 0);
    EXPECT_EQ(game.clients[0].lastHeard, -1);
    EXPECT_EQ(takeLog(), "MAIN: Got a new client \"ann\" 127.0.0.1:10000 (0).\n"
                         "MAIN: The packet (2 bytes) is too small!\n"
                         "MAIN: Got an unknown message from 127.0.0.1.\n");
}

TEST_F(ServerTable, NamesInLogLinesShowControlBytesAsEscapes) {
    join("\x1b[2J\x7f\x01 ~\x80", 0);
    // A name of 23 control bytes gives the longest text there can be.
    std::string controls(23, '\x1f'), escaped;
    join(controls.c_str(), 1);
    for (int i = 0; i < 23; i++)
        escaped += "\\x1f";
    receive("\0\3B"_b, peer(0));
    receive("\0\4K\1"_b, peer(0));
    EXPECT_EQ(takeLog(),
              "MAIN: Got a new client \"\\x1b[2J\\x7f\\x01 ~\x80\" 127.0.0.1:10000 (0).\n"
              "MAIN: Got a new client \"" +
                  escaped +
                  "\" 127.0.0.1:10001 (1).\n"
                  "MAIN: A game has begun!\n"
                  "MAIN: " +
                  escaped + " (1) killed \\x1b[2J\\x7f\\x01 ~\x80 (0).\n");
}

TEST(ServerClock, KeepsWholeSecondsPast2038) {
    static_assert(sizeof(TimeValue::seconds) == 8);
    TimeValue t{int64_t{1} << 32, 999000};
    EXPECT_EQ(serverClockMilliseconds(t), (int64_t{1} << 32) * 1000 + 999);
    TimeValue now;
    getTimeOfDay(now);
    EXPECT_GT(now.seconds, 1700000000);
    EXPECT_GE(now.microseconds, 0);
    EXPECT_LT(now.microseconds, 1000000);
    EXPECT_EQ(now.microseconds % 1000, 0);
}

} // namespace
