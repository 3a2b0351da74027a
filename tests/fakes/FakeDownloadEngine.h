#pragma once
// A scripted download engine and desktop: transfers are numbered as they
// are made, Save writes nothing until the test says (WriteData), and every
// call is recorded.
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "downloads/DownloadEngine.h"

namespace fern::test {

class FakeDownloadEngine : public IDownloadEngine {
public:
    std::map<TransferId, std::string> savedTo;  // transfer -> the file it writes
    std::map<TransferId, std::int64_t> received;
    std::vector<TransferId> cancelled;
    std::vector<std::string> fetched;
    TransferId next = 100;
    bool refuseFetch = false;

    void Save(TransferId id, const std::string& path) override { savedTo[id] = path; }
    void Cancel(TransferId id) override { cancelled.push_back(id); }
    std::int64_t Received(TransferId id) const override {
        auto it = received.find(id);
        return it == received.end() ? 0 : it->second;
    }
    TransferId Fetch(const std::string& url) override {
        fetched.push_back(url);
        return refuseFetch ? 0 : ++next;
    }
    std::string SideFileSuffix() const override { return ".side"; }

    // The transfer's data arrives in the file it was told to write.
    void WriteData(TransferId id, const std::string& bytes) {
        std::ofstream(savedTo.at(id), std::ios::binary | std::ios::app) << bytes;
        received[id] += static_cast<std::int64_t>(bytes.size());
    }
    bool WasCancelled(TransferId id) const {
        for (TransferId c : cancelled)
            if (c == id) return true;
        return false;
    }
};

class FakeDownloadShell : public IDownloadShell {
public:
    std::vector<std::string> opened, folders;
    bool OpenFile(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    bool OpenFolder(const std::string& path) override {
        folders.push_back(path);
        return true;
    }
};

}  // namespace fern::test
