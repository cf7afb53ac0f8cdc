// "configuration.dat": magic "SAV" and a zero byte, then the player name and the server
// host, each behind a one-byte length; always 256 bytes, read once at start-up and
// written whenever text entry ends.
#include "core/config.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/file.h"

char myPlayerName[16];
int myPlayerNameLength = 0;
char serverName[16];
int serverNameLength = 0;

uint8_t configBlock[configSize];

static constexpr char configPath[] = "configuration.dat";
static constexpr uint8_t configMagic[4] = {'S', 'A', 'V', 0};
static constexpr int configNameMax = 15;
static_assert(sizeof myPlayerName == configNameMax + 1 && sizeof serverName == configNameMax + 1);
// Both names at their longest still end inside the block.
static_assert(4 + 2 * (1 + configNameMax) <= configSize);

void configLoad() {
    long n = fileRead(configPath, configBlock);
    if (n < configSize) return;
    if (memcmp(configBlock, configMagic, sizeof configMagic) != 0) return;
    int nameLength = configBlock[4];
    int serverAt = 5 + nameLength;
    // A save never stores more than 15 characters, so a longer length means a damaged
    // file: it is refused whole, like a wrong magic, rather than shown half-cut.
    if (nameLength > configNameMax) return;
    int hostLength = configBlock[serverAt];
    if (hostLength > configNameMax) return;

    memcpy(myPlayerName, configBlock + 5, size_t(nameLength));
    memset(myPlayerName + nameLength, 0, sizeof myPlayerName - size_t(nameLength));
    myPlayerNameLength = nameLength;
    memcpy(serverName, configBlock + serverAt + 1, size_t(hostLength));
    memset(serverName + hostLength, 0, sizeof serverName - size_t(hostLength));
    serverNameLength = hostLength;
}

void configSave() {
    // The lengths are kept within 15 by their writers; the clamp keeps the copies inside
    // the 16-byte names whatever they hold.
    int nameLength = std::clamp(myPlayerNameLength, 0, configNameMax);
    int hostLength = std::clamp(serverNameLength, 0, configNameMax);
    memcpy(configBlock, configMagic, sizeof configMagic);
    configBlock[4] = uint8_t(nameLength);
    memcpy(configBlock + 5, myPlayerName, size_t(nameLength));
    configBlock[5 + nameLength] = uint8_t(hostLength);
    memcpy(configBlock + 6 + nameLength, serverName, size_t(hostLength));
    // A failed save keeps the old file; the player hears of it and the game goes on.
    if (fileWrite(configPath, configBlock) != configSize)
        fprintf(stderr, "configSave(): Couldn't write file \"%s\": %s.\n", configPath,
                strerror(errno));
}
