#pragma once
// The hand-off of a later start's arguments to the running browser: one
// request per argument, each answered before the next is sent, over a Unix
// socket in the runtime folder that only this user can reach.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fern {

// Wire format (little endian): u32 kind, u32 data, u32 length, then length
// bytes of Shift-JIS text. The answer is one byte: 1 taken, 0 ignored.
enum class HandOffKind : std::uint32_t { CopyData = 1, Attention = 2 };
constexpr std::size_t kHandOffHeaderSize = 12;
constexpr std::uint32_t kHandOffMaxText = 64 * 1024;

struct HandOffHeader {
    HandOffKind kind;
    std::uint32_t data;
    std::uint32_t length;
};

std::string EncodeHandOff(HandOffKind kind, std::uint32_t data, const std::string& text);
// False for an unknown kind or a text over the limit.
bool DecodeHandOffHeader(const unsigned char* bytes, HandOffHeader& header);

struct HandOffMessage {
    std::uint32_t data = 0;  // 0, or 777 for an address opened like a bookmark
    std::string text;
};

enum class HandOffResult {
    Taken,         // every message answered
    NotListening,  // no connection: nobody listens (yet) on the socket
    BrokenOff,     // connected, but an answer did not come
};

// Sends every message in order, each waiting for its answer, then asks the
// window for attention.
HandOffResult TrySendHandOff(const std::string& socketPath, const std::vector<HandOffMessage>& messages,
                             std::string* error = nullptr);
// True when every message was taken.
bool SendHandOff(const std::string& socketPath, const std::vector<HandOffMessage>& messages,
                 std::string* error = nullptr);

class CHandOffServer {
public:
    // Returns true when the text was taken (false: ignored while starting).
    using CopyDataHandler = std::function<bool(std::uint32_t data, const std::string& text)>;
    using AttentionHandler = std::function<void()>;

    CHandOffServer();
    ~CHandOffServer();
    CHandOffServer(const CHandOffServer&) = delete;
    CHandOffServer& operator=(const CHandOffServer&) = delete;

    // Listens on the main loop; requests from other users are refused.
    bool Listen(const std::string& socketPath, CopyDataHandler onCopyData, AttentionHandler onAttention,
                std::string* error = nullptr);
    void Stop();

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace fern
