#pragma once
// Named data items of a topic; CDDEStringItem holds a text that clients may
// read, replace and watch.
#include <cstdint>
#include <string>

#include "platform/dde/DdeTypes.h"

namespace fern {

class CDDETopic;

class CDDEItem {
public:
    virtual ~CDDEItem() = default;
    void Create(const std::string& name) { m_strName = name; }

    virtual bool Request(UINT format, const void*& data, DWORD& size);
    virtual bool Poke(UINT format, const void* data, DWORD size);
    virtual bool IsSupportedFormat(UINT format);
    // Formats ended by 0; null when the item names none.
    virtual const std::uint16_t* GetFormatList();
    virtual bool CanAdvise(UINT format);

    std::string m_strName;
    CDDETopic* m_pTopic = nullptr;  // set when added to a topic
};

class CDDEStringItem : public CDDEItem {
public:
    bool Request(UINT format, const void*& data, DWORD& size) override;
    bool Poke(UINT format, const void* data, DWORD size) override;
    const std::uint16_t* GetFormatList() override;
    virtual void OnPoke() {}
    // Stores the text and tells the clients that watch it.
    virtual void SetData(const std::string& text);
    virtual const std::string& GetData() const { return m_strData; }

protected:
    std::string m_strData;
};

}  // namespace fern
