// Instances of the request channel and the service names they serve.
#include <unistd.h>

#include "platform/dde/DdeRegistry.h"
#include "platform/dde/DdeServiceName.h"
#include "platform/dde/DdeSocket.h"
#include "platform/dde/Ddeml.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

using dde::Registry;

namespace {

void CloseListener(dde::Instance* instance, dde::Listener& listener) {
    dde::DropSource(listener.source);
    if (listener.fd >= 0) {
        DdeCloseSocket(listener.fd);
        unlink(listener.path.c_str());
        listener.fd = -1;
    }
    dde::FreeString(instance->id, listener.hsz);
    listener.hsz = nullptr;
}

}  // namespace

UINT DdeInitializeA(DWORD* pidInst, PFNCALLBACK callback, DWORD, DWORD) {
    if (!pidInst) return DMLERR_INVALIDPARAMETER;
    if (*pidInst != 0) return dde::FindInstance(*pidInst) ? DMLERR_NO_ERROR : DMLERR_INVALIDPARAMETER;
    auto instance = std::make_unique<dde::Instance>();
    instance->callback = callback;
    instance->context = g_main_context_ref_thread_default();
    Registry& r = Registry::Get();
    std::lock_guard lock(r.mutex);
    instance->id = r.NextInstanceId();
    *pidInst = instance->id;
    r.instances[instance->id] = std::move(instance);
    return DMLERR_NO_ERROR;
}

bool DdeUninitialize(DWORD idInst) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return false;
    while (!instance->conversations.empty()) dde::CloseConversation(instance->conversations.front().get());
    for (auto& listener : instance->listeners) CloseListener(instance, *listener);
    instance->listeners.clear();
    std::unique_ptr<dde::Instance> owned;
    {
        Registry& r = Registry::Get();
        std::lock_guard lock(r.mutex);
        std::erase_if(r.strings, [idInst](const auto& e) { return e.second.instance == idInst; });
        std::erase_if(r.data, [idInst](const auto& e) { return e.second.instance == idInst; });
        auto it = r.instances.find(idInst);
        owned = std::move(it->second);
        r.instances.erase(it);
    }
    owned->dead = true;
    owned->stringIndex.clear();
    g_main_context_unref(owned->context);
    owned->context = nullptr;
    dde::Bury(std::move(owned));
    return true;
}

UINT DdeGetLastError(DWORD idInst) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return DMLERR_DLL_NOT_INITIALIZED;
    UINT error = instance->lastError;
    instance->lastError = DMLERR_NO_ERROR;
    return error;
}

HDDEDATA DdeNameService(DWORD idInst, HSZ hsz1, HSZ, UINT afCmd) {
    dde::Instance* instance = dde::FindInstance(idInst);
    if (!instance) return nullptr;
    std::string service;
    bool named = hsz1 && dde::StringText(hsz1, service);
    auto& listeners = instance->listeners;
    if (afCmd & DNS_UNREGISTER) {
        for (auto it = listeners.begin(); it != listeners.end();) {
            if (!named || SjisCompareNoCase((*it)->service, service) == 0) {
                CloseListener(instance, **it);
                it = listeners.erase(it);
            } else {
                ++it;
            }
        }
        return DdeFlagAnswer(1);
    }
    if (!(afCmd & DNS_REGISTER)) return DdeFlagAnswer(1);
    if (!named) {
        instance->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    for (const auto& listener : listeners)
        if (SjisCompareNoCase(listener->service, service) == 0) return DdeFlagAnswer(1);
    std::optional<std::string> path = DdeSocketPath(service);
    int fd = path ? DdeListenSocket(*path) : -1;
    if (fd < 0) {
        instance->lastError = DMLERR_DLL_USAGE;
        return nullptr;
    }
    auto listener = std::make_unique<dde::Listener>();
    listener->instance = instance;
    listener->service = service;
    listener->hsz = hsz1;
    DdeKeepStringHandle(idInst, hsz1);
    listener->path = *path;
    listener->fd = fd;
    listener->source = dde::WatchSocket(instance, fd, G_IO_IN, dde::OnListenerReady, listener.get());
    listeners.push_back(std::move(listener));
    return DdeFlagAnswer(1);
}

}  // namespace fern
