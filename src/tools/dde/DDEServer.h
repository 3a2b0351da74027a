#pragma once
// A general-purpose server of the request channel: it turns the channel's
// callback into virtual operations on topics and items, keeps the records of
// its conversations and answers the standard System topic. An application
// derives its own server and topics from it. One server per process.
#include <string>

#include "platform/dde/DdeTypes.h"
#include "tools/dde/DDEConv.h"
#include "tools/dde/DDEObjects.h"
#include "tools/dde/DDESystemItems.h"

namespace fern {

class CDDEServer {
public:
    CDDEServer();
    virtual ~CDDEServer();
    CDDEServer(const CDDEServer&) = delete;
    CDDEServer& operator=(const CDDEServer&) = delete;

    virtual bool OnCreate() { return true; }
    virtual UINT GetLastError();
    // Every transaction that the server does not handle itself.
    virtual HDDEDATA CustomCallback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                    ULONG_PTR data1, ULONG_PTR data2);
    virtual bool Request(UINT format, const std::string& topic, const std::string& item, const void*& data,
                         DWORD& size);
    virtual bool Poke(UINT format, const std::string& topic, const std::string& item, const void* data,
                      DWORD size);
    virtual bool AdviseData(UINT format, HCONV conv, const std::string& topic, const std::string& item,
                            const void* data, DWORD size);
    virtual bool Exec(const std::string& topic, const void* data, DWORD size);
    // A hook for logging; printf-style.
    [[gnu::format(printf, 2, 3)]] virtual void Status(const char* /*format*/, ...) {}
    virtual bool AddTopic(CDDETopic* topic);
    virtual bool CanAdvise(UINT format, const std::string& topic, const std::string& item);

    // Fails when another server of this process was created first. A failed
    // Create leaves nothing running and the place free for another server.
    bool Create(const std::string& service, DWORD filterFlags = 0, DWORD* instance = nullptr);
    void Shutdown();
    CDDETopic* FindTopic(const std::string& name);
    void AddConversation(HCONV conv, HSZ topic);
    void RemoveConversation(HCONV conv);
    CDDEConv* FindConversation(HCONV conv);
    HDDEDATA DoWildConnect(HSZ topic);
    std::string StringFromHsz(HSZ hsz);
    void PostAdvise(CDDETopic* topic, CDDEItem* item);
    bool DoCallback(UINT type, UINT format, HCONV conv, HSZ topic, HSZ item, HDDEDATA data, HDDEDATA& answer);
    bool IsInitialized() const { return m_bInitialized; }

    DWORD m_dwDDEInstance = 0;
    CDDETopicList m_TopicList;
    bool m_bInitialized = false;
    std::string m_strServiceName;
    CHSZ m_hszServiceName;
    CDDEConvList m_ConvList;
    CDDEServerSystemTopic m_SystemTopic;
    CDDESystemItem_TopicList m_SystemItemTopics;
    CDDESystemItem_ItemList m_SystemItemSysItems;
    CDDESystemItem_ItemList m_SystemItemTopicItemList;
    CDDESystemItem_FormatList m_SystemItemFormats;

private:
    static HDDEDATA DdeCallback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                ULONG_PTR data1, ULONG_PTR data2);
    HDDEDATA Dispatch(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR data1,
                      ULONG_PTR data2);
};

}  // namespace fern
