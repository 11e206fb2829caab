#include "cutter_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "example_index.h"
#include "temp_dir.h"

namespace shelfkey {
namespace {

std::string Compose(Table table, const char* key, std::uint32_t number) {
  char out[kCutterNumberSize];
  const std::size_t n = ComposeCutterNumber(table, key, number, out);
  EXPECT_EQ(n, std::strlen(out));
  return out;
}

TEST(CutterNumber, LettersRule) {
  struct Case {
    const char* key;
    const char* cut4fig;
  } cases[] = {
      {"ADAMS", "Ad"},  {"A 1984", "A"}, {"A", "A"},       {"E1", "E"},    {"EVANS", "Ev"},
      {"IBSEN", "Ib"},  {"OZ", "Oz"},    {"ULM", "Ul"},    {"YATES", "Y"}, {"BAKER", "B"},
      {"SMITH", "Sm"},  {"S 1984", "S"}, {"S", "S"},       {"S2", "S"},    {"SCOTT", "Sco"},
      {"SC JONES", "Sc"}, {"SC", "Sc"},  {"SC2", "Sc2"},   {"SCH", "Sch"}, {"ZOLA", "Z"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Compose(Table::Cut4Fig, c.key, 355), std::string(c.cut4fig) + "355") << c.key;
    EXPECT_EQ(Compose(Table::Cs4Fig, c.key, 355), std::string(1, c.key[0]) + "355") << c.key;
  }
}

TEST(CutterNumber, NumbersInPlainDecimal) {
  EXPECT_EQ(Compose(Table::Cut4Fig, "BAKER", 7), "B7");
  EXPECT_EQ(Compose(Table::Cut4Fig, "BAKER", 0), "B0");
  EXPECT_EQ(Compose(Table::Cut4Fig, "SCOTT", 4294967295u), "Sco4294967295");
  EXPECT_EQ(Compose(Table::Cs4Fig, "SCOTT", 4294967295u), "S4294967295");
}

TEST(CutterNumber, LookupsOnTheExampleFile) {
  testing::TempDir dir;
  const std::string path = dir.Write("CUT4FIG.IDX", testing::kExampleIndex);
  struct Case {
    const char* key;
    const char* cut4fig;
    const char* cs4fig;
  } cases[] = {
      {"ADAMS", "Ad111", "A111"},   {"A 1984", "A111", "A111"},   {"BAKER", "B167", "B167"},
      {"EVANS", "Ev355", "E355"},   {"SMITH", "Sm355", "S355"},   {"S 1984", "S355", "S355"},
      {"SCOTT", "Sco355", "S355"},  {"SC JONES", "Sc355", "S355"}, {"SC", "Sc355", "S355"},
      {"SC2", "Sc2355", "S355"},
  };
  char cut[kCut4FigResultSize];
  char cs[kCs4FigResultSize];
  for (const auto& c : cases) {
    EXPECT_STREQ(GetCut4Fig(c.key, path.c_str(), cut), c.cut4fig) << c.key;
    EXPECT_STREQ(GetCs4Fig(c.key, path.c_str(), cs), c.cs4fig) << c.key;
  }
}

TEST(CutterNumber, MissingAndDamagedFiles) {
  testing::TempDir dir;
  char cut[kCut4FigResultSize];
  char cs[kCs4FigResultSize];
  EXPECT_STREQ(GetCut4Fig("BAKER", dir.File("CUT4FIG.IDX").c_str(), cut), "$$$CUT4FIG File Not Found");
  // The text follows the lookup, not the file name.
  EXPECT_STREQ(GetCs4Fig("BAKER", dir.File("CUT4FIG.IDX").c_str(), cs), "$$$CS4FIG File Not Found");
  const std::string empty = dir.Write("empty.idx", std::string());
  EXPECT_STREQ(GetCut4Fig("BAKER", empty.c_str(), cut), "$$$CUT4FIG File Damaged");
  EXPECT_STREQ(GetCs4Fig("BAKER", empty.c_str(), cs), "$$$CS4FIG File Damaged");
  // Every text fits the buffers that callers guarantee.
  for (const char* text : {kCut4FigNotFound, kCut4FigDamaged}) EXPECT_LE(std::strlen(text) + 1, 26u);
  for (const char* text : {kCs4FigNotFound, kCs4FigDamaged}) EXPECT_LE(std::strlen(text) + 1, 25u);
}

}  // namespace
}  // namespace shelfkey
