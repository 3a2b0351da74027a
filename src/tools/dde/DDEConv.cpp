#include "tools/dde/DDEConv.h"

#include <cstring>

#include "platform/dde/Ddeml.h"
#include "tools/dde/DDEServer.h"

namespace fern {

CDDEConv::CDDEConv(CDDEServer* server) : m_pServer(server) {}

CDDEConv::CDDEConv(CDDEServer* server, HCONV conv, HSZ topic) : m_pServer(server), m_hConv(conv) {
    HoldTopic(topic);
}

CDDEConv::~CDDEConv() {
    // The last reference is gone, so no list names this record any more.
    if (m_hConv) {
        DdeDisconnect(m_hConv);
        if (m_pServer) m_pServer->m_ConvList.Remove(this);
    }
    if (m_hszTopic) DdeFreeStringHandle(Instance(), m_hszTopic);
}

DWORD CDDEConv::Instance() const { return m_pServer ? m_pServer->m_dwDDEInstance : 0; }

void CDDEConv::HoldTopic(HSZ topic) {
    if (m_hszTopic) DdeFreeStringHandle(Instance(), m_hszTopic);
    m_hszTopic = topic && DdeKeepStringHandle(Instance(), topic) ? topic : nullptr;
}

bool CDDEConv::ConnectTo(const std::string& service, const std::string& topic) {
    if (!m_pServer || m_hConv) return false;
    CHSZ hszService(m_pServer, service);
    CHSZ hszTopic(m_pServer, topic);
    m_hConv = DdeConnect(Instance(), hszService, hszTopic, nullptr);
    if (!m_hConv) {
        m_pServer->Status("Failed to connect to %s|%s. Error %u", service.c_str(), topic.c_str(),
                          m_pServer->GetLastError());
        return false;
    }
    HoldTopic(hszTopic);
    m_pServer->m_ConvList.AddTail(this);
    AddRef();
    return true;
}

bool CDDEConv::Terminate() {
    if (!m_hConv) return false;
    HCONV conv = m_hConv;
    m_hConv = nullptr;
    DdeDisconnect(conv);
    // Dropping the list's reference may end this object.
    if (m_pServer && m_pServer->m_ConvList.Remove(this)) Release();
    return true;
}

bool CDDEConv::AdviseData(UINT, const std::string&, const std::string&, const void*, DWORD) { return false; }

bool CDDEConv::Request(const std::string& item, std::string& data) {
    data.clear();
    CHSZ hszItem(m_pServer, item);
    HDDEDATA answer =
        DdeClientTransaction(nullptr, 0, m_hConv, hszItem, CF_TEXT, XTYP_REQUEST, kTimeoutMs, nullptr);
    if (!answer) return false;
    DWORD size = 0;
    unsigned char* bytes = DdeAccessData(answer, &size);
    if (bytes) data.assign(reinterpret_cast<const char*>(bytes), size);
    DdeUnaccessData(answer);
    DdeFreeDataHandle(answer);
    return true;
}

bool CDDEConv::Advise(const std::string& item) {
    CHSZ hszItem(m_pServer, item);
    return DdeClientTransaction(nullptr, 0, m_hConv, hszItem, CF_TEXT, XTYP_ADVSTART, kTimeoutMs, nullptr) !=
           nullptr;
}

bool CDDEConv::Exec(const std::string& command) {
    return DdeClientTransaction(command.c_str(), static_cast<DWORD>(command.size() + 1), m_hConv, nullptr,
                                CF_TEXT, XTYP_EXECUTE, kTimeoutMs, nullptr) != nullptr;
}

bool CDDEConv::Poke(UINT format, const std::string& item, const void* data, DWORD size) {
    CHSZ hszItem(m_pServer, item);
    return DdeClientTransaction(data, size, m_hConv, hszItem, format, XTYP_POKE, kTimeoutMs, nullptr) !=
           nullptr;
}

}  // namespace fern
