#include "CutterDlg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "CutterApp.h"
#include "fakes.h"

namespace cutter {
namespace {

using testing::FakePlatform;
using testing::FakeView;

// Engine stand-ins that record every call and answer with the table and the
// first characters of the heading.
std::vector<std::string> g_calls;

int FakeCut4Fig(const char* file, const char* heading, char* out) {
  g_calls.push_back(std::string("cut4fig ") + file + " " + heading);
  return std::snprintf(out, 32, "C:%.20s", heading);
}
int FakeCs4Fig(const char* file, const char* heading, char* out) {
  g_calls.push_back(std::string("cs4fig ") + file + " " + heading);
  return std::snprintf(out, 32, "S:%.20s", heading);
}

platform::ProcAddress Address(int (*fn)(const char*, const char*, char*)) {
  platform::ProcAddress p;
  std::memcpy(&p, &fn, sizeof p);
  return p;
}

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : seam_(fake_.Seam()), app_(seam_) {
    g_calls.clear();
    fake_.libraries.libraries["Shelfkey.DLL"] = {{"GetCut4FigVB", Address(FakeCut4Fig)},
                                                  {"GetCs4FigVB", Address(FakeCs4Fig)}};
    app_.InitApplication();
  }

  // Opens the dialog as the modal run does.
  void Open() {
    dlg_ = std::make_unique<CCutterDlg>(app_);
    view_ = std::make_unique<FakeView>(*dlg_);
    view_->events = &fake_.events;
    dlg_->OnInitDialog();
    fake_.events.clear();
    g_calls.clear();
  }
  // Closes it: the modal run ends, then the window is destroyed.
  void Close(bool enter = false) {
    if (enter) {
      dlg_->OnOK();
    } else {
      dlg_->OnCancel();
    }
    dlg_->OnDestroy();
    view_.reset();
    dlg_.reset();
  }
  std::string Text() const { return view_->controls.at(IDC_TEXT).text; }
  std::string Shown() const { return view_->controls.at(IDC_CUTTER).text; }
  bool Checked(int id) const { return view_->controls.at(id).checked; }

  FakePlatform fake_;
  platform::Platform seam_;
  CCutterApp app_;
  std::unique_ptr<CCutterDlg> dlg_;
  std::unique_ptr<FakeView> view_;
};

TEST_F(DialogTest, InitialisesInOrder) {
  fake_.profiles.values["Cutter.INI|Settings|Type"] = "1";
  dlg_ = std::make_unique<CCutterDlg>(app_);
  view_ = std::make_unique<FakeView>(*dlg_);
  view_->events = &fake_.events;
  EXPECT_TRUE(dlg_->OnInitDialog());
  const std::vector<std::string> expected = {
      "check 1000 on", "check 1001 off",   // the dialog's own transfer, type still 0
      "read Cutter.INI Settings Type",     // the stored type
      "check 1000 off", "check 1001 on",   // shown
      "icon big", "icon small",
      "load Shelfkey.DLL",
      "version",
      "title Merex Tolan Cutter Program v1.10.6",
  };
  EXPECT_EQ(fake_.events, expected);
  EXPECT_TRUE(view_->controls.at(ID_HELP).shown);
  EXPECT_EQ(view_->icons.front().second, &fake_.resources.icon);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Shown(), "");
  EXPECT_TRUE(g_calls.empty()) << "nothing is computed before the first change";
}

TEST_F(DialogTest, CaptionCarriesTheVersion) {
  struct Case {
    std::optional<std::string> version;
    const char* title;
  } cases[] = {
      {"1.10.6", "Merex Tolan Cutter Program v1.10.6"},
      {std::nullopt, "Merex Tolan Cutter Program v.."},
      {"2.0.1.7", "Merex Tolan Cutter Program v2.0.1.7"},
      {"1.10", "Merex Tolan Cutter Program v1.10."},
      {"7", "Merex Tolan Cutter Program v7.."},
  };
  for (const Case& c : cases) {
    fake_.program.version = c.version;
    Open();
    EXPECT_EQ(view_->title, c.title);
    Close();
  }
}

TEST_F(DialogTest, TableTypeIsStoredAndShown) {
  struct Case {
    std::optional<const char*> stored;
    bool cut4fig, cs4fig;
    const char* table;   // the table the computation uses
    const char* closed;  // what closing untouched stores
  } cases[] = {
      {std::nullopt, true, false, "cut4fig CUT4FIG.IDX", "0"},
      {"0", true, false, "cut4fig CUT4FIG.IDX", "0"},
      {"1", false, true, "cs4fig CS4FIG.IDX", "1"},
      {"5", false, false, "cs4fig CS4FIG.IDX", "-1"},
      {"-1", false, false, "cs4fig CS4FIG.IDX", "-1"},
  };
  for (const Case& c : cases) {
    fake_.profiles.values.clear();
    if (c.stored) fake_.profiles.values["Cutter.INI|Settings|Type"] = *c.stored;
    Open();
    EXPECT_EQ(Checked(IDC_TYPE_CUT4FIG), c.cut4fig);
    EXPECT_EQ(Checked(IDC_TYPE_CS4FIG), c.cs4fig);
    view_->Type("Smith");
    EXPECT_EQ(g_calls, std::vector<std::string>{std::string(c.table) + " Smith"});
    Close();
    EXPECT_EQ(fake_.profiles.values["Cutter.INI|Settings|Type"], c.closed);
  }
}

TEST_F(DialogTest, EveryWayOfClosingStoresTheTableType) {
  for (bool enter : {false, true}) {
    fake_.profiles.values.clear();
    Open();
    view_->Click(IDC_TYPE_CS4FIG);
    Close(enter);
    EXPECT_EQ(fake_.profiles.values["Cutter.INI|Settings|Type"], "1");
  }
  // Saving comes before unloading the engine.
  fake_.profiles.values.clear();
  Open();
  fake_.events.clear();
  Close();
  EXPECT_EQ(fake_.events, (std::vector<std::string>{"write Cutter.INI Settings Type=0", "free"}));
}

TEST_F(DialogTest, ClosingEndsTheModalRunWithItsResult) {
  Open();
  dlg_->OnOK();
  EXPECT_EQ(view_->ended, IDOK);
  Close();
  Open();
  dlg_->OnCancel();
  EXPECT_EQ(view_->ended, IDCANCEL);
  Close();
}

TEST_F(DialogTest, RadioButtonsRecompute) {
  Open();
  view_->Click(IDC_TYPE_CS4FIG);  // empty text: nothing computed
  EXPECT_EQ(Shown(), "");
  EXPECT_TRUE(g_calls.empty());
  view_->Type("Smith");
  view_->Click(IDC_TYPE_CUT4FIG);
  view_->Click(IDC_TYPE_CUT4FIG);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"cs4fig CS4FIG.IDX Smith", "cut4fig CUT4FIG.IDX Smith",
                                                "cut4fig CUT4FIG.IDX Smith"}));
  EXPECT_EQ(Shown(), "C:Smith");
  // With a stored 5 neither button shows; a click ends that state.
  Close();
  fake_.profiles.values["Cutter.INI|Settings|Type"] = "5";
  Open();
  view_->Click(IDC_TYPE_CUT4FIG);
  Close();
  EXPECT_EQ(fake_.profiles.values["Cutter.INI|Settings|Type"], "0");
}

TEST_F(DialogTest, TextChangePipeline) {
  struct Case {
    const char* typed;
    const char* text;   // the heading field afterwards
    const char* shown;  // the Cutter number field afterwards
    int writes;         // rewrites of the heading field
  } cases[] = {
      {"Smith", "Smith", "C:Smith", 0},
      {"Smith, John $b Jr.", "Smith, John Jr.", "C:Smith, John Jr.", 1},
      {"Smith$b Jones", "Smith$b Jones", "C:Smith$b Jones", 0},
      {"Smith $bJones", "Smith $bJones", "C:Smith $bJones", 0},
      {"Smith $B Jones", "Smith $B Jones", "C:Smith $B Jones", 0},
      {" $b Smith", " Smith", "C: Smith", 1},
      {"Smith $b ", "Smith ", "C:Smith ", 1},
      {" $b ", " ", "C: ", 1},
      {" $b $b ", " ", "C: ", 1},
      {"Smith $b Jones $b Brown", "Smith Jones Brown", "C:Smith Jones Brown", 1},
      {"Smith \xC3\x9F" "b Jones", "Smith Jones", "C:Smith Jones", 1},
      {"A $b B \xC3\x9F" "b C", "A B C", "C:A B C", 1},
      {" \xC3\x9F" "b $b \xC3\x9F" "b ", " ", "C: ", 1},
      {"Smith,\r\nJohn\tJr.", "Smith, John Jr.", "C:Smith, John Jr.", 1},
      {"Line\none\rtwo\r\n", "Line one two ", "C:Line one two ", 1},
      {"Dvo\xC5\x99\xC3\xA1k", "Dvo\xC5\x99\xC3\xA1k", "C:Dvo\xE9r\xE2" "ak", 0},
  };
  for (const Case& c : cases) {
    Open();
    view_->Type(c.typed);
    EXPECT_EQ(Text(), c.text) << c.typed;
    EXPECT_EQ(Shown(), c.shown) << c.typed;
    EXPECT_EQ(view_->textWrites.size(), static_cast<std::size_t>(c.writes)) << c.typed;
    EXPECT_EQ(g_calls.size(), 1u) << "one engine call per change: " << c.typed;
    Close();
  }
}

TEST_F(DialogTest, DeletingTheTextClearsTheNumberWithoutTheEngine) {
  Open();
  view_->Type("S");
  EXPECT_EQ(Shown(), "C:S");
  g_calls.clear();
  view_->controls.at(IDC_TEXT).selStart = 0;
  view_->Type("");
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Shown(), "");
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(DialogTest, CaretStaysWhereTheUserTypes) {
  Open();
  view_->Type("Smith $b");
  view_->Type(" ");  // completes the marker
  EXPECT_EQ(Text(), "Smith ");
  EXPECT_EQ(view_->GetSel(IDC_TEXT), (std::pair<int, int>{6, 6}));
  view_->Type("Jones");
  EXPECT_EQ(Text(), "Smith Jones");
  // A marker completed in the middle of the text.
  view_->SetText(IDC_TEXT, "Ann $bLee");
  view_->SetSel(IDC_TEXT, 6, 6);
  view_->Type(" ");
  EXPECT_EQ(Text(), "Ann Lee");
  EXPECT_EQ(view_->GetSel(IDC_TEXT), (std::pair<int, int>{4, 4}));
}

TEST_F(DialogTest, CopyCutterRule) {
  Open();
  view_->Type("Smith");
  view_->clipboard = "before";
  dlg_->OnCopyCutter();  // right after a computation: the whole number
  EXPECT_EQ(view_->clipboard, "C:Smith");
  view_->SetSel(IDC_CUTTER, 2, 5);
  dlg_->OnCopyCutter();
  EXPECT_EQ(view_->clipboard, "Smi");
  view_->clipboard = "before";
  view_->SetSel(IDC_CUTTER, 3, 3);
  dlg_->OnCopyCutter();
  EXPECT_EQ(view_->clipboard, "before") << "a caret without a selection copies nothing";
  view_->SetText(IDC_CUTTER, "");
  dlg_->OnCopyCutter();
  EXPECT_EQ(view_->clipboard, "before") << "an empty field copies nothing";
  // Text typed into the number field stays until the next computation.
  view_->SetText(IDC_CUTTER, "mine");
  view_->Type("s");
  EXPECT_EQ(Shown(), "C:Smiths");
}

TEST_F(DialogTest, PasteReplacesTheSelection) {
  Open();
  view_->Type("Smith, John");
  view_->SetSel(IDC_TEXT, 7, 11);
  view_->clipboard = "Jane $b Jr.";
  dlg_->OnPasteText();
  EXPECT_EQ(Text(), "Smith, Jane Jr.");
  EXPECT_EQ(Shown(), "C:Smith, Jane Jr.");
}

TEST_F(DialogTest, MissingControlsDoNothing) {
  Open();
  view_->Type("Smith");
  view_->controls.erase(IDC_CUTTER);
  g_calls.clear();
  dlg_->OnChangeText();
  dlg_->OnCopyCutter();
  EXPECT_TRUE(g_calls.empty());
  view_->controls.erase(IDC_TEXT);
  dlg_->OnPasteText();
  dlg_->OnTableType();
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(DialogTest, EngineBinding) {
  struct Case {
    const char* what;
    std::map<std::string, platform::ProcAddress> exports;  // none: no library
    bool present;
    const char* message;  // nullptr: none
    bool computes;
    bool freed;
  } cases[] = {
      {"bound", {{"GetCut4FigVB", Address(FakeCut4Fig)}, {"GetCs4FigVB", Address(FakeCs4Fig)}}, true, nullptr,
       true, true},
      {"only GetCut4FigVB", {{"GetCut4FigVB", Address(FakeCut4Fig)}}, true,
       "The Cutter functions could not be found in the DLL.  The application will not run correctly.", false,
       true},
      {"no entry points", {}, true,
       "The Cutter functions could not be found in the DLL.  The application will not run correctly.", false,
       true},
      {"no library", {}, false,
       "The Shelfkey.DLL failed to load.  The application will not run correctly.  Please reinstall the "
       "application.",
       false, false},
  };
  for (const Case& c : cases) {
    fake_.libraries.libraries.clear();
    fake_.libraries.log.clear();
    fake_.messages.shown.clear();
    if (c.present) fake_.libraries.libraries["Shelfkey.DLL"] = c.exports;
    Open();
    if (c.message != nullptr) {
      ASSERT_EQ(fake_.messages.shown.size(), 1u) << c.what;
      EXPECT_EQ(fake_.messages.shown[0].first, c.message);
      EXPECT_EQ(fake_.messages.shown[0].second, "Cutter");
    } else {
      EXPECT_TRUE(fake_.messages.shown.empty()) << c.what;
    }
    if (c.present) {
      // Both look-ups are made, whatever the first one gives.
      EXPECT_EQ(fake_.libraries.log, (std::vector<std::string>{"load Shelfkey.DLL", "find GetCut4FigVB",
                                                                "find GetCs4FigVB"}));
    }
    for (int radio : {IDC_TYPE_CUT4FIG, IDC_TYPE_CS4FIG}) {
      view_->Click(radio);
      view_->Type("x");
      EXPECT_EQ(Shown().empty(), !c.computes) << c.what;
    }
    fake_.libraries.log.clear();
    Close();
    EXPECT_EQ(fake_.libraries.log, c.freed ? std::vector<std::string>{"free"} : std::vector<std::string>{})
        << c.what;
    EXPECT_EQ(fake_.messages.shown.size(), c.message ? 1u : 0u) << "shown once: " << c.what;
  }
}

TEST_F(DialogTest, ComputeCutterBuffers) {
  Open();
  std::string result = "kept";
  dlg_->ComputeCutter(-1, "Smith", result);
  EXPECT_EQ(result, "S:Smith");
  EXPECT_EQ(g_calls.back(), "cs4fig CS4FIG.IDX Smith");
  // A heading of 259 bytes reaches the engine whole; a longer one is cut.
  const std::string h259(259, 'a'), h400(400, 'b');
  dlg_->ComputeCutter(0, h259, result);
  EXPECT_EQ(g_calls.back(), "cut4fig CUT4FIG.IDX " + h259);
  dlg_->ComputeCutter(0, h400, result);
  EXPECT_EQ(g_calls.back(), "cut4fig CUT4FIG.IDX " + std::string(259, 'b'));
  // Without the engine the result keeps what the caller passed.
  dlg_->m_pfnGetCs4Fig = nullptr;
  result = "kept";
  dlg_->ComputeCutter(0, "Smith", result);
  EXPECT_EQ(result, "kept");
}

}  // namespace
}  // namespace cutter
