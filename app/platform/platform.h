// The program's seam to its platform: small interfaces that the program's
// logic calls, each named for what it does. Implementations hold no logic of
// the program; they only carry each call to the platform.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace cutter::platform {

// The program's own executable file.
class ProgramFile {
 public:
  virtual ~ProgramFile() = default;
  // Full path of the running executable.
  virtual std::string ModulePath() const = 0;
  // The file name of path as the system shows it to the user.
  virtual std::string FileTitle(const std::string& path) const = 0;
  // The product version text of the program's file, if it has one.
  virtual std::optional<std::string> ProductVersion() const = 0;
};

// The program's resources: strings by number, the icon.
using IconHandle = const void*;
class Resources {
 public:
  virtual ~Resources() = default;
  virtual std::string LoadString(unsigned id) const = 0;
  virtual IconHandle LoadIcon(int id) const = 0;
};

// Private profile (INI) files, named without a folder.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The entry's value as a signed decimal number, or def when the file, the
  // section or the entry is missing or the value does not start with a number.
  virtual int GetPrivateProfileInt(const std::string& section, const std::string& entry, int def,
                                   const std::string& file) = 0;
  // Stores the entry, creating the file and section as needed and keeping
  // everything else in the file. False when it could not be written.
  virtual bool WritePrivateProfileString(const std::string& section, const std::string& entry,
                                         const std::string& value, const std::string& file) = 0;
};

// Modal message boxes with an OK button and the exclamation icon.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(const std::string& text, const std::string& caption) = 0;
};

// The help viewer.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Starts the viewer on a help file's topic; false when it cannot be started.
  virtual bool WinHelp(const std::string& helpFile, unsigned context) = 0;
};

// Dynamic libraries.
using LibraryHandle = void*;
using ProcAddress = void*;
class Libraries {
 public:
  virtual ~Libraries() = default;
  // Loads a library by its bare file name; null when it cannot be loaded.
  virtual LibraryHandle LoadLibrary(const std::string& name) = 0;
  // The library's export of that exact name, or null.
  virtual ProcAddress GetProcAddress(LibraryHandle library, const std::string& name) = 0;
  virtual void FreeLibrary(LibraryHandle library) = 0;
};

struct Platform {
  ProgramFile& program;
  Resources& resources;
  ProfileStore& profiles;
  MessageBoxes& messages;
  HelpViewer& help;
  Libraries& libraries;
};

// The main dialog's window, as the dialog's logic sees it. Text is UTF-8;
// positions count characters (code points) from 0.
class DialogView {
 public:
  virtual ~DialogView() = default;
  // Whether the window has a control with this number.
  virtual bool HasControl(int id) const = 0;
  virtual std::string GetText(int id) const = 0;
  // Replaces the whole text; afterwards the selection is empty at position 0.
  // On the heading field the change notification reaches the dialog before
  // this returns.
  virtual void SetText(int id, const std::string& text) = 0;
  virtual bool IsChecked(int id) const = 0;
  // Checks or unchecks a radio button without a click notification.
  virtual void SetChecked(int id, bool checked) = 0;
  virtual std::pair<int, int> GetSel(int id) const = 0;
  // end -1 selects to the end of the text.
  virtual void SetSel(int id, int start, int end) = 0;
  virtual void ScrollCaret(int id) = 0;
  // Copies the field's selection to the clipboard; nothing when it is empty.
  virtual void Copy(int id) = 0;
  // Replaces the field's selection with the clipboard's text, as the field's
  // own paste command does, and notifies the change.
  virtual void Paste(int id) = 0;
  virtual std::string GetTitle() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetIcon(bool big, IconHandle icon) = 0;
  virtual void ShowControl(int id, bool shown) = 0;
  // Ends the modal run with this result.
  virtual void EndDialog(int result) = 0;
};

}  // namespace cutter::platform
