// Test doubles for the program's platform seam and its window.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CutterApp.h"
#include "CutterDlg.h"
#include "platform/platform.h"
#include "res/builtin_resources.h"
#include "res/resource.h"
#include "utf8.h"

namespace cutter::testing {

// What the fakes were asked to do, in order, for tests of the order of steps.
using EventLog = std::vector<std::string>;

class FakeProgramFile : public platform::ProgramFile {
 public:
  std::string path = "/opt/cutter/bin/Cutter";
  std::optional<std::string> title;  // the file name when not set
  std::optional<std::string> version = "1.10.6";
  std::string ModulePath() const override { return path; }
  std::string FileTitle(const std::string& p) const override {
    return title ? *title : p.substr(p.find_last_of("/\\") + 1);
  }
  std::optional<std::string> ProductVersion() const override {
    if (events) events->push_back("version");
    return version;
  }
  EventLog* events = nullptr;
};

class FakeResources : public BuiltInResources {
 public:
  platform::IconHandle LoadIcon(int id) const override { return id == IDR_MAINFRAME ? &icon : nullptr; }
  int icon = 128;
};

class FakeProfiles : public platform::ProfileStore {
 public:
  std::map<std::string, std::string> values;  // "file|section|entry"
  std::vector<std::string> writes;
  EventLog* events = nullptr;
  int GetPrivateProfileInt(const std::string& s, const std::string& e, int def,
                           const std::string& f) override {
    if (events) events->push_back("read " + f + " " + s + " " + e);
    auto it = values.find(f + "|" + s + "|" + e);
    return it == values.end() ? def : std::stoi(it->second);
  }
  bool WritePrivateProfileString(const std::string& s, const std::string& e, const std::string& v,
                                 const std::string& f) override {
    if (events) events->push_back("write " + f + " " + s + " " + e + "=" + v);
    values[f + "|" + s + "|" + e] = v;
    writes.push_back(f + "|" + s + "|" + e + "=" + v);
    return true;
  }
};

class FakeMessages : public platform::MessageBoxes {
 public:
  std::vector<std::pair<std::string, std::string>> shown;  // text, caption
  EventLog* events = nullptr;
  void Show(const std::string& text, const std::string& caption) override {
    if (events) events->push_back("message " + text);
    shown.emplace_back(text, caption);
  }
};

class FakeHelp : public platform::HelpViewer {
 public:
  bool starts = true;
  std::vector<std::pair<std::string, unsigned>> calls;
  bool WinHelp(const std::string& file, unsigned context) override {
    calls.emplace_back(file, context);
    return starts;
  }
};

// Libraries that are known by name; records what is loaded and freed.
class FakeLibraries : public platform::Libraries {
 public:
  std::map<std::string, std::map<std::string, platform::ProcAddress>> libraries;
  EventLog* events = nullptr;
  std::vector<std::string> log;
  platform::LibraryHandle LoadLibrary(const std::string& name) override {
    log.push_back("load " + name);
    if (events) events->push_back("load " + name);
    auto it = libraries.find(name);
    return it == libraries.end() ? nullptr : &it->second;
  }
  platform::ProcAddress GetProcAddress(platform::LibraryHandle h, const std::string& name) override {
    log.push_back("find " + name);
    auto& exports = *static_cast<std::map<std::string, platform::ProcAddress>*>(h);
    auto it = exports.find(name);
    return it == exports.end() ? nullptr : it->second;
  }
  void FreeLibrary(platform::LibraryHandle) override {
    log.push_back("free");
    if (events) events->push_back("free");
  }
};

// Forwards to real libraries and records what is freed.
class RecordingLibraries : public platform::Libraries {
 public:
  explicit RecordingLibraries(platform::Libraries& real) : real_(real) {}
  int loads = 0, frees = 0;
  platform::LibraryHandle LoadLibrary(const std::string& name) override {
    ++loads;
    return real_.LoadLibrary(name);
  }
  platform::ProcAddress GetProcAddress(platform::LibraryHandle h, const std::string& name) override {
    return real_.GetProcAddress(h, name);
  }
  void FreeLibrary(platform::LibraryHandle h) override {
    ++frees;
    real_.FreeLibrary(h);
  }

 private:
  platform::Libraries& real_;
};

// The dialog's window: controls by number, a clipboard, and the change
// notification of the heading field delivered inside SetText and Paste.
class FakeView : public platform::DialogView {
 public:
  explicit FakeView(CCutterDlg& dlg) : dlg_(dlg) {
    for (int id : {IDC_TEXT, IDC_CUTTER, IDC_TYPE_CUT4FIG, IDC_TYPE_CS4FIG, IDCANCEL, IDC_COPY_CUTTER,
                   IDC_PASTE_TEXT, ID_HELP}) {
      controls[id] = {};
    }
    dlg_.Attach(this);
  }
  ~FakeView() override { dlg_.Attach(nullptr); }

  struct Control {
    std::string text;
    bool checked = false;
    int selStart = 0, selEnd = 0;
    bool shown = false;
  };
  std::map<int, Control> controls;
  std::string title = "Merex Tolan Cutter Program v";
  std::optional<std::string> clipboard;
  std::optional<int> ended;
  std::vector<std::pair<bool, platform::IconHandle>> icons;
  std::vector<std::string> textWrites;  // every text written into the heading field
  EventLog* events = nullptr;
  int changeNotifications = 0;

  // What the user does.
  void Type(const std::string& text) {  // replaces the selection, as typing does
    Control& c = controls.at(IDC_TEXT);
    std::u32string chars = text::DecodeUtf8(c.text);
    const std::u32string typed = text::DecodeUtf8(text);
    const auto [a, b] = std::minmax(c.selStart, c.selEnd);
    chars.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), typed);
    c.text = text::EncodeUtf8(chars);
    c.selStart = c.selEnd = a + static_cast<int>(typed.size());
    Notify();
  }
  void Click(int radio) {
    for (int id : {IDC_TYPE_CUT4FIG, IDC_TYPE_CS4FIG}) controls.at(id).checked = id == radio;
    dlg_.OnTableType();
  }

  bool HasControl(int id) const override { return controls.count(id) != 0; }
  std::string GetText(int id) const override { return controls.at(id).text; }
  void SetText(int id, const std::string& text) override {
    Control& c = controls.at(id);
    c.text = text;
    c.selStart = c.selEnd = 0;
    if (id == IDC_TEXT) {
      textWrites.push_back(text);
      Notify();
    }
  }
  bool IsChecked(int id) const override { return controls.at(id).checked; }
  void SetChecked(int id, bool checked) override {
    if (events) events->push_back("check " + std::to_string(id) + (checked ? " on" : " off"));
    controls.at(id).checked = checked;
  }
  std::pair<int, int> GetSel(int id) const override {
    return {controls.at(id).selStart, controls.at(id).selEnd};
  }
  void SetSel(int id, int start, int end) override {
    Control& c = controls.at(id);
    const int length = static_cast<int>(text::DecodeUtf8(c.text).size());
    c.selStart = start;
    c.selEnd = end < 0 ? length : end;
  }
  void ScrollCaret(int) override {}
  void Copy(int id) override {
    const Control& c = controls.at(id);
    if (c.selStart == c.selEnd) return;
    const std::u32string chars = text::DecodeUtf8(c.text);
    const auto [a, b] = std::minmax(c.selStart, c.selEnd);
    clipboard = text::EncodeUtf8(chars.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a)));
  }
  void Paste(int id) override {
    if (id != IDC_TEXT || !clipboard) return;
    Type(*clipboard);
  }
  std::string GetTitle() const override { return title; }
  void SetTitle(const std::string& t) override {
    if (events) events->push_back("title " + t);
    title = t;
  }
  void SetIcon(bool big, platform::IconHandle icon) override {
    if (events) events->push_back(big ? "icon big" : "icon small");
    icons.emplace_back(big, icon);
  }
  void ShowControl(int id, bool shown) override { controls.at(id).shown = shown; }
  void EndDialog(int result) override { ended = result; }

 private:
  void Notify() {
    ++changeNotifications;
    dlg_.OnChangeText();
  }
  CCutterDlg& dlg_;
};

// A platform made of fakes, with the application object on it.
struct FakePlatform {
  FakePlatform() {
    program.events = profiles.events = messages.events = libraries.events = &events;
  }
  EventLog events;
  FakeProgramFile program;
  FakeResources resources;
  FakeProfiles profiles;
  FakeMessages messages;
  FakeHelp help;
  FakeLibraries libraries;
  platform::Platform Seam(platform::Libraries* libs = nullptr) {
    return {program, resources, profiles, messages, help, libs != nullptr ? *libs : libraries};
  }
};

}  // namespace cutter::testing
