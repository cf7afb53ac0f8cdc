// Stand-in until the configuration file is built: the names live in memory only.
#include "core/config.h"

char myPlayerName[16];
int myPlayerNameLength = 0;
char serverName[16];
int serverNameLength = 0;

void configLoad() {}
void configSave() {}
