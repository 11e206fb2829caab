#include "files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace shelfkey::cli {

bool ReadWholeFile(const std::string& path, std::FILE* stdinStream, std::vector<unsigned char>& out,
                   std::string& error, bool& missing) {
  missing = false;
  const bool isStdin = path == "-";
  std::FILE* f = isStdin ? stdinStream : std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    error = "cannot open '" + path + "': " + std::strerror(errno);
    missing = true;
    return false;
  }
  out.clear();
  unsigned char buf[65536];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + got);
  const bool failed = std::ferror(f) != 0;
  const int savedErrno = errno;
  if (!isStdin) std::fclose(f);
  if (failed) {
    error = "cannot read '" + path + "': " + std::strerror(savedErrno);
    return false;
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes,
                         std::string& error) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  std::random_device rd;
  const fs::path temp = target.parent_path() /
                        ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
  std::FILE* f = std::fopen(temp.string().c_str(), "wb");
  if (f == nullptr) {
    error = "cannot create '" + path + "': " + std::strerror(errno);
    return false;
  }
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int savedErrno = errno;
  if (std::fflush(f) != 0 && ok) {
    ok = false;
    savedErrno = errno;
  }
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    savedErrno = errno;
  }
  std::error_code ec;
  if (ok) {
    fs::rename(temp, target, ec);
    if (!ec) return true;
    error = "cannot replace '" + path + "': " + ec.message();
  } else {
    error = "cannot write '" + path + "': " + std::strerror(savedErrno);
  }
  fs::remove(temp, ec);
  return false;
}

}  // namespace shelfkey::cli
