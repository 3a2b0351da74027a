#pragma once
// Inside the request channel: the process-wide tables behind the handles, the
// instances with their listeners and conversations, and the rule that nothing
// a callback may still be using is freed before the callback has returned.
// Not for use outside platform/dde.
#include <glib.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dde/DdeMessage.h"
#include "platform/dde/DdeTypes.h"

namespace fern::dde {

// A client that sends more than this in answers it does not read is dropped.
constexpr std::size_t kMaxPendingOutput = 8 * 1024 * 1024;
constexpr std::size_t kMaxConversations = 256;
constexpr std::int64_t kConnectTimeoutMs = 5000;

struct Instance;

struct Listener {
    Instance* instance = nullptr;
    std::string service;  // as registered
    HSZ hsz = nullptr;    // held
    std::string path;
    int fd = -1;
    GSource* source = nullptr;
};

struct AdviseLoop {
    std::string item;
    UINT format = 0;
};

struct Conversation {
    std::uintptr_t handle = 0;
    Instance* instance = nullptr;
    bool server = false;
    int fd = -1;
    GSource* readSource = nullptr;
    GSource* writeSource = nullptr;
    GSource* idleSource = nullptr;
    std::string in;
    std::string out;
    std::string serviceText;
    std::string topicText;
    HSZ service = nullptr;  // held while the conversation lives
    HSZ topic = nullptr;
    bool connected = false;
    bool closeWhenFlushed = false;
    bool closed = false;
    bool self = false;
    std::uint32_t lastId = 0;
    std::vector<AdviseLoop> loops;  // server side
    bool watching = false;          // client side: advise data is read
    std::deque<DdeMessage> pendingAdvise;

    HCONV Handle() const { return reinterpret_cast<HCONV>(handle); }
};

struct Instance {
    DWORD id = 0;
    PFNCALLBACK callback = nullptr;
    GMainContext* context = nullptr;
    UINT lastError = DMLERR_NO_ERROR;
    bool dead = false;
    std::vector<std::unique_ptr<Listener>> listeners;
    std::vector<std::unique_ptr<Conversation>> conversations;
    std::map<std::string, std::uintptr_t> stringIndex;  // folded text -> handle
};

struct StringEntry {
    DWORD instance = 0;
    std::string text;
    unsigned refs = 0;
};

struct DataEntry {
    DWORD instance = 0;
    std::string bytes;
    std::string item;
    UINT format = 0;
    bool appOwned = false;
};

class Registry {
public:
    static Registry& Get();

    std::mutex mutex;
    std::map<DWORD, std::unique_ptr<Instance>> instances;
    std::unordered_map<std::uintptr_t, StringEntry> strings;
    std::unordered_map<std::uintptr_t, DataEntry> data;
    std::unordered_map<std::uintptr_t, Conversation*> conversations;

    // Handles start high so that no flag answer (DDE_FACK, 1) is ever one.
    std::uintptr_t NextHandle() { return ++m_lastHandle; }
    DWORD NextInstanceId() { return ++m_lastInstance; }

private:
    std::uintptr_t m_lastHandle = 0x100000;
    DWORD m_lastInstance = 0;
};

// Lookups; null when unknown. Each takes the registry lock briefly.
Instance* FindInstance(DWORD id);
Conversation* FindConversation(HCONV conv);

// Gives a connected conversation its handle.
void RegisterConversation(Conversation* conv);

// String and data handles made by the channel itself.
HSZ MakeString(Instance* instance, const std::string& text);
bool FreeString(DWORD instance, HSZ hsz);
bool StringText(HSZ hsz, std::string& text);
HDDEDATA MakeData(Instance* instance, std::string bytes, const std::string& item, UINT format);
// A data answer of a callback: its bytes and format, freed unless the
// application keeps it. False when the answer is no data handle of `instance`.
bool TakeData(Instance* instance, HDDEDATA answer, std::string& bytes, UINT& format);

// Calls the instance's callback; while any callback runs on this thread,
// closed conversations and instances are kept, and freed afterwards.
HDDEDATA Call(Instance* instance, UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
              ULONG_PTR data1, ULONG_PTR data2);

class DispatchScope {
public:
    DispatchScope();
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

// Ends a conversation: sources and socket closed, handles freed, the record
// kept until no callback runs. A client tells the server first.
void CloseConversation(Conversation* conv);
// An instance taken out of the table, freed when no callback runs.
void Bury(std::unique_ptr<Instance> instance);

GSource* WatchSocket(Instance* instance, int fd, GIOCondition condition,
                     gboolean (*handler)(gint, GIOCondition, gpointer), gpointer data);
void DropSource(GSource*& source);

// Server side (DdeServerSide.cpp).
gboolean OnListenerReady(gint fd, GIOCondition condition, gpointer data);
// Client side (DdeClientSide.cpp).
void StartAdviseWatch(Conversation* conv);

}  // namespace fern::dde
