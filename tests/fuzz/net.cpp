// Feeds the client's datagram reader a run of datagrams and checks after each that the
// names, the slot, the state and the unit table stay within their bounds and that the
// player's own units are never touched by an update.
//
// Input: a sequence of steps. A step byte, then two bytes of length (big-endian, cut to
// what remains), then that many bytes are one received datagram. Bit 0 of the step byte
// places the datagram in the client's own receive buffer, as the receive loop does;
// otherwise it lies in a copy of exactly its size, so that a read past it is caught.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/state.h"
#include "net/net.h"
#include "world/scenery.h"
#include "world/unit.h"

static void require(bool ok) {
    if (!ok) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    netInit();
    myPlayerId = 1;
    totalTime = 0;
    memset(playerNames, 0, sizeof playerNames);
    memset(playerNameLengths, 0, sizeof playerNameLengths);
    unitClearAll();
    sceneryPropsClear();
    unitSpawn(1, 1100, 1100, 0, 1, 0, 0);
    unitSpawn(2, 1200, 1100, 0, 1, 1, 0);
    sceneryPropAdd(1, 1100, 1100, 0);
    sceneryPropAdd(2, 0, 0, 0);

    // Only a welcome moves the player to another slot; without one, slot 1's units stand.
    const bool mayMove = size > 0 && memchr(data, 'W', size) != nullptr;
    size_t at = 0;
    while (at < size) {
        uint8_t step = data[at++];
        size_t length = 0;
        if (at < size) length = data[at++];
        if (at < size) length = length << 8 | data[at++];
        if (length > size - at) length = size - at;
        std::vector<uint8_t> datagram(data + at, data + at + length);
        at += length;
        totalTime += 16;
        uint32_t before = packetsReceived;
        if ((step & 1) && length <= sizeof netBuffer) {
            if (length > 0) memcpy(netBuffer, datagram.data(), length);
            netHandleDatagram(netBuffer, int(length));
        } else {
            netHandleDatagram(datagram.data(), int(length));
        }

        require(packetsReceived - before <= 1);
        require(netState >= 0 && netState <= 2);
        require(myPlayerId >= 0 && myPlayerId <= 3);
        for (int i = 0; i < 4; i++) {
            require(memchr(playerNames[i], 0, netNameSize) != nullptr);
            require(playerNameLengths[i] == int(strlen(playerNames[i])));
        }
        for (const Unit &u : units) {
            if (u.type == 0) continue;
            require(u.type == 1 || u.type == 2);
            require(u.owner >= 0 && u.owner <= 3);
        }
        if (!mayMove) {
            require(units[0].type == 1 && units[0].x == 1100 && units[0].serial == 0);
            require(units[1].type == 2 && units[1].x == 1200 && units[1].serial == 1);
        }
    }
    return 0;
}
