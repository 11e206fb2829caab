#include "record_index.h"


namespace shelfkey {

RecordIndex::RecordIndex(std::span<const unsigned char> bytes) {
  using namespace index;
  a_ = Le32(bytes.data());
  b_ = Le32(bytes.data() + 4);
  records_.resize(static_cast<std::size_t>(a_ / kRecordSize));
  for (std::size_t r = 0; r < records_.size(); ++r) {
    const unsigned char* p = bytes.data() + kHeaderSize + kRecordSize * r;
    records_[r].key = KeyWord(p);
    records_[r].firstEntry = Le32(p + 8);
    records_[r].textOffset = Le32(p + 12);
  }
}

std::uint64_t RecordIndex::KeyWord(const unsigned char* bytes8) {
  std::uint64_t word = 0;
  for (std::size_t i = 0; i < index::kRecordKeySize; ++i) word = word << 8 | bytes8[i];
  return word;
}

GroupStart RecordIndex::Choose(const char* key) const {
  unsigned char head[index::kRecordKeySize] = {};
  for (std::size_t i = 0; i < sizeof head && key[i] != '\0'; ++i) head[i] = static_cast<unsigned char>(key[i]);
  const std::uint64_t word = KeyWord(head);
  // The first record whose key sorts after the filing key; the one before it.
  std::size_t lo = 0, hi = records_.size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (word < records_[mid].key) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  const Record& chosen = records_[lo > 0 ? lo - 1 : 0];
  return {a_, b_, chosen.firstEntry, chosen.textOffset};
}

}  // namespace shelfkey
