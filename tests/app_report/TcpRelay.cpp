#include "TcpRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Closes with a reset instead of an orderly end, as a peer that vanished does.
void resetFd(int& fd)
{
    if (fd < 0)
        return;
    linger hard{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    closeFd(fd);
}

sockaddr_in loopbackAddress(const std::string& host, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        throw std::runtime_error("TcpRelay: not an IPv4 address: " + host);
    return address;
}

}

TcpRelay::TcpRelay(std::string targetHost, std::uint16_t targetPort)
    : targetHost_(std::move(targetHost)), targetPort_(targetPort)
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopbackAddress("127.0.0.1", 0);
    socklen_t length = sizeof address;
    int pipeFds[2];
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(listener_, 16) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0
        || ::pipe2(pipeFds, O_CLOEXEC) != 0) {
        closeFd(listener_);
        throw std::runtime_error("TcpRelay: cannot listen on the loopback");
    }
    port_ = ntohs(address.sin_port);
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    thread_ = std::thread([this] { loop(); });
}

TcpRelay::~TcpRelay()
{
    {
        std::lock_guard lock(mutex_);
        stopWanted_ = true;
    }
    const char wake = 's';
    (void)::write(wakeWrite_, &wake, 1);
    thread_.join();
    closeFd(listener_);
    closeFd(wakeRead_);
    closeFd(wakeWrite_);
}

void TcpRelay::cutAll()
{
    std::unique_lock lock(mutex_);
    cutWanted_ = true;
    const char wake = 'c';
    (void)::write(wakeWrite_, &wake, 1);
    cutDone_.wait(lock, [this] { return !cutWanted_; });
}

void TcpRelay::cutAfterClientPackets(int packets)
{
    std::lock_guard lock(mutex_);
    packetsBeforeCut_ = packets;
}

int TcpRelay::connectionsAccepted() const
{
    std::lock_guard lock(mutex_);
    return accepted_;
}

int TcpRelay::connectionsCut() const
{
    std::lock_guard lock(mutex_);
    return cut_;
}

void TcpRelay::loop()
{
    for (;;) {
        std::vector<pollfd> fds{{wakeRead_, POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const Pair& pair : pairs_) {
            fds.push_back({pair.client, POLLIN, 0});
            fds.push_back({pair.server, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents) {
            char drained[16];
            (void)::read(wakeRead_, drained, sizeof drained);
            std::lock_guard lock(mutex_);
            if (stopWanted_) {
                for (Pair& pair : pairs_)
                    closePair(pair);
                return;
            }
            if (cutWanted_) {
                resetAll();
                cutWanted_ = false;
                cutDone_.notify_all();
                continue;  // the poll set named the closed descriptors
            }
        }
        // Only the pairs that were polled have results; one accepted now joins afterwards.
        const size_t polled = pairs_.size();
        if (fds[1].revents & POLLIN)
            acceptOne();
        std::vector<Pair> alive;
        bool cut = false;
        for (size_t i = 0; i < polled && !cut; ++i) {
            Pair& pair = pairs_[i];
            const short fromClient = fds[2 + 2 * i].revents, fromServer = fds[3 + 2 * i].revents;
            bool open = true;
            if (fromClient) {
                std::lock_guard lock(mutex_);
                if (packetsBeforeCut_ == 0) {
                    packetsBeforeCut_ = -1;
                    resetAll();
                    cut = true;
                    continue;
                }
                if (packetsBeforeCut_ > 0)
                    --packetsBeforeCut_;
            }
            if (fromClient) {
                ++clientPackets_;
                open = forward(pair.client, pair.server);
            }
            if (open && fromServer)
                open = forward(pair.server, pair.client);
            if (open)
                alive.push_back(pair);
            else
                closePair(pair);
        }
        if (cut)
            continue;  // every pair is gone
        alive.insert(alive.end(), pairs_.begin() + std::ptrdiff_t(polled), pairs_.end());
        pairs_ = std::move(alive);
    }
}

void TcpRelay::acceptOne()
{
    int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in target = loopbackAddress(targetHost_, targetPort_);
    if (server < 0 || ::connect(server, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        closeFd(server);
        closeFd(client);
        return;
    }
    const int on = 1;
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(server, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    pairs_.push_back({client, server});
    std::lock_guard lock(mutex_);
    ++accepted_;
}

bool TcpRelay::forward(int from, int to)
{
    char buffer[65536];
    const ssize_t got = ::recv(from, buffer, sizeof buffer, 0);
    if (got <= 0)
        return false;
    if (const long long hold = holdMicroseconds_)
        std::this_thread::sleep_for(std::chrono::microseconds(hold));
    for (ssize_t sent = 0; sent < got;) {
        const ssize_t n = ::send(to, buffer + sent, size_t(got - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

// With the lock held.
void TcpRelay::resetAll()
{
    for (Pair& pair : pairs_) {
        resetFd(pair.client);
        resetFd(pair.server);
        ++cut_;
    }
    pairs_.clear();
}

void TcpRelay::closePair(Pair& pair)
{
    closeFd(pair.client);
    closeFd(pair.server);
}
