#include "tools/dde/DDEItem.h"

#include <cstring>

#include "tools/dde/DDEServer.h"
#include "tools/dde/DDETopic.h"

namespace fern {

namespace {

const std::uint16_t kTextFormats[] = {CF_TEXT, 0};

}  // namespace

bool CDDEItem::Request(UINT, const void*&, DWORD&) { return false; }

bool CDDEItem::Poke(UINT, const void*, DWORD) { return false; }

bool CDDEItem::IsSupportedFormat(UINT format) {
    const std::uint16_t* formats = GetFormatList();
    if (!formats) return false;
    for (; *formats; ++formats)
        if (*formats == format) return true;
    return false;
}

const std::uint16_t* CDDEItem::GetFormatList() { return nullptr; }

bool CDDEItem::CanAdvise(UINT format) { return IsSupportedFormat(format); }

bool CDDEStringItem::Request(UINT, const void*& data, DWORD& size) {
    data = m_strData.c_str();
    size = static_cast<DWORD>(m_strData.size() + 1);
    return true;
}

bool CDDEStringItem::Poke(UINT, const void* data, DWORD size) {
    // The text ends at its NUL, or at the end of the data when it has none.
    const char* text = static_cast<const char*>(data);
    m_strData.assign(text ? text : "", text ? ::strnlen(text, size) : 0);
    OnPoke();
    return true;
}

const std::uint16_t* CDDEStringItem::GetFormatList() { return kTextFormats; }

void CDDEStringItem::SetData(const std::string& text) {
    m_strData = text;
    if (m_pTopic && m_pTopic->m_pServer) m_pTopic->m_pServer->PostAdvise(m_pTopic, this);
}

}  // namespace fern
