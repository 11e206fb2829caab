#include "platform/linux/linux_platform.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QStringList>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#ifndef CUTTER_VERSION
#error "CUTTER_VERSION must be defined by the build"
#endif

namespace cutter::platform {
namespace {

std::string Trim(const std::string& s) {
  const std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  const std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// One line of an INI file without its line ending.
struct Line {
  std::string text;
  std::string ending;  // "\n", "\r\n" or "" for a last line without one
};

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t eol = content.find('\n', pos);
    Line line;
    if (eol == std::string::npos) {
      line.text = content.substr(pos);
      pos = content.size();
    } else {
      line.text = content.substr(pos, eol - pos);
      line.ending = "\n";
      pos = eol + 1;
    }
    if (!line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.ending = "\r" + line.ending;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

// The section's name when the line is a section header.
std::optional<std::string> SectionName(const std::string& line) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// The entry's key and value when the line is an entry.
bool SplitEntry(const std::string& line, std::string& key, std::string& value) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '#') return false;
  const std::size_t eq = t.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return true;
}

enum class ReadResult { kOk, kMissing, kFailed };

ReadResult ReadFile(const std::string& path, std::string& content) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) content.append(buf, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  return failed ? ReadResult::kFailed : ReadResult::kOk;
}

bool WriteAll(int fd, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t sep = path.rfind('/');
  if (sep == std::string::npos) return ".";
  return sep == 0 ? "/" : path.substr(0, sep);
}

std::string LinuxProgramFile::ModulePath() const {
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

std::string LinuxProgramFile::FileTitle(const std::string& path) const {
  const std::size_t sep = path.rfind('/');
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::optional<std::string> LinuxProgramFile::ProductVersion() const { return std::string(CUTTER_VERSION); }

IniProfileStore::IniProfileStore(std::string folder) : folder_(std::move(folder)) {}

std::string IniProfileStore::DefaultFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* pw = getpwuid(getuid());
    home = pw != nullptr ? pw->pw_dir : "/tmp";
  }
  return std::string(home) + "/.config";
}

int IniProfileStore::GetPrivateProfileInt(const std::string& section, const std::string& entry, int def,
                                          const std::string& file) {
  std::string content;
  if (ReadFile(folder_ + "/" + file, content) != ReadResult::kOk) return def;
  bool inSection = false;
  for (const Line& line : SplitLines(content)) {
    if (auto name = SectionName(line.text)) {
      inSection = SameName(*name, section);
      continue;
    }
    std::string key, value;
    if (!inSection || !SplitEntry(line.text, key, value) || !SameName(key, entry)) continue;
    // The number at the start of the value; none there gives the default.
    const char* start = value.c_str();
    const char* digits = start + ((*start == '-' || *start == '+') ? 1 : 0);
    if (*digits < '0' || *digits > '9') return def;
    errno = 0;
    char* end = nullptr;
    const long n = std::strtol(start, &end, 10);
    if (errno == ERANGE || n < INT32_MIN || n > INT32_MAX) return def;
    return static_cast<int>(n);
  }
  return def;
}

bool IniProfileStore::WritePrivateProfileString(const std::string& section, const std::string& entry,
                                                const std::string& value, const std::string& file) {
  const std::string path = folder_ + "/" + file;
  std::string content;
  const ReadResult read = ReadFile(path, content);
  // A file that exists but cannot be read is left alone rather than replaced.
  if (read == ReadResult::kFailed) return false;

  std::vector<Line> lines = SplitLines(content);
  const std::string ending = !lines.empty() && lines.front().ending == "\r\n" ? "\r\n" : "\n";
  const std::string newEntry = entry + "=" + value;
  std::size_t sectionEnd = std::string::npos;  // where a new entry of the section goes
  bool inSection = false, done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    if (auto name = SectionName(lines[i].text)) {
      if (inSection) break;
      inSection = SameName(*name, section);
      if (inSection) sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    std::string key, old;
    if (SplitEntry(lines[i].text, key, old)) {
      if (SameName(key, entry)) {
        lines[i].text = newEntry;
        done = true;
      }
      sectionEnd = i + 1;
    }
  }
  if (!done) {
    if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = ending;
    if (sectionEnd == std::string::npos) {
      if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({"", ending});
      lines.push_back({"[" + section + "]", ending});
      lines.push_back({newEntry, ending});
    } else {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), Line{newEntry, ending});
    }
  }
  std::string updated;
  for (const Line& line : lines) updated += line.text + line.ending;

  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  struct stat st {};
  const mode_t mode = (read == ReadResult::kOk && ::stat(path.c_str(), &st) == 0) ? (st.st_mode & 07777) : 0644;
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, updated) && fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

DlLibraries::DlLibraries(std::string programFolder) : programFolder_(std::move(programFolder)) {}

std::string DlLibraries::PlatformName(const std::string& name) {
  std::string stem = name;
  if (stem.size() > 4 && SameName(stem.substr(stem.size() - 4), ".dll")) stem.resize(stem.size() - 4);
  return "lib" + stem + ".so";
}

LibraryHandle DlLibraries::LoadLibrary(const std::string& name) {
  const std::string file = PlatformName(name);
  if (!programFolder_.empty()) {
    if (void* handle = dlopen((programFolder_ + "/" + file).c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
  }
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

ProcAddress DlLibraries::GetProcAddress(LibraryHandle library, const std::string& name) {
  return dlsym(library, name.c_str());
}

void DlLibraries::FreeLibrary(LibraryHandle library) { dlclose(library); }

ProcessHelpViewer::ProcessHelpViewer(std::string viewerPath) : viewerPath_(std::move(viewerPath)) {}

bool ProcessHelpViewer::WinHelp(const std::string& helpFile, unsigned context) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", context);
  return QProcess::startDetached(QString::fromStdString(viewerPath_),
                                 {QString::fromStdString(helpFile), QStringLiteral("--context"),
                                  QString::fromLatin1(hex)});
}

}  // namespace cutter::platform
