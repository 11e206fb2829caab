// The platform seam on Linux, for everything that needs no window system.
#pragma once

#include <string>

#include "platform/platform.h"

namespace cutter::platform {

class LinuxProgramFile : public ProgramFile {
 public:
  std::string ModulePath() const override;  // /proc/self/exe
  std::string FileTitle(const std::string& path) const override;  // the file name
  std::optional<std::string> ProductVersion() const override;     // the build's version
};

// Profile files in one folder: by default $XDG_CONFIG_HOME, else ~/.config.
// Writes go to a temporary file in the same folder that then replaces the
// file, so a failed write leaves the old file as it was.
class IniProfileStore : public ProfileStore {
 public:
  explicit IniProfileStore(std::string folder = DefaultFolder());
  static std::string DefaultFolder();

  int GetPrivateProfileInt(const std::string& section, const std::string& entry, int def,
                           const std::string& file) override;
  bool WritePrivateProfileString(const std::string& section, const std::string& entry,
                                 const std::string& value, const std::string& file) override;

 private:
  std::string folder_;
};

// Shared libraries. A Windows library name is taken as the platform's own:
// "Shelfkey.DLL" is libShelfkey.so, looked for in programFolder first and
// then where the dynamic linker looks.
class DlLibraries : public Libraries {
 public:
  explicit DlLibraries(std::string programFolder);
  static std::string PlatformName(const std::string& name);

  LibraryHandle LoadLibrary(const std::string& name) override;
  ProcAddress GetProcAddress(LibraryHandle library, const std::string& name) override;
  void FreeLibrary(LibraryHandle library) override;

 private:
  std::string programFolder_;
};

// Starts the help viewer program as a process of its own, so that it stays
// open when the program ends: viewer HELPFILE --context 0xNNNNN.
class ProcessHelpViewer : public HelpViewer {
 public:
  explicit ProcessHelpViewer(std::string viewerPath);
  bool WinHelp(const std::string& helpFile, unsigned context) override;

 private:
  std::string viewerPath_;
};

// The folder of a path, without its trailing separator.
std::string FolderOf(const std::string& path);

}  // namespace cutter::platform
