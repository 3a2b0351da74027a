#pragma once
// The site of an address, as tabs share web processes by it: the registrable
// domain from the public suffix list (news.example.co.jp and
// www.example.co.jp are one site; http and https of it too), an IP address
// or a single-label host as it is, every file: page one site. Empty for addresses that belong to no site
// (about:, data:, no host): such a tab gets a process of its own.
#include <string>

namespace fern {

// `url` is UTF-8.
std::string SiteKeyOfUrl(const std::string& url);

}  // namespace fern
