#pragma once
// The bytes of a session file: Shift-JIS text, one field a line, closed by an
// end line that counts the tabs and carries a SHA-256 of everything before
// it, so a file cut short or damaged is told from a whole one. The reader
// never fails: it keeps every tab it can make out, and says whether the file
// was whole.
#include <cstddef>
#include <string>
#include <string_view>

#include "session/SessionState.h"

namespace fern {

// Back and forward entries kept per tab; older ones are left out.
inline constexpr std::size_t kSessionHistoryLimit = 50;

std::string SerializeSession(const SessionState& state);

struct SessionReadResult {
    SessionState state;
    bool whole = false;  // header, end line and checksum agree
};

SessionReadResult ParseSession(std::string_view bytes);

}  // namespace fern
