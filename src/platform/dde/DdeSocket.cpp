#include "platform/dde/DdeSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fern {

namespace {

bool MakeAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void SetError(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

}  // namespace

std::int64_t DdeNowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

bool DdePeerIsSameUser(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
    return size == sizeof credentials && credentials.uid == getuid();
}

int DdeListenSocket(const std::string& path, std::string* error) {
    sockaddr_un address;
    if (!MakeAddress(path, address)) {
        if (error) *error = "the socket path is too long";
        return -1;
    }
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        SetError(error, "socket");
        return -1;
    }
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EADDRINUSE) {
            SetError(error, path);
            close(fd);
            return -1;
        }
        // Only a file that refuses connections is left over from a run that died.
        int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        bool live = probe >= 0 && connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (probe >= 0) close(probe);
        if (live) {
            if (error) *error = path + ": the service is already served";
            close(fd);
            return -1;
        }
        unlink(path.c_str());
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            SetError(error, path);
            close(fd);
            return -1;
        }
    }
    chmod(path.c_str(), 0600);
    if (listen(fd, 64) != 0) {
        SetError(error, "listen");
        close(fd);
        unlink(path.c_str());
        return -1;
    }
    return fd;
}

int DdeConnectSocket(const std::string& path, std::string* error) {
    sockaddr_un address;
    if (!MakeAddress(path, address)) {
        if (error) *error = "the socket path is too long";
        return -1;
    }
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        SetError(error, "socket");
        return -1;
    }
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        SetError(error, path);
        close(fd);
        return -1;
    }
    if (!DdePeerIsSameUser(fd)) {
        if (error) *error = path + ": served by another user";
        close(fd);
        return -1;
    }
    return fd;
}

int DdeAcceptSocket(int listenFd) {
    for (;;) {
        int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0 || errno != EINTR) return fd;
    }
}

DdeReadOutcome DdeReadSome(int fd, std::string& buffer, std::size_t max) {
    char chunk[65536];
    std::size_t want = max < sizeof chunk ? max : sizeof chunk;
    for (;;) {
        ssize_t n = recv(fd, chunk, want, MSG_DONTWAIT);
        if (n > 0) {
            buffer.append(chunk, static_cast<std::size_t>(n));
            return DdeReadOutcome::Data;
        }
        if (n == 0) return DdeReadOutcome::Closed;
        if (errno == EINTR) continue;
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? DdeReadOutcome::WouldBlock
                                                         : DdeReadOutcome::Closed;
    }
}

long DdeWriteSome(int fd, std::string_view bytes) {
    for (;;) {
        ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EINTR) continue;
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
}

bool DdeWriteAll(int fd, std::string_view bytes, std::int64_t deadlineMs) {
    while (!bytes.empty()) {
        long n = DdeWriteSome(fd, bytes);
        if (n < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
        if (bytes.empty()) break;
        std::int64_t left = deadlineMs - DdeNowMs();
        if (left <= 0) return false;
        pollfd p{fd, POLLOUT, 0};
        if (poll(&p, 1, static_cast<int>(left)) < 0 && errno != EINTR) return false;
    }
    return true;
}

bool DdeWaitReadable(int fd, std::int64_t deadlineMs) {
    for (;;) {
        std::int64_t left = deadlineMs - DdeNowMs();
        if (left < 0) left = 0;
        pollfd p{fd, POLLIN, 0};
        int n = poll(&p, 1, static_cast<int>(left));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) return true;  // the read that follows reports it
    }
}

void DdeCloseSocket(int fd) {
    if (fd >= 0) close(fd);
}

}  // namespace fern
