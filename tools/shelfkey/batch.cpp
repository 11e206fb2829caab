#include "batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace shelfkey::cli {
namespace {

constexpr std::size_t kBlock = 1 << 20;

// Length of the UTF-8 sequence at p (at most n bytes), or 0 when malformed.
std::size_t Utf8Length(const unsigned char* p, std::size_t n) {
  const unsigned char b = p[0];
  std::size_t len;
  unsigned min;
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) {
    len = 2;
    min = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    len = 3;
    min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    len = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (n < len) return 0;
  unsigned code = b & (0x7F >> len);
  for (std::size_t i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (p[i] & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return len;
}

std::string WithSeparators(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
  return digits;
}

}  // namespace

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(kBlock + kMaxLineLength + 2) {}

bool LineReader::Fill() {
  if (eof_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const std::size_t room = buffer_.size() - 1 - end_;
  const std::size_t got = std::fread(buffer_.data() + end_, 1, room < kBlock ? room : kBlock, file_);
  end_ += got;
  if (got == 0) {
    eof_ = true;
    failed_ = std::ferror(file_) != 0;
  }
  return got > 0;
}

bool LineReader::Next(char*& line, std::size_t& length, bool& cut) {
  cut = false;
  for (;;) {
    if (skipping_) {  // the rest of a line that was cut
      char* nl = static_cast<char*>(std::memchr(buffer_.data() + begin_, '\n', end_ - begin_));
      if (nl == nullptr) {
        consumed_ += end_ - begin_;
        begin_ = end_;
        if (!Fill()) return false;
        continue;
      }
      const auto skipped = static_cast<std::size_t>(nl - (buffer_.data() + begin_)) + 1;
      consumed_ += skipped;
      begin_ += skipped;
      skipping_ = false;
    }
    char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    char* nl = static_cast<char*>(std::memchr(start, '\n', available));
    if (nl != nullptr) {
      length = static_cast<std::size_t>(nl - start);
      begin_ += length + 1;
      consumed_ += length + 1;
      if (length > kMaxLineLength) {
        length = kMaxLineLength;
        cut = true;
      }
    } else if (available > kMaxLineLength) {
      length = kMaxLineLength;
      cut = skipping_ = true;
      begin_ += length;
      consumed_ += length;
    } else if (eof_) {
      if (available == 0) return false;
      length = available;  // a last line without its newline
      begin_ = end_;
      consumed_ += available;
    } else {
      Fill();
      continue;
    }
    if (length > 0 && start[length - 1] == '\r') --length;
    // The newline, a byte of a cut line's rest, or the spare byte after the data.
    start[length] = '\0';
    line = start;
    return true;
  }
}

bool OutputBuffer::Flush() {
  if (!data_.empty() && !failed_) {
    if (std::fwrite(data_.data(), 1, data_.size(), file_) != data_.size()) failed_ = true;
  }
  data_.clear();
  if (!failed_ && std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

Progress::Progress(std::FILE* err, std::uint64_t totalBytes)
    : err_(err), total_(totalBytes), enabled_(isatty(fileno(err)) != 0) {
  start_ = lastDraw_ = std::chrono::steady_clock::now();
}

void Progress::Draw(std::uint64_t lines, std::uint64_t bytes, bool last) {
  const auto now = std::chrono::steady_clock::now();
  if (!last && now - lastDraw_ < std::chrono::milliseconds(250)) return;
  lastDraw_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  std::string text = WithSeparators(lines) + " headings";
  if (seconds > 0) text += ", " + WithSeparators(static_cast<std::uint64_t>(static_cast<double>(lines) / seconds)) + "/s";
  if (total_ > 0 && bytes <= total_) {
    const double done = static_cast<double>(bytes) / static_cast<double>(total_);
    text += ", " + std::to_string(static_cast<int>(done * 100)) + "%";
    if (done > 0 && !last) text += ", " + std::to_string(static_cast<int>(seconds / done - seconds)) + " s left";
  }
  std::fprintf(err_, "\r%-70s", text.c_str());
  std::fflush(err_);
  drawn_ = true;
}

void Progress::Finish(std::uint64_t lines, std::uint64_t bytes) {
  if (!enabled_ || !drawn_) return;
  Draw(lines, bytes, true);
  std::fputc('\n', err_);
}

std::uint64_t KnownSize(std::FILE* file) {
  struct stat st {};
  if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<std::uint64_t>(st.st_size);
}

void AppendJsonString(std::string& out, const char* text, std::size_t n) {
  out += '"';
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = p[i];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20 || c == 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t len = Utf8Length(p + i, n - i); len > 0) {
      out.append(text + i, len);
      i += len;
    } else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
      ++i;
    }
  }
  out += '"';
}

std::size_t RepairUtf8(const char* text, std::size_t n, std::string& out) {
  std::size_t replaced = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  for (std::size_t i = 0; i < n;) {
    if (p[i] < 0x80) {
      out += text[i++];
      continue;
    }
    if (const std::size_t len = Utf8Length(p + i, n - i); len > 0) {
      out.append(text + i, len);
      i += len;
    } else {
      out += "\xEF\xBF\xBD";
      ++replaced;
      ++i;
    }
  }
  return replaced;
}

}  // namespace shelfkey::cli
