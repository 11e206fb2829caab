// Filing keys: the normalised form of a heading that the tables are searched with.
#pragma once

#include <cstddef>

namespace shelfkey {

// A key has 1 to 63 characters ("A"-"Z", "0"-"9", single spaces), first a
// capital, followed by its terminating zero.
inline constexpr std::size_t kFilingKeySize = 64;
inline constexpr std::size_t kFilingKeyMaxLength = kFilingKeySize - 1;

using FilingKey = char[kFilingKeySize];

// Builds the filing key of a zero-terminated heading into key and returns its
// length. Every heading, the empty one included, yields a key. Bytes after
// the key's terminating zero are left as they were.
std::size_t MakeFilingKey(const char* heading, FilingKey& key);

}  // namespace shelfkey
