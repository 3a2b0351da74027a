#pragma once
// The socket side of the request channel: Unix stream sockets that only this
// user can reach, reads and writes that never raise SIGPIPE, and waits with a
// deadline on the monotonic clock.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fern {

std::int64_t DdeNowMs();

// A non-blocking listening socket at `path`, mode 0600. A socket file that
// nobody listens on is stale and replaced; a live one is not touched (-1).
int DdeListenSocket(const std::string& path, std::string* error = nullptr);

// A connected, blocking socket whose peer runs as this user; -1 otherwise.
int DdeConnectSocket(const std::string& path, std::string* error = nullptr);

// A pending connection of a listening socket (non-blocking); -1 when none.
int DdeAcceptSocket(int listenFd);

bool DdePeerIsSameUser(int fd);

enum class DdeReadOutcome { Data, WouldBlock, Closed };
// Appends what can be read now (at most `max` bytes).
DdeReadOutcome DdeReadSome(int fd, std::string& buffer, std::size_t max);

// Writes what can be written now; the number of bytes, or -1 when the
// connection is broken.
long DdeWriteSome(int fd, std::string_view bytes);

// Writes all bytes, waiting at most until the deadline.
bool DdeWriteAll(int fd, std::string_view bytes, std::int64_t deadlineMs);

// Waits until the socket can be read (or was closed); false at the deadline.
bool DdeWaitReadable(int fd, std::int64_t deadlineMs);

void DdeCloseSocket(int fd);

}  // namespace fern
