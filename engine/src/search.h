// The table search: the table number under which a filing key files.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "index_format.h"

namespace shelfkey {

// Where the chosen group's search starts: the section lengths from the header
// and the chosen record's first entry and text offset.
struct GroupStart {
  std::uint64_t a;
  std::uint64_t b;
  std::uint64_t firstEntry;
  std::uint64_t textOffset;
};

// Steps after the record choice: read the group's entries from the one after
// its lead byte until one sorts after the key (k counts the entries read,
// that one included), then read the table number of the entry before it.
template <class Reader>
std::optional<std::uint32_t> SearchGroup(Reader& in, const char* key, const GroupStart& g) {
  using namespace index;
  const std::uint64_t a = g.a, b = g.b, first = g.firstEntry;
  if (!in.Seek(kHeaderSize + 1 + a + b + g.textOffset)) return std::nullopt;
  char text[kMaxEntryLength + 1];
  long w = 0;  // where the next stored character goes; -1 discards a lead byte
  std::uint64_t k = 0;
  // The leading characters of text known to equal the key's: an entry that
  // shares n characters with the one before agrees with the key on at least
  // min(n, matched) of them, so its comparison starts there.
  std::size_t matched = 0;
  const auto* ukey = reinterpret_cast<const unsigned char*>(key);
  // The entries are read straight from the reader's bytes, block by block.
  std::span<const unsigned char> block = in.Available();
  const unsigned char* p = block.data();
  const unsigned char* end = p + block.size();
  for (;;) {
    ++k;
    const long start = w < 0 ? 0 : w;
    if (static_cast<std::size_t>(start) < matched) matched = static_cast<std::size_t>(start);
    unsigned c;
    for (;;) {
      if (p == end) {
        in.Consume(block.size());
        block = in.Available();
        if (block.empty()) return std::nullopt;  // the file ends inside an entry
        p = block.data();
        end = p + block.size();
      }
      c = *p++;
      if (!IsStoredByte(c)) break;
      if (w >= 0) {
        if (static_cast<std::size_t>(w) >= kMaxEntryLength) return std::nullopt;
        text[w] = static_cast<char>(c);
      }
      ++w;
    }
    if (w <= start) return std::nullopt;  // no stored character
    text[w] = '\0';
    const long length = w;
    if (c == kStoredWhole) {
      w = 0;
    } else if (c == kEndOfGroup) {
      w = -1;
    } else {
      w = 256 - static_cast<long>(c);
      if (w > length) return std::nullopt;
    }
    // The comparison of CompareTexts, from the first character not yet known equal.
    const auto* utext = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = matched;
    while (ukey[i] != 0 && ukey[i] == utext[i]) ++i;
    matched = i;
    if (ukey[i] < utext[i]) break;  // the key sorts before this entry
  }
  in.Consume(static_cast<std::size_t>(p - block.data()));

  const std::uint64_t e = first + k >= 2 ? first + k - 2 : 0;
  if (kNumberSize * (e + 1) > b) return std::nullopt;
  unsigned char number[kNumberSize];
  if (!in.Seek(kHeaderSize + a + kNumberSize * e) || !in.Read(number, sizeof number)) {
    return std::nullopt;
  }
  return Le32(number);
}

// Searches a table index file for the last entry that sorts at or before key
// (the first entry when key sorts before all of them) and returns its table
// number. The reader is positioned anywhere; every position is set here.
//
// Returns nothing when the file breaks a rule of its format that the search
// comes across: it is shorter than its sections say, its record section is
// empty or not a whole number of records, a record's key field does not end
// in zero, an entry is empty, longer than 67 characters or shares more
// characters than the entry before it has, a lead byte is missing, the text
// ends before an entry that sorts after the key, or the entry found has no
// table number.
// Nothing is read or written outside the search's own buffers, and the loops
// end at the end of the file at the latest.
template <class Reader>
std::optional<std::uint32_t> FindTableNumber(Reader& in, const char* key) {
  using namespace index;
  unsigned char header[kHeaderSize];
  if (!in.Seek(0) || !in.Read(header, sizeof header)) return std::nullopt;
  const std::uint64_t a = Le32(header);
  const std::uint64_t b = Le32(header + 4);
  if (a == 0 || a % kRecordSize != 0) return std::nullopt;

  // Scan the records from the first, in file order. The first record whose key
  // sorts after the filing key sends the scan back one record, which is read
  // again; without one, the last record read is the chosen one.
  unsigned char record[kRecordSize];
  for (std::uint64_t r = 0;; ++r) {
    if (!in.Read(record, sizeof record)) return std::nullopt;
    // A key field ends in zero: the key has at most 7 characters, zero-filled.
    if (record[kRecordKeySize - 1] != 0) return std::nullopt;
    if (CompareTexts(key, reinterpret_cast<const char*>(record)) < 0) {
      const std::uint64_t previous = r > 0 ? kHeaderSize + kRecordSize * (r - 1) : kHeaderSize;
      if (!in.Seek(previous) || !in.Read(record, sizeof record)) return std::nullopt;
      break;
    }
    if (kRecordSize * (r + 1) >= a) break;
  }
  return SearchGroup(in, key, {a, b, Le32(record + 8), Le32(record + 12)});
}

}  // namespace shelfkey
