#include "readers.h"

#include <cerrno>
#include <climits>
#include <cstring>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace shelfkey {

FileReader::FileReader(std::FILE* file) : file_(file) {
#if defined(_WIN32)
  // The window is the only buffer; a stdio buffer as well would copy twice.
  std::setvbuf(file_, nullptr, _IONBF, 0);
#endif
}

bool FileReader::Seek(std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(LONG_MAX)) return false;
  if (offset >= windowStart_ && offset <= windowStart_ + end_) {
    pos_ = static_cast<std::size_t>(offset - windowStart_);
  } else {
    windowStart_ = offset;
    pos_ = end_ = 0;
  }
  return true;
}

bool FileReader::Refill() {
  const std::uint64_t next = windowStart_ + pos_;
  if (next > static_cast<std::uint64_t>(LONG_MAX)) return false;
#if defined(_WIN32)
  if (next != streamPos_) {
    if (std::fseek(file_, static_cast<long>(next), SEEK_SET) != 0) return false;
    streamPos_ = next;
  }
  const std::size_t got = std::fread(window_, 1, kWindowSize, file_);
  streamPos_ += got;
#else
  // One positioned read of the stream's descriptor: no seek of its own, and
  // the stream's buffer is never filled, so the stream stays consistent.
  ssize_t n;
  do {
    n = pread(fileno(file_), window_, kWindowSize, static_cast<off_t>(next));
  } while (n < 0 && errno == EINTR);
  const std::size_t got = n > 0 ? static_cast<std::size_t>(n) : 0;
#endif
  windowStart_ = next;
  pos_ = 0;
  end_ = got;
  return got > 0;
}

bool FileReader::ReadAcross(void* out, std::size_t n) {
  auto* dst = static_cast<unsigned char*>(out);
  while (n > 0) {
    if (pos_ == end_ && !Refill()) return false;
    const std::size_t take = end_ - pos_ < n ? end_ - pos_ : n;
    std::memcpy(dst, window_ + pos_, take);
    pos_ += take;
    dst += take;
    n -= take;
  }
  return true;
}

}  // namespace shelfkey
