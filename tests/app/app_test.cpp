#include "CutterApp.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace cutter {
namespace {

using testing::FakePlatform;

TEST(CutterApp, NamesFollowTheExecutable) {
  struct Case {
    const char* path;
    const char* title;  // nullptr: the file name
    const char* exeName;
    const char* profile;
    const char* helpPath;
  } cases[] = {
      {"D:\\Apps\\Cutter\\Cutter.exe", "Cutter.exe", "Cutter", "Cutter.INI", "D:\\Apps\\Cutter\\help\\Cutter.hlp"},
      {"D:\\Apps\\Cutter\\Cutter.exe", "Cutter", "Cutter", "Cutter.INI", "D:\\Apps\\Cutter\\help\\Cutter.hlp"},
      {"E:\\CAT\\CUTTER.EXE", "CUTTER.EXE", "CUTTER", "CUTTER.INI", "E:\\CAT\\help\\CUTTER.hlp"},
      {"E:\\CAT\\CUTTER.EXE", "CUTTER", "CUTTER", "CUTTER.INI", "E:\\CAT\\help\\CUTTER.hlp"},
      {"D:\\Apps\\Cutter2.exe", "Cutter2.exe", "Cutter2", "Cutter2.INI", "D:\\Apps\\help\\Cutter2.hlp"},
      {"/opt/cutter/bin/Cutter", nullptr, "Cutter", "Cutter.INI", "/opt/cutter/bin/help/Cutter.hlp"},
      {"/home/ann/tools/Cutter2", nullptr, "Cutter2", "Cutter2.INI", "/home/ann/tools/help/Cutter2.hlp"},
      {"/usr/bin/CUTTER", nullptr, "CUTTER", "CUTTER.INI", "/usr/bin/help/CUTTER.hlp"},
      {"/srv/cutter.v2/Cutter.bin", nullptr, "Cutter", "Cutter.INI", "/srv/cutter.v2/help/Cutter.bin.hlp"},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.program.path = c.path;
    if (c.title != nullptr) fake.program.title = c.title;
    auto seam = fake.Seam();
    CCutterApp app(seam);
    app.InitApplication();
    EXPECT_EQ(app.m_pszExeName, c.exeName) << c.path;
    EXPECT_EQ(app.m_pszAppName, c.exeName) << c.path;
    EXPECT_EQ(app.m_pszProfileName, c.profile) << c.path;

    struct NoDialog : platform::DialogHost {
      int DoModal(CCutterDlg&) override { return IDCANCEL; }
    } host;
    EXPECT_FALSE(app.InitInstance(host));
    EXPECT_EQ(app.m_pszHelpFilePath, c.helpPath) << c.path;

    // Message boxes carry the application name as their caption.
    app.MessageBox(IDS_ENGINE_LOAD_FAILED);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].second, c.exeName);
  }
}

TEST(CutterApp, RunsTheDialogAsItsMainWindow) {
  FakePlatform fake;
  auto seam = fake.Seam();
  CCutterApp app(seam);
  app.InitApplication();
  struct Host : platform::DialogHost {
    CCutterApp* app;
    bool wasMain = false;
    int DoModal(CCutterDlg& dlg) override {
      wasMain = app->m_pMainWnd == &dlg;
      return IDOK;
    }
  } host;
  host.app = &app;
  EXPECT_FALSE(app.InitInstance(host));
  EXPECT_TRUE(host.wasMain);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(CutterApp, HelpOpensTheDialogsTopic) {
  FakePlatform fake;
  auto seam = fake.Seam();
  CCutterApp app(seam);
  app.InitApplication();
  struct Host : platform::DialogHost {
    CCutterApp* app;
    int DoModal(CCutterDlg&) override {
      app->OnHelp();
      return IDCANCEL;
    }
  } host;
  host.app = &app;
  app.InitInstance(host);
  ASSERT_EQ(fake.help.calls.size(), 1u);
  EXPECT_EQ(fake.help.calls[0].first, "/opt/cutter/bin/help/Cutter.hlp");
  EXPECT_EQ(fake.help.calls[0].second, 0x20067u);
  EXPECT_TRUE(fake.messages.shown.empty());

  fake.help.starts = false;
  app.InitInstance(host);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].first, "Failed to launch help.");
  EXPECT_EQ(fake.messages.shown[0].second, "Cutter");
}

TEST(CutterApp, SettingsLiveInTheProfileNamedAfterTheExecutable) {
  FakePlatform fake;
  fake.program.path = "/opt/Cutter2";
  auto seam = fake.Seam();
  CCutterApp app(seam);
  app.InitApplication();
  EXPECT_EQ(app.GetProfileInt("Settings", "Type", 0), 0);
  EXPECT_TRUE(app.WriteProfileInt("Settings", "Type", -1));
  EXPECT_EQ(fake.profiles.writes, std::vector<std::string>{"Cutter2.INI|Settings|Type=-1"});
  EXPECT_EQ(app.GetProfileInt("Settings", "Type", 0), -1);
}

}  // namespace
}  // namespace cutter
