// Reads or writes one profile entry in a process of its own:
//   settings_probe FOLDER get FILE SECTION ENTRY      prints the value (default 0)
//   settings_probe FOLDER set FILE SECTION ENTRY VALUE
#include <cstdio>
#include <string>

#include "platform/linux/linux_platform.h"

int main(int argc, char** argv) {
  if (argc < 6) return 2;
  cutter::platform::IniProfileStore store(argv[1]);
  const std::string action = argv[2];
  if (action == "get") {
    std::printf("%d\n", store.GetPrivateProfileInt(argv[4], argv[5], 0, argv[3]));
    return 0;
  }
  if (action == "set" && argc == 7) return store.WritePrivateProfileString(argv[4], argv[5], argv[6], argv[3]) ? 0 : 1;
  return 2;
}
