#pragma once
// The request channel between programs of one user: instances, string and
// data handles, conversations and transactions, over Unix sockets named after
// the service in the runtime folder (folder 0700, sockets 0600, the peer's
// user checked on both ends).
//
// Threading: an instance belongs to the thread that initialised it. Its
// callback runs on the main context that was that thread's default then
// (g_main_context_ref_thread_default), while the thread turns that context.
// Client calls block the calling thread until the answer or the time-out; a
// client must therefore not talk to a server that this same thread serves.
#include <string>
#include <utility>
#include <vector>

#include "platform/dde/DdeTypes.h"

namespace fern {

// Instances.
UINT DdeInitializeA(DWORD* pidInst, PFNCALLBACK callback, DWORD afCmd, DWORD ulRes);
bool DdeUninitialize(DWORD idInst);
UINT DdeGetLastError(DWORD idInst);
// Registers (DNS_REGISTER) or withdraws (DNS_UNREGISTER) a service name;
// a null hsz with DNS_UNREGISTER withdraws them all. Null on failure.
HDDEDATA DdeNameService(DWORD idInst, HSZ hsz1, HSZ hsz2, UINT afCmd);

// String handles: text compared without regard to single-byte letter case.
HSZ DdeCreateStringHandleA(DWORD idInst, const char* text, int codePage);
bool DdeFreeStringHandle(DWORD idInst, HSZ hsz);
bool DdeKeepStringHandle(DWORD idInst, HSZ hsz);
// Length of the text without its NUL; copies up to cchMax - 1 bytes and a
// NUL when psz is given. 0 for an unknown handle.
DWORD DdeQueryStringA(DWORD idInst, HSZ hsz, char* psz, DWORD cchMax, int codePage);
int DdeCmpStringHandles(HSZ hsz1, HSZ hsz2);

// Data handles.
HDDEDATA DdeCreateDataHandle(DWORD idInst, const void* pSrc, DWORD cb, DWORD cbOff, HSZ hszItem, UINT wFmt,
                             UINT afCmd);
unsigned char* DdeAccessData(HDDEDATA hData, DWORD* pcbDataSize);
bool DdeUnaccessData(HDDEDATA hData);
DWORD DdeGetData(HDDEDATA hData, void* pDst, DWORD cbMax, DWORD cbOff);
bool DdeFreeDataHandle(HDDEDATA hData);

// Conversations. DdeConnect waits at most 5,000 ms for the server; when it
// fails the last error tells DMLERR_NO_CONV_ESTABLISHED (no server, or it
// refused the topic) from DMLERR_DATAACKTIMEOUT (no answer in time) and
// DMLERR_SERVER_DIED (the server broke off).
HCONV DdeConnect(DWORD idInst, HSZ hszService, HSZ hszTopic, const void* pCC);
bool DdeDisconnect(HCONV hConv);
UINT DdeQueryConvInfo(HCONV hConv, DWORD idTransaction, CONVINFO* pConvInfo);
// For a data pair pData may be a data handle with cbData (DWORD)-1.
HDDEDATA DdeClientTransaction(const void* pData, DWORD cbData, HCONV hConv, HSZ hszItem, UINT wFmt,
                              UINT wType, DWORD dwTimeout, DWORD* pdwResult);
bool DdePostAdvise(DWORD idInst, HSZ hszTopic, HSZ hszItem);

// A wild connect: asks the server of the service (every running service
// when hszService is null) for its service/topic pairs (topic null: all).
// Returns how many servers answered; -1 for a bad instance. With none, the
// last error is the one of DdeConnect for the last server reached.
struct DdeServiceTopic {
    std::string service;
    std::string topic;
};
int DdeQueryWildConnect(DWORD idInst, HSZ hszService, HSZ hszTopic, std::vector<DdeServiceTopic>& pairs);

// Names of registered clipboard formats; none are registered here, so 0.
int GetClipboardFormatNameA(UINT format, char* name, int cchMax);

}  // namespace fern
