#include "platform/ini/ProfileCache.h"

#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/fs/FileIo.h"
#include "platform/ini/ProfileFile.h"

namespace fern {

namespace {

struct Entry {
    std::string fsPath;
    FileIdentity identity;
    std::shared_ptr<const IniDocument> document;
};

// The program reads a handful of profile files; this bounds a caller that
// walks through many.
constexpr std::size_t kMaxEntries = 32;

std::mutex& CacheMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<std::string, Entry>& Cache() {
    static std::unordered_map<std::string, Entry> cache;
    return cache;
}

}  // namespace

std::shared_ptr<const IniDocument> CachedProfile(std::string_view path) {
    std::lock_guard lock(CacheMutex());
    auto& cache = Cache();
    std::string key(path);
    auto it = cache.find(key);
    if (it != cache.end() && IdentifyFile(it->second.fsPath) == it->second.identity)
        return it->second.document;

    ProfileFile file = LoadProfileFile(path);
    Entry entry;
    entry.fsPath = it != cache.end() ? std::move(it->second.fsPath) : std::string(path);
    entry.identity = file.identity;
    if (file.state == ProfileFile::State::Loaded)
        entry.document = std::make_shared<const IniDocument>(std::move(file.document));
    if (it == cache.end() && cache.size() >= kMaxEntries) cache.clear();
    auto document = entry.document;
    cache.insert_or_assign(std::move(key), std::move(entry));
    return document;
}

void ForgetCachedProfile(std::string_view path) {
    std::lock_guard lock(CacheMutex());
    Cache().erase(std::string(path));
}

}  // namespace fern
