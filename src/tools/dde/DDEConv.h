#pragma once
// One conversation of the server: a record of a client's conversation with
// us, or (client side) our own conversation with another program's server.
#include <string>

#include "platform/dde/DdeTypes.h"
#include "tools/dde/DDEObjects.h"

namespace fern {

class CDDEConv : public CDDECountedObject {
public:
    explicit CDDEConv(CDDEServer* server);
    CDDEConv(CDDEServer* server, HCONV conv, HSZ topic);
    ~CDDEConv() override;
    CDDEConv(const CDDEConv&) = delete;
    CDDEConv& operator=(const CDDEConv&) = delete;

    // Client side: on success the server's list holds a reference.
    virtual bool ConnectTo(const std::string& service, const std::string& topic);
    virtual bool Terminate();
    virtual bool AdviseData(UINT format, const std::string& topic, const std::string& item, const void* data,
                            DWORD size);
    // Client side, CF_TEXT, each waiting at most 5,000 ms.
    virtual bool Request(const std::string& item, std::string& data);
    virtual bool Advise(const std::string& item);
    virtual bool Exec(const std::string& command);
    virtual bool Poke(UINT format, const std::string& item, const void* data, DWORD size);

    CDDEServer* m_pServer = nullptr;
    HCONV m_hConv = nullptr;
    HSZ m_hszTopic = nullptr;  // held

    static constexpr DWORD kTimeoutMs = 5000;

private:
    DWORD Instance() const;
    void HoldTopic(HSZ topic);
};

}  // namespace fern
