#pragma once
// Parsed profile files kept between reads, so that reading a setting costs a
// stat instead of a parse. An entry is used only while the file's identity
// (inode, size, modification and change times) is the one it was read with,
// and every write through this store drops it.
#include <memory>
#include <string_view>

#include "platform/ini/IniDocument.h"

namespace fern {

// The parsed file, or nullptr when it is missing or cannot be read.
std::shared_ptr<const IniDocument> CachedProfile(std::string_view path);

void ForgetCachedProfile(std::string_view path);

}  // namespace fern
