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
  // The bytes at the cursor that can be had without another read (none at
  // the end of the file); Consume moves the cursor over some of them.
  std::span<const unsigned char> Available() {
    if (pos_ == end_ && !Refill()) return {};
    return {window_ + pos_, end_ - pos_};
  }
  void Consume(std::size_t n) { pos_ += n; }

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
  std::span<const unsigned char> Available() const {
    return pos_ < bytes_.size() ? bytes_.subspan(static_cast<std::size_t>(pos_)) : std::span<const unsigned char>();
  }
  void Consume(std::size_t n) { pos_ += n; }

 private:
  std::span<const unsigned char> bytes_;
  std::uint64_t pos_ = 0;
};

}  // namespace shelfkey
