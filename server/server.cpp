// The game server's table and everything done with it: the handling of one received
// datagram, the distribution of messages to every slot, and the idle pass.
#include "server/server.h"

#include <cstdarg>

#include "platform/sys.h"

Game game;
int32_t timeoutSeconds = 0;
volatile std::sig_atomic_t quitRequested = 0;
ServerSendFunction serverSend = platformSocketSend;
FILE *serverLogFile = nullptr;

void serverLog(const char *format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(serverLogFile != nullptr ? serverLogFile : stderr, format, args);
    va_end(args);
}

// Room for a name whose every character shows as a four-character escape, and the zero.
constexpr int nameTextSize = (protocolNameSize - 1) * 4 + 1;

// A player name as the log shows it: bytes below 0x20 and 0x7F become \xNN, so that a name
// can neither break its log line nor send control codes to the operator's terminal. The
// stored name stays as received.
static const char *nameText(const char *name, char (&text)[nameTextSize]) {
    static constexpr char hex[] = "0123456789abcdef";
    int n = 0;
    for (int i = 0; i < protocolNameSize - 1 && name[i] != 0; i++) {
        auto c = static_cast<uint8_t>(name[i]);
        if (c < 0x20 || c == 0x7f) {
            text[n++] = '\\';
            text[n++] = 'x';
            text[n++] = hex[c >> 4];
            text[n++] = hex[c & 15];
        } else {
            text[n++] = static_cast<char>(c);
        }
    }
    text[n] = 0;
    return text;
}

static void setDestination(PlatformAddress &destination, const Client &c) {
    destination.address = static_cast<uint32_t>(c.address);
    destination.port = static_cast<uint16_t>(c.port);
}

void clientClear(Game &table, int index) {
    Client &c = table.clients[index];
    c.address = 0;
    c.lastHeard = 0;
    c.missedPings = 0;
    c.used = 0;
    c.name[0] = 0;
}

void gameReset(Game &table) {
    table.started = 0;
    table.clientCount = 0;
    for (int i = 0; i < protocolSlotCount; i++)
        clientClear(table, i);
}

void clientQuit(Game &table, int index) {
    clientClear(table, index);
    table.clientCount--;
    if (table.clientCount <= 0) {
        serverLog("CLIENTQUIT: All clients have quit... Resetting the server...\n");
        gameReset(table);
    }
}

void gameDistribute(Game &table, PlatformAddress &destination, uint8_t *buffer,
                    PlatformSocket socket, int length) {
    protocolWriteLength(buffer, length);
    for (const Client &c : table.clients) {
        if (!c.used) continue;
        setDestination(destination, c);
        if (serverSend(socket, buffer, length, destination) < 0)
            serverLog("GAMEDISTRIBUTE: [1] Error sending a message.\n");
    }
}

void gameDistributeDisconnect(Game &table, PlatformAddress &destination, uint8_t *buffer,
                              PlatformSocket socket, int index) {
    ProtocolWriter w{buffer, protocolBufferSize};
    protocolWriteByte(w, msgDisconnect);
    protocolWriteByte(w, static_cast<uint8_t>(index));
    gameDistribute(table, destination, buffer, socket, w.offset);
}

void gameDistributeNames(Game &table, PlatformAddress &destination, uint8_t *buffer,
                         PlatformSocket socket) {
    ProtocolWriter w{buffer, protocolBufferSize};
    protocolWriteByte(w, msgNames);
    protocolWriteByte(w, protocolSlotCount);
    for (const Client &c : table.clients)
        protocolWriteName(w, c.name, protocolNameSize);
    gameDistribute(table, destination, buffer, socket, w.offset);
}

// The slot whose client sent from this address and port, or -1.
static int findSender(const Game &table, const PlatformAddress &sender) {
    for (int i = 0; i < protocolSlotCount; i++) {
        const Client &c = table.clients[i];
        if (c.used == 1 && c.address == sender.address && c.port == sender.port) return i;
    }
    return -1;
}

// A join in the lobby: a sender that holds a slot is welcomed into it again (its name is not
// taken again), a new sender takes the first free slot, and a full table says so.
static void handleJoin(Game &table, PlatformAddress &destination, uint8_t *outputBuffer,
                       PlatformSocket socket, const uint8_t *datagram, int size,
                       const PlatformAddress &sender) {
    int slot = -1;
    for (int i = 0; i < protocolSlotCount && slot < 0; i++) {
        const Client &c = table.clients[i];
        if (c.address == sender.address && c.port == sender.port) slot = i;
    }
    destination = sender;
    if (slot < 0) {
        for (int i = 0; i < protocolSlotCount && slot < 0; i++)
            if (table.clients[i].address == 0) slot = i;
        if (slot < 0) {
            ProtocolWriter w{outputBuffer, protocolBufferSize};
            protocolWriteByte(w, msgServerFull);
            protocolWriteLength(outputBuffer, w.offset);
            if (serverSend(socket, outputBuffer, w.offset, destination) < 0)
                serverLog("MAIN: [2] Error sending a message.\n");
            return;
        }
        Client &c = table.clients[slot];
        c.address = sender.address;
        c.port = sender.port;
        c.used = 1;
        c.missedPings = 0;
        c.lastHeard = -1;
        // The name is cut to the slot's 23 characters and never read past the datagram.
        ProtocolReader r{datagram, size, protocolFrameSize};
        protocolReadName(r, c.name, protocolNameSize);
        table.clientCount++;
        char text[platformAddressTextSize];
        char name[nameTextSize];
        serverLog("MAIN: Got a new client \"%s\" %s:%d (%d).\n", nameText(c.name, name),
                  platformAddressText(sender.address, text), platformPortFromNetwork(sender.port),
                  slot);
    }
    ProtocolWriter w{outputBuffer, protocolBufferSize};
    protocolWriteByte(w, msgWelcome);
    protocolWriteByte(w, static_cast<uint8_t>(slot));
    protocolWriteLength(outputBuffer, w.offset);
    if (serverSend(socket, outputBuffer, w.offset, destination) < 0)
        serverLog("MAIN: [1] Error sending a message.\n");
    gameDistributeNames(table, destination, outputBuffer, socket);
}

// A death report names the attacker in byte 3. An attacker outside the table shows with an
// empty name and the byte's value; a report without the byte shows -1.
static void handleDeathReport(const Game &table, const uint8_t *datagram, int size, int slot) {
    ProtocolReader r{datagram, size, protocolFrameSize};
    uint8_t attackerByte = 0;
    int attacker = -1;
    const char *attackerName = "";
    if (protocolReadByte(r, attackerByte)) {
        attacker = attackerByte;
        if (attacker < protocolSlotCount) attackerName = table.clients[attacker].name;
    }
    char attackerText[nameTextSize];
    char victimText[nameTextSize];
    serverLog("MAIN: %s (%d) killed %s (%d).\n", nameText(attackerName, attackerText), attacker,
              nameText(table.clients[slot].name, victimText), slot);
}

void serverHandleDatagram(Game &table, PlatformAddress &destination, uint8_t *outputBuffer,
                          PlatformSocket socket, const uint8_t *datagram, int size,
                          const PlatformAddress &sender) {
    if (size <= 0) return;
    int slot = findSender(table, sender);
    int embeddedLength = 0;
    switch (protocolFrameCheck(datagram, size, embeddedLength)) {
    case ProtocolFrame::tooSmall:
        serverLog("MAIN: The packet (%d bytes) is too small!\n", size);
        return;
    case ProtocolFrame::lengthMismatch:
        serverLog("MAIN: The actual packet size (%d bytes) and the embedded packet size (%d "
                  "bytes) don't match!\n",
                  size, embeddedLength);
        return;
    case ProtocolFrame::valid:
        break;
    }
    uint8_t code = datagram[2];
    if (slot >= 0) {
        table.clients[slot].missedPings = 0;
        table.clients[slot].lastHeard = -1;
        if (code == msgPing) return;
    }

    if (!table.started) {
        if (code == msgJoin) {
            handleJoin(table, destination, outputBuffer, socket, datagram, size, sender);
        } else if (code == msgBegin) {
            if (slot < 0) return;
            ProtocolWriter w{outputBuffer, protocolBufferSize};
            protocolWriteByte(w, msgBegin);
            gameDistribute(table, destination, outputBuffer, socket, w.offset);
            table.started = 1;
            serverLog("MAIN: A game has begun!\n");
        } else {
            char text[platformAddressTextSize];
            serverLog("MAIN: Got an unknown message from %s.\n",
                      platformAddressText(sender.address, text));
        }
        return;
    }

    // The game runs: strangers and their joins get nothing.
    if (slot < 0) return;
    switch (code) {
    case msgDisconnect: {
        char name[nameTextSize];
        serverLog("MAIN: %s (%d) has quit the game.\n", nameText(table.clients[slot].name, name),
                  slot);
        clientQuit(table, slot);
        if (table.clientCount > 0) {
            ProtocolWriter w{outputBuffer, protocolBufferSize};
            protocolWriteByte(w, msgPlayerLeft);
            protocolWriteByte(w, static_cast<uint8_t>(slot));
            gameDistribute(table, destination, outputBuffer, socket, w.offset);
        }
        break;
    }
    case msgDeathReport:
        handleDeathReport(table, datagram, size, slot);
        break;
    case msgQuitSession:
        gameReset(table);
        serverLog("MAIN: Quit session requested... Resetting...\n");
        break;
    case msgUpdate:
        // Relayed byte for byte to every other client; the payload is not read.
        for (int i = 0; i < protocolSlotCount; i++) {
            const Client &c = table.clients[i];
            if (!c.used || i == slot) continue;
            setDestination(destination, c);
            if (serverSend(socket, datagram, size, destination) < 0)
                serverLog("MAIN: [4] Error sending a message.\n");
        }
        break;
    default:
        break;
    }
}

void noIncomingTrafficAt(Game &table, PlatformAddress &destination, uint8_t *buffer,
                         PlatformSocket socket, int64_t now) {
    for (int i = 0; i < protocolSlotCount; i++) {
        Client &c = table.clients[i];
        if (!c.used) continue;
        if (c.lastHeard < 0) c.lastHeard = now;
        // A clock set back gives a negative difference: nothing happens until it catches up.
        if (now - c.lastHeard <= 1000) continue;
        c.lastHeard = now;
        if (c.missedPings >= timeoutSeconds) {
            char name[nameTextSize];
            serverLog("NOINCOMINGTRAFFIC: %s (%d) timed out.\n", nameText(c.name, name), i);
            clientQuit(table, i);
            gameDistributeNames(table, destination, buffer, socket);
            gameDistributeDisconnect(table, destination, buffer, socket, i);
        } else {
            c.missedPings++;
            ProtocolWriter w{buffer, protocolBufferSize};
            protocolWriteByte(w, msgPing);
            protocolWriteLength(buffer, w.offset);
            setDestination(destination, c);
            if (serverSend(socket, buffer, w.offset, destination) < 0)
                serverLog("NOINCOMINGTRAFFIC: [1] Error sending a message.\n");
        }
    }
}

void noIncomingTraffic(Game &table, PlatformAddress &destination, uint8_t *buffer,
                       PlatformSocket socket) {
    // Returns as soon as a datagram arrives, so that nothing waits for the pause; the pings
    // and drops below still run on every idle pass.
    platformSocketWait(socket, 5);
    TimeValue now;
    getTimeOfDay(now);
    noIncomingTrafficAt(table, destination, buffer, socket, serverClockMilliseconds(now));
}

void getTimeOfDay(TimeValue &time) {
    int64_t ms = platformClockMilliseconds();
    time.seconds = ms / 1000;
    time.microseconds = static_cast<int32_t>(ms % 1000) * 1000;
}

int64_t serverClockMilliseconds(const TimeValue &time) {
    return time.seconds * 1000 + time.microseconds / 1000;
}

void signalQuit(int) {
    quitRequested = 1;
}
