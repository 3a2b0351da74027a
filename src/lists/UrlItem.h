#pragma once
// The record every stored list is made of: bookmarks, typed and closed URLs,
// start-up and state lists, URL lists.
#include <cstdint>
#include <string>

namespace fern {

// Values of UrlItem::type.
inline constexpr std::uint16_t kItemSeparator = 0;
inline constexpr std::uint16_t kItemUrl = 1;
inline constexpr std::uint16_t kItemFolder = 2;

// Download-control flags of a new item: images, videos and sounds on.
inline constexpr std::uint32_t kDefaultItemStyle = 112;
// Security mode of a new item: leave the tab's settings as they are.
inline constexpr std::uint32_t kDefaultItemExStyle = 1;

struct UrlItem {
    UrlItem() = default;
    UrlItem(const UrlItem&) = default;
    UrlItem& operator=(const UrlItem&) = default;
    UrlItem(UrlItem&&) = default;
    UrlItem& operator=(UrlItem&&) = default;
    virtual ~UrlItem() = default;

    std::uint16_t type = kItemSeparator;
    std::uint32_t style = kDefaultItemStyle;
    std::uint32_t exstyle = kDefaultItemExStyle;
    std::string name;
    std::string url;
    std::uint32_t created = 0;  // seconds since 1970-01-01 UTC; 0 = unknown
};

}  // namespace fern
