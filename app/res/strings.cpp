#include "strings.h"

#include "resource.h"

namespace cutter {
namespace {

struct StringResource {
  unsigned id;
  const char* text;
};

constexpr StringResource kStringTable[] = {
    {IDS_SETTINGS_SECTION, "Settings"},
    {IDS_TYPE_ENTRY, "Type"},
    {IDS_ENGINE_DLL, "Shelfkey.DLL"},
    {IDS_ENGINE_LOAD_FAILED,
     "The Shelfkey.DLL failed to load.  The application will not run correctly.  "
     "Please reinstall the application."},
    {IDS_CUT4FIG_PROC, "GetCut4FigVB"},
    {IDS_CS4FIG_PROC, "GetCs4FigVB"},
    {IDS_ENGINE_PROCS_MISSING,
     "The Cutter functions could not be found in the DLL.  The application will not run correctly."},
    {IDS_CUT4FIG_FILE, "CUT4FIG.IDX"},
    {IDS_CS4FIG_FILE, "CS4FIG.IDX"},
    {IDS_EXE_EXT, ".exe"},
    {IDS_HELP_EXT, ".hlp"},
    {IDS_HELP_DIR, "help"},
    {AFX_IDP_FAILED_TO_LAUNCH_HELP, "Failed to launch help."},
};

}  // namespace

std::string LoadResourceString(unsigned id) {
  for (const StringResource& s : kStringTable) {
    if (s.id == id) return s.text;
  }
  return {};
}

}  // namespace cutter
