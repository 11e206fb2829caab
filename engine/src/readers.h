// Byte sources for the table search: absolute seeks, then sequential reads.
// Both readers give the same bytes for the same file, so the search gives
// the same answer over either.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>

namespace shelfkey {

// Reads an open file through a window of its own. Sequential reads and seeks
// inside the window cost no system call, and each refill is a single read
// straight into the window: a positioned read of the stream's descriptor
// where the system has one, else a seek and a read of the unbuffered stream.
class FileReader {
 public:
  static constexpr std::size_t kWindowSize = 4096;

  // The stream must be freshly opened: no operation may have run on it yet.
  explicit FileReader(std::FILE* file);

  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // False when the offset lies beyond what the platform's seek can reach.
  bool Seek(std::uint64_t offset);
  // False when the file ends, or cannot be read, before n bytes.
  bool Read(void* out, std::size_t n) {
    if (end_ - pos_ >= n) {
      std::memcpy(out, window_ + pos_, n);
      pos_ += n;
      return true;
    }
    return ReadAcross(out, n);
  }
  // The next byte, or -1 at the end of the file or on a read error.
  int Next() {
    if (pos_ < end_) return window_[pos_++];
    return Refill() ? window_[pos_++] : -1;
  }

 private:
  bool Refill();
  bool ReadAcross(void* out, std::size_t n);

  std::FILE* file_;
  std::uint64_t windowStart_ = 0;  // file offset of window_[0]
#if defined(_WIN32)
  std::uint64_t streamPos_ = 0;  // where the stream stands
#endif
  std::size_t pos_ = 0;            // cursor inside the window
  std::size_t end_ = 0;            // bytes held in the window
  unsigned char window_[kWindowSize];
};

// Reads a whole file held in memory.
class MemoryReader {
 public:
  explicit MemoryReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  bool Seek(std::uint64_t offset) {
    pos_ = offset;
    return true;
  }
  bool Read(void* out, std::size_t n) {
    if (pos_ > bytes_.size() || bytes_.size() - pos_ < n) return false;
    std::memcpy(out, bytes_.data() + pos_, n);
    pos_ += n;
    return true;
  }
  int Next() { return pos_ < bytes_.size() ? bytes_[static_cast<std::size_t>(pos_++)] : -1; }

 private:
  std::span<const unsigned char> bytes_;
  std::uint64_t pos_ = 0;
};

}  // namespace shelfkey
