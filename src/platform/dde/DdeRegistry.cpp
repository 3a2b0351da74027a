#include "platform/dde/DdeRegistry.h"

#include <glib-unix.h>

#include <algorithm>

#include "platform/dde/DdeFrame.h"
#include "platform/dde/DdeSocket.h"
#include "platform/text/SjisByteClass.h"

namespace fern::dde {

namespace {

thread_local int t_depth = 0;
thread_local std::vector<std::unique_ptr<Conversation>> t_deadConversations;
thread_local std::vector<std::unique_ptr<Instance>> t_deadInstances;

void Sweep() {
    if (t_depth != 0) return;
    // Moved out first: freeing may not reach back into these lists.
    auto conversations = std::move(t_deadConversations);
    auto instances = std::move(t_deadInstances);
    t_deadConversations.clear();
    t_deadInstances.clear();
}

}  // namespace

Registry& Registry::Get() {
    static Registry* registry = new Registry;  // outlives every thread's graveyard
    return *registry;
}

Instance* FindInstance(DWORD id) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.instances.find(id);
    return it == r.instances.end() || it->second->dead ? nullptr : it->second.get();
}

Conversation* FindConversation(HCONV conv) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.conversations.find(reinterpret_cast<std::uintptr_t>(conv));
    return it == r.conversations.end() ? nullptr : it->second;
}

void RegisterConversation(Conversation* conv) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    conv->handle = r.NextHandle();
    r.conversations[conv->handle] = conv;
}

HSZ MakeString(Instance* instance, const std::string& text) {
    if (text.empty()) return nullptr;
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    std::string folded = SjisToLower(text);
    auto found = instance->stringIndex.find(folded);
    if (found != instance->stringIndex.end()) {
        ++r.strings[found->second].refs;
        return reinterpret_cast<HSZ>(found->second);
    }
    std::uintptr_t handle = r.NextHandle();
    r.strings[handle] = StringEntry{instance->id, text, 1};
    instance->stringIndex[folded] = handle;
    return reinterpret_cast<HSZ>(handle);
}

bool FreeString(DWORD instanceId, HSZ hsz) {
    if (!hsz) return false;
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.strings.find(reinterpret_cast<std::uintptr_t>(hsz));
    if (it == r.strings.end() || it->second.instance != instanceId) return false;
    if (--it->second.refs > 0) return true;
    auto owner = r.instances.find(instanceId);
    if (owner != r.instances.end()) owner->second->stringIndex.erase(SjisToLower(it->second.text));
    r.strings.erase(it);
    return true;
}

bool StringText(HSZ hsz, std::string& text) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.strings.find(reinterpret_cast<std::uintptr_t>(hsz));
    if (it == r.strings.end()) return false;
    text = it->second.text;
    return true;
}

HDDEDATA MakeData(Instance* instance, std::string bytes, const std::string& item, UINT format) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    std::uintptr_t handle = r.NextHandle();
    r.data[handle] = DataEntry{instance->id, std::move(bytes), item, format, false};
    return reinterpret_cast<HDDEDATA>(handle);
}

bool TakeData(Instance* instance, HDDEDATA answer, std::string& bytes, UINT& format) {
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    auto it = r.data.find(DdeAnswerValue(answer));
    if (it == r.data.end() || it->second.instance != instance->id) return false;
    format = it->second.format;
    if (it->second.appOwned) {
        bytes = it->second.bytes;
    } else {
        bytes = std::move(it->second.bytes);
        r.data.erase(it);
    }
    return true;
}

DispatchScope::DispatchScope() { ++t_depth; }

DispatchScope::~DispatchScope() {
    --t_depth;
    Sweep();
}

HDDEDATA Call(Instance* instance, UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
              ULONG_PTR data1, ULONG_PTR data2) {
    if (!instance->callback || instance->dead) return nullptr;
    DispatchScope scope;
    try {
        return instance->callback(type, format, conv, hsz1, hsz2, data, data1, data2);
    } catch (...) {
        return nullptr;
    }
}

GSource* WatchSocket(Instance* instance, int fd, GIOCondition condition,
                     gboolean (*handler)(gint, GIOCondition, gpointer), gpointer data) {
    GSource* source = g_unix_fd_source_new(fd, condition);
    g_source_set_callback(source, reinterpret_cast<GSourceFunc>(reinterpret_cast<void (*)()>(handler)), data,
                          nullptr);
    g_source_attach(source, instance->context);
    return source;
}

void DropSource(GSource*& source) {
    if (!source) return;
    g_source_destroy(source);
    g_source_unref(source);
    source = nullptr;
}

void CloseConversation(Conversation* conv) {
    if (conv->closed) return;
    conv->closed = true;
    DropSource(conv->readSource);
    DropSource(conv->writeSource);
    DropSource(conv->idleSource);
    if (!conv->server && conv->connected && conv->fd >= 0) {
        DdeMessage bye;
        bye.kind = DdeMessageKind::Disconnect;
        DdeWriteSome(conv->fd, EncodeDdeFrame(bye));
    }
    DdeCloseSocket(conv->fd);
    conv->fd = -1;
    Instance* instance = conv->instance;
    {
        Registry& r = Registry::Get();
        std::lock_guard lock(r.mutex);
        if (conv->handle) r.conversations.erase(conv->handle);
    }
    FreeString(instance->id, conv->service);
    FreeString(instance->id, conv->topic);
    conv->service = conv->topic = nullptr;
    auto& list = instance->conversations;
    auto it = std::find_if(list.begin(), list.end(), [conv](const auto& p) { return p.get() == conv; });
    if (it != list.end()) {
        t_deadConversations.push_back(std::move(*it));
        list.erase(it);
    }
    Sweep();
}

void Bury(std::unique_ptr<Instance> instance) {
    t_deadInstances.push_back(std::move(instance));
    Sweep();
}

}  // namespace fern::dde
