#include "downloads/DownloadQuestionQueue.h"

#include <algorithm>

namespace fern {

bool CDownloadQuestionQueue::Add(std::uintptr_t page, int id) {
    if (m_pageOf.count(id)) return false;
    m_pageOf[id] = page;
    std::deque<int>& queue = m_pages[page];
    queue.push_back(id);
    return queue.size() == 1;
}

const std::deque<int>* CDownloadQuestionQueue::QueueOf(int id) const {
    auto page = m_pageOf.find(id);
    return page == m_pageOf.end() ? nullptr : &m_pages.at(page->second);
}

std::optional<int> CDownloadQuestionQueue::Remove(int id) {
    auto found = m_pageOf.find(id);
    if (found == m_pageOf.end()) return std::nullopt;
    const std::uintptr_t page = found->second;
    m_pageOf.erase(found);
    std::deque<int>& queue = m_pages[page];
    const bool wasShown = queue.front() == id;
    queue.erase(std::find(queue.begin(), queue.end(), id));
    if (queue.empty()) {
        m_pages.erase(page);
        return std::nullopt;
    }
    if (wasShown) return queue.front();
    return std::nullopt;
}

std::size_t CDownloadQuestionQueue::WaitingBehind(int id) const {
    const std::deque<int>* queue = QueueOf(id);
    return queue ? queue->size() - 1 : 0;
}

std::deque<int> CDownloadQuestionQueue::QuestionsOfPageOf(int id) const {
    const std::deque<int>* queue = QueueOf(id);
    return queue ? *queue : std::deque<int>();
}

}  // namespace fern
