#pragma once
// The page of ours that lists the tabs of a session with check boxes and
// "復元" / "閉じる", and the reading of its answer. The tab that was loading
// when the session ended starts unchecked, so a page that brought the
// browser down is opened again only when the user asks for it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "session/SessionState.h"

namespace fern {

// The page's scheme and address (ASCII, so the same in UTF-8 and Shift-JIS).
inline constexpr char kRestoreScheme[] = "fern-session";
inline constexpr char kRestorePageUri[] = "fern-session:restore";
// Tabs listed at most; a longer session lists its first ones.
inline constexpr std::size_t kRestorePageLimit = 2000;

struct RestorePageNotes {
    bool crashed = false;          // the session was not closed by a clean exit
    bool olderGeneration = false;  // the newest file was damaged, an older one was read
    bool partial = false;          // no file was whole: what could be read of one
};

// The page in UTF-8. `token` goes with the answer, so only this page can
// give it.
std::string RestorePageHtml(const std::vector<SessionTab>& tabs, std::string_view token,
                            const RestorePageNotes& notes);

struct RestoreAnswer {
    enum class Action { None, Restore, Close };
    Action action = Action::None;
    std::vector<std::size_t> chosen;  // checked tabs, ascending
};

// The answer the page's form sends (its whole address); None unless the
// address is the page's own with `token`.
RestoreAnswer ParseRestoreAnswer(std::string_view uri, std::string_view token, std::size_t tabCount);

}  // namespace fern
