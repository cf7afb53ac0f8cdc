// The game server's table of four client slots and its operations: join, begin, relay,
// leave, death report, quit, and the idle pass that pings and drops silent clients.
#pragma once
#include <csignal>
#include <cstdint>
#include <cstdio>

#include "platform/net.h"
#include "server/protocol.h"

constexpr int serverPort = 9999;

// One slot; free while address is 0.
struct Client {
    int64_t lastHeard;   // server clock (ms) from which the present silence counts; -1: heard
                         // from since the last idle pass
    uint64_t address;    // IPv4 address as received (network byte order) in the low 32 bits
    int32_t missedPings; // pings sent since the client was last heard from
    int32_t port;        // UDP port as received (network byte order) in the low 16 bits
    int32_t used;        // 1 while the slot holds a client
    char name[protocolNameSize];
};

struct Game {
    int32_t started; // 0 in the lobby, 1 once the game has begun
    int32_t clientCount;
    Client clients[protocolSlotCount];
};

// The clock: seconds stay 64 bits wide so that 2038 changes nothing.
struct TimeValue {
    int64_t seconds;
    int32_t microseconds;
};

extern Game game;
// Pings in a row that a client may leave unanswered; from the command line, above 0.
extern int32_t timeoutSeconds;
// Set by signalQuit; read at the top of every pass of the main loop.
extern volatile std::sig_atomic_t quitRequested;

// Every datagram the server sends goes through this; the program sends through the platform,
// tests and the fuzzer capture. Returns the bytes sent or below 0 on failure.
using ServerSendFunction = int (*)(PlatformSocket socket, const uint8_t *data, int length,
                                   const PlatformAddress &to);
extern ServerSendFunction serverSend;
// Where the log lines go; standard error while null.
extern FILE *serverLogFile;
void serverLog(const char *format, ...) __attribute__((format(printf, 1, 2)));

void clientClear(Game &table, int index);
void gameReset(Game &table);
void clientQuit(Game &table, int index);
void gameDistribute(Game &table, PlatformAddress &destination, uint8_t *buffer,
                    PlatformSocket socket, int length);
void gameDistributeDisconnect(Game &table, PlatformAddress &destination, uint8_t *buffer,
                              PlatformSocket socket, int index);
void gameDistributeNames(Game &table, PlatformAddress &destination, uint8_t *buffer,
                         PlatformSocket socket);

// Handles one received datagram of size bytes (size > 0) from sender. outputBuffer holds
// protocolBufferSize bytes; destination is the record each send fills in.
void serverHandleDatagram(Game &table, PlatformAddress &destination, uint8_t *outputBuffer,
                          PlatformSocket socket, const uint8_t *datagram, int size,
                          const PlatformAddress &sender);

// The idle pass: waits at most 5 ms for a datagram on the socket, then pings and drops by
// the clock.
void noIncomingTraffic(Game &table, PlatformAddress &destination, uint8_t *buffer,
                       PlatformSocket socket);
// The idle pass's pings and drops at the clock time now (ms), without the sleep.
void noIncomingTrafficAt(Game &table, PlatformAddress &destination, uint8_t *buffer,
                         PlatformSocket socket, int64_t now);

void getTimeOfDay(TimeValue &time);
// Whole milliseconds of a clock reading.
int64_t serverClockMilliseconds(const TimeValue &time);
void signalQuit(int signalNumber);
