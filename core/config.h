// The player's name and server host, and the 256-byte "configuration.dat" that keeps them.
#pragma once

extern char myPlayerName[16];
extern int myPlayerNameLength;
extern char serverName[16];
extern int serverNameLength;

void configLoad();
void configSave();
