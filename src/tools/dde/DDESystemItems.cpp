#include "tools/dde/DDESystemItems.h"

#include <vector>

#include "platform/dde/Ddeml.h"
#include "tools/dde/DDEServer.h"

namespace fern {

namespace {

const std::uint16_t kTextFormats[] = {CF_TEXT, 0};

const char* const kStandardFormats[] = {"TEXT",    "BITMAP", "METAFILEPICT", "SYLK",    "DIF",  "TIFF",
                                        "OEMTEXT", "DIB",    "PALETTE",      "PENDATA", "RIFF", "WAVE"};

void Append(std::string& list, const std::string& name) {
    if (!list.empty()) list += '\t';
    list += name;
}

}  // namespace

std::string ClipboardFormatName(UINT format) {
    if (format >= 1 && format <= 12) return kStandardFormats[format - 1];
    char name[257] = {};
    int length = GetClipboardFormatNameA(format, name, 256);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

const std::uint16_t* CDDESystemItem::GetFormatList() { return kTextFormats; }

bool CDDESystemItem::Answer(const void*& data, DWORD& size) {
    data = m_strReturn.c_str();
    size = static_cast<DWORD>(m_strReturn.size() + 1);
    return true;
}

bool CDDESystemItem_TopicList::Request(UINT, const void*& data, DWORD& size) {
    m_strReturn.clear();
    if (m_pTopic && m_pTopic->m_pServer)
        for (CDDETopic* topic : m_pTopic->m_pServer->m_TopicList) Append(m_strReturn, topic->m_strName);
    return Answer(data, size);
}

bool CDDESystemItem_ItemList::Request(UINT, const void*& data, DWORD& size) {
    m_strReturn.clear();
    if (m_pTopic)
        for (CDDEItem* item : m_pTopic->m_ItemList) Append(m_strReturn, item->m_strName);
    return Answer(data, size);
}

bool CDDESystemItem_FormatList::Request(UINT, const void*& data, DWORD& size) {
    m_strReturn.clear();
    std::vector<std::uint16_t> named;
    bool first = true;
    if (m_pTopic) {
        for (CDDEItem* item : m_pTopic->m_ItemList) {
            const std::uint16_t* formats = item->GetFormatList();
            for (; formats && *formats; ++formats) {
                bool seen = false;
                for (std::uint16_t f : named) seen = seen || f == *formats;
                if (seen) continue;
                named.push_back(*formats);
                // An unnamed format still takes its place in the list.
                if (!first) m_strReturn += '\t';
                m_strReturn += ClipboardFormatName(*formats);
                first = false;
            }
        }
    }
    return Answer(data, size);
}

bool CDDEServerSystemTopic::Request(UINT format, const std::string& item, const void*& data, DWORD& size) {
    if (m_pServer) m_pServer->Status("System topic request: %s", item.c_str());
    return CDDETopic::Request(format, item, data, size);
}

}  // namespace fern
