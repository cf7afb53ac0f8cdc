// The client's UDP socket, the join and begin requests, and the per-frame reading of the
// server's datagrams message by message.
#include "net/net.h"

#include <cstring>

#include "net/update.h"
#include "server/protocol.h"
#include "world/random.h"
#include "world/unit.h"

int netState = 0;
int myPlayerId = 0;
char playerNames[4][netNameSize];
int playerNameLengths[4];
uint32_t packetsReceived = 0;
PlatformSocket netSocket = platformSocketInvalid;
int serverPort = 0;
PlatformAddress serverAddr;
int localPort = 0;
uint8_t netBuffer[netBufferSize];
float sendAccumulator = 0;

static constexpr int netDefaultServerPort = 9999;
static constexpr int netFirstLocalPort = 10000;
static constexpr int netLocalPorts = 32;

void netInit() {
    platformNetStart();
    netState = 0;
    netSocket = platformSocketInvalid;
    packetsReceived = 0;
    serverPort = netDefaultServerPort;
    sendAccumulator = 0;
}

void netConnectBegin() {}

// Binds to a random one of the 32 local ports; when it is taken (another client on this
// machine drew the same one) the next ones are tried in turn, so that the port stays in the
// range a firewall lets through. When none is free the socket stays unbound and the system
// gives it a port with the first send.
static void netBindLocalPort() {
    int first = int(randomNext() & (netLocalPorts - 1));
    for (int i = 0; i < netLocalPorts; i++) {
        localPort = netFirstLocalPort + (first + i) % netLocalPorts;
        if (platformSocketBind(netSocket, localPort)) return;
    }
    localPort = 0;
}

void netConnect(const char *playerName, const char *serverHost) {
    netSocket = platformSocketOpen();
    if (netSocket == platformSocketInvalid) return;
    platformSocketSetNonBlocking(netSocket);
    netBindLocalPort();

    uint32_t address = 0;
    if (!platformHostLookup(serverHost, address)) return;
    serverAddr.address = address;
    serverAddr.port = platformPortToNetwork(serverPort);

    ProtocolWriter w{netBuffer, netBufferSize};
    protocolWriteByte(w, msgJoin);
    protocolWriteName(w, playerName, netNameSize);
    netSendPacket(netBuffer, w.offset);
}

void netDisconnect() {
    if (netSocket != platformSocketInvalid) {
        platformSocketShutdown(netSocket);
        platformSocketClose(netSocket);
        netSocket = platformSocketInvalid;
    }
    netState = 0;
    packetsReceived = 0;
}

void netSendPacket(uint8_t *buffer, int length) {
    protocolWriteLength(buffer, length);
    platformSocketSend(netSocket, buffer, length, serverAddr);
}

void netSendBegin() {
    ProtocolWriter w{netBuffer, netBufferSize};
    protocolWriteByte(w, msgBegin);
    netSendPacket(netBuffer, w.offset);
}

// 'D': every unit of the dropped slot starts dying. A slot above 3 owns no unit.
static void netPlayerDropped(int slot) {
    for (Unit &u : units) {
        if (u.type == 0 || u.owner != slot) continue;
        u.hp = 0;
        u.flags |= unitDying;
        u.timer = 0;
    }
}

// 'N': the count, then that many zero-ended names. The names go into slots 0 to 3, cut to 15
// characters; names past the fourth are read over. A list whose count or last zero byte is
// missing is refused whole.
static bool netReadNames(ProtocolReader &r) {
    uint8_t count;
    if (!protocolReadByte(r, count)) return false;
    int end = r.offset;
    for (int n = 0; n < count; n++) {
        const void *zero = memchr(r.data + end, 0, size_t(r.size - end));
        if (zero == nullptr) return false;
        end = int(static_cast<const uint8_t *>(zero) - r.data) + 1;
    }
    char skipped[netNameSize];
    for (int n = 0; n < count; n++) {
        char *name = n < 4 ? playerNames[n] : skipped;
        protocolReadName(r, name, netNameSize);
        if (n < 4) playerNameLengths[n] = int(strlen(name));
    }
    return true;
}

bool netHandleDatagram(const uint8_t *data, int size) {
    if (size < protocolFrameSize) return false;
    packetsReceived++;
    int length;
    if (protocolFrameCheck(data, size, length) != ProtocolFrame::valid) return false;

    ProtocolReader r{data, length, 2};
    uint8_t code, slot;
    while (protocolReadByte(r, code)) {
        switch (code) {
        case msgBegin:
            netState = 2;
            break;
        case msgDisconnect:
            if (!protocolReadByte(r, slot)) return true;
            netPlayerDropped(slot);
            break;
        case msgNames:
            if (!netReadNames(r)) return true;
            break;
        case msgUpdate:
            if (!netReadUpdate(r, packetsReceived)) return true;
            break;
        case msgWelcome:
            if (!protocolReadByte(r, slot)) return true;
            // A slot that the tables cannot hold is refused; the reading goes on after it.
            if (slot < 4) {
                myPlayerId = slot;
                netState = 1;
            }
            break;
        case msgPing: {
            // Built in the buffer that may hold this datagram: bytes 0-2 are behind the
            // reader, and the reader keeps the length apart.
            ProtocolWriter w{netBuffer, netBufferSize};
            protocolWriteByte(w, msgPing);
            netSendPacket(netBuffer, w.offset);
            break;
        }
        default: // 'S', 'X' and unknown codes: one byte is passed over
            break;
        }
    }
    return true;
}

void netReceive() {
    while (netSocket != platformSocketInvalid) {
        PlatformAddress from;
        int size = platformSocketReceive(netSocket, netBuffer, netBufferSize, from);
        if (!netHandleDatagram(netBuffer, size)) return;
    }
}
