// Layout of a table index file. All integers are 32-bit unsigned little-endian.
//
//   offset 0        A: length of the record section (16 bytes per group record)
//   offset 4        B: length of the number section (4 bytes per table number)
//   offset 8        a third word that nothing reads
//   offset 12       group records: 8-byte zero-terminated key, first entry
//                   index, offset of the group's lead byte in the text section
//   offset 12+A     table numbers in entry order
//   offset 12+A+B   text section: per group a lead byte, then its entries,
//                   each stored characters (0x02-0x7F) and one control byte
//
// A control byte tells how the next entry is stored: 0x00 whole; 0x80-0xFF
// sharing its first 256 - value characters with this one; 0x01 this entry
// ends its group and the next byte is the next group's lead byte. The last
// group ends with a closing entry that sorts after every filing key.
#pragma once

#include <cstddef>
#include <cstdint>

namespace shelfkey::index {

inline constexpr std::size_t kHeaderSize = 12;
inline constexpr std::size_t kRecordSize = 16;
inline constexpr std::size_t kRecordKeySize = 8;  // up to 7 characters and a zero
inline constexpr std::size_t kRecordKeyMaxLength = kRecordKeySize - 1;
inline constexpr std::size_t kNumberSize = 4;
inline constexpr std::size_t kMaxEntryLength = 67;  // held with its zero in 68 bytes
inline constexpr std::size_t kMaxSharedCount = 128;

inline constexpr unsigned char kStoredWhole = 0x00;
inline constexpr unsigned char kEndOfGroup = 0x01;
inline constexpr unsigned char kFirstStored = 0x02;
inline constexpr unsigned char kLastStored = 0x7F;
inline constexpr unsigned char kClosingEntry = 0x7F;
inline constexpr unsigned char kDefaultLeadByte = 0x23;

inline bool IsStoredByte(unsigned c) { return c >= kFirstStored && c <= kLastStored; }

// Control byte for an entry that shares its first n (1 to 128) characters.
inline constexpr unsigned char SharedControl(std::size_t n) {
  return static_cast<unsigned char>(256 - n);
}

inline std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void PutLe32(unsigned char* p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

// Texts compare byte by byte as unsigned values; a proper beginning sorts
// first. Keys and entries are short, so a plain loop beats a library call.
inline int CompareTexts(const char* a, const char* b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a);
  const auto* y = reinterpret_cast<const unsigned char*>(b);
  while (*x != 0 && *x == *y) {
    ++x;
    ++y;
  }
  return static_cast<int>(*x) - static_cast<int>(*y);
}

}  // namespace shelfkey::index
