// Stand-in for the network client until it is built: never connects.
#include "net/net.h"

int netState = 0;
int myPlayerId = 0;
char playerNames[4][16];
int playerNameLengths[4];

void netInit() { netState = 0; }
void netConnectBegin() {}
void netConnect(const char *, const char *) {}
void netDisconnect() { netState = 0; }
void netSendBegin() {}
void netReceive() {}
void netSendUpdate(float) {}
