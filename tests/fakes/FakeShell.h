#pragma once
// In-memory stand-ins for the desktop services: posted messages run when the
// test says, a clipboard, a message box that answers what the test set.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell/Clipboard.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageQueue.h"

namespace fern::test {

class ManualQueue : public IMessageQueue {
public:
    void Post(std::function<void()> work) override { m_work.push_back(std::move(work)); }
    // Runs everything posted so far, and what that posts in turn.
    void RunAll() {
        while (!m_work.empty()) {
            auto work = std::move(m_work.front());
            m_work.pop_front();
            work();
        }
    }
    std::size_t Pending() const { return m_work.size(); }

private:
    std::deque<std::function<void()>> m_work;
};

class FakeClipboard : public IClipboard {
public:
    std::optional<std::string> text;
    std::optional<std::string> GetText() override { return text; }
    void SetText(const std::string& t) override { text = t; }
};

class FakeMessageBox : public IMessageBox {
public:
    MessageBoxAnswer answer = MessageBoxAnswer::Ok;
    std::vector<std::string> shown;
    MessageBoxAnswer Show(const std::string& text, const std::string&, MessageBoxKind) override {
        shown.push_back(text);
        return answer;
    }
};

}  // namespace fern::test
