// The server program: command line, socket on port 9999, and the polling loop that handles
// one datagram a pass and runs the idle pass when nothing waits.
#include <csignal>
#include <cstdlib>

#include "platform/net.h"
#include "server/server.h"

// Room for a burst of datagrams to wait while the loop is busy; the kernel may grant less,
// and a refusal leaves the default.
constexpr int receiveBufferBytes = 1 << 20;

static uint8_t inputBuffer[protocolBufferSize];
static uint8_t outputBuffer[protocolBufferSize];

// The start-up line: the host's first address when its name resolves, else the name, and
// the wildcard address the socket listens on when not even the name can be had.
static void printStartup() {
    char hostname[256];
    char text[platformAddressTextSize];
    uint32_t address = 0;
    if (!platformHostName(hostname, sizeof hostname)) {
        serverLog("MAIN: Server running at %s:%d...\n", platformAddressText(0, text), serverPort);
    } else if (platformHostLookup(hostname, address)) {
        serverLog("MAIN: Server running at %s:%d...\n", platformAddressText(address, text),
                  serverPort);
    } else {
        serverLog("MAIN: Server running at %s...\n", hostname);
    }
}

int main(int argc, char **argv) {
    platformNetStart();
    if (argc >= 2) timeoutSeconds = std::atoi(argv[1]);
    if (argc != 2 || timeoutSeconds <= 0) {
        serverLog("USAGE: %s <TIMEOUT SECONDS>\n", argv[0]);
        return 1;
    }
    std::signal(SIGINT, signalQuit);
    std::signal(SIGTERM, signalQuit);
    gameReset(game);

    PlatformSocket socket = platformSocketOpen();
    platformSocketSetNonBlocking(socket);
    platformSocketSetReceiveBuffer(socket, receiveBufferBytes);
    if (socket == platformSocketInvalid || !platformSocketBind(socket, serverPort)) {
        serverLog("MAIN: Error binding the socket.\n");
        std::exit(1);
    }
    printStartup();

    PlatformAddress addrClient;
    PlatformAddress destination;
    while (!quitRequested) {
        int size = platformSocketReceive(socket, inputBuffer, protocolBufferSize, addrClient);
        if (size <= 0) {
            noIncomingTraffic(game, destination, outputBuffer, socket);
            continue;
        }
        serverHandleDatagram(game, destination, outputBuffer, socket, inputBuffer, size,
                             addrClient);
    }
    platformSocketClose(socket);
    return 0;
}
