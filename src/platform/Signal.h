#pragma once
// A call that many may listen to: the way the core calls up to features
// (and features to each other) without knowing them, and without chains of
// single hooks. A listener stays until its connection goes.
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace fern {

class SignalConnection {
public:
    SignalConnection() = default;
    explicit SignalConnection(std::function<void()> disconnect) : m_disconnect(std::move(disconnect)) {}
    SignalConnection(SignalConnection&& other) noexcept : m_disconnect(std::move(other.m_disconnect)) {
        other.m_disconnect = nullptr;
    }
    SignalConnection& operator=(SignalConnection&& other) noexcept {
        if (this != &other) {
            Disconnect();
            m_disconnect = std::move(other.m_disconnect);
            other.m_disconnect = nullptr;
        }
        return *this;
    }
    ~SignalConnection() { Disconnect(); }
    void Disconnect() {
        if (m_disconnect) m_disconnect();
        m_disconnect = nullptr;
    }

private:
    std::function<void()> m_disconnect;
};

template <class... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;

    Signal() : m_slots(std::make_shared<Slots>()) {}
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    // The listener runs on every Emit until the connection goes (or the
    // signal does: a connection that outlives its signal does nothing).
    [[nodiscard]] SignalConnection Connect(Slot slot) {
        int id = m_slots->next++;
        m_slots->slots.emplace(id, std::move(slot));
        std::weak_ptr<Slots> slots = m_slots;
        return SignalConnection([slots, id] {
            if (auto alive = slots.lock()) alive->slots.erase(id);
        });
    }
    // For listeners that live as long as the signal.
    void ConnectForever(Slot slot) { m_slots->slots.emplace(m_slots->next++, std::move(slot)); }

    // In the order the listeners connected; one that connects or goes while
    // it is told does not change who is told this time.
    void Emit(Args... args) const {
        std::vector<Slot> told;
        for (const auto& [id, slot] : m_slots->slots) told.push_back(slot);
        for (const Slot& slot : told)
            if (slot) slot(args...);
    }
    bool Empty() const { return m_slots->slots.empty(); }

private:
    struct Slots {
        std::map<int, Slot> slots;
        int next = 1;
    };
    std::shared_ptr<Slots> m_slots;
};

}  // namespace fern
