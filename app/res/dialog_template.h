// Dialog template 103, the main dialog: size, caption, font and controls in
// template order, which is also the tab order. Positions and sizes are in
// dialog units: a quarter of the font's average character width across, an
// eighth of its height down.
#pragma once

#include "res/resource.h"

namespace cutter {

enum class ControlKind { kStatic, kEdit, kGroupBox, kRadio, kPushButton };

struct ControlTemplate {
  int id;  // 0: a control without an identifier
  ControlKind kind;
  const char* caption;  // "&" marks the mnemonic
  int x, y, width, height;
  bool group;    // starts a new group
  bool tabStop;
};

struct DialogTemplate {
  int id;
  const char* caption;
  const char* fontFamily;
  int fontPoints;
  int width, height;
  const ControlTemplate* controls;
  int controlCount;
};

inline constexpr ControlTemplate kCutterDialogControls[] = {
    {0, ControlKind::kStatic, "Text:", 15, 19, 51, 8, true, false},
    {IDC_TEXT, ControlKind::kEdit, "", 69, 16, 120, 14, true, true},
    {0, ControlKind::kStatic, "Cutter Number:", 15, 39, 51, 8, true, false},
    {IDC_CUTTER, ControlKind::kEdit, "", 69, 36, 120, 14, false, true},
    {0, ControlKind::kGroupBox, "Table Type", 197, 3, 132, 48, false, false},
    {IDC_TYPE_CUT4FIG, ControlKind::kRadio, "Cutter Four-Figure Table", 204, 16, 95, 10, true, true},
    {IDC_TYPE_CS4FIG, ControlKind::kRadio, "Cutter Sanborn Four-Figure Table", 204, 36, 124, 10, false, true},
    {IDCANCEL, ControlKind::kPushButton, "Close", 101, 74, 50, 16, true, true},
    {IDC_COPY_CUTTER, ControlKind::kPushButton, "&Copy Cutter", 160, 74, 50, 16, false, true},
    {IDC_PASTE_TEXT, ControlKind::kPushButton, "&Paste Text", 219, 74, 50, 16, false, true},
    {ID_HELP, ControlKind::kPushButton, "&Help", 278, 74, 50, 16, false, true},
};

inline constexpr DialogTemplate kCutterDialog = {
    IDD_CUTTER_DIALOG, "Merex Tolan Cutter Program v", "MS Shell Dlg", 8, 336, 97,
    kCutterDialogControls, static_cast<int>(sizeof kCutterDialogControls / sizeof kCutterDialogControls[0]),
};

}  // namespace cutter
