#pragma once
// The handle types, transaction types, flags and error codes of the local
// request channel, with the values other programs know them by.
#include <cstddef>
#include <cstdint>

namespace fern {

using DWORD = std::uint32_t;
using UINT = unsigned int;
using ULONG_PTR = std::uintptr_t;

// Opaque handles. Each is a process-wide number, never a pointer into our
// memory, so a stale or forged handle is simply not found.
struct DdeStringTag;
struct DdeDataTag;
struct DdeConvTag;
using HSZ = DdeStringTag*;
using HDDEDATA = DdeDataTag*;
using HCONV = DdeConvTag*;

struct HSZPAIR {
    HSZ hszSvc;
    HSZ hszTopic;
};

// The answer of a callback: a data handle, or a flag value in its place.
inline HDDEDATA DdeFlagAnswer(std::uintptr_t value) { return reinterpret_cast<HDDEDATA>(value); }
inline std::uintptr_t DdeAnswerValue(HDDEDATA answer) { return reinterpret_cast<std::uintptr_t>(answer); }

using PFNCALLBACK = HDDEDATA (*)(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                 ULONG_PTR data1, ULONG_PTR data2);

// Transaction classes and types.
constexpr UINT XCLASS_BOOL = 0x1000;
constexpr UINT XCLASS_DATA = 0x2000;
constexpr UINT XCLASS_FLAGS = 0x4000;
constexpr UINT XCLASS_NOTIFICATION = 0x8000;
constexpr UINT XTYPF_NOBLOCK = 0x0002;

constexpr UINT XTYP_ERROR = 0x0000 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK;
constexpr UINT XTYP_ADVDATA = 0x0010 | XCLASS_FLAGS;
constexpr UINT XTYP_ADVREQ = 0x0020 | XCLASS_DATA | XTYPF_NOBLOCK;
constexpr UINT XTYP_ADVSTART = 0x0030 | XCLASS_BOOL;
constexpr UINT XTYP_ADVSTOP = 0x0040 | XCLASS_NOTIFICATION;
constexpr UINT XTYP_EXECUTE = 0x0050 | XCLASS_FLAGS;
constexpr UINT XTYP_CONNECT = 0x0060 | XCLASS_BOOL | XTYPF_NOBLOCK;
constexpr UINT XTYP_CONNECT_CONFIRM = 0x0070 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK;
constexpr UINT XTYP_XACT_COMPLETE = 0x0080 | XCLASS_NOTIFICATION;
constexpr UINT XTYP_POKE = 0x0090 | XCLASS_FLAGS;
constexpr UINT XTYP_REGISTER = 0x00A0 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK;
constexpr UINT XTYP_REQUEST = 0x00B0 | XCLASS_DATA;
constexpr UINT XTYP_DISCONNECT = 0x00C0 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK;
constexpr UINT XTYP_UNREGISTER = 0x00D0 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK;
constexpr UINT XTYP_WILDCONNECT = 0x00E0 | XCLASS_DATA | XTYPF_NOBLOCK;

// Answers of the flag class.
constexpr std::uintptr_t DDE_FACK = 0x8000;
constexpr std::uintptr_t DDE_FBUSY = 0x4000;
constexpr std::uintptr_t DDE_FNOTPROCESSED = 0x0000;

// Clipboard formats.
constexpr UINT CF_TEXT = 1;

// Code page of string handles: the program's own (Shift-JIS) bytes.
constexpr int CP_WINANSI = 1004;

constexpr UINT DNS_REGISTER = 0x0001;
constexpr UINT DNS_UNREGISTER = 0x0002;

constexpr UINT HDATA_APPOWNED = 0x0001;

constexpr DWORD QID_SYNC = 0xFFFFFFFF;
constexpr DWORD TIMEOUT_ASYNC = 0xFFFFFFFF;

// Conversation status bits.
constexpr UINT ST_CONNECTED = 0x0001;
constexpr UINT ST_ADVISE = 0x0002;
constexpr UINT ST_ISLOCAL = 0x0004;
constexpr UINT ST_CLIENT = 0x0010;
constexpr UINT ST_TERMINATED = 0x0020;
constexpr UINT ST_ISSELF = 0x0100;

// Error codes.
constexpr UINT DMLERR_NO_ERROR = 0;
constexpr UINT DMLERR_ADVACKTIMEOUT = 0x4000;
constexpr UINT DMLERR_BUSY = 0x4001;
constexpr UINT DMLERR_DATAACKTIMEOUT = 0x4002;
constexpr UINT DMLERR_DLL_NOT_INITIALIZED = 0x4003;
constexpr UINT DMLERR_DLL_USAGE = 0x4004;
constexpr UINT DMLERR_EXECACKTIMEOUT = 0x4005;
constexpr UINT DMLERR_INVALIDPARAMETER = 0x4006;
constexpr UINT DMLERR_LOW_MEMORY = 0x4007;
constexpr UINT DMLERR_MEMORY_ERROR = 0x4008;
constexpr UINT DMLERR_NOTPROCESSED = 0x4009;
constexpr UINT DMLERR_NO_CONV_ESTABLISHED = 0x400A;
constexpr UINT DMLERR_POKEACKTIMEOUT = 0x400B;
constexpr UINT DMLERR_POSTMSG_FAILED = 0x400C;
constexpr UINT DMLERR_REENTRANCY = 0x400D;
constexpr UINT DMLERR_SERVER_DIED = 0x400E;
constexpr UINT DMLERR_SYS_ERROR = 0x400F;
constexpr UINT DMLERR_UNADVACKTIMEOUT = 0x4010;
constexpr UINT DMLERR_UNFOUND_QUEUE_ID = 0x4011;

struct CONVINFO {
    DWORD cb = sizeof(CONVINFO);
    HSZ hszSvcPartner = nullptr;
    HSZ hszServiceReq = nullptr;
    HSZ hszTopic = nullptr;
    UINT wStatus = 0;
    UINT wLastError = 0;
};

}  // namespace fern
