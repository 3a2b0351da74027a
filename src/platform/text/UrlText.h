#pragma once
// Addresses coming in from the libraries around us (typed, dropped, reported
// by the engine) as UTF-8. A "?" in place of a character would name another
// resource, so what code page 932 cannot hold is percent-encoded instead.
#include <string>
#include <string_view>

namespace fern {

// Shift-JIS text of the address; every character that code page 932 cannot
// hold (and every byte that is not valid UTF-8) becomes "%XX" escapes of its
// UTF-8 bytes, which name the same resource.
std::string UrlFromUtf8(std::string_view utf8);

}  // namespace fern
