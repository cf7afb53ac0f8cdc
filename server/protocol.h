// The game protocol: the frame every datagram carries, the message codes with their wire
// layout, and checked readers and writers that move one field at a time.
#pragma once
#include <cstdint>

// Frame, both directions:
//   offset 0  2 bytes  total length of the datagram, these bytes included, big-endian
//   offset 2  1 byte   message code (one ASCII letter, case matters)
//   offset 3  ...      payload, as the code says
// A datagram is valid only when it holds these 3 bytes and its length field equals the
// number of bytes received. One message per datagram.
constexpr int protocolFrameSize = 3;
// The largest datagram the length field can describe, and the server's buffers.
constexpr int protocolBufferSize = 65536;
// What the server keeps of a player name: 23 characters and the zero byte.
constexpr int protocolNameSize = 24;
constexpr int protocolSlotCount = 4;

// Message codes; LL is the length field when it varies.
constexpr uint8_t msgJoin = 'J';        // client->server: LL 'J' name 00
constexpr uint8_t msgWelcome = 'W';     // server->joiner: 00 04 'W' slot
constexpr uint8_t msgServerFull = 'S';  // server->joiner: 00 03 'S'
constexpr uint8_t msgNames = 'N';       // server->all:    LL 'N' 04 name0 00 .. name3 00
constexpr uint8_t msgBegin = 'B';       // both ways:      00 03 'B'
constexpr uint8_t msgUpdate = 'U';      // client->server->others: LL 'U' payload (relayed as is)
constexpr uint8_t msgPing = 'p';        // both ways:      00 03 'p'
constexpr uint8_t msgDisconnect = 'D';  // server->all: 00 04 'D' slot; client->server: 00 03 'D'
constexpr uint8_t msgPlayerLeft = 'X';  // server->all:    00 04 'X' slot
constexpr uint8_t msgDeathReport = 'K'; // client->server: 00 04 'K' attacker
constexpr uint8_t msgQuitSession = 'Q'; // client->server: 00 03 'Q'
// The update's payload after 'U': owner, n, n x (serial, type, x, y, z, heading), m,
// m x (x, y); serial, type and the counts are bytes, the other numbers signed 32-bit
// big-endian holding the value times 256.

// Reads fields in order from a received datagram; every read checks the bytes that remain
// and fails, leaving the value alone, instead of reading past the end.
struct ProtocolReader {
    const uint8_t *data;
    int size;
    int offset = 0;
};

inline bool protocolReadByte(ProtocolReader &r, uint8_t &value) {
    if (r.offset >= r.size) return false;
    value = r.data[r.offset++];
    return true;
}

inline bool protocolReadLength(ProtocolReader &r, int &value) {
    if (r.size - r.offset < 2) return false;
    value = r.data[r.offset] << 8 | r.data[r.offset + 1];
    r.offset += 2;
    return true;
}

// A signed 32-bit number, most significant byte first.
inline bool protocolReadInt32(ProtocolReader &r, int32_t &value) {
    if (r.size - r.offset < 4) return false;
    const uint8_t *p = r.data + r.offset;
    value = static_cast<int32_t>(uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 |
                                 uint32_t(p[3]));
    r.offset += 4;
    return true;
}

// Copies a zero-ended string into text (capacity bytes, capacity > 0), cut to capacity - 1
// characters and to the datagram's end; text always ends with a zero byte. Steps past the
// string's zero byte when it is there.
inline void protocolReadName(ProtocolReader &r, char *text, int capacity) {
    int n = 0;
    while (r.offset < r.size) {
        uint8_t c = r.data[r.offset++];
        if (c == 0) break;
        if (n < capacity - 1) text[n++] = static_cast<char>(c);
    }
    text[n] = 0;
}

// Builds a message in a send buffer from offset 2 on; the length goes in last. A write that
// does not fit marks the writer failed and writes nothing.
struct ProtocolWriter {
    uint8_t *data;
    int capacity;
    int offset = 2;
    bool failed = false;
};

inline void protocolWriteByte(ProtocolWriter &w, uint8_t value) {
    if (w.offset >= w.capacity) {
        w.failed = true;
        return;
    }
    w.data[w.offset++] = value;
}

inline void protocolWriteInt32(ProtocolWriter &w, int32_t value) {
    if (w.capacity - w.offset < 4) {
        w.failed = true;
        return;
    }
    const uint32_t v = static_cast<uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
        w.data[w.offset++] = static_cast<uint8_t>(v >> shift & 255);
}

// The string's bytes up to its zero byte (at most capacity of the source), then one zero.
inline void protocolWriteName(ProtocolWriter &w, const char *text, int sourceCapacity) {
    for (int i = 0; i < sourceCapacity && text[i] != 0; i++)
        protocolWriteByte(w, static_cast<uint8_t>(text[i]));
    protocolWriteByte(w, 0);
}

// Stamps a total length into bytes 0 and 1, high byte first.
inline void protocolWriteLength(uint8_t *buffer, int length) {
    buffer[0] = static_cast<uint8_t>(length >> 8 & 255);
    buffer[1] = static_cast<uint8_t>(length & 255);
}

enum class ProtocolFrame { valid, tooSmall, lengthMismatch };

// Checks the frame of a datagram of size bytes (size > 0); embeddedLength gets the length
// field whenever there are bytes enough to hold it.
inline ProtocolFrame protocolFrameCheck(const uint8_t *data, int size, int &embeddedLength) {
    ProtocolReader r{data, size};
    embeddedLength = 0;
    if (size < protocolFrameSize || !protocolReadLength(r, embeddedLength))
        return ProtocolFrame::tooSmall;
    return embeddedLength == size ? ProtocolFrame::valid : ProtocolFrame::lengthMismatch;
}
