// Feeds the server a run of datagrams from several senders, with idle passes between them,
// and checks after every step that the table keeps its invariants and that every datagram
// the server sends is a whole, valid frame.
//
// Input: a sequence of steps. A step byte with the high bit set is an idle pass that moves
// the clock on by (byte & 127) * 16 ms. Otherwise its low 3 bits pick one of eight senders
// and two more bytes give a length (big-endian, cut to what remains), then that many bytes
// are one received datagram.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "server/server.h"

static uint8_t outputBuffer[protocolBufferSize];

static void require(bool ok) {
    if (!ok) __builtin_trap();
}

static int checkSend(PlatformSocket, const uint8_t *data, int length, const PlatformAddress &to) {
    require(length >= protocolFrameSize && length <= 65535);
    require((data[0] << 8 | data[1]) == length);
    require(to.address != 0);
    // Touch every byte so that a send past the buffer's end is caught.
    volatile uint8_t sum = 0;
    for (int i = 0; i < length; i++)
        sum = sum + data[i];
    // Every fourth send fails, so that the error lines run too.
    return (data[2] + length) % 4 == 0 ? -1 : length;
}

static void checkTable(const Game &g) {
    require(g.started == 0 || g.started == 1);
    int used = 0;
    for (int i = 0; i < protocolSlotCount; i++) {
        const Client &c = g.clients[i];
        require(c.used == 0 || c.used == 1);
        require((c.used == 1) == (c.address != 0));
        require(memchr(c.name, 0, sizeof c.name) != nullptr);
        require(c.missedPings >= 0 && c.missedPings <= timeoutSeconds);
        used += c.used;
        for (int j = 0; j < i; j++)
            require(!c.used || !g.clients[j].used || g.clients[j].address != c.address ||
                    g.clients[j].port != c.port);
    }
    require(used == g.clientCount);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static FILE *devNull = fopen("/dev/null", "w");
    serverLogFile = devNull;
    serverSend = checkSend;
    timeoutSeconds = 2;
    gameReset(game);
    PlatformAddress destination;
    int64_t now = 1000000;
    size_t at = 0;
    while (at < size) {
        uint8_t step = data[at++];
        if (step & 0x80) {
            now += (step & 0x7f) * 16;
            noIncomingTrafficAt(game, destination, outputBuffer, 0, now);
        } else {
            size_t length = 0;
            if (at < size) length = data[at++];
            if (at < size) length = length << 8 | data[at++];
            if (length > size - at) length = size - at;
            // An exact-size copy, so that a read past the datagram is caught.
            std::vector<uint8_t> datagram(data + at, data + at + length);
            at += length;
            PlatformAddress sender{(step & 4) ? 0x0200007fu : 0x0100007fu,
                                   platformPortToNetwork(10000 + (step & 3))};
            serverHandleDatagram(game, destination, outputBuffer, 0, datagram.data(),
                                 static_cast<int>(datagram.size()), sender);
        }
        checkTable(game);
    }
    return 0;
}
