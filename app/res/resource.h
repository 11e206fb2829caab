// Resource numbers of the program: dialog template, controls, icon, strings.
#pragma once

namespace cutter {

// Dialog template and its controls, in template order.
inline constexpr int IDD_CUTTER_DIALOG = 103;
inline constexpr int IDC_TEXT = 1002;
inline constexpr int IDC_CUTTER = 1003;
inline constexpr int IDC_TYPE_CUT4FIG = 1000;
inline constexpr int IDC_TYPE_CS4FIG = 1001;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_COPY_CUTTER = 1004;
inline constexpr int IDC_PASTE_TEXT = 1005;
inline constexpr int ID_HELP = 57670;

// The program's icon.
inline constexpr int IDR_MAINFRAME = 128;

// Help contexts of dialogs are this base plus the template's number.
inline constexpr unsigned HID_BASE_RESOURCE = 0x20000;

// The string table.
inline constexpr unsigned IDS_SETTINGS_SECTION = 102;
inline constexpr unsigned IDS_TYPE_ENTRY = 103;
inline constexpr unsigned IDS_ENGINE_DLL = 104;
inline constexpr unsigned IDS_ENGINE_LOAD_FAILED = 105;
inline constexpr unsigned IDS_CUT4FIG_PROC = 106;
inline constexpr unsigned IDS_CS4FIG_PROC = 107;
inline constexpr unsigned IDS_ENGINE_PROCS_MISSING = 108;
inline constexpr unsigned IDS_CUT4FIG_FILE = 109;
inline constexpr unsigned IDS_CS4FIG_FILE = 110;
inline constexpr unsigned IDS_EXE_EXT = 111;
inline constexpr unsigned IDS_HELP_EXT = 112;
inline constexpr unsigned IDS_HELP_DIR = 113;
inline constexpr unsigned AFX_IDP_FAILED_TO_LAUNCH_HELP = 61703;

}  // namespace cutter
