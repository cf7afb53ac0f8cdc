// IPv4 UDP sockets over POSIX for both programs: open, non-blocking mode, bind, send-to,
// receive-from, waiting, host look-up, the local host name and dotted-quad text.
#pragma once
#include <cstdint>

using PlatformSocket = int;
constexpr PlatformSocket platformSocketInvalid = -1;

// An IPv4 peer; both fields hold network byte order, exactly as they travel.
struct PlatformAddress {
    uint32_t address = 0;
    uint16_t port = 0;
};

// platformSocketReceive results below 0: nothing is waiting on a non-blocking socket, or the
// receive failed.
constexpr int platformReceiveNothing = -1;
constexpr int platformReceiveError = -2;

// Room for "255.255.255.255" and its zero byte.
constexpr int platformAddressTextSize = 16;

// Starts the socket library; nothing to do on POSIX, kept so that both programs start the
// same way everywhere.
bool platformNetStart();
// A new IPv4 datagram socket, or platformSocketInvalid.
PlatformSocket platformSocketOpen();
bool platformSocketSetNonBlocking(PlatformSocket socket);
// Binds to every local address at the port (host byte order).
bool platformSocketBind(PlatformSocket socket, int port);
// Sends one datagram; returns the bytes sent, or -1 when the platform did not take it.
int platformSocketSend(PlatformSocket socket, const uint8_t *data, int length,
                       const PlatformAddress &to);
// Receives one datagram of at most capacity bytes: its size (0 for an empty datagram), or
// platformReceiveNothing / platformReceiveError. The sender is written only on success.
int platformSocketReceive(PlatformSocket socket, uint8_t *buffer, int capacity,
                          PlatformAddress &from);
// Waits at most milliseconds for something to read: true as soon as a datagram (an empty
// one too) or a pending error waits, false when the time ran out or a signal came. A socket
// that cannot be waited on is slept on for the whole time, so a caller's loop never spins.
bool platformSocketWait(PlatformSocket socket, int milliseconds);
// Asks for a receive buffer of bytes; false when refused (the socket keeps what it had).
// The kernel may grant less than asked.
bool platformSocketSetReceiveBuffer(PlatformSocket socket, int bytes);
// Shuts down the receiving side, then closes.
void platformSocketShutdown(PlatformSocket socket);
void platformSocketClose(PlatformSocket socket);

// The first IPv4 address of a host name or dotted quad (network byte order).
bool platformHostLookup(const char *host, uint32_t &address);
// The local host name, always zero-terminated; false when it cannot be had.
bool platformHostName(char *buffer, int capacity);
// Dotted-quad text of an address in network byte order; returns text.
const char *platformAddressText(uint32_t address, char (&text)[platformAddressTextSize]);
// Port conversions between host and network byte order.
uint16_t platformPortToNetwork(int port);
int platformPortFromNetwork(uint16_t port);
