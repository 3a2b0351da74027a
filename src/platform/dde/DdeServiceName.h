#pragma once
// Where the server of a service listens: a socket in the runtime folder whose
// name is the service name, letters folded (services match without regard to
// case) and every byte outside [a-z0-9._-] written as %XX.
#include <optional>
#include <string>
#include <vector>

namespace fern {

// "FBROWSER" -> "dde-fbrowser".
std::string DdeSocketFileName(const std::string& service);

// The full path in the runtime folder; nullopt with the reason when there is
// no runtime folder or the path is too long for a socket.
std::optional<std::string> DdeSocketPath(const std::string& service, std::string* error = nullptr);

// Paths of every service socket in the runtime folder.
std::vector<std::string> DdeAllSocketPaths();

}  // namespace fern
