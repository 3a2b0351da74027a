#include "platform/dde/DdeFrame.h"

#include <cstdint>

namespace fern {

namespace {

class Writer {
public:
    void U8(std::uint8_t v) { m_out.push_back(static_cast<char>(v)); }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) m_out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void Text(const std::string& s) {
        U32(static_cast<std::uint32_t>(s.size()));
        m_out += s;
    }
    void OptionalText(const std::optional<std::string>& s) {
        U8(s ? 1 : 0);
        if (s) Text(*s);
    }
    std::string& Out() { return m_out; }

private:
    std::string m_out;
};

// Reads fields from a body; the first failure sticks.
class Reader {
public:
    explicit Reader(std::string_view body) : m_body(body) {}
    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_pos == m_body.size(); }

    std::uint8_t U8() {
        if (!Need(1)) return 0;
        return static_cast<unsigned char>(m_body[m_pos++]);
    }
    std::uint32_t U32() {
        if (!Need(4)) return 0;
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(m_body[m_pos + i])) << (8 * i);
        m_pos += 4;
        return v;
    }
    bool Flag() {
        std::uint8_t v = U8();
        if (v > 1) m_ok = false;
        return v == 1;
    }
    std::string Text() {
        std::uint32_t length = U32();
        if (!Need(length)) return {};
        std::string s(m_body.substr(m_pos, length));
        m_pos += length;
        return s;
    }
    std::optional<std::string> OptionalText() {
        if (!Flag() || !m_ok) return std::nullopt;
        std::string s = Text();
        if (!m_ok) return std::nullopt;
        return s;
    }
    // A count of records that each take at least `minimum` bytes.
    std::uint32_t Count(std::size_t minimum) {
        std::uint32_t n = U32();
        if (m_ok && n > (m_body.size() - m_pos) / minimum) m_ok = false;
        return m_ok ? n : 0;
    }

private:
    std::string_view m_body;
    std::size_t m_pos = 0;
    bool m_ok = true;

    bool Need(std::size_t n) {
        if (!m_ok || n > m_body.size() - m_pos) m_ok = false;
        return m_ok;
    }
};

bool DecodeBody(std::string_view body, DdeMessage& m) {
    Reader r(body);
    std::uint8_t kind = r.U8();
    m.kind = static_cast<DdeMessageKind>(kind);
    switch (m.kind) {
        case DdeMessageKind::Connect:
            m.service = r.Text();
            m.topic = r.Text();
            m.pid = r.U32();
            m.instance = r.U32();
            break;
        case DdeMessageKind::ConnectReply: m.accepted = r.Flag(); break;
        case DdeMessageKind::WildConnect:
            m.service = r.OptionalText();
            m.topic = r.OptionalText();
            m.pid = r.U32();
            m.instance = r.U32();
            break;
        case DdeMessageKind::WildConnectReply: {
            std::uint32_t n = r.Count(8);
            for (std::uint32_t i = 0; i < n && r.Ok(); ++i) {
                std::string service = r.Text();
                std::string topic = r.Text();
                m.pairs.emplace_back(std::move(service), std::move(topic));
            }
            break;
        }
        case DdeMessageKind::Transaction:
            m.id = r.U32();
            m.type = r.U32();
            m.format = r.U32();
            m.item = r.OptionalText();
            m.data = r.OptionalText();
            break;
        case DdeMessageKind::TransactionReply:
            m.id = r.U32();
            m.value = r.U32();
            m.format = r.U32();
            m.data = r.OptionalText();
            break;
        case DdeMessageKind::AdviseData:
            m.format = r.U32();
            m.topic = r.Text();
            m.item = r.Text();
            m.data = r.OptionalText();
            break;
        case DdeMessageKind::Disconnect: break;
        default: return false;
    }
    return r.Ok() && r.AtEnd();
}

}  // namespace

std::string EncodeDdeFrame(const DdeMessage& m) {
    Writer w;
    w.U32(0);  // the length, filled in below
    w.U8(static_cast<std::uint8_t>(m.kind));
    switch (m.kind) {
        case DdeMessageKind::Connect:
            w.Text(m.service.value_or(""));
            w.Text(m.topic.value_or(""));
            w.U32(m.pid);
            w.U32(m.instance);
            break;
        case DdeMessageKind::ConnectReply: w.U8(m.accepted ? 1 : 0); break;
        case DdeMessageKind::WildConnect:
            w.OptionalText(m.service);
            w.OptionalText(m.topic);
            w.U32(m.pid);
            w.U32(m.instance);
            break;
        case DdeMessageKind::WildConnectReply:
            w.U32(static_cast<std::uint32_t>(m.pairs.size()));
            for (const auto& [service, topic] : m.pairs) {
                w.Text(service);
                w.Text(topic);
            }
            break;
        case DdeMessageKind::Transaction:
            w.U32(m.id);
            w.U32(m.type);
            w.U32(m.format);
            w.OptionalText(m.item);
            w.OptionalText(m.data);
            break;
        case DdeMessageKind::TransactionReply:
            w.U32(m.id);
            w.U32(m.value);
            w.U32(m.format);
            w.OptionalText(m.data);
            break;
        case DdeMessageKind::AdviseData:
            w.U32(m.format);
            w.Text(m.topic.value_or(""));
            w.Text(m.item.value_or(""));
            w.OptionalText(m.data);
            break;
        case DdeMessageKind::Disconnect: break;
    }
    std::string& out = w.Out();
    std::size_t body = out.size() - kDdeFrameHeader;
    if (body > kDdeMaxFrameBody) return {};
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((body >> (8 * i)) & 0xFF);
    return std::move(out);
}

DdeDecodeResult DecodeDdeFrame(std::string_view bytes) {
    DdeDecodeResult result;
    if (bytes.size() < kDdeFrameHeader) return result;
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    if (length > kDdeMaxFrameBody) {
        result.status = DdeDecodeStatus::Oversized;
        return result;
    }
    if (bytes.size() - kDdeFrameHeader < length) return result;
    if (!DecodeBody(bytes.substr(kDdeFrameHeader, length), result.message)) {
        result.status = DdeDecodeStatus::Malformed;
        result.message = DdeMessage{};
        return result;
    }
    result.status = DdeDecodeStatus::Complete;
    result.consumed = kDdeFrameHeader + length;
    return result;
}

}  // namespace fern
