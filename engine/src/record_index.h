// The group records of a table index file held in memory, for batch work:
// the record choice by binary search instead of the scan from the first
// record. Only for files whose records the validator has checked, so that
// their keys strictly ascend; then the choice is the scan's own: the last
// record whose key sorts at or before the filing key, else the first.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "index_format.h"
#include "search.h"

namespace shelfkey {

class RecordIndex {
 public:
  // bytes must be a file that index::ReadIndex accepts.
  explicit RecordIndex(std::span<const unsigned char> bytes);

  GroupStart Choose(const char* key) const;

 private:
  // A record key, zero-filled to 8 bytes, compares with a filing key's first
  // 8 bytes (zero-filled after its end) as the texts compare: read as
  // big-endian numbers, the first differing byte decides, and a record key
  // of 7 characters has its zero where a longer filing key has a character.
  struct Record {
    std::uint64_t key;
    std::uint32_t firstEntry;
    std::uint32_t textOffset;
  };
  static std::uint64_t KeyWord(const unsigned char* bytes8);
  std::uint64_t a_ = 0;
  std::uint64_t b_ = 0;
  std::vector<Record> records_;
};

}  // namespace shelfkey
