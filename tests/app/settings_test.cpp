#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/linux/linux_platform.h"
#include "temp_dir.h"

namespace cutter::platform {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string Probe(const std::string& args) {
  const std::string command = std::string(SETTINGS_PROBE) + " " + args;
  std::FILE* p = popen(command.c_str(), "r");
  char buf[64] = {};
  const std::size_t n = std::fread(buf, 1, sizeof buf - 1, p);
  pclose(p);
  return std::string(buf, n);
}

TEST(IniProfileStore, RoundTripThroughAFreshProcess) {
  shelfkey::testing::TempDir dir;
  const std::string folder = dir.File("config/deeper");  // created on the first write
  IniProfileStore store(folder);
  EXPECT_EQ(store.GetPrivateProfileInt("Settings", "Type", 0, "Cutter.INI"), 0);
  ASSERT_TRUE(store.WritePrivateProfileString("Settings", "Type", "1", "Cutter.INI"));
  EXPECT_EQ(Slurp(folder + "/Cutter.INI"), "[Settings]\nType=1\n");
  EXPECT_EQ(Probe(folder + " get Cutter.INI Settings Type"), "1\n");
  EXPECT_EQ(Probe(folder + " set Cutter.INI Settings Type -1"), "");
  EXPECT_EQ(store.GetPrivateProfileInt("Settings", "Type", 0, "Cutter.INI"), -1);
  EXPECT_EQ(Slurp(folder + "/Cutter.INI"), "[Settings]\nType=-1\n");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(IniProfileStore, KeepsEverythingElseInTheFile) {
  shelfkey::testing::TempDir dir;
  const std::string before =
      "; written by hand\r\n[Other]\r\nType=9\r\nName = x\r\n\r\n[settings]\r\n  type = 3 \r\nWidth=5\r\n\r\n[Last]\r\nA=1";
  dir.Write("Cutter.INI", before);
  IniProfileStore store(dir.path().string());
  EXPECT_EQ(store.GetPrivateProfileInt("Settings", "Type", 0, "Cutter.INI"), 3);
  ASSERT_TRUE(store.WritePrivateProfileString("Settings", "Type", "0", "Cutter.INI"));
  EXPECT_EQ(Slurp(dir.File("Cutter.INI")),
            "; written by hand\r\n[Other]\r\nType=9\r\nName = x\r\n\r\n[settings]\r\nType=0\r\nWidth=5\r\n\r\n"
            "[Last]\r\nA=1");
  // A missing entry goes at the end of its section; a missing section at the end.
  ASSERT_TRUE(store.WritePrivateProfileString("Last", "B", "2", "Cutter.INI"));
  ASSERT_TRUE(store.WritePrivateProfileString("New", "C", "3", "Cutter.INI"));
  EXPECT_EQ(Slurp(dir.File("Cutter.INI")),
            "; written by hand\r\n[Other]\r\nType=9\r\nName = x\r\n\r\n[settings]\r\nType=0\r\nWidth=5\r\n\r\n"
            "[Last]\r\nA=1\r\nB=2\r\n\r\n[New]\r\nC=3\r\n");
  EXPECT_EQ(store.GetPrivateProfileInt("Other", "Type", 0, "Cutter.INI"), 9);
}

TEST(IniProfileStore, UnreadableValuesGiveTheDefault) {
  struct Case {
    const char* file;
    int expected;
  } cases[] = {
      {"[Settings]\nType=abc\n", 0},       {"[Settings]\nType=\n", 0},
      {"[Settings]\nType=12abc\n", 12},    {"[Settings]\nType= -7 \n", -7},
      {"[Settings]\nType=+4\n", 4},        {"[Settings]\nType=99999999999\n", 0},
      {"[Settings]\nKind=1\n", 0},         {"[Other]\nType=1\n", 0},
      {"Type=1\n", 0},                     {"\x01\xFF\xFE garbage\n[Settings\nType=1", 0},
      {"[Settings]\nType=1\n[Settings]\nType=2\n", 1},
  };
  shelfkey::testing::TempDir dir;
  IniProfileStore store(dir.path().string());
  for (const Case& c : cases) {
    dir.Write("Cutter.INI", std::string(c.file));
    EXPECT_EQ(store.GetPrivateProfileInt("Settings", "Type", 0, "Cutter.INI"), c.expected) << c.file;
  }
  EXPECT_EQ(store.GetPrivateProfileInt("Settings", "Type", 0, "Missing.INI"), 0);
}

TEST(IniProfileStore, FailedWritesLoseNothing) {
  shelfkey::testing::TempDir dir;
  // The file's name is taken by a folder: the write fails, nothing crashes.
  std::filesystem::create_directories(dir.File("Cutter.INI/inside"));
  IniProfileStore store(dir.path().string());
  EXPECT_FALSE(store.WritePrivateProfileString("Settings", "Type", "1", "Cutter.INI"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("Cutter.INI/inside")));
  // The settings folder cannot be made: a file stands in its way.
  dir.Write("file", std::string("x"));
  IniProfileStore blocked(dir.File("file/config"));
  EXPECT_FALSE(blocked.WritePrivateProfileString("Settings", "Type", "1", "Cutter.INI"));
  EXPECT_EQ(blocked.GetPrivateProfileInt("Settings", "Type", 0, "Cutter.INI"), 0);

  if (geteuid() != 0) {  // permissions do not hold back root
    const std::string folder = dir.File("readonly");
    std::filesystem::create_directories(folder);
    IniProfileStore readonly(folder);
    ASSERT_TRUE(readonly.WritePrivateProfileString("Settings", "Type", "1", "Cutter.INI"));
    chmod(folder.c_str(), 0555);
    EXPECT_FALSE(readonly.WritePrivateProfileString("Settings", "Type", "0", "Cutter.INI"));
    EXPECT_EQ(Slurp(folder + "/Cutter.INI"), "[Settings]\nType=1\n");
    chmod(folder.c_str(), 0755);
  }
}

TEST(IniProfileStore, DefaultFolderFollowsXdg) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string savedValue = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", "/tmp/xdg-here", 1);
  EXPECT_EQ(IniProfileStore::DefaultFolder(), "/tmp/xdg-here");
  unsetenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (home != nullptr) {
    EXPECT_EQ(IniProfileStore::DefaultFolder(), std::string(home) + "/.config");
  }
  if (saved) setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace cutter::platform
