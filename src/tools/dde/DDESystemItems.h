#pragma once
// The items of the standard System topic, each answering with names joined
// by TAB, and the System topic itself.
#include <string>

#include "tools/dde/DDEItem.h"
#include "tools/dde/DDETopic.h"

namespace fern {

class CDDESystemItem : public CDDEItem {
public:
    const std::uint16_t* GetFormatList() override;

protected:
    // Reused by the next request.
    std::string m_strReturn;
    bool Answer(const void*& data, DWORD& size);
};

// The names of every topic of the server.
class CDDESystemItem_TopicList : public CDDESystemItem {
public:
    bool Request(UINT format, const void*& data, DWORD& size) override;
};

// The names of the items of the owning topic.
class CDDESystemItem_ItemList : public CDDESystemItem {
public:
    bool Request(UINT format, const void*& data, DWORD& size) override;
};

// The names of the formats that the owning topic's items offer.
class CDDESystemItem_FormatList : public CDDESystemItem {
public:
    bool Request(UINT format, const void*& data, DWORD& size) override;
};

// The standard name of a clipboard format, else its registered name ("" for
// none).
std::string ClipboardFormatName(UINT format);

class CDDEServerSystemTopic : public CDDETopic {
public:
    bool Request(UINT format, const std::string& item, const void*& data, DWORD& size) override;
};

}  // namespace fern
