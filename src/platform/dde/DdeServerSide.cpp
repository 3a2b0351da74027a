// The server end of the request channel: accepts conversations of this user,
// reads their frames without ever waiting on a client, hands each
// transaction to the instance's callback and writes the answer.
#include <unistd.h>

#include <cstring>

#include "platform/dde/DdeFrame.h"
#include "platform/dde/DdeRegistry.h"
#include "platform/dde/DdeSocket.h"
#include "platform/dde/Ddeml.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace dde {

namespace {

// Bytes taken from one client per turn of the main loop, so that a busy
// client cannot starve the others.
constexpr std::size_t kReadPerTurn = 256 * 1024;

gboolean OnServerReadable(gint fd, GIOCondition condition, gpointer data);

// The end of a conversation from the client's side (or a fault of it): the
// server hears XTYP_DISCONNECT when the conversation had been confirmed.
void Lost(Conversation* c) {
    if (c->closed) return;
    Instance* instance = c->instance;
    bool confirmed = c->connected;
    HCONV handle = c->Handle();
    DropSource(c->readSource);
    if (confirmed) Call(instance, XTYP_DISCONNECT, 0, handle, nullptr, nullptr, nullptr, c->self, 0);
    CloseConversation(c);
}

gboolean OnServerWritable(gint, GIOCondition, gpointer data);

void Flush(Conversation* c) {
    while (!c->out.empty()) {
        long n = DdeWriteSome(c->fd, c->out);
        if (n < 0) {
            Lost(c);
            return;
        }
        if (n == 0) break;
        c->out.erase(0, static_cast<std::size_t>(n));
    }
    if (c->out.empty()) {
        DropSource(c->writeSource);
        if (c->closeWhenFlushed) CloseConversation(c);
        return;
    }
    if (c->out.size() > kMaxPendingOutput) {
        Lost(c);
        return;
    }
    if (!c->writeSource) c->writeSource = WatchSocket(c->instance, c->fd, G_IO_OUT, OnServerWritable, c);
}

gboolean OnServerWritable(gint, GIOCondition, gpointer data) {
    DispatchScope scope;
    Flush(static_cast<Conversation*>(data));
    return G_SOURCE_CONTINUE;  // Flush drops the source when done
}

void Send(Conversation* c, const DdeMessage& message) {
    std::string frame = EncodeDdeFrame(message);
    if (frame.empty()) {
        // An answer over the frame limit goes out as "not processed"; advise
        // data that large is not sent.
        if (message.kind != DdeMessageKind::TransactionReply) return;
        DdeMessage refusal;
        refusal.kind = DdeMessageKind::TransactionReply;
        refusal.id = message.id;
        frame = EncodeDdeFrame(refusal);
    }
    c->out += frame;
    Flush(c);
}

bool SameInstance(const Conversation* c, const DdeMessage& m) {
    return m.pid == static_cast<std::uint32_t>(getpid()) && m.instance == c->instance->id;
}

void Connect(Conversation* c, const DdeMessage& m, const Listener& listener) {
    Instance* instance = c->instance;
    c->self = SameInstance(c, m);
    DdeMessage reply;
    reply.kind = DdeMessageKind::ConnectReply;
    HSZ topic = MakeString(instance, *m.topic);
    HSZ service = MakeString(instance, listener.service);
    if (SjisCompareNoCase(*m.service, listener.service) == 0)
        reply.accepted = DdeAnswerValue(Call(instance, XTYP_CONNECT, 0, nullptr, topic, service, nullptr, 0,
                                             c->self)) != 0;
    if (c->closed || instance->dead) {
        FreeString(instance->id, topic);
        FreeString(instance->id, service);
        return;
    }
    if (!reply.accepted) {
        FreeString(instance->id, topic);
        FreeString(instance->id, service);
        c->closeWhenFlushed = true;
        Send(c, reply);
        return;
    }
    c->topic = topic;
    c->service = service;
    c->topicText = *m.topic;
    c->serviceText = listener.service;
    c->connected = true;
    RegisterConversation(c);
    Send(c, reply);
    if (c->closed) return;
    Call(instance, XTYP_CONNECT_CONFIRM, 0, c->Handle(), topic, service, nullptr, 0, c->self);
}

void WildConnect(Conversation* c, const DdeMessage& m) {
    Instance* instance = c->instance;
    bool self = SameInstance(c, m);
    HSZ topic = m.topic ? MakeString(instance, *m.topic) : nullptr;
    HSZ service = m.service ? MakeString(instance, *m.service) : nullptr;
    HDDEDATA answer = Call(instance, XTYP_WILDCONNECT, 0, nullptr, topic, service, nullptr, 0, self);
    DdeMessage reply;
    reply.kind = DdeMessageKind::WildConnectReply;
    std::string bytes;
    UINT format = 0;
    if (!instance->dead && TakeData(instance, answer, bytes, format)) {
        for (std::size_t at = 0; at + sizeof(HSZPAIR) <= bytes.size(); at += sizeof(HSZPAIR)) {
            HSZPAIR pair;
            std::memcpy(&pair, bytes.data() + at, sizeof pair);
            if (!pair.hszSvc && !pair.hszTopic) break;
            std::string serviceText, topicText;
            if (StringText(pair.hszSvc, serviceText) && StringText(pair.hszTopic, topicText))
                reply.pairs.emplace_back(serviceText, topicText);
        }
    }
    FreeString(instance->id, topic);
    FreeString(instance->id, service);
    if (c->closed || instance->dead) return;
    c->closeWhenFlushed = true;
    Send(c, reply);
}

void Transaction(Conversation* c, const DdeMessage& m) {
    Instance* instance = c->instance;
    DdeMessage reply;
    reply.kind = DdeMessageKind::TransactionReply;
    reply.id = m.id;
    std::string itemText = m.item.value_or("");
    HSZ item = m.item ? MakeString(instance, *m.item) : nullptr;
    HDDEDATA data = m.data ? MakeData(instance, *m.data, itemText, m.format) : nullptr;
    HCONV handle = c->Handle();
    switch (m.type) {
        case XTYP_REQUEST: {
            HDDEDATA answer = Call(instance, XTYP_REQUEST, m.format, handle, c->topic, item, nullptr, 0, 0);
            std::string bytes;
            UINT format = 0;
            if (!instance->dead && TakeData(instance, answer, bytes, format)) {
                reply.data = std::move(bytes);
                reply.format = format;
            }
            break;
        }
        case XTYP_POKE:
        case XTYP_EXECUTE: {
            if (!data) data = MakeData(instance, std::string(), itemText, m.format);
            HDDEDATA answer = Call(instance, m.type, m.format, handle, c->topic,
                                   m.type == XTYP_POKE ? item : nullptr, data, 0, 0);
            reply.value = static_cast<std::uint32_t>(DdeAnswerValue(answer) & 0xFFFF);
            break;
        }
        case XTYP_ADVSTART: {
            bool ok = DdeAnswerValue(Call(instance, XTYP_ADVSTART, m.format, handle, c->topic, item, nullptr,
                                          0, 0)) != 0;
            if (ok && !c->closed) {
                bool known = false;
                for (const auto& loop : c->loops)
                    known = known || (loop.format == m.format && SjisCompareNoCase(loop.item, itemText) == 0);
                if (!known) c->loops.push_back({itemText, m.format});
            }
            reply.value = ok ? 1 : 0;
            break;
        }
        case XTYP_ADVSTOP: {
            std::erase_if(c->loops, [&](const AdviseLoop& loop) {
                return loop.format == m.format && SjisCompareNoCase(loop.item, itemText) == 0;
            });
            Call(instance, XTYP_ADVSTOP, m.format, handle, c->topic, item, nullptr, 0, 0);
            reply.value = 1;
            break;
        }
        default: break;  // not a transaction a client may send: not processed
    }
    if (data) DdeFreeDataHandle(data);
    FreeString(instance->id, item);
    if (c->closed || instance->dead) return;
    Send(c, reply);
}

// Handles every whole frame read so far; a bad one ends the conversation.
void HandleInput(Conversation* c, const Listener* listener) {
    while (!c->closed && !c->closeWhenFlushed && !c->instance->dead) {
        DdeDecodeResult result = DecodeDdeFrame(c->in);
        if (result.status == DdeDecodeStatus::NeedMore) return;
        if (result.status != DdeDecodeStatus::Complete) {
            Lost(c);
            return;
        }
        c->in.erase(0, result.consumed);
        DdeMessage& m = result.message;
        if (!c->connected) {
            if (m.kind == DdeMessageKind::Connect && listener) Connect(c, m, *listener);
            else if (m.kind == DdeMessageKind::WildConnect) WildConnect(c, m);
            else Lost(c);
        } else if (m.kind == DdeMessageKind::Transaction) {
            Transaction(c, m);
        } else {
            Lost(c);  // Disconnect, or a message only a server sends
        }
    }
}

const Listener* ListenerOf(const Conversation* c) {
    for (const auto& listener : c->instance->listeners)
        if (SjisCompareNoCase(listener->service, c->serviceText) == 0) return listener.get();
    return nullptr;
}

gboolean OnServerReadable(gint fd, GIOCondition, gpointer data) {
    DispatchScope scope;
    auto* c = static_cast<Conversation*>(data);
    if (c->closeWhenFlushed) {
        DropSource(c->readSource);  // the last answer is on its way; nothing more is read
        return G_SOURCE_REMOVE;
    }
    std::size_t before = c->in.size();
    while (c->in.size() - before < kReadPerTurn) {
        DdeReadOutcome outcome = DdeReadSome(fd, c->in, kReadPerTurn);
        if (outcome == DdeReadOutcome::WouldBlock) break;
        if (outcome == DdeReadOutcome::Closed) {
            Lost(c);
            return G_SOURCE_REMOVE;
        }
        // A frame over the limit is known by its header; stop reading it.
        if (DecodeDdeFrame(std::string_view(c->in).substr(0, kDdeFrameHeader)).status ==
            DdeDecodeStatus::Oversized)
            break;
    }
    HandleInput(c, ListenerOf(c));
    return G_SOURCE_CONTINUE;
}

}  // namespace

gboolean OnListenerReady(gint fd, GIOCondition, gpointer data) {
    DispatchScope scope;
    auto* listener = static_cast<Listener*>(data);
    Instance* instance = listener->instance;
    for (;;) {
        int client = DdeAcceptSocket(fd);
        if (client < 0) break;
        if (!DdePeerIsSameUser(client) || instance->conversations.size() >= kMaxConversations) {
            DdeCloseSocket(client);
            continue;
        }
        auto c = std::make_unique<Conversation>();
        c->instance = instance;
        c->server = true;
        c->fd = client;
        c->serviceText = listener->service;
        c->readSource = WatchSocket(instance, client, G_IO_IN, OnServerReadable, c.get());
        instance->conversations.push_back(std::move(c));
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace dde

bool DdePostAdvise(DWORD idInst, HSZ hszTopic, HSZ hszItem) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return false;
    dde::DispatchScope scope;
    std::string topic, item;
    if (!hszTopic || !dde::StringText(hszTopic, topic)) return false;
    bool anyItem = !hszItem || !dde::StringText(hszItem, item);
    std::vector<HCONV> targets;
    for (const auto& c : instance->conversations)
        if (c->server && c->connected && !c->closed && !c->loops.empty() &&
            SjisCompareNoCase(c->topicText, topic) == 0)
            targets.push_back(c->Handle());
    for (HCONV handle : targets) {
        dde::Conversation* c = dde::FindConversation(handle);
        if (!c || c->closed) continue;
        std::vector<dde::AdviseLoop> loops = c->loops;
        for (std::size_t i = 0; i < loops.size() && !c->closed && !instance->dead; ++i) {
            if (!anyItem && SjisCompareNoCase(loops[i].item, item) != 0) continue;
            HSZ loopItem = dde::MakeString(instance, loops[i].item);
            HDDEDATA answer = dde::Call(instance, XTYP_ADVREQ, loops[i].format, handle, c->topic, loopItem,
                                        nullptr, loops.size() - i - 1, 0);
            std::string bytes;
            UINT format = 0;
            if (!instance->dead && dde::TakeData(instance, answer, bytes, format) && !c->closed) {
                DdeMessage advise;
                advise.kind = DdeMessageKind::AdviseData;
                advise.format = format;
                advise.topic = c->topicText;
                advise.item = loops[i].item;
                advise.data = std::move(bytes);
                dde::Send(c, advise);
            }
            if (!instance->dead) dde::FreeString(instance->id, loopItem);
        }
    }
    return true;
}

}  // namespace fern
