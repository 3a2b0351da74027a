#include "tools/dde/DDEServer.h"

#include <glib.h>

#include <vector>

#include "platform/dde/Ddeml.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

// The server that receives the channel's callbacks.
CDDEServer* g_server = nullptr;

class DataAccess {
public:
    explicit DataAccess(HDDEDATA data) : m_data(data) {
        m_bytes = data ? DdeAccessData(data, &m_size) : nullptr;
    }
    ~DataAccess() {
        if (m_bytes) DdeUnaccessData(m_data);
    }
    const void* Bytes() const { return m_bytes; }
    DWORD Size() const { return m_bytes ? m_size : 0; }

private:
    HDDEDATA m_data;
    unsigned char* m_bytes = nullptr;
    DWORD m_size = 0;
};

}  // namespace

// CHSZ ----------------------------------------------------------------------------

CHSZ::CHSZ(CDDEServer* server, const std::string& text) { Create(server, text); }

CHSZ::~CHSZ() { Free(); }

void CHSZ::Create(CDDEServer* server, const std::string& text) {
    Free();
    m_dwDDEInstance = server ? server->m_dwDDEInstance : 0;
    m_hsz = DdeCreateStringHandleA(m_dwDDEInstance, text.c_str(), CP_WINANSI);
}

void CHSZ::Free() {
    if (m_hsz) DdeFreeStringHandle(m_dwDDEInstance, m_hsz);
    m_hsz = nullptr;
}

// CDDEServer ------------------------------------------------------------------------

CDDEServer::CDDEServer() {
    const char* name = g_get_prgname();
    m_strServiceName = name ? name : "fern";
}

CDDEServer::~CDDEServer() {
    Shutdown();
    // Client records of ours that are still referenced elsewhere lose their server.
    std::vector<CDDEConv*> left(m_ConvList.begin(), m_ConvList.end());
    m_ConvList.RemoveAll();
    for (CDDEConv* conv : left) {
        conv->m_hConv = nullptr;
        conv->m_pServer = nullptr;
        conv->Release();
    }
    // Callbacks must never reach a destroyed server.
    if (g_server == this) g_server = nullptr;
}

UINT CDDEServer::GetLastError() { return DdeGetLastError(m_dwDDEInstance); }

HDDEDATA CDDEServer::CustomCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

bool CDDEServer::Request(UINT format, const std::string& topic, const std::string& item, const void*& data,
                         DWORD& size) {
    CDDETopic* found = FindTopic(topic);
    return found && found->Request(format, item, data, size);
}

bool CDDEServer::Poke(UINT format, const std::string& topic, const std::string& item, const void* data,
                      DWORD size) {
    CDDETopic* found = FindTopic(topic);
    return found && found->Poke(format, item, data, size);
}

bool CDDEServer::AdviseData(UINT format, HCONV conv, const std::string& topic, const std::string& item,
                            const void* data, DWORD size) {
    CDDEConv* found = FindConversation(conv);
    return found && found->AdviseData(format, topic, item, data, size);
}

bool CDDEServer::Exec(const std::string& topic, const void* data, DWORD size) {
    CDDETopic* found = FindTopic(topic);
    return found && found->Exec(data, size);
}

bool CDDEServer::AddTopic(CDDETopic* topic) {
    if (m_TopicList.Contains(topic)) return true;
    m_TopicList.AddTail(topic);
    topic->m_pServer = this;
    topic->AddItem(&m_SystemItemTopicItemList);
    topic->AddItem(&m_SystemItemFormats);
    return true;
}

bool CDDEServer::CanAdvise(UINT format, const std::string& topic, const std::string& item) {
    CDDETopic* found = FindTopic(topic);
    return found && found->CanAdvise(format, item);
}

bool CDDEServer::Create(const std::string& service, DWORD, DWORD* instance) {
    if (g_server) return false;
    g_server = this;
    if (DdeInitializeA(&m_dwDDEInstance, &CDDEServer::DdeCallback, 0, 0) != DMLERR_NO_ERROR) {
        m_dwDDEInstance = 0;
        g_server = nullptr;
        return false;
    }
    if (instance) *instance = m_dwDDEInstance;
    m_strServiceName = service;
    m_hszServiceName.Create(this, service);

    m_SystemTopic.Create("System");
    AddTopic(&m_SystemTopic);
    m_SystemItemTopics.Create("Topics");
    m_SystemItemSysItems.Create("SysItems");
    m_SystemItemTopicItemList.Create("TopicItemList");
    m_SystemItemFormats.Create("Formats");
    m_SystemTopic.AddItem(&m_SystemItemTopics);
    m_SystemTopic.AddItem(&m_SystemItemSysItems);
    m_SystemTopic.AddItem(&m_SystemItemTopicItemList);
    m_SystemTopic.AddItem(&m_SystemItemFormats);

    // A service that cannot be reached is a failed start, not a silent one.
    if (!DdeNameService(m_dwDDEInstance, m_hszServiceName, nullptr, DNS_REGISTER)) {
        m_hszServiceName.Free();
        DdeUninitialize(m_dwDDEInstance);
        m_dwDDEInstance = 0;
        g_server = nullptr;  // a server that did not start holds no place
        return false;
    }
    m_bInitialized = true;
    if (OnCreate()) return true;
    Shutdown();
    g_server = nullptr;
    return false;
}

void CDDEServer::Shutdown() {
    if (!m_bInitialized) return;
    while (CDDEConv* conv = m_ConvList.GetHead()) {
        conv->AddRef();
        if (!conv->Terminate() && m_ConvList.Remove(conv)) conv->Release();
        conv->Release();
    }
    DdeNameService(m_dwDDEInstance, m_hszServiceName, nullptr, DNS_UNREGISTER);
    m_hszServiceName.Free();
    DdeUninitialize(m_dwDDEInstance);
    m_bInitialized = false;
}

CDDETopic* CDDEServer::FindTopic(const std::string& name) {
    for (CDDETopic* topic : m_TopicList)
        if (SjisCompareNoCase(topic->m_strName, name) == 0) return topic;
    return nullptr;
}

void CDDEServer::AddConversation(HCONV conv, HSZ topic) {
    auto* record = new CDDEConv(this, conv, topic);
    record->AddRef();
    m_ConvList.AddTail(record);
}

void CDDEServer::RemoveConversation(HCONV conv) {
    CDDEConv* record = FindConversation(conv);
    if (!record) return;
    m_ConvList.Remove(record);
    record->m_hConv = nullptr;  // already ended by the channel
    record->Release();
}

CDDEConv* CDDEServer::FindConversation(HCONV conv) {
    for (CDDEConv* record : m_ConvList)
        if (record->m_hConv == conv) return record;
    return nullptr;
}

HDDEDATA CDDEServer::DoWildConnect(HSZ topic) {
    std::vector<HSZPAIR> pairs;
    if (topic) {
        std::string name = StringFromHsz(topic);
        if (!FindTopic(name)) {
            Status("Wild connect to %s refused", name.c_str());
            return nullptr;
        }
        pairs.push_back({m_hszServiceName, topic});
    } else {
        if (m_TopicList.IsEmpty()) {
            Status("Wild connect to %s refused", "<null>");
            return nullptr;
        }
        for (CDDETopic* t : m_TopicList)
            pairs.push_back({DdeCreateStringHandleA(m_dwDDEInstance, m_strServiceName.c_str(), CP_WINANSI),
                             DdeCreateStringHandleA(m_dwDDEInstance, t->m_strName.c_str(), CP_WINANSI)});
    }
    pairs.push_back({nullptr, nullptr});
    return DdeCreateDataHandle(m_dwDDEInstance, pairs.data(),
                               static_cast<DWORD>(pairs.size() * sizeof(HSZPAIR)), 0, nullptr, 0, 0);
}

std::string CDDEServer::StringFromHsz(HSZ hsz) {
    DWORD length = DdeQueryStringA(m_dwDDEInstance, hsz, nullptr, 0, CP_WINANSI);
    if (length == 0) return "<null>";
    std::string text(length + 1, '\0');
    DWORD got = DdeQueryStringA(m_dwDDEInstance, hsz, text.data(), length + 1, CP_WINANSI);
    if (got == 0) return "<error>";
    text.resize(got);
    return text;
}

void CDDEServer::PostAdvise(CDDETopic* topic, CDDEItem* item) {
    CHSZ hszTopic(this, topic->m_strName);
    CHSZ hszItem(this, item->m_strName);
    DdePostAdvise(m_dwDDEInstance, hszTopic, hszItem);
}

bool CDDEServer::DoCallback(UINT type, UINT format, HCONV conv, HSZ hszTopic, HSZ hszItem, HDDEDATA data,
                            HDDEDATA& answer) {
    std::string topic = StringFromHsz(hszTopic);
    if (type == XTYP_EXECUTE) {
        Status("Exec");
        DataAccess access(data);
        if (Exec(topic, access.Bytes(), access.Size())) {
            answer = DdeFlagAnswer(DDE_FACK);
        } else {
            Status("Exec failed");
            answer = nullptr;
        }
        return true;
    }
    if (type == XTYP_CONNECT) {
        if (!FindTopic(topic)) return false;
        answer = DdeFlagAnswer(1);
        return true;
    }
    // The item's own text: an empty item stays empty.
    std::string item;
    if (DWORD length = DdeQueryStringA(m_dwDDEInstance, hszItem, nullptr, 0, CP_WINANSI)) {
        item.assign(length + 1, '\0');
        item.resize(DdeQueryStringA(m_dwDDEInstance, hszItem, item.data(), length + 1, CP_WINANSI));
    }
    switch (type) {
        case XTYP_ADVSTART:
            if (CanAdvise(format, topic, item)) {
                answer = DdeFlagAnswer(1);
                return true;
            }
            Status("Can't advise on %s|%s", topic.c_str(), item.c_str());
            return false;
        case XTYP_ADVREQ:
        case XTYP_REQUEST: {
            Status("Request %s|%s", topic.c_str(), item.c_str());
            const void* bytes = nullptr;
            DWORD size = 0;
            if (Request(format, topic, item, bytes, size)) {
                answer = DdeCreateDataHandle(m_dwDDEInstance, bytes, size, 0, hszItem, format, 0);
                return true;
            }
            Status("Request %s|%s failed", topic.c_str(), item.c_str());
            return false;
        }
        case XTYP_POKE: {
            bool ok = false;
            {
                DataAccess access(data);
                ok = Poke(format, topic, item, access.Bytes(), access.Size());
            }
            if (!ok) {
                Status("Poke %s|%s failed", topic.c_str(), item.c_str());
                return false;
            }
            // Advise loops see the new value, unless we poked ourselves.
            CONVINFO info;
            if (DdeQueryConvInfo(conv, QID_SYNC, &info) && !(info.wStatus & ST_ISSELF))
                DdePostAdvise(m_dwDDEInstance, hszTopic, hszItem);
            answer = DdeFlagAnswer(DDE_FACK);
            return true;
        }
        case XTYP_ADVDATA: {
            DataAccess access(data);
            if (AdviseData(format, conv, topic, item, access.Bytes(), access.Size())) {
                answer = DdeFlagAnswer(DDE_FACK);
            } else {
                Status("AdviseData %s|%s failed", topic.c_str(), item.c_str());
                answer = nullptr;
            }
            return true;
        }
        default: return false;
    }
}

HDDEDATA CDDEServer::DdeCallback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                 ULONG_PTR data1, ULONG_PTR data2) {
    CDDEServer* server = g_server;
    if (!server) return nullptr;
    try {
        return server->Dispatch(type, format, conv, hsz1, hsz2, data, data1, data2);
    } catch (...) {
        return nullptr;  // nothing escapes into the channel
    }
}

HDDEDATA CDDEServer::Dispatch(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                              ULONG_PTR data1, ULONG_PTR data2) {
    Status("Callback %4.4XH", type);
    switch (type) {
        case XTYP_CONNECT:
        case XTYP_ADVSTART:
        case XTYP_ADVREQ:
        case XTYP_REQUEST:
        case XTYP_POKE:
        case XTYP_EXECUTE:
        case XTYP_ADVDATA: {
            HDDEDATA answer = nullptr;
            if (DoCallback(type, format, conv, hsz1, hsz2, data, answer)) return answer;
            return CustomCallback(type, format, conv, hsz1, hsz2, data, data1, data2);
        }
        case XTYP_WILDCONNECT:
            if (hsz2 && DdeCmpStringHandles(hsz2, m_hszServiceName) != 0) return nullptr;
            Status("Wild connect to %s", StringFromHsz(hsz1).c_str());
            return DoWildConnect(hsz1);
        case XTYP_CONNECT_CONFIRM:
            Status("Connect to %s", StringFromHsz(hsz1).c_str());
            AddConversation(conv, hsz1);
            return nullptr;
        case XTYP_DISCONNECT:
            Status("Disconnect");
            RemoveConversation(conv);
            return nullptr;
        default: return CustomCallback(type, format, conv, hsz1, hsz2, data, data1, data2);
    }
}

}  // namespace fern
