// The real cogmireServer over loopback: the harness starts the program, talks to it through
// UDP sockets of its own on 127.0.0.1, and checks every reply byte for byte and every line
// the program writes to standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes operator""_b(const char *text, size_t size) {
    return Bytes(text, text + size);
}

int elapsedMs(Clock::time_point since) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

const char *serverPath() {
    const char *p = getenv("COGMIRE_SERVER");
    return p != nullptr ? p : "cogmireServer";
}

// One run of the server program with its standard error on a pipe.
class ServerProcess {
  public:
    ~ServerProcess() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (errFd >= 0) close(errFd);
    }

    void start(const std::vector<std::string> &args) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(fds[1], 2);
            close(fds[0]);
            close(fds[1]);
            std::vector<char *> argv{const_cast<char *>(serverPath())};
            for (const auto &a : args)
                argv.push_back(const_cast<char *>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        errFd = fds[0];
    }

    // Starts with the argument and waits for the start-up line: the first IPv4 address of
    // the local host name and the port, or the bare name when it does not resolve.
    void run(const char *timeout) {
        start({timeout});
        char host[256] = {}, text[INET_ADDRSTRLEN] = {};
        gethostname(host, sizeof host - 1);
        addrinfo hints{}, *list = nullptr;
        hints.ai_family = AF_INET;
        std::string at = host;
        if (getaddrinfo(host, nullptr, &hints, &list) == 0 && list != nullptr) {
            auto *a = reinterpret_cast<sockaddr_in *>(list->ai_addr);
            at = std::string(inet_ntop(AF_INET, &a->sin_addr, text, sizeof text)) + ":9999";
            freeaddrinfo(list);
        }
        ASSERT_EQ(line(5000), "MAIN: Server running at " + at + "...\n");
    }

    // The next line of standard error, newline included; "" when none comes in time.
    std::string line(int timeoutMs = 2000) {
        auto begin = Clock::now();
        for (;;) {
            size_t nl = pending.find('\n');
            if (nl != std::string::npos) {
                std::string l = pending.substr(0, nl + 1);
                pending.erase(0, nl + 1);
                return l;
            }
            int left = timeoutMs - elapsedMs(begin);
            if (left <= 0 || errFd < 0) return "";
            pollfd p{errFd, POLLIN, 0};
            if (poll(&p, 1, left) <= 0) continue;
            char buf[4096];
            ssize_t n = read(errFd, buf, sizeof buf);
            if (n <= 0) {
                close(errFd);
                errFd = -1;
            } else {
                pending.append(buf, static_cast<size_t>(n));
            }
        }
    }

    // True when no line arrives within ms.
    bool quiet(int ms = 150) {
        std::string l = line(ms);
        EXPECT_EQ(l, "");
        return l.empty();
    }

    // Waits for the program to end; its exit status, or -1 when it had to be killed.
    int wait(int timeoutMs = 5000) {
        auto begin = Clock::now();
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (elapsedMs(begin) > timeoutMs) return -1;
            usleep(5000);
        }
        pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int stop(int signal = SIGTERM) {
        kill(pid, signal);
        return wait();
    }

  private:
    pid_t pid = 0;
    int errFd = -1;
    std::string pending;
};

// A UDP socket of the test's own on 127.0.0.1, talking to the server on port 9999.
class Peer {
  public:
    Peer() {
        fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
        socklen_t len = sizeof a;
        getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
        port = ntohs(a.sin_port);
    }
    ~Peer() { close(fd); }
    Peer(const Peer &) = delete;
    Peer &operator=(const Peer &) = delete;

    void send(const Bytes &d) const {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(9999);
        sendto(fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr *>(&a), sizeof a);
    }

    void join(const std::string &name) const {
        Bytes d{0, static_cast<uint8_t>(name.size() + 4), 'J'};
        d.insert(d.end(), name.begin(), name.end());
        d.push_back(0);
        send(d);
    }

    // The next datagram, or "nothing" (an empty vector) after timeoutMs. Pings are passed
    // over unless keepPings is set: a test that runs past a second sees them.
    Bytes receive(int timeoutMs = 1000) const {
        auto begin = Clock::now();
        for (;;) {
            pollfd p{fd, POLLIN, 0};
            int left = std::max(0, timeoutMs - elapsedMs(begin));
            if (poll(&p, 1, left) <= 0) return {};
            uint8_t buf[65536];
            ssize_t n = recv(fd, buf, sizeof buf, 0);
            Bytes d = n > 0 ? Bytes(buf, buf + n) : Bytes{};
            if (keepPings || d != Bytes{0, 3, 'p'}) return d;
        }
    }

    bool silent(int ms = 150) const {
        Bytes d = receive(ms);
        EXPECT_TRUE(d.empty()) << "unexpected datagram of " << d.size() << " bytes";
        return d.empty();
    }

    std::string joinLine(const std::string &name, int slot) const {
        return "MAIN: Got a new client \"" + name + "\" 127.0.0.1:" + std::to_string(port) + " (" +
               std::to_string(slot) + ").\n";
    }

    int fd;
    int port;
    bool keepPings = false;
};

const std::string unknownLine = "MAIN: Got an unknown message from 127.0.0.1.\n";
const std::string begunLine = "MAIN: A game has begun!\n";

class Server : public ::testing::Test {
  protected:
    // Joins a peer and checks its welcome; the names message goes to every joined peer and
    // is taken from each of them.
    void joinAs(Peer &p, const std::string &name, int slot, std::vector<Peer *> joined) {
        p.join(name);
        EXPECT_EQ(server.line(), p.joinLine(name, slot));
        EXPECT_EQ(p.receive(), (Bytes{0, 4, 'W', static_cast<uint8_t>(slot)}));
        Bytes names = p.receive();
        EXPECT_EQ(names.size() > 3 ? names[2] : 0, 'N');
        for (Peer *o : joined)
            EXPECT_EQ(o->receive(), names);
    }
    void begin(Peer &from, std::vector<Peer *> all) {
        from.send("\0\3B"_b);
        for (Peer *p : all)
            EXPECT_EQ(p->receive(), "\0\3B"_b);
        EXPECT_EQ(server.line(), begunLine);
    }
    void TearDown() override {
        // Nothing may be left unread on standard error.
        server.quiet(50);
        EXPECT_EQ(server.stop(), 0);
    }
    ServerProcess server;
};

TEST(ServerCommandLine, BadArgumentsPrintUsageAndFail) {
    const std::vector<std::vector<std::string>> bad{{}, {"1", "2"}, {"0"}, {"-3"}, {"abc"}, {""}};
    for (const auto &args : bad) {
        ServerProcess s;
        s.start(args);
        EXPECT_EQ(s.line(), std::string("USAGE: ") + serverPath() + " <TIMEOUT SECONDS>\n");
        EXPECT_EQ(s.wait(), 1);
        EXPECT_EQ(s.line(100), "");
    }
}

TEST(ServerCommandLine, NumberIsReadUpToItsFirstOtherCharacter) {
    // " 1x" reads as 1: a silent client is pinged once and dropped after two seconds.
    ServerProcess s;
    s.run(" 1x");
    Peer a;
    a.keepPings = true;
    a.join("a");
    EXPECT_EQ(s.line(), a.joinLine("a", 0));
    a.receive();
    a.receive();
    EXPECT_EQ(a.receive(1800), "\0\3p"_b);
    EXPECT_EQ(s.line(2000), "NOINCOMINGTRAFFIC: a (0) timed out.\n");
    EXPECT_EQ(s.line(), "CLIENTQUIT: All clients have quit... Resetting the server...\n");
    EXPECT_EQ(s.stop(SIGINT), 0);
}

TEST(ServerSignals, InterruptAndTerminateEndWithStatusZero) {
    for (int sig : {SIGINT, SIGTERM}) {
        ServerProcess s;
        s.run("5x");
        Peer a;
        a.join("a");
        EXPECT_EQ(s.line(), a.joinLine("a", 0));
        EXPECT_EQ(s.stop(sig), 0);
        EXPECT_EQ(s.line(100), "");
    }
}

TEST(ServerSignals, SecondServerOnThePortFailsItsBind) {
    ServerProcess first;
    first.run("3");
    ServerProcess second;
    second.start({"3"});
    EXPECT_EQ(second.line(), "MAIN: Error binding the socket.\n");
    EXPECT_EQ(second.wait(), 1);
    EXPECT_EQ(first.stop(), 0);
}

TEST_F(Server, JoinWelcomesIntoSlotsAndNamesEveryone) {
    server.run("30");
    Peer a, b, c;
    joinAs(a, "a", 0, {});
    joinAs(b, "b", 1, {&a});
    // The exact bytes of a join as ann and of its welcome into slot 2.
    c.send("\0\7Jann\0"_b);
    EXPECT_EQ(server.line(), c.joinLine("ann", 2));
    EXPECT_EQ(c.receive(), "\0\4W\2"_b);
    Bytes names = "\0\15N\4a\0b\0ann\0\0"_b;
    EXPECT_EQ(c.receive(), names);
    EXPECT_EQ(a.receive(), names);
    EXPECT_EQ(b.receive(), names);

    // A second join from the same address and port: same slot, fresh names, name not taken,
    // no line.
    b.join("zed");
    EXPECT_EQ(b.receive(), "\0\4W\1"_b);
    for (Peer *p : {&a, &b, &c})
        EXPECT_EQ(p->receive(), names);
    server.quiet();

    // Another port of the same address is another client.
    Peer d;
    joinAs(d, "b", 3, {&a, &b, &c});
    // The fifth join is told the server is full, and nobody else hears of it.
    Peer e;
    e.join("e");
    EXPECT_EQ(e.receive(), "\0\3S"_b);
    server.quiet();
    for (Peer *p : {&a, &b, &c, &d})
        p->silent(20);
}

TEST_F(Server, OnePlayerGameRelaysNothingAndIgnoresLateJoins) {
    server.run("30");
    Peer a, late;
    joinAs(a, "solo", 0, {});
    begin(a, {&a});
    a.send("\0\6U\0\1\2"_b);
    a.silent();
    late.join("late");
    late.silent();
    server.quiet();
    // A second begin while the game runs is dropped without a word.
    a.send("\0\3B"_b);
    a.silent(50);
}

TEST_F(Server, UpdatesReachEveryOtherClientUnchanged) {
    server.run("30");
    Peer a, b, c;
    joinAs(a, "a", 0, {});
    joinAs(b, "b", 1, {&a});
    joinAs(c, "c", 2, {&a, &b});
    begin(b, {&a, &b, &c});
    // A stranger's update goes nowhere, and its quit ends nothing.
    Peer s;
    s.send("\0\4U\0"_b);
    s.send("\0\3Q"_b);
    for (Peer *p : {&a, &b, &c})
        p->silent(30);
    server.quiet();
    // The largest datagram that IPv4 carries.
    Bytes update(65507);
    for (size_t i = 0; i < update.size(); i++)
        update[i] = static_cast<uint8_t>(i * 7);
    update[0] = 65507 >> 8;
    update[1] = 65507 & 255;
    update[2] = 'U';
    b.send(update);
    EXPECT_EQ(a.receive(), update);
    EXPECT_EQ(c.receive(), update);
    b.silent();
}

TEST_F(Server, LobbyTakesOnlyJoinsAndBegins) {
    server.run("30");
    Peer a, stranger;
    joinAs(a, "a", 0, {});
    a.send("\0\5U\0\0"_b);
    EXPECT_EQ(server.line(), unknownLine);
    a.send("\0\3D"_b);
    EXPECT_EQ(server.line(), unknownLine);
    a.send("\0\3p"_b);
    stranger.send("\0\3p"_b);
    EXPECT_EQ(server.line(), unknownLine);
    stranger.send("\0\3B"_b);
    stranger.silent();
    a.silent(10);
    server.quiet();
    // The known sender is still joined: its begin starts the game.
    begin(a, {&a});
}

TEST_F(Server, DisconnectOfTheLastClientResetsAndTellsNobody) {
    server.run("30");
    Peer a, b;
    joinAs(a, "ann", 0, {});
    joinAs(b, "bo", 1, {&a});
    begin(a, {&a, &b});
    b.send("\0\3D"_b);
    EXPECT_EQ(server.line(), "MAIN: bo (1) has quit the game.\n");
    EXPECT_EQ(a.receive(), "\0\4X\1"_b);
    a.silent(); // no names after a client's own leave
    b.silent(10);
    a.send("\0\3D"_b);
    EXPECT_EQ(server.line(), "MAIN: ann (0) has quit the game.\n");
    EXPECT_EQ(server.line(), "CLIENTQUIT: All clients have quit... Resetting the server...\n");
    a.silent();
    // Back in the lobby with every slot free.
    joinAs(b, "bo", 0, {});
}

TEST_F(Server, QuitSessionForgetsEverybody) {
    server.run("30");
    Peer a, b, c, d;
    joinAs(a, "ann", 0, {});
    joinAs(b, "bo", 1, {&a});
    joinAs(c, "cy", 2, {&a, &b});
    joinAs(d, "di", 3, {&a, &b, &c});
    begin(a, {&a, &b, &c, &d});
    b.send("\0\3Q"_b);
    EXPECT_EQ(server.line(), "MAIN: Quit session requested... Resetting...\n");
    for (Peer *p : {&a, &b, &c, &d})
        p->silent(30);
    a.send("\0\4U\0"_b);
    EXPECT_EQ(server.line(), unknownLine);
    b.silent(50);
    // Every slot is free and counted out: the slot 3 client is a stranger, a new game of one
    // ends with that one's leave.
    d.send("\0\3p"_b);
    EXPECT_EQ(server.line(), unknownLine);
    joinAs(a, "ann", 0, {});
    begin(a, {&a});
    a.send("\0\3D"_b);
    EXPECT_EQ(server.line(), "MAIN: ann (0) has quit the game.\n");
    EXPECT_EQ(server.line(), "CLIENTQUIT: All clients have quit... Resetting the server...\n");
}

TEST_F(Server, DeathReportLineNamesAttackerThenVictim) {
    server.run("30");
    Peer a, b;
    joinAs(a, "ann", 0, {});
    joinAs(b, "bo", 1, {&a});
    begin(a, {&a, &b});
    a.send("\0\4K\1"_b);
    EXPECT_EQ(server.line(), "MAIN: bo (1) killed ann (0).\n");
    b.send("\0\4K\11"_b);
    EXPECT_EQ(server.line(), "MAIN:  (9) killed bo (1).\n");
    b.send("\0\3K"_b);
    EXPECT_EQ(server.line(), "MAIN:  (-1) killed bo (1).\n");
    a.silent(30);
    b.silent(30);
}

TEST_F(Server, InvalidDatagramsAreLoggedAndDropped) {
    server.run("30");
    Peer a;
    a.send("\0"_b);
    EXPECT_EQ(server.line(), "MAIN: The packet (1 bytes) is too small!\n");
    a.send("\0\2"_b);
    EXPECT_EQ(server.line(), "MAIN: The packet (2 bytes) is too small!\n");
    a.send("\0\5p"_b);
    EXPECT_EQ(server.line(),
              "MAIN: The actual packet size (3 bytes) and the embedded packet size (5 bytes) "
              "don't match!\n");
    a.send("\0\5Jab\0"_b);
    EXPECT_EQ(server.line(),
              "MAIN: The actual packet size (6 bytes) and the embedded packet size (5 bytes) "
              "don't match!\n");
    a.send(Bytes{});
    server.quiet();
    a.silent(10);
    // Names past 23 characters are cut; a name may end with the datagram.
    a.join("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(server.line(), a.joinLine("abcdefghijklmnopqrstuvw", 0));
    EXPECT_EQ(a.receive(), "\0\4W\0"_b);
    EXPECT_EQ(a.receive(), "\0\37N\4abcdefghijklmnopqrstuvw\0\0\0\0"_b);
    Peer b, c;
    b.send("\0\5Jbo"_b);
    EXPECT_EQ(server.line(), b.joinLine("bo", 1));
    // The name ends at its first zero byte.
    c.send("\0\11Jcy\0zz\0"_b);
    EXPECT_EQ(server.line(), c.joinLine("cy", 2));
}

// Collects what a peer receives while time passes, answering pings when asked to.
struct Heard {
    std::vector<std::pair<int, Bytes>> datagrams; // ms since the start, bytes
};

void listen(std::vector<Peer *> peers, std::vector<bool> answer, std::vector<Heard> &heard,
            Clock::time_point start, int untilMs) {
    heard.resize(peers.size());
    while (elapsedMs(start) < untilMs) {
        std::vector<pollfd> fds;
        for (Peer *p : peers)
            fds.push_back({p->fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), 10) <= 0) continue;
        for (size_t i = 0; i < peers.size(); i++) {
            if (!(fds[i].revents & POLLIN)) continue;
            Bytes d = peers[i]->receive(0);
            if (answer[i] && d == "\0\3p"_b) peers[i]->send("\0\3p"_b);
            heard[i].datagrams.push_back({elapsedMs(start), d});
        }
    }
}

TEST_F(Server, SilentClientIsPingedThenDroppedWhileOthersAnswer) {
    server.run("1");
    Peer ann, silent, bo;
    joinAs(ann, "ann", 0, {});
    joinAs(silent, "tmp", 1, {&ann});
    joinAs(bo, "bo", 2, {&ann, &silent});
    // Slot 1 falls silent from here; the others answer every ping.
    auto start = Clock::now();
    silent.send("\0\3p"_b);
    std::vector<Heard> heard;
    for (Peer *p : {&ann, &silent, &bo})
        p->keepPings = true;
    listen({&ann, &silent, &bo}, {true, false, true}, heard, start, 3400);
    EXPECT_EQ(server.line(), "NOINCOMINGTRAFFIC: tmp (1) timed out.\n");

    // The silent one: one ping just over a second in, nothing after it.
    ASSERT_EQ(heard[1].datagrams.size(), 1u);
    EXPECT_EQ(heard[1].datagrams[0].second, "\0\3p"_b);
    EXPECT_GE(heard[1].datagrams[0].first, 1000);
    EXPECT_LT(heard[1].datagrams[0].first, 1900);
    // The others: pings, then the names with slot 1 empty, then the disconnect of slot 1.
    for (int i : {0, 2}) {
        Bytes names = "\0\15N\4ann\0\0bo\0\0"_b;
        std::vector<Bytes> rest;
        int namesAt = -1;
        for (auto &[ms, d] : heard[i].datagrams) {
            if (d == "\0\3p"_b) continue;
            if (d == names) namesAt = ms;
            rest.push_back(d);
        }
        EXPECT_EQ(rest, (std::vector<Bytes>{names, "\0\4D\1"_b})) << "peer " << i;
        EXPECT_GE(namesAt, 2000);
        EXPECT_LT(namesAt, 3000);
    }
    // The answering clients stay joined; the next join takes the freed slot between them.
    ann.send("\0\5U\0\0"_b);
    EXPECT_EQ(server.line(), unknownLine);
    Peer cy;
    cy.join("cy");
    EXPECT_EQ(server.line(), cy.joinLine("cy", 1));
}

TEST_F(Server, AnyValidDatagramAnswersAPingButAnInvalidOneDoesNot) {
    server.run("1");
    Peer a, b;
    joinAs(a, "a", 0, {});
    joinAs(b, "b", 1, {&a});
    a.keepPings = b.keepPings = true;
    auto start = Clock::now();
    a.send("\0\3p"_b);
    b.send("\0\3p"_b);
    // a answers each ping with an unknown message, b with a datagram too small to count.
    int aPings = 0;
    int bPings = 0;
    while (elapsedMs(start) < 3500) {
        if (a.receive(5) == "\0\3p"_b) {
            aPings++;
            a.send("\0\3Z"_b);
        }
        if (b.receive(5) == "\0\3p"_b) {
            bPings++;
            b.send("\0\2"_b);
        }
    }
    EXPECT_EQ(bPings, 1);
    EXPECT_GE(aPings, 2);
    int unknown = 0, small = 0, dropped = 0, lines = 0; // a server that keeps logging ends it
    for (std::string l = server.line(100); !l.empty() && lines++ < 100; l = server.line(100)) {
        if (l == unknownLine)
            unknown++;
        else if (l == "MAIN: The packet (2 bytes) is too small!\n")
            small++;
        else if (l == "NOINCOMINGTRAFFIC: b (1) timed out.\n")
            dropped++;
        else
            ADD_FAILURE() << l;
    }
    EXPECT_EQ(unknown, aPings);
    EXPECT_EQ(small, 1);
    EXPECT_EQ(dropped, 1);
}

TEST_F(Server, ANameCannotForgeLogLines) {
    server.run("30");
    Peer a;
    a.join("evil\nMAIN: A game has b");
    EXPECT_EQ(server.line(), "MAIN: Got a new client \"evil\\x0aMAIN: A game has b\" 127.0.0.1:" +
                                 std::to_string(a.port) + " (0).\n");
    EXPECT_EQ(a.receive(), "\0\4W\0"_b);
    EXPECT_EQ(a.receive(), "\0\37N\4evil\nMAIN: A game has b\0\0\0\0"_b);
}

// Empty datagrams count as nothing waiting: a stranger sending 2000 a second must neither
// hold up the relays nor let a player that answers its pings time out.
TEST_F(Server, EmptyDatagramFloodDelaysAndDropsNobody) {
    server.run("1");
    Peer peers[4];
    std::vector<Peer *> joined;
    for (int i = 0; i < 4; i++) {
        joinAs(peers[i], "p" + std::to_string(i), i, joined);
        joined.push_back(&peers[i]);
    }
    begin(peers[0], joined);
    for (Peer &p : peers)
        p.keepPings = true;
    std::thread flooder([] {
        Peer stranger;
        auto start = Clock::now();
        for (int sent = 0; sent < 10000; usleep(1000))
            for (; sent < 10000 && sent < elapsedMs(start) * 2; sent++)
                stranger.send(Bytes{});
    });
    // Every 25 ms one player in turn sends an update stamped with its send time; every
    // player answers its pings, and takes nothing but pings and relays.
    auto start = Clock::now();
    int sent = 0, received = 0;
    std::vector<int> latencies;
    while (elapsedMs(start) < 5300) {
        int now = elapsedMs(start);
        if (now < 5000 && now >= sent * 25) {
            Bytes u{
                0, 7, 'U', uint8_t(now), uint8_t(now >> 8), uint8_t(now >> 16), uint8_t(sent % 4)};
            peers[sent++ % 4].send(u);
        }
        for (Peer &p : peers) {
            Bytes d = p.receive(0);
            if (d == "\0\3p"_b) {
                p.send(d);
            } else if (d.size() == 7 && d[2] == 'U') {
                received++;
                latencies.push_back(now - (d[3] | d[4] << 8 | d[5] << 16));
            } else {
                EXPECT_TRUE(d.empty()) << "a datagram of " << d.size() << " bytes";
            }
        }
        usleep(500);
    }
    flooder.join();
    EXPECT_GE(received, sent * 3 * 95 / 100);
    ASSERT_FALSE(latencies.empty());
    std::sort(latencies.begin(), latencies.end());
    EXPECT_LT(latencies[latencies.size() / 2], 50) << "median relay latency in ms";
}

} // namespace
