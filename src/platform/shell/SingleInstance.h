#pragma once
// One running browser per user: a lock file in the runtime folder, and the
// folder itself (0700, ours) where the request sockets live.
#include <optional>
#include <string>

namespace fern {

// $XDG_RUNTIME_DIR/fern (else /tmp/fern-<uid>), created 0700. nullopt with
// the reason when it cannot be made or belongs to another user.
std::optional<std::string> RuntimeFolder(std::string* error = nullptr);

class CInstanceLock {
public:
    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // True when this process now holds the lock; false when another process
    // holds it (or the file cannot be opened: `error` says why).
    bool Acquire(const std::string& fsPath, std::string* error = nullptr);
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Whether a process holds the lock at `fsPath` now (a missing file: no).
bool InstanceLockHeld(const std::string& fsPath);

}  // namespace fern
