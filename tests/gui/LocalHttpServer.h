#pragma once
// A small HTTP server on 127.0.0.1 for GUI tests: serves fixed pages while
// the test runs the main loop, and records every request it receives.
#include <libsoup/soup.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fern::test {

class LocalHttpServer {
public:
    struct Request {
        std::string method;
        std::string path;                            // without the query
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

    // The bytes answered for `path` (without the query); unknown paths get
    // 404. Header lines after the type ("type\r\nName: value...") are sent too.
    void Serve(const std::string& path, std::string body,
               std::string contentType = "text/html; charset=utf-8");

    // The requests received for `path`, oldest first.
    std::vector<Request> Requests(const std::string& path) const;
    int CountRequests(const std::string& path) const;

private:
    static void Handle(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*, gpointer self);

    SoupServer* m_server = nullptr;
    int m_port = 0;
    std::map<std::string, std::pair<std::string, std::string>> m_pages;  // path -> body, type
    std::vector<Request> m_requests;
};

}  // namespace fern::test
