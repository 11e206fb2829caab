#include "utf8.h"

#include <utf8proc.h>

namespace cutter::text {

std::u32string DecodeUtf8(std::string_view utf8, std::size_t* invalid) {
  std::u32string out;
  out.reserve(utf8.size());
  const auto* p = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
  auto left = static_cast<utf8proc_ssize_t>(utf8.size());
  while (left > 0) {
    utf8proc_int32_t code;
    utf8proc_ssize_t n = utf8proc_iterate(p, left, &code);
    if (n <= 0) {
      code = 0xFFFD;
      n = 1;
      if (invalid != nullptr) ++*invalid;
    }
    out += static_cast<char32_t>(code);
    p += n;
    left -= n;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    utf8proc_uint8_t buf[4];
    const utf8proc_ssize_t n = utf8proc_encode_char(static_cast<utf8proc_int32_t>(c), buf);
    out.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
  }
  return out;
}

}  // namespace cutter::text
