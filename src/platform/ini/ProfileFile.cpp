#include "platform/ini/ProfileFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/fs/FileIo.h"
#include "platform/ini/ProfileCache.h"

namespace fern {

namespace {

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

// Rewriting a UTF-16 file whose characters did not all convert would turn
// them into "?" in lines nobody asked to change.
bool WriteProfileFile(std::string_view path, const ProfileFile& file, std::string* error) {
    if (!file.lossless)
        return Fail(error, "the file holds characters that Shift-JIS cannot keep; left unchanged");
    std::string bytes = EncodeProfileText(file.document.Serialize(), file.form);
    std::string reason;
    bool written = WriteFileAtomic(path, bytes, &reason);
    ForgetCachedProfile(path);
    return written || Fail(error, reason);
}

FileIdentity IdentityOf(const struct stat& st) {
    FileIdentity id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedSec = st.st_mtim.tv_sec;
    id.modifiedNsec = st.st_mtim.tv_nsec;
    id.changedSec = st.st_ctim.tv_sec;
    id.changedNsec = st.st_ctim.tv_nsec;
    return id;
}

}  // namespace

FileIdentity IdentifyFile(const std::string& fsPath) {
    struct stat st;
    if (::stat(fsPath.c_str(), &st) != 0) return FileIdentity{};
    return IdentityOf(st);
}

ProfileFile LoadProfileFile(std::string_view path) {
    ProfileFile file;
    std::string fsPath(path);
    struct stat st;
    if (::stat(fsPath.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return file;  // Missing
        file.state = ProfileFile::State::Unreadable;
        file.error = std::strerror(errno);
        return file;
    }
    file.identity = IdentityOf(st);
    file.state = ProfileFile::State::Unreadable;
    if (S_ISDIR(st.st_mode)) {
        file.error = "is a folder";
        return file;
    }
    // A device or pipe could block or never end.
    if (!S_ISREG(st.st_mode)) {
        file.error = "is not a regular file";
        return file;
    }
    std::optional<std::string> bytes = ReadWholeFile(path, &file.error);
    if (!bytes) return file;
    ProfileText text = DecodeProfileText(*bytes);
    file.state = ProfileFile::State::Loaded;
    file.document = IniDocument::Parse(text.sjis);
    file.form = text.form;
    file.lossless = text.lossless;
    file.error.clear();
    return file;
}

bool EditProfileFile(std::string_view path, std::string_view section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value, std::string* error) {
    if (key && value) {
        if (!IniDocument::IsWritableSection(section))
            return Fail(error, "the section name cannot be stored (line break or a broken character)");
        if (!IniDocument::IsWritableKey(*key))
            return Fail(error, "the key cannot be stored (line break, \"=\", or a leading \";\" or \"[\")");
        if (!IniDocument::IsWritableValue(*value))
            return Fail(error, "the value cannot be stored (line break)");
    }
    ProfileFile file = LoadProfileFile(path);
    if (file.state == ProfileFile::State::Unreadable)
        return Fail(error, "cannot read the file: " + file.error);
    bool changed = !key    ? file.document.DeleteSection(section)
                   : value ? file.document.Set(section, *key, *value)
                           : file.document.DeleteKey(section, *key);
    if (!changed) return true;
    return WriteProfileFile(path, file, error);
}

bool ReplaceProfileSection(std::string_view path, std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& entries,
                           std::string* error) {
    if (!IniDocument::IsWritableSection(section))
        return Fail(error, "the section name cannot be stored (line break or a broken character)");
    for (const auto& [key, value] : entries)
        if (!IniDocument::IsWritableKey(key) || !IniDocument::IsWritableValue(value))
            return Fail(error, "a key or value cannot be stored (line break or \"=\")");
    ProfileFile file = LoadProfileFile(path);
    if (file.state == ProfileFile::State::Unreadable)
        return Fail(error, "cannot read the file: " + file.error);
    file.document.DeleteSection(section);
    for (const auto& [key, value] : entries) file.document.Set(section, key, value);
    return WriteProfileFile(path, file, error);
}

}  // namespace fern
