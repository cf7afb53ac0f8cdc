// The unit update message: every 100 ms of a running game the player's units and the props
// they picked up go to the server; received updates move other players' units.
//
// Datagram: LL 'U' owner n, n unit entries, m, m prop entries (6 + 18 n + 8 m bytes)
//   unit entry, 18 bytes: serial (low byte), type (low byte), x, y, z, heading
//   prop entry, 8 bytes:  x, y
// Every number but the bytes is fixed 24.8: the value times 256 as a signed 32-bit
// big-endian integer.
#include "net/update.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "net/net.h"
#include "world/scenery.h"
#include "world/unit.h"

static constexpr float netUpdateInterval = 100;
static constexpr int netUnitEntrySize = 18;
static constexpr int netPropEntrySize = 8;

int32_t netFixedEncode(float value) {
    double v = double(value) * 256.0;
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v); // truncates toward zero
}

float netFixedDecode(int32_t fixed) {
    return static_cast<float>(double(fixed) * 0.00390625);
}

static bool netOwnUnit(const Unit &u) {
    return u.type != 0 && u.owner == myPlayerId;
}

void netSendUpdate(float dt) {
    if (netState != 2) return;
    sendAccumulator += dt;
    if (sendAccumulator < netUpdateInterval) return;
    // Once: after a long frame the rest goes out one update per frame.
    sendAccumulator -= netUpdateInterval;

    ProtocolWriter w{netBuffer, netBufferSize};
    protocolWriteByte(w, msgUpdate);
    protocolWriteByte(w, uint8_t(myPlayerId));
    int n = 0;
    for (const Unit &u : units)
        n += netOwnUnit(u);
    protocolWriteByte(w, uint8_t(n));
    for (const Unit &u : units) {
        if (!netOwnUnit(u)) continue;
        protocolWriteByte(w, uint8_t(u.serial & 255));
        protocolWriteByte(w, uint8_t(u.type & 255));
        for (float v : {u.x, u.y, u.z, u.heading})
            protocolWriteInt32(w, netFixedEncode(v));
    }
    int m = 0;
    for (const SceneryProp &p : sceneryProps)
        m += p.type == 2;
    protocolWriteByte(w, uint8_t(m));
    // Each picked-up prop is reported once and freed.
    for (SceneryProp &p : sceneryProps) {
        if (p.type != 2) continue;
        protocolWriteInt32(w, netFixedEncode(p.x));
        protocolWriteInt32(w, netFixedEncode(p.y));
        p.type = 0;
    }
    netSendPacket(netBuffer, w.offset);
}

static float netReadFixed(ProtocolReader &r) {
    int32_t v = 0;
    protocolReadInt32(r, v);
    return netFixedDecode(v);
}

bool netReadUpdate(ProtocolReader &r, uint32_t stamp) {
    uint8_t owner = 0, n = 0, m = 0;
    if (!protocolReadByte(r, owner) || !protocolReadByte(r, n)) return false;
    // Both counts and every entry must lie inside the datagram before anything is applied.
    const int propCountAt = r.offset + n * netUnitEntrySize;
    if (propCountAt >= r.size) return false;
    const int end = propCountAt + 1 + r.data[propCountAt] * netPropEntrySize;
    if (end > r.size) return false;
    if (owner == myPlayerId) {
        r.offset = end;
        return true;
    }

    for (int i = 0; i < n; i++) {
        uint8_t serial = 0, type = 0;
        protocolReadByte(r, serial);
        protocolReadByte(r, type);
        float x = netReadFixed(r), y = netReadFixed(r), z = netReadFixed(r);
        float heading = netReadFixed(r);
        unitApplyRemoteUpdate(owner, serial, type, x, y, z, heading, stamp);
    }
    unitPruneRemote(owner, stamp);
    protocolReadByte(r, m);
    for (int i = 0; i < m; i++) {
        float x = netReadFixed(r), y = netReadFixed(r);
        sceneryPropRemoveAt(x, y);
    }
    return true;
}
