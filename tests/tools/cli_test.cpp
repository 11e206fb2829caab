#include "cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "example_index.h"
#include "run_cli.h"
#include "temp_dir.h"

namespace shelfkey::cli {
namespace {

using Outcome = testing::CliOutcome;
using testing::RunCli;
using testing::ReadBackAndClose;

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

const char kExampleTsv[] =
    "# the worked example\n"
    "BA\t111\tBA\n"
    "BAKER\t167\n"
    "BALL\t182\n"
    "\n"
    "BAR\t229\tBAR\n"
    "BARNES\t261\n"
    "BARTON\t285\n"
    "BAT\t313\tBAT\n"
    "BAXTER\t355\r\n";

TEST(ShelfkeyTool, BuildsChecksAndDumpsIndexFiles) {
  testing::TempDir dir;
  const std::string tsv = dir.Write("example.tsv", kExampleTsv);
  const std::string idx = dir.File("CUT4FIG.IDX");
  Outcome r = RunCli({"index", "build", tsv.c_str(), "-o", idx.c_str()});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(Slurp(idx), std::string(testing::kExampleIndex.begin(), testing::kExampleIndex.end()));

  r = RunCli({"index", "check", idx.c_str()});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_NE(r.out.find("well formed: 8 entries in 3 groups"), std::string::npos) << r.out;

  // The dump builds the same file again, also from standard input.
  r = RunCli({"index", "dump", idx.c_str()});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string rebuilt = dir.File("again.idx");
  Outcome b = RunCli({"index", "build", "-", "--output", rebuilt.c_str()}, r.out);
  ASSERT_EQ(b.status, kExitOk) << b.err;
  EXPECT_EQ(Slurp(rebuilt), Slurp(idx));

  // Without group keys the writer chooses the groups.
  const std::string plain = dir.Write("plain.tsv", "ADAMS\t1\nBAKER\t2\nSMITH\t3\n");
  ASSERT_EQ(RunCli({"index", "build", plain.c_str(), "-o", rebuilt.c_str()}).status, kExitOk);
  EXPECT_EQ(RunCli({"cutter", "--index", rebuilt.c_str(), "Smythe"}).out, "Sm3\n");
}

TEST(ShelfkeyTool, BuildReportsBadTablesByLine) {
  testing::TempDir dir;
  const std::string idx = dir.File("out.idx");
  struct Case {
    const char* tsv;
    const char* message;
  } cases[] = {
      {"ADAMS\t1\nBAKER 2\n", ":2: expected ENTRY<TAB>NUMBER"},
      {"ADAMS\t1\nBAKER\t2x\n", ":2: table number '2x'"},
      {"ADAMS\t1\nBAKER\t4294967296\n", ":2: table number"},
      {"ADAMS\t1\n# note\nBAKER\t2\nABEL\t3\n", ":4: entry \"ABEL\" does not sort after \"BAKER\""},
      {"ADAMS\t1\nBaker\t2\n", ":2: entry \"Baker\" holds"},
      {"ADAMS\t1\nBAKER\t2\tBA\n", ":2: a group key appears"},
      {"ADAMS\t1\tA\nBAKER\t2\tBAKERS\n", ":2: group key \"BAKERS\" sorts after"},
      {"ADAMS\t1\tA\t0x80\n", ":1: lead byte '0x80'"},
      {"# nothing\n", "no entries"},
  };
  for (const Case& c : cases) {
    const std::string tsv = dir.Write("bad.tsv", c.tsv);
    const Outcome r = RunCli({"index", "build", tsv.c_str(), "-o", idx.c_str()});
    EXPECT_EQ(r.status, kExitDataError) << c.tsv;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(idx)) << "no file is written for " << c.tsv;
  }
  const Outcome missing = RunCli({"index", "build", dir.File("none.tsv").c_str(), "-o", idx.c_str()});
  EXPECT_EQ(missing.status, kExitNoInput);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
  const std::string good = dir.Write("good.tsv", "ADAMS\t1\n");
  const Outcome noFolder =
      RunCli({"index", "build", good.c_str(), "-o", dir.File("no/such/folder.idx").c_str()});
  EXPECT_EQ(noFolder.status, kExitCantCreate);
}

TEST(ShelfkeyTool, CutterAndKey) {
  testing::TempDir dir;
  const std::string idx = dir.Write("t.idx", testing::kExampleIndex);
  Outcome r = RunCli({"cutter", "--index", idx.c_str(), "Adams", "Baker", "Scott", "1984"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "Ad111\nB167\nSco355\nA111\n");
  r = RunCli({"cutter", "--table=sanborn", "-i", idx.c_str(), "Adams", "Scott"});
  EXPECT_EQ(r.out, "A111\nS355\n");
  r = RunCli({"key", "Mc Donald", "Smith, John", ""});
  EXPECT_EQ(r.out, "MACDONALD\nSMITH JOHN\nA 0\n");
}

TEST(ShelfkeyTool, StopsOnMissingOrDamagedTablesBeforeAnyOutput) {
  testing::TempDir dir;
  Outcome r = RunCli({"cutter", "--index", dir.File("CUT4FIG.IDX").c_str(), "Adams"});
  EXPECT_EQ(r.status, kExitNoInput);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("CUT4FIG.IDX"), std::string::npos) << r.err;

  auto bytes = std::vector<unsigned char>(testing::kExampleIndex.begin(), testing::kExampleIndex.end());
  bytes[95] = 0xFC;
  const std::string damaged = dir.Write("d.idx", bytes);
  r = RunCli({"cutter", "--index", damaged.c_str(), "Adams"});
  EXPECT_EQ(r.status, kExitDataError);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("damaged: at byte offset 95"), std::string::npos) << r.err;
  EXPECT_EQ(RunCli({"index", "check", damaged.c_str()}).status, kExitDataError);
  EXPECT_EQ(RunCli({"index", "dump", damaged.c_str()}).status, kExitDataError);
}

TEST(ShelfkeyTool, UsageErrorsAndHelp) {
  const std::vector<std::vector<const char*>> usage = {
      {},
      {"frobnicate"},
      {"cutter", "--table", "dewey", "x"},
      {"cutter", "--encoding", "ebcdic", "x"},
      {"cutter", "--column", "0"},
      {"cutter", "--tsv", "--json", "x"},
      {"cutter", "--file", "a", "x"},
      {"cutter", "--index"},
      {"cutter", "--bogus", "x"},
      {"index"},
      {"index", "build", "a.tsv"},
      {"index", "burn", "x"},
      {"index", "check"},
  };
  for (const auto& args : usage) {
    const Outcome r = RunCli(args);
    EXPECT_EQ(r.status, kExitUsage) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(r.err.empty());
  }
  for (const auto& args : std::vector<std::vector<const char*>>{
           {"--help"}, {"cutter", "--help"}, {"key", "-h"}, {"index", "--help"}}) {
    const Outcome r = RunCli(args);
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.out.find("Usage: shelfkey"), std::string::npos) << r.out;
  }
  EXPECT_EQ(RunCli({"--version"}).out, "shelfkey 1.10.6\n");
}

TEST(ShelfkeyTool, WriteErrorsAreReported) {
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  const Outcome r = RunCli({"key", "Adams"}, "", full);
  std::fclose(full);
  EXPECT_EQ(r.status, kExitIoError);
  EXPECT_NE(r.err.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace shelfkey::cli
