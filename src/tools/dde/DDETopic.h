#pragma once
// One topic of a server: a name and its items, found without regard to case.
#include <string>

#include "platform/dde/DdeTypes.h"
#include "tools/dde/DDEObjects.h"

namespace fern {

class CDDEItem;
class CDDEServer;

class CDDETopic {
public:
    virtual ~CDDETopic() = default;
    void Create(const std::string& name) { m_strName = name; }
    bool AddItem(CDDEItem* item);

    virtual bool Request(UINT format, const std::string& item, const void*& data, DWORD& size);
    virtual bool Poke(UINT format, const std::string& item, const void* data, DWORD size);
    virtual bool Exec(const void* data, DWORD size);
    virtual CDDEItem* FindItem(const std::string& name);
    virtual bool CanAdvise(UINT format, const std::string& item);

    std::string m_strName;
    CDDEServer* m_pServer = nullptr;  // set by AddTopic
    CDDEItemList m_ItemList;
};

}  // namespace fern
