// The client end of the request channel: conversations opened to a service,
// transactions that wait for their answer at most the time-out given, and
// advise data read on the main loop once an advise loop runs.
#include <unistd.h>

#include "platform/dde/DdeFrame.h"
#include "platform/dde/DdeRegistry.h"
#include "platform/dde/DdeServiceName.h"
#include "platform/dde/DdeSocket.h"
#include "platform/dde/Ddeml.h"

namespace fern {

namespace dde {

namespace {

enum class Wait { Ok, Timeout, Closed, Bad };

// The next frame from the socket, waiting at most until the deadline.
Wait ReadFrame(int fd, std::string& buffer, std::int64_t deadline, DdeMessage& out) {
    for (;;) {
        DdeDecodeResult result = DecodeDdeFrame(buffer);
        if (result.status == DdeDecodeStatus::Complete) {
            buffer.erase(0, result.consumed);
            out = std::move(result.message);
            return Wait::Ok;
        }
        if (result.status != DdeDecodeStatus::NeedMore) return Wait::Bad;
        if (!DdeWaitReadable(fd, deadline)) return Wait::Timeout;
        DdeReadOutcome outcome = DdeReadSome(fd, buffer, 1 << 20);
        if (outcome == DdeReadOutcome::Closed) return Wait::Closed;
    }
}

DdeMessage ConnectMessage(DdeMessageKind kind, const Instance* instance) {
    DdeMessage m;
    m.kind = kind;
    m.pid = static_cast<std::uint32_t>(getpid());
    m.instance = instance->id;
    return m;
}

void Deliver(Conversation* c, const DdeMessage& m) {
    Instance* instance = c->instance;
    std::string itemText = m.item.value_or("");
    HSZ item = MakeString(instance, itemText);
    HDDEDATA data = MakeData(instance, m.data.value_or(""), itemText, m.format);
    Call(instance, XTYP_ADVDATA, m.format, c->Handle(), c->topic, item, data, 0, 0);
    DdeFreeDataHandle(data);
    if (!instance->dead) FreeString(instance->id, item);
}

void LoseClient(Conversation* c) {
    if (c->closed) return;
    Instance* instance = c->instance;
    HCONV handle = c->Handle();
    DropSource(c->readSource);
    Call(instance, XTYP_DISCONNECT, 0, handle, nullptr, nullptr, nullptr, 0, 0);
    CloseConversation(c);
}

gboolean OnPendingAdvise(gpointer data) {
    DispatchScope scope;
    auto* c = static_cast<Conversation*>(data);
    DropSource(c->idleSource);
    while (!c->closed && !c->instance->dead && !c->pendingAdvise.empty()) {
        DdeMessage m = std::move(c->pendingAdvise.front());
        c->pendingAdvise.pop_front();
        Deliver(c, m);
    }
    return G_SOURCE_REMOVE;
}

void QueueAdvise(Conversation* c, DdeMessage m) {
    c->pendingAdvise.push_back(std::move(m));
    if (c->idleSource) return;
    c->idleSource = g_idle_source_new();
    g_source_set_callback(c->idleSource, OnPendingAdvise, c, nullptr);
    g_source_attach(c->idleSource, c->instance->context);
}

gboolean OnClientReadable(gint fd, GIOCondition, gpointer data) {
    DispatchScope scope;
    auto* c = static_cast<Conversation*>(data);
    if (DdeReadSome(fd, c->in, 1 << 20) == DdeReadOutcome::Closed) {
        LoseClient(c);
        return G_SOURCE_REMOVE;
    }
    while (!c->closed && !c->instance->dead) {
        DdeDecodeResult result = DecodeDdeFrame(c->in);
        if (result.status == DdeDecodeStatus::NeedMore) break;
        if (result.status != DdeDecodeStatus::Complete) {
            LoseClient(c);
            break;
        }
        c->in.erase(0, result.consumed);
        if (result.message.kind == DdeMessageKind::AdviseData) Deliver(c, result.message);
        else if (result.message.kind != DdeMessageKind::TransactionReply)  // a late answer is dropped
            LoseClient(c);
    }
    return G_SOURCE_CONTINUE;
}

// The conversation broke during a transaction: the application hears of it
// from the main loop, not from inside its own call.
struct LostNotice {
    DWORD instance;
    HCONV handle;
};

gboolean OnLostNotice(gpointer data) {
    auto* notice = static_cast<LostNotice*>(data);
    if (Instance* instance = FindInstance(notice->instance))
        Call(instance, XTYP_DISCONNECT, 0, notice->handle, nullptr, nullptr, nullptr, 0, 0);
    return G_SOURCE_REMOVE;
}

void LoseLater(Conversation* c) {
    GSource* idle = g_idle_source_new();
    g_source_set_callback(idle, OnLostNotice, new LostNotice{c->instance->id, c->Handle()},
                          [](gpointer p) { delete static_cast<LostNotice*>(p); });
    g_source_attach(idle, c->instance->context);
    g_source_unref(idle);
    CloseConversation(c);
}

UINT TimeoutError(UINT type) {
    switch (type) {
        case XTYP_POKE: return DMLERR_POKEACKTIMEOUT;
        case XTYP_EXECUTE: return DMLERR_EXECACKTIMEOUT;
        case XTYP_ADVSTART: return DMLERR_ADVACKTIMEOUT;
        case XTYP_ADVSTOP: return DMLERR_UNADVACKTIMEOUT;
        default: return DMLERR_DATAACKTIMEOUT;
    }
}

// A server that refused is told from one that did not answer in time or
// broke off, which is no refusal.
UINT ConnectError(Wait wait, const DdeMessage& reply) {
    if (wait == Wait::Timeout) return DMLERR_DATAACKTIMEOUT;
    if (wait == Wait::Ok && reply.kind == DdeMessageKind::ConnectReply) return DMLERR_NO_CONV_ESTABLISHED;
    return DMLERR_SERVER_DIED;
}

HCONV ConnectTo(Instance* instance, const std::string& service, const std::string& topic) {
    std::optional<std::string> path = DdeSocketPath(service);
    int fd = path ? DdeConnectSocket(*path) : -1;
    if (fd < 0) {
        instance->lastError = DMLERR_NO_CONV_ESTABLISHED;
        return nullptr;
    }
    DdeMessage m = ConnectMessage(DdeMessageKind::Connect, instance);
    m.service = service;
    m.topic = topic;
    std::int64_t deadline = DdeNowMs() + kConnectTimeoutMs;
    std::string buffer;
    DdeMessage reply;
    std::string frame = EncodeDdeFrame(m);
    Wait wait = Wait::Closed;
    if (!frame.empty() && DdeWriteAll(fd, frame, deadline)) wait = ReadFrame(fd, buffer, deadline, reply);
    if (wait != Wait::Ok || reply.kind != DdeMessageKind::ConnectReply || !reply.accepted) {
        DdeCloseSocket(fd);
        instance->lastError = frame.empty() ? DMLERR_NO_CONV_ESTABLISHED : ConnectError(wait, reply);
        return nullptr;
    }
    auto c = std::make_unique<Conversation>();
    c->instance = instance;
    c->fd = fd;
    c->in = std::move(buffer);
    c->serviceText = service;
    c->topicText = topic;
    c->service = MakeString(instance, service);
    c->topic = MakeString(instance, topic);
    c->connected = true;
    RegisterConversation(c.get());
    HCONV handle = c->Handle();
    instance->conversations.push_back(std::move(c));
    return handle;
}

}  // namespace

void StartAdviseWatch(Conversation* c) {
    if (c->watching || c->closed) return;
    c->watching = true;
    c->readSource = WatchSocket(c->instance, c->fd, G_IO_IN, OnClientReadable, c);
}

}  // namespace dde

HCONV DdeConnect(DWORD idInst, HSZ hszService, HSZ hszTopic, const void*) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return nullptr;
    std::string service, topic;
    bool hasService = hszService && dde::StringText(hszService, service);
    bool hasTopic = hszTopic && dde::StringText(hszTopic, topic);
    if (!hasService || !hasTopic) {
        // Any server of the topic, or any topic of the service: the first pair.
        std::vector<DdeServiceTopic> pairs;
        // With no server answering, the wild connect's error stands.
        if (DdeQueryWildConnect(idInst, hszService, hszTopic, pairs) > 0 && pairs.empty())
            instance->lastError = DMLERR_NO_CONV_ESTABLISHED;
        if (pairs.empty()) return nullptr;
        service = pairs.front().service;
        topic = pairs.front().topic;
    }
    return dde::ConnectTo(instance, service, topic);
}

bool DdeDisconnect(HCONV hConv) {
    dde::Conversation* c = dde::FindConversation(hConv);
    if (!c || c->closed) return false;
    dde::CloseConversation(c);
    return true;
}

UINT DdeQueryConvInfo(HCONV hConv, DWORD, CONVINFO* info) {
    dde::Conversation* c = dde::FindConversation(hConv);
    if (!c || !info) return 0;
    info->hszSvcPartner = c->service;
    info->hszServiceReq = c->service;
    info->hszTopic = c->topic;
    info->wStatus = ST_CONNECTED | ST_ISLOCAL;
    if (!c->server) info->wStatus |= ST_CLIENT;
    if (c->self) info->wStatus |= ST_ISSELF;
    if (!c->loops.empty() || c->watching) info->wStatus |= ST_ADVISE;
    info->wLastError = c->instance->lastError;
    return sizeof(CONVINFO);
}

HDDEDATA DdeClientTransaction(const void* pData, DWORD cbData, HCONV hConv, HSZ hszItem, UINT wFmt,
                              UINT wType, DWORD dwTimeout, DWORD* pdwResult) {
    if (pdwResult) *pdwResult = 0;
    dde::Conversation* c = dde::FindConversation(hConv);
    if (!c || c->closed) return nullptr;
    dde::Instance* instance = c->instance;
    if (c->server || dwTimeout == TIMEOUT_ASYNC) {
        instance->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    DdeMessage m;
    m.kind = DdeMessageKind::Transaction;
    m.id = ++c->lastId;
    m.type = wType;
    m.format = wFmt;
    std::string item;
    if (hszItem && dde::StringText(hszItem, item)) m.item = item;
    if (pData && cbData == 0xFFFFFFFF) {
        // A data handle given in place of the bytes; it is ours to free.
        HDDEDATA handle = static_cast<HDDEDATA>(const_cast<void*>(pData));
        std::string bytes;
        UINT format = 0;
        if (!dde::TakeData(instance, handle, bytes, format)) {
            instance->lastError = DMLERR_INVALIDPARAMETER;
            return nullptr;
        }
        m.data = std::move(bytes);
    } else if (pData) {
        m.data = std::string(static_cast<const char*>(pData), cbData);
    }
    std::string frame = EncodeDdeFrame(m);
    if (frame.empty()) {
        instance->lastError = DMLERR_MEMORY_ERROR;
        return nullptr;
    }
    std::int64_t deadline = DdeNowMs() + dwTimeout;
    if (!DdeWriteAll(c->fd, frame, deadline)) {
        instance->lastError = DMLERR_SERVER_DIED;
        dde::LoseLater(c);
        return nullptr;
    }
    DdeMessage reply;
    for (;;) {
        dde::Wait wait = dde::ReadFrame(c->fd, c->in, deadline, reply);
        if (wait == dde::Wait::Timeout) {
            instance->lastError = dde::TimeoutError(wType);
            return nullptr;
        }
        if (wait != dde::Wait::Ok) {
            instance->lastError = DMLERR_SERVER_DIED;
            dde::LoseLater(c);
            return nullptr;
        }
        if (reply.kind == DdeMessageKind::AdviseData) {
            dde::QueueAdvise(c, std::move(reply));
            continue;
        }
        if (reply.kind != DdeMessageKind::TransactionReply) {
            instance->lastError = DMLERR_SERVER_DIED;
            dde::LoseLater(c);
            return nullptr;
        }
        if (reply.id == m.id) break;  // else the late answer of a timed-out transaction
    }
    if (pdwResult) *pdwResult = reply.value;
    switch (wType) {
        case XTYP_REQUEST:
            if (reply.data) return dde::MakeData(instance, std::move(*reply.data), item, reply.format);
            break;
        case XTYP_ADVSTART:
            if (reply.value) {
                dde::StartAdviseWatch(c);
                return DdeFlagAnswer(1);
            }
            break;
        case XTYP_POKE:
        case XTYP_EXECUTE:
            if (reply.value & DDE_FACK) return DdeFlagAnswer(1);
            if (reply.value & DDE_FBUSY) {
                instance->lastError = DMLERR_BUSY;
                return nullptr;
            }
            break;
        default:
            if (reply.value) return DdeFlagAnswer(1);
            break;
    }
    instance->lastError = DMLERR_NOTPROCESSED;
    return nullptr;
}

int DdeQueryWildConnect(DWORD idInst, HSZ hszService, HSZ hszTopic, std::vector<DdeServiceTopic>& pairs) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return -1;
    DdeMessage m = dde::ConnectMessage(DdeMessageKind::WildConnect, instance);
    std::string text;
    if (hszTopic && dde::StringText(hszTopic, text)) m.topic = text;
    std::vector<std::string> paths;
    if (hszService && dde::StringText(hszService, text)) {
        m.service = text;
        if (std::optional<std::string> path = DdeSocketPath(text)) paths.push_back(*path);
    } else {
        paths = DdeAllSocketPaths();
    }
    std::string frame = EncodeDdeFrame(m);
    int answered = 0;
    UINT failure = DMLERR_NO_CONV_ESTABLISHED;  // stays so when no server is reached
    for (const std::string& path : paths) {
        int fd = DdeConnectSocket(path);
        if (fd < 0) continue;
        std::int64_t deadline = DdeNowMs() + dde::kConnectTimeoutMs;
        std::string buffer;
        DdeMessage reply;
        dde::Wait wait = DdeWriteAll(fd, frame, deadline) ? dde::ReadFrame(fd, buffer, deadline, reply)
                                                          : dde::Wait::Closed;
        if (wait == dde::Wait::Ok && reply.kind == DdeMessageKind::WildConnectReply) {
            ++answered;
            for (auto& [service, topic] : reply.pairs) pairs.push_back({service, topic});
        } else {
            failure = wait == dde::Wait::Timeout ? DMLERR_DATAACKTIMEOUT : DMLERR_SERVER_DIED;
        }
        DdeCloseSocket(fd);
    }
    if (answered == 0) instance->lastError = failure;
    return answered;
}

}  // namespace fern
