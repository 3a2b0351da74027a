#pragma once
// A small HTTP server on 127.0.0.1 for GUI tests: serves fixed pages from
// worker threads (so it answers while the test runs the main loop) and
// records every request it receives.
#include <gio/gio.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace fern::test {

class LocalHttpServer {
public:
    struct Request {
        std::string method;
        std::string path;
        std::map<std::string, std::string> headers;  // names lower-cased
        std::string body;
    };

    // Listens on a free port of 127.0.0.1; Port() is 0 when that failed.
    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" + path.
    std::string Url(const std::string& path) const;

    // The bytes answered for `path` (without the query); unknown paths get 404.
    void Serve(const std::string& path, std::string body,
               std::string contentType = "text/html; charset=utf-8");

    // The requests received for `path` (without the query), oldest first.
    std::vector<Request> Requests(const std::string& path) const;
    int CountRequests(const std::string& path) const;

    struct State;  // shared with the worker threads

private:
    std::shared_ptr<State> m_state;
    GSocketService* m_service = nullptr;
    int m_port = 0;
};

}  // namespace fern::test
