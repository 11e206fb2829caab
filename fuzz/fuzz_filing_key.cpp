// Any bytes as a heading: the key is always well formed, and the routine
// never reads past the heading's zero (AddressSanitizer checks the copy).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "filing_key.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> heading(data, data + size);
  heading.push_back('\0');
  shelfkey::FilingKey key;
  const std::size_t n = shelfkey::MakeFilingKey(heading.data(), key);
  if (n < 1 || n > shelfkey::kFilingKeyMaxLength || std::strlen(key) != n) std::abort();
  if (key[0] < 'A' || key[0] > 'Z') std::abort();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = key[i];
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
    if (!ok || (c == ' ' && i > 0 && key[i - 1] == ' ')) std::abort();
  }
  // Only a key that the digit rule cut to 63 characters may end in a space.
  if (key[n - 1] == ' ' && (n != shelfkey::kFilingKeyMaxLength || std::strncmp(key, "A ", 2) != 0)) {
    std::abort();
  }
  return 0;
}
