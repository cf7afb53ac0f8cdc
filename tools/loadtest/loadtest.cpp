// Load tool for a cogmireServer running on this machine: four clients join on loopback and
//   loadtest flood SECONDS SENDERS  one or all four send updates as fast as they can; prints
//                                   the updates relayed to peers per second
//   loadtest latency SECONDS        each client sends 10 updates a second stamped with the
//                                   send time; prints the relay latency (median, 99th, max)
//   loadtest idle SECONDS           four joined clients that only answer pings
// Each run ends with a quit-session message so the server is back in its lobby.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <thread>
#include <vector>

#include "platform/net.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int clientCount = 4;
constexpr int updateSize = 120; // about a client's update with a few units on the map

PlatformSocket sockets[clientCount];
PlatformAddress server;
std::atomic<bool> running{true};
std::atomic<long> relayed{0};
std::atomic<long> sentUpdates{0};
std::vector<double> latencies; // receiver thread only
bool measureLatency = false;

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

void sendFrame(int client, const uint8_t *data, int length) {
    platformSocketSend(sockets[client], data, length, server);
}

void sendCode(int client, uint8_t code) {
    uint8_t d[3] = {0, 3, code};
    sendFrame(client, d, 3);
}

// Waits up to timeoutMs for a datagram with this code on the client's socket, answering
// pings meanwhile.
bool await(int client, uint8_t code, int timeoutMs) {
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    uint8_t buf[65536];
    while (Clock::now() < end) {
        PlatformAddress from;
        int n = platformSocketReceive(sockets[client], buf, sizeof buf, from);
        if (n < 3) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        if (buf[2] == 'p') sendCode(client, 'p');
        if (buf[2] == code) return true;
    }
    return false;
}

// Reads every socket until stopped: counts relayed updates, measures their latency and
// answers pings.
void receiveLoop() {
    uint8_t buf[65536];
    pollfd fds[clientCount];
    for (int i = 0; i < clientCount; i++)
        fds[i] = {sockets[i], POLLIN, 0};
    while (running) {
        if (poll(fds, clientCount, 50) <= 0) continue;
        for (int i = 0; i < clientCount; i++) {
            if (!(fds[i].revents & POLLIN)) continue;
            PlatformAddress from;
            int n;
            while ((n = platformSocketReceive(sockets[i], buf, sizeof buf, from)) >= 3) {
                if (buf[2] == 'p') sendCode(i, 'p');
                if (buf[2] != 'U') continue;
                relayed++;
                if (measureLatency && n >= 12) {
                    int64_t sent;
                    std::memcpy(&sent, buf + 4, sizeof sent);
                    latencies.push_back((nowNs() - sent) / 1000.0);
                }
            }
        }
    }
}

void sendUpdate(int client) {
    uint8_t d[updateSize] = {};
    d[0] = updateSize >> 8;
    d[1] = updateSize & 255;
    d[2] = 'U';
    d[3] = static_cast<uint8_t>(client);
    int64_t t = nowNs();
    std::memcpy(d + 4, &t, sizeof t);
    sendFrame(client, d, updateSize);
    sentUpdates++;
}

bool joinAll() {
    platformNetStart();
    uint32_t loopback;
    platformHostLookup("127.0.0.1", loopback);
    server = {loopback, platformPortToNetwork(9999)};
    for (int i = 0; i < clientCount; i++) {
        sockets[i] = platformSocketOpen();
        platformSocketSetNonBlocking(sockets[i]);
        platformSocketBind(sockets[i], 0);
        char name[8];
        snprintf(name, sizeof name, "load%d", i);
        uint8_t d[16] = {0, 0, 'J'};
        int length = 3;
        for (const char *p = name; *p; p++)
            d[length++] = static_cast<uint8_t>(*p);
        d[length++] = 0;
        d[1] = static_cast<uint8_t>(length);
        sendFrame(i, d, length);
        if (!await(i, 'W', 2000)) {
            fprintf(stderr, "loadtest: client %d got no welcome; is cogmireServer running?\n", i);
            return false;
        }
    }
    return true;
}

bool beginGame() {
    sendCode(0, 'B');
    for (int i = 0; i < clientCount; i++)
        if (!await(i, 'B', 2000)) {
            fprintf(stderr, "loadtest: client %d did not see the game begin\n", i);
            return false;
        }
    return true;
}

void finish() {
    sendCode(0, 'Q');
    for (PlatformSocket s : sockets)
        platformSocketClose(s);
}

int flood(int seconds, int senders) {
    if (!joinAll() || !beginGame()) return 1;
    std::thread receiver(receiveLoop);
    std::vector<std::thread> threads;
    auto end = Clock::now() + std::chrono::seconds(seconds);
    for (int c = 0; c < senders; c++)
        threads.emplace_back([c, end] {
            while (Clock::now() < end)
                sendUpdate(c);
        });
    for (auto &t : threads)
        t.join();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    running = false;
    receiver.join();
    finish();
    long expected = sentUpdates * (clientCount - 1);
    printf("senders %d, %d s: updates sent %ld, relayed datagrams received %ld of %ld "
           "(%.1f%%)\n",
           senders, seconds, sentUpdates.load(), relayed.load(), expected,
           expected ? 100.0 * relayed / expected : 0.0);
    printf("relayed datagrams per second: %.0f\n", static_cast<double>(relayed) / seconds);
    return 0;
}

int latency(int seconds) {
    measureLatency = true;
    latencies.reserve(static_cast<size_t>(seconds) * 10 * clientCount * clientCount + 64);
    if (!joinAll() || !beginGame()) return 1;
    std::thread receiver(receiveLoop);
    auto next = Clock::now();
    auto end = next + std::chrono::seconds(seconds);
    while (Clock::now() < end) {
        // The four clients' 100 ms ticks are spread over the interval as real clients' are.
        for (int c = 0; c < clientCount; c++) {
            std::this_thread::sleep_until(next + std::chrono::milliseconds(25 * c));
            sendUpdate(c);
        }
        next += std::chrono::milliseconds(100);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    running = false;
    receiver.join();
    finish();
    if (latencies.empty()) return 1;
    std::sort(latencies.begin(), latencies.end());
    auto at = [](double q) { return latencies[static_cast<size_t>(q * (latencies.size() - 1))]; };
    printf("updates sent %ld, received %zu; relay latency us: median %.1f, 99th %.1f, max %.1f\n",
           sentUpdates.load(), latencies.size(), at(0.5), at(0.99), latencies.back());
    return 0;
}

int idle(int seconds) {
    if (!joinAll()) return 1;
    std::thread receiver(receiveLoop);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    running = false;
    receiver.join();
    for (PlatformSocket s : sockets)
        platformSocketClose(s);
    printf("four clients joined and answering pings for %d s\n", seconds);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    int seconds = argc > 2 ? std::max(1, atoi(argv[2])) : 10;
    if (mode == "flood") return flood(seconds, argc > 3 && atoi(argv[3]) > 1 ? clientCount : 1);
    if (mode == "latency") return latency(seconds);
    if (mode == "idle") return idle(seconds);
    fprintf(stderr, "usage: %s flood SECONDS 1|4 | latency SECONDS | idle SECONDS\n", argv[0]);
    return 1;
}
