// IPv4 UDP sockets over POSIX (BSD sockets, poll, getaddrinfo, inet_ntop).
#include "platform/net.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/sys.h"

bool platformNetStart() {
    return true;
}

PlatformSocket platformSocketOpen() {
    int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    return s < 0 ? platformSocketInvalid : s;
}

bool platformSocketSetNonBlocking(PlatformSocket socket) {
    int on = 1;
    return ::ioctl(socket, FIONBIO, &on) == 0;
}

bool platformSocketBind(PlatformSocket socket, int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    a.sin_port = htons(static_cast<uint16_t>(port));
    return ::bind(socket, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0;
}

int platformSocketSend(PlatformSocket socket, const uint8_t *data, int length,
                       const PlatformAddress &to) {
    if (length < 0) return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = to.address;
    a.sin_port = to.port;
    ssize_t n = ::sendto(socket, data, static_cast<size_t>(length), 0,
                         reinterpret_cast<const sockaddr *>(&a), sizeof a);
    return n < 0 ? -1 : static_cast<int>(n);
}

int platformSocketReceive(PlatformSocket socket, uint8_t *buffer, int capacity,
                          PlatformAddress &from) {
    if (capacity < 0) return platformReceiveError;
    sockaddr_in a{};
    socklen_t len = sizeof a;
    ssize_t n = ::recvfrom(socket, buffer, static_cast<size_t>(capacity), 0,
                           reinterpret_cast<sockaddr *>(&a), &len);
    if (n < 0) {
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? platformReceiveNothing
                                                         : platformReceiveError;
    }
    from.address = a.sin_addr.s_addr;
    from.port = a.sin_port;
    return static_cast<int>(n);
}

bool platformSocketWait(PlatformSocket socket, int milliseconds) {
    pollfd p{socket, POLLIN, 0};
    int n = ::poll(&p, 1, milliseconds < 0 ? 0 : milliseconds);
    if (n < 0 && errno == EINTR) return false;
    if (n < 0 || (n > 0 && (p.revents & POLLNVAL))) {
        platformSleepMilliseconds(milliseconds);
        return false;
    }
    return n > 0;
}

bool platformSocketSetReceiveBuffer(PlatformSocket socket, int bytes) {
    return ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) == 0;
}

void platformSocketShutdown(PlatformSocket socket) {
    ::shutdown(socket, SHUT_RD);
}

void platformSocketClose(PlatformSocket socket) {
    if (socket != platformSocketInvalid) ::close(socket);
}

bool platformHostLookup(const char *host, uint32_t &address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *list = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &list) != 0 || list == nullptr) return false;
    bool found = false;
    for (addrinfo *p = list; p != nullptr; p = p->ai_next) {
        if (p->ai_family == AF_INET && p->ai_addrlen >= sizeof(sockaddr_in)) {
            sockaddr_in a;
            std::memcpy(&a, p->ai_addr, sizeof a);
            address = a.sin_addr.s_addr;
            found = true;
            break;
        }
    }
    ::freeaddrinfo(list);
    return found;
}

bool platformHostName(char *buffer, int capacity) {
    if (capacity <= 0) return false;
    // gethostname need not end a cut name with a zero byte.
    if (::gethostname(buffer, static_cast<size_t>(capacity)) != 0) {
        buffer[0] = 0;
        return false;
    }
    buffer[capacity - 1] = 0;
    return buffer[0] != 0;
}

const char *platformAddressText(uint32_t address, char (&text)[platformAddressTextSize]) {
    in_addr a{};
    a.s_addr = address;
    if (::inet_ntop(AF_INET, &a, text, sizeof text) == nullptr) text[0] = 0;
    return text;
}

uint16_t platformPortToNetwork(int port) {
    return htons(static_cast<uint16_t>(port));
}
int platformPortFromNetwork(uint16_t port) {
    return ntohs(port);
}
