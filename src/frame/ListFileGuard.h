#pragma once
// A list file that exists but could not be read at start is not replaced at
// exit: what it holds was never loaded, so writing the list from memory
// would lose it.
#include <string_view>

#include "lists/ListFileStore.h"

namespace fern {

// True when the read failed (`status`) although something is at `path`.
bool ExistsButUnread(std::string_view path, const ListFileStatus& status);

// The status of a save refused for that reason.
ListFileStatus KeptUnreadStatus();

}  // namespace fern
