// A host program's view of the engine: the shared library loaded at run time
// by path, both entry points looked up by name and called with buffers of
// exactly the guaranteed size, guard bytes behind them.
#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "example_index.h"
#include "shelfkey.h"
#include "temp_dir.h"

namespace {

constexpr unsigned char kGuard = 0xA5;

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen(SHELFKEY_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    cut4fig_ = reinterpret_cast<ShelfkeyEntryPoint>(dlsym(handle_, "GetCut4FigVB"));
    cs4fig_ = reinterpret_cast<ShelfkeyEntryPoint>(dlsym(handle_, "GetCs4FigVB"));
    ASSERT_NE(cut4fig_, nullptr);
    ASSERT_NE(cs4fig_, nullptr);
    ASSERT_EQ(getcwd(previousDir_, sizeof previousDir_), previousDir_);
    ASSERT_EQ(chdir(dir_.path().c_str()), 0);
  }
  void TearDown() override {
    if (previousDir_[0] != '\0') {
      EXPECT_EQ(chdir(previousDir_), 0);
    }
    if (handle_ != nullptr) dlclose(handle_);
  }

  // Calls an entry point with a buffer of `size` bytes followed by guard
  // bytes; checks the guard and the returned count.
  std::string Call(ShelfkeyEntryPoint fn, std::size_t size, const char* file, const char* heading) {
    unsigned char buffer[64];
    std::memset(buffer, kGuard, sizeof buffer);
    const int n = fn(file, heading, reinterpret_cast<char*>(buffer));
    for (std::size_t i = size; i < sizeof buffer; ++i) {
      EXPECT_EQ(buffer[i], kGuard) << "written past " << size << " bytes for " << heading;
    }
    const std::string text(reinterpret_cast<const char*>(buffer), strnlen(reinterpret_cast<const char*>(buffer), size));
    EXPECT_EQ(n, static_cast<int>(text.size())) << heading;
    return text;
  }
  std::string Cut(const char* heading, const char* file = "CUT4FIG.IDX") { return Call(cut4fig_, 26, file, heading); }
  std::string Cs(const char* heading, const char* file = "CS4FIG.IDX") { return Call(cs4fig_, 25, file, heading); }

  shelfkey::testing::TempDir dir_;
  void* handle_ = nullptr;
  ShelfkeyEntryPoint cut4fig_ = nullptr;
  ShelfkeyEntryPoint cs4fig_ = nullptr;
  char previousDir_[4096] = {};
};

TEST_F(HostTest, HeadingsToCutterNumbers) {
  dir_.Write("CUT4FIG.IDX", shelfkey::testing::kExampleIndex);
  dir_.Write("CS4FIG.IDX", shelfkey::testing::kExampleIndex);
  struct Case {
    const char* heading;
    const char* cut4fig;
    const char* cs4fig;
  } cases[] = {
      {"Adams, John", "Ad111", "A111"},   {"1984", "A111", "A111"},       {"Baker", "B167", "B167"},
      {"Evans", "Ev355", "E355"},         {"Smith", "Sm355", "S355"},     {"Scott", "Sco355", "S355"},
      {"Sc Jones", "Sc355", "S355"},      {"Barnett", "B261", "B261"},    {"Mc Bass", "M355", "M355"},
      {"", "A111", "A111"},               {"Bass [sic]", "B285", "B285"}, {"Baker", "B167", "B167"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cut(c.heading), c.cut4fig) << c.heading;
    EXPECT_EQ(Cs(c.heading), c.cs4fig) << c.heading;
  }
  // A short result after a long one shows nothing of the long one.
  EXPECT_EQ(Cut("Scott"), "Sco355");
  EXPECT_EQ(Cut("Baker"), "B167");
}

TEST_F(HostTest, MissingAndDamagedTables) {
  EXPECT_EQ(Cut("Baker"), "$$$CUT4FIG File Not Found");
  EXPECT_EQ(Cs("Baker"), "$$$CS4FIG File Not Found");
  EXPECT_EQ(Cut("Baker", "CS4FIG.IDX"), "$$$CUT4FIG File Not Found");
  dir_.Write("CUT4FIG.IDX", std::string("\x10\0\0\0", 4));
  EXPECT_EQ(Cut("Baker"), "$$$CUT4FIG File Damaged");
  EXPECT_EQ(Cs("Baker", "CUT4FIG.IDX"), "$$$CS4FIG File Damaged");
  // The next call opens the file again.
  dir_.Write("CUT4FIG.IDX", shelfkey::testing::kExampleIndex);
  EXPECT_EQ(Cut("Baker"), "B167");
}

TEST_F(HostTest, OnlyTheEntryPointsAreVisible) {
  EXPECT_EQ(dlsym(handle_, "GetCut4Fig"), nullptr);
  EXPECT_EQ(dlsym(handle_, "MakeFilingKey"), nullptr);
}

}  // namespace
