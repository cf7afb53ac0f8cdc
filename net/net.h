// The client's UDP layer: connect and join, the per-frame receive and dispatch of the
// server's messages, the begin request, and the unit update sent while a game runs.
#pragma once

#include <cstdint>

#include "platform/net.h"

// 0 not joined, 1 joined (welcomed), 2 game running.
extern int netState;
// The player's slot from the server's last welcome; kept after a disconnect.
extern int myPlayerId;
// The lobby's names by slot as the server last listed them, each at most 15 characters.
constexpr int netNameSize = 16;
extern char playerNames[4][netNameSize];
extern int playerNameLengths[4];
// Datagrams of at least 3 bytes received since start-up or the last disconnect; the stamp
// of other players' unit updates.
extern uint32_t packetsReceived;
extern PlatformSocket netSocket;
extern int serverPort;
// Where every datagram goes.
extern PlatformAddress serverAddr;
// The local port of the socket: 10000 to 10031, or 0 when none of them was free and the
// system chose one.
extern int localPort;
// Every datagram is received into this buffer, and every message is built and sent from it.
constexpr int netBufferSize = 8192;
extern uint8_t netBuffer[netBufferSize];
// Milliseconds gathered towards the next unit update.
extern float sendAccumulator;

void netInit();
void netConnectBegin();
// Opens the socket and sends the join; what comes of it arrives through netReceive.
void netConnect(const char *playerName, const char *serverHost);
// Closes the socket; tells the server nothing.
void netDisconnect();
// Writes length into bytes 0-1 of buffer and sends its first length bytes to the server.
void netSendPacket(uint8_t *buffer, int length);
void netSendBegin();
// Reads and handles every datagram that is waiting, up to the first invalid one.
void netReceive();
// Handles one received datagram: counts it when it holds a frame and reads its messages
// when its length field matches its size. False when the frame's reading ends with it.
bool netHandleDatagram(const uint8_t *data, int size);
// Sends one unit update when a game runs and 100 ms have gathered.
void netSendUpdate(float dt);
