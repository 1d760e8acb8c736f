#pragma once
// A loopback TCP relay for making a database server go away in the middle of a run without
// touching the server itself: it listens on a free port of 127.0.0.1 and forwards each
// connection to the target, on a thread of its own (the run under test holds the test's
// thread until it ends). cutAll() closes every relayed connection at once, on both sides, as a
// server that crashed or a network that dropped would; connections made after it are relayed
// again, as when the server is back.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TcpRelay {
public:
    TcpRelay(std::string targetHost, std::uint16_t targetPort);
    ~TcpRelay();

    TcpRelay(const TcpRelay&) = delete;
    TcpRelay& operator=(const TcpRelay&) = delete;

    std::uint16_t port() const { return port_; }

    // Closes every connection relayed so far; returns once they are closed. Any thread.
    void cutAll();
    // Lets `packets` more reads from clients through, then closes every connection instead of
    // relaying the next one: the server vanishes in the middle of whatever the client is
    // doing. Any thread; returns at once.
    void cutAfterClientPackets(int packets);

    // Holds every packet this long before passing it on, each way: a network path whose round
    // trip is twice as long (the benchmark's wide-area link). Any thread.
    void setHold(std::chrono::microseconds oneWay) { holdMicroseconds_ = oneWay.count(); }
    // Reads from clients relayed so far: in this request-and-answer protocol, about one
    // round trip each.
    long long clientPackets() const { return clientPackets_; }

    int connectionsAccepted() const;
    int connectionsCut() const;

private:
    struct Pair {
        int client = -1;
        int server = -1;
    };

    void loop();
    void acceptOne();
    // Moves what one side has to the other; false when either side is done.
    bool forward(int from, int to);
    void closePair(Pair& pair);
    void resetAll();

    std::string targetHost_;
    std::uint16_t targetPort_;
    int listener_ = -1;
    int wakeRead_ = -1, wakeWrite_ = -1;
    std::uint16_t port_ = 0;
    std::vector<Pair> pairs_;  // the relay thread's own

    mutable std::mutex mutex_;
    std::condition_variable cutDone_;
    bool cutWanted_ = false;
    int packetsBeforeCut_ = -1;  // -1: not armed
    bool stopWanted_ = false;
    int accepted_ = 0;
    int cut_ = 0;
    std::atomic<long long> holdMicroseconds_{0};
    std::atomic<long long> clientPackets_{0};
    std::thread thread_;
};
