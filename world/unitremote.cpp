// Stand-in for the mirroring of other players' units until the network client is built:
// no update ever arrives, so there is nothing to apply, prune or move on.
#include "world/unit.h"

void unitApplyRemoteUpdate(int, int, int, float, float, float, float, uint32_t) {}
void unitPruneRemote(int, uint32_t) {}
void unitDeadReckon(Unit &, float) {}
