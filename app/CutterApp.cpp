#include "CutterApp.h"

#include <algorithm>
#include <cctype>

#include "CutterDlg.h"
#include "res/resource.h"

namespace cutter {
namespace {

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
  if (text.size() < tail.size()) return false;
  return std::equal(tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

}  // namespace

CCutterApp::CCutterApp(platform::Platform& platform) : platform_(platform) {}

CCutterApp::~CCutterApp() = default;

void CCutterApp::InitApplication() {
  const std::string path = platform_.program.ModulePath();
  const std::size_t sep = LastSeparator(path);
  const std::string fileName = sep == std::string::npos ? path : path.substr(sep + 1);
  const std::size_t dot = fileName.rfind('.');
  m_pszExeName = dot == std::string::npos ? fileName : fileName.substr(0, dot);
  // No application-title string exists, so the application is named after
  // the executable.
  m_pszAppName = m_pszExeName;
  m_pszProfileName = m_pszExeName + ".INI";
  const std::size_t pathDot = path.rfind('.');
  m_pszHelpFilePath = (pathDot == std::string::npos || (sep != std::string::npos && pathDot < sep))
                          ? path + ".HLP"
                          : path.substr(0, pathDot) + ".HLP";
}

std::string CCutterApp::ComputeHelpPath() const {
  const std::string path = platform_.program.ModulePath();
  std::string title = platform_.program.FileTitle(path);
  const std::string exeExt = LoadString(IDS_EXE_EXT);
  // A title shown without its extension gets it back, so it always ends in ".exe".
  if (!EndsWithIgnoringCase(title, exeExt)) title += exeExt;
  // The executable's folder with its trailing separator. Where the file name
  // really ends in ".exe" this is the path without its title; on systems whose
  // programs have no extension, the title's ".exe" is not part of the path.
  const std::size_t sep = LastSeparator(path);
  const std::string directory = sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
  const char separator = sep == std::string::npos ? '/' : path[sep];
  return directory + LoadString(IDS_HELP_DIR) + separator + title.substr(0, title.size() - exeExt.size()) +
         LoadString(IDS_HELP_EXT);
}

bool CCutterApp::InitInstance(platform::DialogHost& host) {
  m_pszHelpFilePath = ComputeHelpPath();
  CCutterDlg dlg(*this);
  m_pMainWnd = &dlg;
  host.DoModal(dlg);
  m_pMainWnd = nullptr;
  return false;
}

int CCutterApp::GetProfileInt(const std::string& section, const std::string& entry, int def) {
  return platform_.profiles.GetPrivateProfileInt(section, entry, def, m_pszProfileName);
}

bool CCutterApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) {
  return platform_.profiles.WritePrivateProfileString(section, entry, std::to_string(value),
                                                      m_pszProfileName);
}

void CCutterApp::OnHelp() {
  const unsigned context = m_pMainWnd != nullptr ? m_pMainWnd->HelpContext() : 0;
  if (!platform_.help.WinHelp(m_pszHelpFilePath, context)) MessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP);
}

void CCutterApp::MessageBox(unsigned id) { platform_.messages.Show(LoadString(id), m_pszAppName); }

}  // namespace cutter
