// Cutter: the dialog program.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "CutterApp.h"
#include "CutterWindow.h"
#include "QtPlatform.h"
#include "platform/linux/linux_platform.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fputs("Cutter needs a graphical display: none was found (DISPLAY and WAYLAND_DISPLAY are not set).\n",
               stderr);
    return 1;
  }
  QApplication application(argc, argv);

  using namespace cutter;
  platform::LinuxProgramFile program;
  const std::string folder = platform::FolderOf(program.ModulePath());
  qt::QtResources resources;
  platform::IniProfileStore profiles;
  qt::QtMessageBoxes messages;
  platform::ProcessHelpViewer help(folder + "/CutterHelp");
  platform::DlLibraries libraries(folder);
  platform::Platform seam{program, resources, profiles, messages, help, libraries};

  CCutterApp app(seam);
  app.InitApplication();
  qt::QtDialogHost host(app);
  app.InitInstance(host);
  return 0;
}
