// The client's UDP layer: connect, join, per-frame receive, and the unit update.
#pragma once

// 0 not joined, 1 joined, 2 game running.
extern int netState;
// The player's slot from the server's last welcome.
extern int myPlayerId;
extern char playerNames[4][16];
extern int playerNameLengths[4];

void netInit();
void netConnectBegin();
void netConnect(const char *playerName, const char *serverHost);
void netDisconnect();
void netSendBegin();
void netReceive();
void netSendUpdate(float dt);
