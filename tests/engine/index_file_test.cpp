#include "index_file.h"

#include <gtest/gtest.h>

#include <random>

#include "example_index.h"

namespace shelfkey::index {
namespace {

std::vector<Entry> ExampleEntries() {
  return {{"BA", 111},  {"BAKER", 167},  {"BALL", 182}, {"BAR", 229},
          {"BARNES", 261}, {"BARTON", 285}, {"BAT", 313}, {"BAXTER", 355}};
}

TEST(IndexWriter, WritesTheExampleFileByteForByte) {
  Contents contents;
  contents.entries = ExampleEntries();
  contents.groups = {{0, "BA"}, {3, "BAR"}, {6, "BAT"}};
  std::vector<unsigned char> bytes;
  ASSERT_FALSE(WriteIndex(contents, bytes));
  EXPECT_EQ(bytes, std::vector<unsigned char>(testing::kExampleIndex.begin(), testing::kExampleIndex.end()));
}

TEST(IndexReader, ReadsTheExampleFile) {
  Contents contents;
  ASSERT_FALSE(ReadIndex(testing::kExampleIndex, &contents));
  ASSERT_EQ(contents.entries.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(contents.entries[i].text, ExampleEntries()[i].text);
    EXPECT_EQ(contents.entries[i].number, ExampleEntries()[i].number);
  }
  ASSERT_EQ(contents.groups.size(), 3u);
  EXPECT_EQ(contents.groups[1].key, "BAR");
  EXPECT_EQ(contents.groups[1].firstEntry, 3u);
  EXPECT_EQ(contents.groups[1].textOffset, 11u);
  EXPECT_EQ(contents.groups[2].leadByte, 0x23);
}

std::vector<Entry> RandomTable(std::mt19937& rng, std::size_t count, const std::string& stem) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < count; ++i) {
    std::string t = stem.substr(0, rng() % (stem.size() + 1));
    if (t.empty()) t += static_cast<char>('A' + rng() % 26);
    for (std::size_t n = rng() % 12; n > 0; --n) t += static_cast<char>('A' + rng() % 26);
    if (rng() % 5 == 0) t += " " + std::to_string(rng() % 100);
    texts.push_back(t.substr(0, kMaxEntryLength));
  }
  std::sort(texts.begin(), texts.end());
  texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
  std::vector<Entry> entries;
  for (auto& t : texts) entries.push_back({t, static_cast<std::uint32_t>(rng())});
  return entries;
}

TEST(IndexWriter, RoundTripsThroughTheReader) {
  std::mt19937 rng(3);
  // A long shared stem forces group boundaries past entries whose first seven
  // characters equal the entry before them.
  for (const std::string stem : {"", "ABCDEFGHIJ", "MACDONALD"}) {
    for (std::size_t count : {1u, 15u, 16u, 17u, 1000u, 16000u, 70000u}) {
      Contents contents;
      contents.entries = RandomTable(rng, count, stem);
      contents.headerWord = static_cast<std::uint32_t>(rng());
      std::vector<unsigned char> bytes;
      ASSERT_FALSE(WriteIndex(contents, bytes)) << count;
      Contents read;
      const auto problem = ReadIndex(bytes, &read);
      ASSERT_FALSE(problem) << problem->offset << ": " << problem->message;
      ASSERT_EQ(read.entries.size(), contents.entries.size());
      for (std::size_t i = 0; i < read.entries.size(); ++i) {
        ASSERT_EQ(read.entries[i].text, contents.entries[i].text);
        ASSERT_EQ(read.entries[i].number, contents.entries[i].number);
      }
      EXPECT_EQ(read.headerWord, contents.headerWord);
      // The header and every record fit in the first 4 KiB.
      EXPECT_LE(12 + 16 * read.groups.size(), 4096u) << count;
      // Writing what was read gives the same file again.
      std::vector<unsigned char> again;
      ASSERT_FALSE(WriteIndex(read, again));
      EXPECT_EQ(again, bytes);
    }
  }
}

TEST(IndexWriter, RefusesBadInput) {
  struct Case {
    std::vector<Entry> entries;
    std::vector<Group> groups;
    std::size_t entry;
    const char* message;
  } cases[] = {
      {{}, {}, 0, "at least one entry"},
      {{{"B", 1}, {"A", 2}}, {}, 1, "does not sort after"},
      {{{"A", 1}, {"A", 2}}, {}, 1, "does not sort after"},
      {{{"A", 1}, {"Ab", 2}}, {}, 1, "capitals A-Z"},
      {{{"A", 1}, {"A  B", 2}}, {}, 1, "two spaces"},
      {{{"A ", 1}}, {}, 0, "ends in a space"},
      {{{"1A", 1}}, {}, 0, "capital letter"},
      {{{std::string(68, 'A'), 1}}, {}, 0, "at most 67"},
      {{{"A", 1}, {"B", 2}}, {{0, "A"}, {1, "C"}}, 1, "sorts after the group's first entry"},
      {{{"AB", 1}, {"B", 2}}, {{0, "AB"}, {1, "A"}}, 1, "does not sort after the entry before"},
      {{{"A", 1}, {"B", 2}}, {{0, "ABCDEFGH"}}, 0, "1 to 7 characters"},
      {{{"A", 1}, {"B", 2}}, {{1, "B"}}, 1, "first group must start"},
  };
  for (const Case& c : cases) {
    Contents contents{0, c.groups, c.entries};
    std::vector<unsigned char> bytes;
    const auto problem = WriteIndex(contents, bytes);
    ASSERT_TRUE(problem) << c.message;
    EXPECT_EQ(problem->entry, c.entry) << c.message;
    EXPECT_NE(problem->message.find(c.message), std::string::npos) << problem->message;
  }
}

TEST(IndexValidator, ReportsTheFirstBrokenRuleWithItsOffset) {
  struct Case {
    std::size_t at;
    std::vector<unsigned char> bytes;  // written at `at`
    std::size_t size;                  // file cut to this length
    std::uint64_t offset;              // where the validator points
    const char* message;
  } cases[] = {
      {0, {}, 11, 0, "fewer than its 12-byte header"},
      {0, {0, 0, 0, 0}, 128, 0, "record section is empty"},
      {0, {40}, 128, 0, "not a multiple of 16"},
      {4, {33}, 128, 4, "not a multiple of 4"},
      {4, {0, 1}, 128, 0, "only 128 bytes"},
      {12, {'B', 'A', 'A', 'A', 'A', 'A', 'A', 'A'}, 128, 12, "no zero byte"},
      {12, {0}, 128, 12, "key is empty"},
      {15, {'X'}, 128, 15, "not zero after the key"},
      {28, {'B', 'A', 0}, 128, 28, "does not sort after the key"},
      {24, {1}, 128, 24, "text offset 1"},
      {36, {2}, 128, 36, "first entry 2"},
      {92, {0x80}, 128, 92, "lead byte 0x80"},
      {93, {0x00}, 128, 93, "no stored character"},
      {95, {0xFC}, 128, 95, "shares 4 characters"},
      {94, {'a'}, 128, 93, "capitals A-Z"},
      {100, {'A'}, 128, 100, "does not sort after \"BAKER\""},
      {28, {'B', 'A', 'S'}, 128, 28, "sorts after the group's first entry"},
      {28, {'B', 'A', 'L'}, 128, 28, "does not sort after the entry before"},
      {125, {0x01}, 128, 126, "does not end with a closing entry"},
      {0, {}, 127, 127, "file ends inside"},
      {0, {}, 126, 126, "file ends inside"},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> bytes(testing::kExampleIndex.begin(), testing::kExampleIndex.end());
    std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.at));
    bytes.resize(c.size);
    const auto problem = ReadIndex(bytes);
    ASSERT_TRUE(problem) << c.message;
    EXPECT_EQ(problem->offset, c.offset) << problem->message;
    EXPECT_NE(problem->message.find(c.message), std::string::npos) << problem->message;
  }
}

TEST(IndexValidator, CountsNumbersAgainstEntries) {
  const std::vector<unsigned char> example(testing::kExampleIndex.begin(), testing::kExampleIndex.end());
  const auto at = [](std::vector<unsigned char>& b, std::size_t i) {
    return b.begin() + static_cast<std::ptrdiff_t>(i);
  };
  struct Case {
    std::vector<unsigned char> bytes;
    std::uint64_t offset;
    const char* message;
  } cases[] = {
      {[&] {  // one number more than entries
         auto b = example;
         b[4] = 36;
         b.insert(at(b, testing::kExampleTextAt), {1, 0, 0, 0});
         return b;
       }(),
       4, "9 table numbers for 8 entries"},
      {[&] {  // one number fewer
         auto b = example;
         b[4] = 28;
         b.erase(at(b, testing::kExampleTextAt - 4), at(b, testing::kExampleTextAt));
         return b;
       }(),
       4, "holds 7 table numbers, but the text section has more entries"},
      {[&] {  // a byte after the closing entry
         auto b = example;
         b.push_back(0x23);
         return b;
       }(),
       126, "must be the closing entry"},
  };
  for (const Case& c : cases) {
    const auto problem = ReadIndex(c.bytes);
    ASSERT_TRUE(problem) << c.message;
    EXPECT_EQ(problem->offset, c.offset) << problem->message;
    EXPECT_NE(problem->message.find(c.message), std::string::npos) << problem->message;
  }
}

}  // namespace
}  // namespace shelfkey::index
