// A fresh folder under the system's temporary folder, removed afterwards.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <string>

namespace shelfkey::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("shelfkey-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  std::string Write(const std::string& name, std::span<const unsigned char> bytes) const {
    std::ofstream out(File(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return File(name);
  }
  std::string Write(const std::string& name, const std::string& text) const {
    return Write(name, std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
  }

 private:
  std::filesystem::path path_;
};

// Makes a folder the current directory for as long as it lives.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InFolder() { std::filesystem::current_path(previous_); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace shelfkey::testing
