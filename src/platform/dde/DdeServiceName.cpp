#include "platform/dde/DdeServiceName.h"

#include <glib.h>
#include <sys/un.h>

#include <cstdio>

#include "platform/shell/SingleInstance.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

const char kPrefix[] = "dde-";

}  // namespace

std::string DdeSocketFileName(const std::string& service) {
    std::string name = kPrefix;
    for (unsigned char c : SjisToLower(service)) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-') {
            name.push_back(static_cast<char>(c));
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            name += escaped;
        }
    }
    return name;
}

std::optional<std::string> DdeSocketPath(const std::string& service, std::string* error) {
    std::optional<std::string> folder = RuntimeFolder(error);
    if (!folder) return std::nullopt;
    std::string path = *folder + "/" + DdeSocketFileName(service);
    if (path.size() >= sizeof(sockaddr_un{}.sun_path)) {
        if (error) *error = "the service name is too long";
        return std::nullopt;
    }
    return path;
}

std::vector<std::string> DdeAllSocketPaths() {
    std::vector<std::string> paths;
    std::optional<std::string> folder = RuntimeFolder();
    if (!folder) return paths;
    GDir* dir = g_dir_open(folder->c_str(), 0, nullptr);
    if (!dir) return paths;
    while (const char* name = g_dir_read_name(dir))
        if (g_str_has_prefix(name, kPrefix)) paths.push_back(*folder + "/" + name);
    g_dir_close(dir);
    return paths;
}

}  // namespace fern
