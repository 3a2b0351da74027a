#pragma once
// The questions of downloads, queued per page: each page shows at most one
// at a time, so a page that starts downloads in a loop puts one question on
// the screen and the rest wait behind it. Pages do not wait for each other.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>

namespace fern {

class CDownloadQuestionQueue {
public:
    // Queues question `id` of `page`; true when it is to be shown now.
    bool Add(std::uintptr_t page, int id);
    // The question left the queue (answered, or withdrawn because its
    // transfer ended). The page's next question, when this one was shown.
    std::optional<int> Remove(int id);
    // The questions behind the one shown for the page of question `id`.
    std::size_t WaitingBehind(int id) const;
    // Every question of the page of `id`, the shown one first.
    std::deque<int> QuestionsOfPageOf(int id) const;
    bool Empty() const { return m_pages.empty(); }

private:
    std::map<std::uintptr_t, std::deque<int>> m_pages;  // the front is shown
    std::map<int, std::uintptr_t> m_pageOf;
    const std::deque<int>* QueueOf(int id) const;
};

}  // namespace fern
