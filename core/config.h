// The player's name and server host, and the 256-byte "configuration.dat" that keeps them.
#pragma once

#include <cstdint>

// Each name holds at most 15 characters; every byte from its length on is 0.
extern char myPlayerName[16];
extern int myPlayerNameLength;
extern char serverName[16];
extern int serverNameLength;

// The file's bytes as last read or saved; a save rewrites only the header and the names,
// so the rest keeps whatever was there.
constexpr int configSize = 256;
extern uint8_t configBlock[configSize];

// Fills the names from "configuration.dat" in the working directory; a missing, short or
// damaged file leaves them as they are.
void configLoad();
// Writes both names to "configuration.dat" as 256 bytes.
void configSave();
