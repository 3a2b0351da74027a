#pragma once
// Command ids of the sessions. Ids of our own lie from 35000 up, apart from
// every id the documents fix.

namespace fern {

enum SessionCommand : int {
    ID_SESSION_REOPEN = 35000,  // "前回のセッションを開く(&B)"
};

}  // namespace fern
