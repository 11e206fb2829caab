// The dialog's engine binding against real shared libraries: the engine
// itself, a library with only one of its entry points, and none at all.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CutterApp.h"
#include "CutterDlg.h"
#include "cutter_number.h"
#include "engine_text.h"
#include "example_index.h"
#include "fakes.h"
#include "filing_key.h"
#include "platform/linux/linux_platform.h"
#include "temp_dir.h"

namespace cutter {
namespace {

struct Bound {
  explicit Bound(const std::string& folder) : real(folder), recording(real), seam(fake.Seam(&recording)), app(seam) {
    app.InitApplication();
    dlg = std::make_unique<CCutterDlg>(app);
    view = std::make_unique<testing::FakeView>(*dlg);
    dlg->OnInitDialog();
  }
  void Close() {
    dlg->OnCancel();
    dlg->OnDestroy();
  }
  testing::FakePlatform fake;
  platform::DlLibraries real;
  testing::RecordingLibraries recording;
  platform::Platform seam;
  CCutterApp app;
  std::unique_ptr<CCutterDlg> dlg;
  std::unique_ptr<testing::FakeView> view;
};

using shelfkey::testing::InFolder;

std::string Expected(shelfkey::Table table, const std::string& heading, const std::string& file) {
  shelfkey::FilingKey key;
  shelfkey::MakeFilingKey(text::ToEngineBytes(heading).bytes.substr(0, 259).c_str(), key);
  if (table == shelfkey::Table::Cut4Fig) {
    char cut[shelfkey::kCut4FigResultSize];
    return shelfkey::GetCut4Fig(key, file.c_str(), cut);
  }
  char cs[shelfkey::kCs4FigResultSize];
  return shelfkey::GetCs4Fig(key, file.c_str(), cs);
}

TEST(EngineBinding, TheRealEngine) {
  Bound b(ENGINE_FOLDER);
  EXPECT_TRUE(b.fake.messages.shown.empty());
  ASSERT_NE(b.dlg->m_hEngine, nullptr);
  {
    InFolder in(SAMPLE_TABLES);
    for (const char* heading : {"Van Buren, Martin", "Scott, Walter", "\xC5\x81\xC3\xB3" "d\xC5\xBA", "1984"}) {
      std::string result;
      b.dlg->ComputeCutter(0, heading, result);
      EXPECT_EQ(result, Expected(shelfkey::Table::Cut4Fig, heading, "CUT4FIG.IDX")) << heading;
      for (int type : {1, -1, 5}) {
        b.dlg->ComputeCutter(type, heading, result);
        EXPECT_EQ(result, Expected(shelfkey::Table::Cs4Fig, heading, "CS4FIG.IDX")) << heading;
      }
    }
    std::string result;
    b.dlg->ComputeCutter(0, std::string(259, 'a'), result);
    EXPECT_FALSE(result.empty());
    b.dlg->ComputeCutter(1, std::string(400, 'b'), result);
    EXPECT_EQ(result.substr(0, 1), "B");
  }
  {
    // Exact numbers from a small table of known content.
    shelfkey::testing::TempDir dir;
    dir.Write("CUT4FIG.IDX", shelfkey::testing::kExampleIndex);
    dir.Write("CS4FIG.IDX", shelfkey::testing::kExampleIndex);
    InFolder in(dir.path());
    std::string result;
    b.dlg->ComputeCutter(0, "Scott", result);
    EXPECT_EQ(result, "Sco355");
    b.dlg->ComputeCutter(1, "Scott", result);
    EXPECT_EQ(result, "S355");
    b.dlg->ComputeCutter(0, "Barnett", result);
    EXPECT_EQ(result, "B261");
  }
  {
    // Another working folder: the engine's own text, not a message.
    shelfkey::testing::TempDir empty;
    InFolder in(empty.path());
    std::string result;
    b.dlg->ComputeCutter(0, "Smith", result);
    EXPECT_EQ(result, "$$$CUT4FIG File Not Found");
    b.dlg->ComputeCutter(-1, "Smith", result);
    EXPECT_EQ(result, "$$$CS4FIG File Not Found");
    EXPECT_TRUE(b.fake.messages.shown.empty());
  }
  b.Close();
  EXPECT_EQ(b.recording.frees, 1);
}

TEST(EngineBinding, ALibraryWithOnlyOneEntryPoint) {
  Bound b(PARTIAL_ENGINE_FOLDER);
  ASSERT_EQ(b.fake.messages.shown.size(), 1u);
  EXPECT_EQ(b.fake.messages.shown[0].first,
            "The Cutter functions could not be found in the DLL.  The application will not run correctly.");
  EXPECT_NE(b.dlg->m_pfnGetCut4Fig, nullptr) << "the one found is kept";
  for (int type : {0, 1}) {
    std::string result;
    b.dlg->ComputeCutter(type, "Smith", result);
    EXPECT_EQ(result, "") << "nothing is computed, also not with the table that exists";
  }
  b.Close();
  EXPECT_EQ(b.recording.frees, 1) << "the library stays loaded until the window is destroyed";
}

TEST(EngineBinding, NoLibrary) {
  shelfkey::testing::TempDir empty;
  Bound b(empty.path().string());
  ASSERT_EQ(b.fake.messages.shown.size(), 1u);
  EXPECT_EQ(b.fake.messages.shown[0].first,
            "The Shelfkey.DLL failed to load.  The application will not run correctly.  Please reinstall the "
            "application.");
  b.view->Type("Smith");
  EXPECT_EQ(b.view->GetText(IDC_CUTTER), "");
  b.Close();
  EXPECT_EQ(b.recording.frees, 0);
  EXPECT_EQ(b.fake.messages.shown.size(), 1u);
}

TEST(EngineBinding, PlatformLibraryNames) {
  EXPECT_EQ(platform::DlLibraries::PlatformName("Shelfkey.DLL"), "libShelfkey.so");
  EXPECT_EQ(platform::DlLibraries::PlatformName("Other.dll"), "libOther.so");
  EXPECT_EQ(platform::DlLibraries::PlatformName("Plain"), "libPlain.so");
}

}  // namespace
}  // namespace cutter

namespace cutter::platform {
namespace {

TEST(ProcessHelpViewer, StartsTheViewerOrSaysItCannot) {
  shelfkey::testing::TempDir dir;
  // A stand-in viewer that records its arguments.
  const std::string viewer = dir.File("viewer");
  dir.Write("viewer", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args\"\n");
  std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
  EXPECT_TRUE(ProcessHelpViewer(viewer).WinHelp("/opt/cutter/help/Cutter.hlp", 0x20067));
  const std::string expected = "/opt/cutter/help/Cutter.hlp\n--context\n0x20067\n";
  std::string seen;
  for (int i = 0; i < 250 && seen != expected; ++i) {  // the viewer runs on its own
    usleep(20000);
    std::ifstream args(dir.File("args"));
    std::stringstream text;
    text << args.rdbuf();
    seen = text.str();
  }
  EXPECT_EQ(seen, expected);

  EXPECT_FALSE(ProcessHelpViewer(dir.File("no-such-viewer")).WinHelp("x.hlp", 0x20067));
}

}  // namespace
}  // namespace cutter::platform
