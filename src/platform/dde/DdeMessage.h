#pragma once
// The messages of the request channel. A connection starts with Connect (then
// carries Transactions until Disconnect or its end) or with WildConnect (one
// answer, then it ends). AdviseData comes unasked from the server.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fern {

enum class DdeMessageKind : std::uint8_t {
    Connect = 1,           // service, topic, pid, instance
    ConnectReply = 2,      // accepted
    WildConnect = 3,       // service?, topic?, pid, instance
    WildConnectReply = 4,  // pairs
    Transaction = 5,       // id, type, format, item?, data?
    TransactionReply = 6,  // id, value, format, data?
    AdviseData = 7,        // format, topic, item, data?
    Disconnect = 8,
};

struct DdeMessage {
    DdeMessageKind kind = DdeMessageKind::Disconnect;
    std::optional<std::string> service;
    std::optional<std::string> topic;
    std::optional<std::string> item;
    std::optional<std::string> data;
    std::uint32_t pid = 0;
    std::uint32_t instance = 0;
    std::uint32_t id = 0;
    std::uint32_t type = 0;
    std::uint32_t format = 0;
    std::uint32_t value = 0;
    bool accepted = false;
    std::vector<std::pair<std::string, std::string>> pairs;

    bool operator==(const DdeMessage&) const = default;
};

}  // namespace fern
