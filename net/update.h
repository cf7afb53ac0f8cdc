// The unit update message inside the network client: its fixed 24.8 numbers and the
// reading of a received update.
#pragma once

#include <cstdint>

#include "server/protocol.h"

// Value times 256, truncated toward zero; values beyond the 32-bit range are clamped to
// its ends and a NaN becomes 0.
int32_t netFixedEncode(float value);
float netFixedDecode(int32_t fixed);

// Reads an update's payload from the reader (placed after the 'U') and hands it to the game
// world with stamp. A payload cut short by the datagram's end is refused whole: nothing is
// applied and the result is false. An update that names the player's own slot is passed
// over.
bool netReadUpdate(ProtocolReader &r, uint32_t stamp);
