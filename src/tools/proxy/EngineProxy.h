#pragma once
// What the engine's network session is told about proxies, and the rule that
// turns a proxy.ini entry into it. The engine takes one proxy per scheme, a
// default proxy for the other schemes and a list of hosts that go direct.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/proxy/ProxyEntry.h"

namespace fern {

struct EngineProxy {
    enum class Mode { System, Direct, Custom };
    Mode mode = Mode::System;
    // Custom: the proxy of every scheme without one of its own ("" none:
    // those go direct), e.g. "socks://host:1080".
    std::string defaultUri;
    std::vector<std::pair<std::string, std::string>> schemes;  // ("http", "http://host:8080")
    std::vector<std::string> ignoreHosts;                      // hosts, "*.domain", IP addresses, CIDR ranges
    bool operator==(const EngineProxy&) const = default;
};

// The ranges "<local>" stands for. Dotless intranet names cannot be said to
// the engine, so those still go through the proxy.
const std::vector<std::string>& LocalAddressRanges();

struct EngineProxyMapping {
    EngineProxy proxy;
    // Exceptions the engine's ignore list cannot express (wildcards other
    // than "*.domain" and "1.2.*"); they go through the proxy.
    std::vector<std::string> unexpressed;
};

// Nullopt when the entry has no server the engine can use: no host at all,
// or only hosts that are no host name (spaces, slashes) or only a gopher
// server, which the engine cannot use.
std::optional<EngineProxyMapping> EngineProxyFor(const ProxyEntry& entry);

class IProxyEngine {
public:
    virtual ~IProxyEngine() = default;
    // For every tab and pop-up at once, from their next request on; false
    // when the engine refused.
    virtual bool ApplyProxy(const EngineProxy& proxy) = 0;
};

}  // namespace fern
