// UTF-8 text as code points, for positions counted in characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cutter::text {

// Each malformed byte becomes U+FFFD; invalid (if given) counts them.
std::u32string DecodeUtf8(std::string_view utf8, std::size_t* invalid = nullptr);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace cutter::text
