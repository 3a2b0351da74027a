// String and data handles of the request channel.
#include <algorithm>
#include <cstring>

#include "platform/dde/DdeRegistry.h"
#include "platform/dde/Ddeml.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

using dde::Registry;

HSZ DdeCreateStringHandleA(DWORD idInst, const char* text, int) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return nullptr;
    if (!text) {
        instance->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    return dde::MakeString(instance, text);
}

bool DdeFreeStringHandle(DWORD idInst, HSZ hsz) { return dde::FreeString(idInst, hsz); }

bool DdeKeepStringHandle(DWORD idInst, HSZ hsz) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.strings.find(reinterpret_cast<std::uintptr_t>(hsz));
    if (it == r.strings.end() || it->second.instance != idInst) return false;
    ++it->second.refs;
    return true;
}

DWORD DdeQueryStringA(DWORD idInst, HSZ hsz, char* psz, DWORD cchMax, int) {
    std::string text;
    if (!dde::FindInstance(idInst) || !hsz || !dde::StringText(hsz, text)) {
        if (psz && cchMax > 0) psz[0] = '\0';
        return 0;
    }
    if (!psz) return static_cast<DWORD>(text.size());
    if (cchMax == 0) return 0;
    // Never cut a double-byte character in two.
    std::size_t n = SjisSafeCut(text, std::min<std::size_t>(text.size(), cchMax - 1));
    std::memcpy(psz, text.data(), n);
    psz[n] = '\0';
    return static_cast<DWORD>(n);
}

int DdeCmpStringHandles(HSZ hsz1, HSZ hsz2) {
    if (hsz1 == hsz2) return 0;
    std::string a, b;
    bool hasA = hsz1 && dde::StringText(hsz1, a);
    bool hasB = hsz2 && dde::StringText(hsz2, b);
    if (!hasA || !hasB) return hasA ? 1 : (hasB ? -1 : 0);
    int c = SjisCompareNoCase(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

HDDEDATA DdeCreateDataHandle(DWORD idInst, const void* pSrc, DWORD cb, DWORD cbOff, HSZ hszItem, UINT wFmt,
                             UINT afCmd) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return nullptr;
    if (static_cast<std::uint64_t>(cb) + cbOff > (64u << 20)) {
        instance->lastError = DMLERR_MEMORY_ERROR;
        return nullptr;
    }
    std::string bytes(cbOff, '\0');
    if (pSrc) bytes.append(static_cast<const char*>(pSrc), cb);
    else bytes.append(cb, '\0');
    std::string item;
    if (hszItem) dde::StringText(hszItem, item);
    HDDEDATA handle = dde::MakeData(instance, std::move(bytes), item, wFmt);
    if (afCmd & HDATA_APPOWNED) {
        Registry& r = Registry::Get();
        std::lock_guard lock(r.mutex);
        r.data[DdeAnswerValue(handle)].appOwned = true;
    }
    return handle;
}

unsigned char* DdeAccessData(HDDEDATA hData, DWORD* pcbDataSize) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.data.find(DdeAnswerValue(hData));
    if (it == r.data.end()) {
        if (pcbDataSize) *pcbDataSize = 0;
        return nullptr;
    }
    if (pcbDataSize) *pcbDataSize = static_cast<DWORD>(it->second.bytes.size());
    // A data object of no bytes still gives a valid pointer.
    return reinterpret_cast<unsigned char*>(it->second.bytes.data());
}

bool DdeUnaccessData(HDDEDATA hData) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    return r.data.count(DdeAnswerValue(hData)) != 0;
}

DWORD DdeGetData(HDDEDATA hData, void* pDst, DWORD cbMax, DWORD cbOff) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.data.find(DdeAnswerValue(hData));
    if (it == r.data.end() || cbOff > it->second.bytes.size()) return 0;
    DWORD available = static_cast<DWORD>(it->second.bytes.size() - cbOff);
    if (!pDst) return available;
    DWORD n = std::min(available, cbMax);
    std::memcpy(pDst, it->second.bytes.data() + cbOff, n);
    return n;
}

bool DdeFreeDataHandle(HDDEDATA hData) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    return r.data.erase(DdeAnswerValue(hData)) != 0;
}

int GetClipboardFormatNameA(UINT, char* name, int cchMax) {
    if (name && cchMax > 0) name[0] = '\0';
    return 0;
}

}  // namespace fern
