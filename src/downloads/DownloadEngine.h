#pragma once
// What the download list needs from the engine, and from the desktop around
// it. The GTK layer implements both on WebKit and GIO; tests use fakes that
// record the calls.
#include <cstdint>
#include <string>

namespace fern {

// A transfer of the engine, from the moment it has a response; 0 is none.
using TransferId = std::uint64_t;

// Why a transfer ended without its file.
enum class DownloadFailure {
    Network,      // the connection broke or could not be made
    Destination,  // the file could not be written (a full disk, no permission)
    Cancelled,    // cancelled, by the user or by us
    Other,
};

// The response of a transfer, before anything is written.
struct DownloadResponse {
    std::string url;            // Shift-JIS, as addresses come in
    std::string suggestedName;  // the file system's bytes, as the engine suggests it
    std::string mimeType;       // ASCII, empty when unknown
    std::int64_t size = -1;     // as the server announces it; -1 unknown
    std::uintptr_t page = 0;    // the page that started it (its questions queue together); 0 none
};

class IDownloadEngine {
public:
    virtual ~IDownloadEngine() = default;
    // The transfer writes its data to `fsPath`, a file we made empty for it.
    virtual void Save(TransferId id, const std::string& fsPath) = 0;
    // Stops the transfer; its end is still reported.
    virtual void Cancel(TransferId id) = 0;
    // Bytes received so far.
    virtual std::int64_t Received(TransferId id) const = 0;
    // A new transfer of `url` (Shift-JIS), for a retry; its response comes
    // back like any other. 0 when it cannot start.
    virtual TransferId Fetch(const std::string& url) = 0;
    // The engine keeps the data in a file named the part file plus this
    // suffix until it is complete, so that name must be free too.
    virtual std::string SideFileSuffix() const { return {}; }
};

// The desktop's handlers.
class IDownloadShell {
public:
    virtual ~IDownloadShell() = default;
    // Opens the file with the desktop's handler for its type.
    virtual bool OpenFile(const std::string& fsPath) = 0;
    // Shows the folder that holds the file.
    virtual bool OpenFolder(const std::string& fsPath) = 0;
};

}  // namespace fern
