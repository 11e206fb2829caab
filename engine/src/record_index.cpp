#include "record_index.h"

#include <cstring>

namespace shelfkey {

RecordIndex::RecordIndex(std::span<const unsigned char> bytes) {
  using namespace index;
  a_ = Le32(bytes.data());
  b_ = Le32(bytes.data() + 4);
  records_.resize(static_cast<std::size_t>(a_ / kRecordSize));
  for (std::size_t r = 0; r < records_.size(); ++r) {
    const unsigned char* p = bytes.data() + kHeaderSize + kRecordSize * r;
    std::memcpy(records_[r].key, p, kRecordKeySize);
    records_[r].firstEntry = Le32(p + 8);
    records_[r].textOffset = Le32(p + 12);
  }
}

GroupStart RecordIndex::Choose(const char* key) const {
  // The first record whose key sorts after the filing key; the one before it.
  std::size_t lo = 0, hi = records_.size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (index::CompareTexts(key, records_[mid].key) < 0) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  const Record& chosen = records_[lo > 0 ? lo - 1 : 0];
  return {a_, b_, chosen.firstEntry, chosen.textOffset};
}

}  // namespace shelfkey
