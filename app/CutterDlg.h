// The main dialog: the heading field, the Cutter number field, the two table
// radio buttons and the buttons Close, Copy Cutter, Paste Text and Help.
// The logic lives here; the window is a platform::DialogView.
#pragma once

#include <string>

#include "platform/platform.h"

namespace cutter {

class CCutterApp;

// An engine entry point: index file name, heading, output buffer.
#if defined(_WIN32)
using EngineEntryPoint = int(__cdecl*)(const char*, const char*, char*);
#else
using EngineEntryPoint = int (*)(const char*, const char*, char*);
#endif

class CCutterDlg {
 public:
  // The engine's buffers: index file name, heading and result.
  static constexpr std::size_t kEngineBufferSize = 260;

  explicit CCutterDlg(CCutterApp& app, void* parent = nullptr);
  ~CCutterDlg();
  CCutterDlg(const CCutterDlg&) = delete;
  CCutterDlg& operator=(const CCutterDlg&) = delete;

  // The window created from the dialog template, while it exists.
  void Attach(platform::DialogView* view) { view_ = view; }
  platform::DialogView* View() const { return view_; }

  // Initialisation: stored table type, radio buttons, icons, engine, caption.
  bool OnInitDialog();
  // The radio group and m_nTableType, in the save (controls to member) or
  // load direction.
  void DoDataExchange(bool save);
  bool UpdateData(bool save = true);

  // Closing: Enter (IDOK) transfers the radio buttons first; Close, Escape,
  // the close box and Alt+F4 (IDCANCEL) end at once.
  void OnOK();
  void OnCancel();
  // The window is being destroyed: store the table type, unload the engine.
  void OnDestroy();

  // The text-change pipeline: every change of the heading and every click on
  // a table radio button.
  void OnChangeText();
  void OnTableType();

  void OnCopyCutter();
  void OnPasteText();

  // The help context that the dialog answers to the help command.
  unsigned HelpContext() const;

  bool LoadEngine();
  void ComputeCutter(int tableType, std::string heading, std::string& result);
  void LoadSettings();
  void SaveSettings();
  void GetVersionParts(std::string& major, std::string& minor, std::string& build);

  platform::IconHandle m_hIcon = nullptr;
  int m_nTableType;
  platform::LibraryHandle m_hEngine;
  EngineEntryPoint m_pfnGetCut4Fig;
  EngineEntryPoint m_pfnGetCs4Fig;

 private:
  CCutterApp& app_;
  platform::DialogView* view_ = nullptr;
};

}  // namespace cutter
