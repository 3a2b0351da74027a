#pragma once
// The small pieces of the DDE server library: a held string handle, a
// reference-counted base, and the lists (insertion order, not owning).
#include <algorithm>
#include <string>
#include <vector>

#include "platform/dde/DdeTypes.h"

namespace fern {

class CDDEServer;

// One string handle, created on the server's instance and freed with it.
class CHSZ {
public:
    CHSZ() = default;
    CHSZ(CDDEServer* server, const std::string& text);
    ~CHSZ();
    CHSZ(const CHSZ&) = delete;
    CHSZ& operator=(const CHSZ&) = delete;

    // Frees a held handle first.
    void Create(CDDEServer* server, const std::string& text);
    void Free();
    operator HSZ() const { return m_hsz; }

    HSZ m_hsz = nullptr;
    DWORD m_dwDDEInstance = 0;
};

class CDDECountedObject {
public:
    virtual ~CDDECountedObject() = default;
    int AddRef() { return ++m_iRefCount; }
    // Destroys the object when the count reaches zero; the new count.
    int Release() {
        int count = --m_iRefCount;
        if (count == 0) delete this;
        return count;
    }

protected:
    int m_iRefCount = 0;
};

template <class T>
class CDDEList {
public:
    using iterator = typename std::vector<T*>::const_iterator;
    void AddTail(T* p) { m_items.push_back(p); }
    bool Contains(const T* p) const { return std::find(m_items.begin(), m_items.end(), p) != m_items.end(); }
    bool Remove(const T* p) {
        auto it = std::find(m_items.begin(), m_items.end(), p);
        if (it == m_items.end()) return false;
        m_items.erase(it);
        return true;
    }
    void RemoveAll() { m_items.clear(); }
    bool IsEmpty() const { return m_items.empty(); }
    std::size_t GetCount() const { return m_items.size(); }
    T* GetHead() const { return m_items.empty() ? nullptr : m_items.front(); }
    iterator begin() const { return m_items.begin(); }
    iterator end() const { return m_items.end(); }

private:
    std::vector<T*> m_items;
};

class CDDEItem;
class CDDETopic;
class CDDEConv;
class CDDEItemList : public CDDEList<CDDEItem> {};
class CDDETopicList : public CDDEList<CDDETopic> {};
class CDDEConvList : public CDDEList<CDDEConv> {};

}  // namespace fern
