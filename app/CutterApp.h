// The application object: names derived from the executable, the help path,
// the settings store, the help command, message boxes; it runs the main
// dialog modally and the program ends when the dialog closes.
#pragma once

#include <string>

#include "platform/dialog_host.h"
#include "platform/platform.h"

namespace cutter {

class CCutterDlg;

class CCutterApp {
 public:
  explicit CCutterApp(platform::Platform& platform);
  ~CCutterApp();
  CCutterApp(const CCutterApp&) = delete;
  CCutterApp& operator=(const CCutterApp&) = delete;

  // What the framework does before InitInstance: the executable's name, the
  // application name, the settings file name and the default help path.
  void InitApplication();

  // Computes the help path and runs the main dialog through host. Always
  // false: the program has no message loop of its own and ends afterwards.
  bool InitInstance(platform::DialogHost& host);

  // The settings store: the file named m_pszProfileName.
  int GetProfileInt(const std::string& section, const std::string& entry, int def);
  bool WriteProfileInt(const std::string& section, const std::string& entry, int value);

  // The command ID_HELP: the help topic of the main window in the help viewer.
  void OnHelp();

  // A message box with string id, the application name as its caption, OK
  // and the exclamation icon.
  void MessageBox(unsigned id);

  std::string LoadString(unsigned id) const { return platform_.resources.LoadString(id); }
  platform::Platform& Platform() { return platform_; }

  std::string m_pszExeName;
  std::string m_pszAppName;
  std::string m_pszProfileName;
  std::string m_pszHelpFilePath;
  CCutterDlg* m_pMainWnd = nullptr;

 private:
  std::string ComputeHelpPath() const;

  platform::Platform& platform_;
};

}  // namespace cutter
