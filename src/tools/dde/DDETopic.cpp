#include "tools/dde/DDETopic.h"

#include "platform/text/SjisByteClass.h"
#include "tools/dde/DDEItem.h"

namespace fern {

bool CDDETopic::AddItem(CDDEItem* item) {
    if (m_ItemList.Contains(item)) return true;
    m_ItemList.AddTail(item);
    item->m_pTopic = this;
    return true;
}

bool CDDETopic::Request(UINT format, const std::string& item, const void*& data, DWORD& size) {
    CDDEItem* found = FindItem(item);
    return found && found->Request(format, data, size);
}

bool CDDETopic::Poke(UINT format, const std::string& item, const void* data, DWORD size) {
    CDDEItem* found = FindItem(item);
    return found && found->Poke(format, data, size);
}

bool CDDETopic::Exec(const void*, DWORD) { return false; }

CDDEItem* CDDETopic::FindItem(const std::string& name) {
    for (CDDEItem* item : m_ItemList)
        if (SjisCompareNoCase(item->m_strName, name) == 0) return item;
    return nullptr;
}

bool CDDETopic::CanAdvise(UINT format, const std::string& item) {
    CDDEItem* found = FindItem(item);
    return found && found->CanAdvise(format);
}

}  // namespace fern
