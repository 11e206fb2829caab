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
  struct Record {
    char key[index::kRecordKeySize];
    std::uint32_t firstEntry;
    std::uint32_t textOffset;
  };
  std::uint64_t a_ = 0;
  std::uint64_t b_ = 0;
  std::vector<Record> records_;
};

}  // namespace shelfkey
