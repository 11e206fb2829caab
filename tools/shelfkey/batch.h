// Headings by the line: reading input in large blocks, writing output in
// large blocks, and the progress line.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace shelfkey::cli {

// Lines longer than this are cut to it (and reported by the caller).
inline constexpr std::size_t kMaxLineLength = 65536;

class LineReader {
 public:
  explicit LineReader(std::FILE* file);

  // The next line, without its line ending ("\n" or "\r\n"). The line's bytes
  // may be changed and are followed by a writable zero byte. cut is set when
  // the line was longer than kMaxLineLength: the rest of it is skipped.
  bool Next(char*& line, std::size_t& length, bool& cut);
  bool Failed() const { return failed_; }
  // Bytes consumed so far, for the progress line.
  std::uint64_t Consumed() const { return consumed_; }

 private:
  bool Fill();

  std::FILE* file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  bool eof_ = false, failed_ = false, skipping_ = false;
  std::uint64_t consumed_ = 0;
};

class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* file) : file_(file) { data_.reserve(kCapacity + 4096); }
  ~OutputBuffer() { Flush(); }

  void Append(const char* text, std::size_t n) {
    data_.append(text, n);
    if (data_.size() >= kCapacity) Flush();
  }
  void Append(const std::string& text) { Append(text.data(), text.size()); }
  void Append(const char* text) { Append(text, std::strlen(text)); }
  void Put(char c) {
    data_ += c;
    if (data_.size() >= kCapacity) Flush();
  }
  // False once a write has failed (a full disk, a closed pipe).
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  static constexpr std::size_t kCapacity = 1 << 20;
  std::FILE* file_;
  std::string data_;
  bool failed_ = false;
};

// "12,345 headings, 1,234,567/s, 45%, 3 s left" on standard error, redrawn
// in place, only when standard error is a terminal.
class Progress {
 public:
  Progress(std::FILE* err, std::uint64_t totalBytes);
  void Update(std::uint64_t lines, std::uint64_t bytes) {
    if (enabled_ && (lines & 0x3FFF) == 0) Draw(lines, bytes, false);
  }
  void Finish(std::uint64_t lines, std::uint64_t bytes);

 private:
  void Draw(std::uint64_t lines, std::uint64_t bytes, bool last);
  std::FILE* err_;
  std::uint64_t total_;
  bool enabled_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_, lastDraw_;
};

// The size of an open regular file, or 0 when it has none (a pipe).
std::uint64_t KnownSize(std::FILE* file);

// Text as a JSON string, quotes included. Bytes that are not UTF-8 are taken
// as Latin-1 characters.
void AppendJsonString(std::string& out, const char* text, std::size_t n);

// UTF-8 text with each malformed byte replaced by U+FFFD; the number of
// replacements is returned.
std::size_t RepairUtf8(const char* text, std::size_t n, std::string& out);

}  // namespace shelfkey::cli
