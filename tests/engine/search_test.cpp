#include "search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "example_index.h"
#include "index_file.h"
#include "readers.h"
#include "record_index.h"
#include "temp_dir.h"

namespace shelfkey {
namespace {

using testing::kExampleIndex;

std::vector<unsigned char> Example() { return {kExampleIndex.begin(), kExampleIndex.end()}; }

// The search over bytes in memory, and over the same bytes in a file.
std::optional<std::uint32_t> SearchMemory(const std::vector<unsigned char>& bytes, const char* key) {
  MemoryReader reader(bytes);
  return FindTableNumber(reader, key);
}

std::optional<std::uint32_t> SearchFile(const std::string& path, const char* key) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  EXPECT_NE(f, nullptr) << path;
  if (f == nullptr) return std::nullopt;
  std::optional<std::uint32_t> result;
  {
    FileReader reader(f);
    result = FindTableNumber(reader, key);
  }
  std::fclose(f);
  return result;
}

// A reader that records where the search seeks to.
class RecordingReader {
 public:
  explicit RecordingReader(const std::vector<unsigned char>& bytes) : inner_(bytes) {}
  bool Seek(std::uint64_t offset) {
    seeks.push_back(offset);
    return inner_.Seek(offset);
  }
  bool Read(void* out, std::size_t n) { return inner_.Read(out, n); }
  std::span<const unsigned char> Available() { return inner_.Available(); }
  void Consume(std::size_t n) { inner_.Consume(n); }
  std::vector<std::uint64_t> seeks;

 private:
  MemoryReader inner_;
};

struct ExampleCase {
  const char* key;
  std::uint32_t number;
  std::vector<std::uint64_t> seeks;  // header, record re-read if any, group text, number
};

const ExampleCase kExampleCases[] = {
    {"ADAMS", 111, {0, 12, 93, 60}},    // before every record: record 0 read again; e clamps to 0
    {"BA", 111, {0, 12, 93, 60}},       // equal to a record key and to an entry
    {"BAKER", 167, {0, 12, 93, 64}},    // "BA" is a proper beginning of "BAKER"
    {"BAKERS", 167, {0, 12, 93, 64}},
    {"BALL", 182, {0, 12, 93, 68}},
    {"BAR", 229, {0, 28, 104, 72}},     // equal to record 1's key
    {"BARNETT", 261, {0, 28, 104, 76}}, // passes "BARNES", stored as "NES"
    {"BASS", 285, {0, 28, 104, 80}},    // reads across the group boundary, lead byte discarded
    {"BAT", 313, {0, 117, 84}},         // last record chosen without a re-read
    {"BAZ", 355, {0, 117, 88}},         // stops at the closing entry
    {"ZZZZ", 355, {0, 117, 88}},
};

TEST(FindTableNumber, WorkedExampleStepByStep) {
  const auto bytes = Example();
  for (const ExampleCase& c : kExampleCases) {
    RecordingReader reader(bytes);
    EXPECT_EQ(FindTableNumber(reader, c.key), c.number) << c.key;
    EXPECT_EQ(reader.seeks, c.seeks) << c.key;
  }
}

TEST(FindTableNumber, FileAndMemoryReadersAgree) {
  testing::TempDir dir;
  const auto bytes = Example();
  const std::string path = dir.Write("CUT4FIG.IDX", bytes);
  for (const ExampleCase& c : kExampleCases) {
    EXPECT_EQ(SearchFile(path, c.key), c.number) << c.key;
  }
}

// The search over any table built by the writer agrees with the plain
// definition: the last entry at or before the key, else the first entry.
std::uint32_t Reference(const std::vector<index::Entry>& entries, const std::string& key) {
  std::uint32_t number = entries.front().number;
  for (const auto& e : entries) {
    if (e.text.compare(key) <= 0) number = e.number;
  }
  return number;
}

std::string RandomKeyLike(std::mt19937& rng, std::size_t maxLength) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ  0123456789";
  std::string s(1, static_cast<char>('A' + rng() % 26));
  const std::size_t length = 1 + rng() % maxLength;
  while (s.size() < length) {
    char c = kChars[rng() % (sizeof kChars - 1)];
    if (c == ' ' && s.back() == ' ') continue;
    s += c;
  }
  return s;
}

std::vector<index::Entry> RandomEntries(std::mt19937& rng, std::size_t count, std::size_t maxLength) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < count; ++i) {
    std::string t = RandomKeyLike(rng, maxLength);
    while (t.back() == ' ') t.pop_back();
    texts.push_back(t);
  }
  std::sort(texts.begin(), texts.end());
  texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
  std::vector<index::Entry> entries;
  for (auto& t : texts) entries.push_back({t, static_cast<std::uint32_t>(rng())});
  return entries;
}

TEST(FindTableNumber, AgreesWithTheDefinitionOnWrittenTables) {
  std::mt19937 rng(7);
  testing::TempDir dir;
  for (std::size_t count : {1u, 2u, 17u, 300u, 5000u}) {
    for (std::size_t maxLength : {3u, 12u, 67u}) {
      index::Contents contents;
      contents.entries = RandomEntries(rng, count, maxLength);
      std::vector<unsigned char> bytes;
      ASSERT_FALSE(index::WriteIndex(contents, bytes));
      const std::string path = dir.Write("t.idx", bytes);
      for (int i = 0; i < 200; ++i) {
        // Keys near entries as well as random ones.
        std::string key = i % 2 ? RandomKeyLike(rng, 63)
                                : contents.entries[rng() % contents.entries.size()].text;
        if (i % 4 == 2 && key.size() > 1) key.pop_back();
        if (i % 4 == 3 && key.size() < 63) key += 'A';
        const std::uint32_t expected = Reference(contents.entries, key);
        EXPECT_EQ(SearchMemory(bytes, key.c_str()), expected) << key;
        if (i % 10 == 0) {
          EXPECT_EQ(SearchFile(path, key.c_str()), expected) << key;
        }
      }
    }
  }
}

TEST(RecordIndex, ChoosesTheRecordThatTheScanChooses) {
  std::mt19937 rng(5);
  for (std::size_t count : {1u, 20u, 700u, 16000u}) {
    index::Contents contents;
    contents.entries = RandomEntries(rng, count, 10);
    std::vector<unsigned char> bytes;
    ASSERT_FALSE(index::WriteIndex(contents, bytes));
    const RecordIndex records(bytes);
    for (int i = 0; i < 2000; ++i) {
      std::string key = i % 3 ? RandomKeyLike(rng, 12) : contents.entries[rng() % contents.entries.size()].text;
      if (i % 5 == 0) key = key.substr(0, 1 + rng() % key.size());
      MemoryReader a(bytes), b(bytes);
      EXPECT_EQ(SearchGroup(a, key.c_str(), records.Choose(key.c_str())), FindTableNumber(b, key.c_str())) << key;
    }
  }
  // The worked example: "ADAMS" before every record, "BAZ" after the last.
  const std::vector<unsigned char> example = Example();
  const RecordIndex records(example);
  EXPECT_EQ(records.Choose("ADAMS").textOffset, 0u);
  EXPECT_EQ(records.Choose("BAR").firstEntry, 3u);
  EXPECT_EQ(records.Choose("BAZ").textOffset, 24u);
}

struct Damage {
  const char* what;
  std::size_t offset;
  std::vector<unsigned char> bytes;  // written at offset
  const char* key;                   // a key whose search runs into the damage
  std::size_t size = 128;            // the file cut to this length
};

const Damage kDamages[] = {
    {"record section empty", 0, {0, 0, 0, 0}, "BAKER"},
    {"record section not whole records", 0, {40, 0, 0, 0}, "BAKER"},
    {"record section past the end", 0, {0xF0, 0xFF, 0xFF, 0x0F}, "BAZ"},
    {"number section past the end", 4, {0x00, 0x00, 0x00, 0x10}, "BAKER"},
    {"text offset past the end", 24, {0x00, 0x10, 0x00, 0x00}, "BAKER"},
    {"text offset at the last byte", 24, {35, 0, 0, 0}, "BAKER"},
    {"first entry past the numbers", 20, {0x00, 0x00, 0x01, 0x00}, "BAKER"},
    {"first entry at the closing entry", 52, {8, 0, 0, 0}, "BAZ"},
    {"record key without its zero", 12, {'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A'}, "BAKER"},
    {"shared count longer than the entry before", 95, {0xFC}, "BAKER"},
    {"shared count 128", 95, {0x80}, "BAKER"},
    {"lead byte missing", 116, {0x00}, "BASS"},
    {"lead byte is a shared count", 116, {0xFE}, "BASS"},
    {"entry without stored characters", 96, {0x00}, "BAKER"},
    {"group first entry without stored characters", 93, {0x01}, "BAKER"},
    {"text ends before the key's entry", 0, {}, "BAZ", 126},
};

TEST(FindTableNumber, DamagedFilesGiveNoNumber) {
  testing::TempDir dir;
  for (const Damage& d : kDamages) {
    auto bytes = Example();
    std::copy(d.bytes.begin(), d.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(d.offset));
    bytes.resize(d.size);
    EXPECT_EQ(SearchMemory(bytes, d.key), std::nullopt) << d.what;
    EXPECT_EQ(SearchFile(dir.Write("d.idx", bytes), d.key), std::nullopt) << d.what;
    EXPECT_TRUE(index::ReadIndex(bytes).has_value()) << d.what << " passes the validator";
  }
}

TEST(FindTableNumber, EntryLongerThanItsBuffer) {
  // One group whose only entry has 68 characters, then the closing entry.
  std::vector<unsigned char> bytes(12 + 16 + 4, 0);
  bytes[0] = 16;
  bytes[4] = 4;
  bytes[12] = 'A';
  bytes.push_back('#');
  for (int i = 0; i < 68; ++i) bytes.push_back('A');
  bytes.insert(bytes.end(), {0x00, 0x7F, 0x01});
  EXPECT_EQ(SearchMemory(bytes, "B"), std::nullopt);
  bytes.erase(bytes.begin() + 33);  // 67 characters are fine
  EXPECT_EQ(SearchMemory(bytes, "B"), 0u);
}

TEST(FindTableNumber, TruncatedOrCorruptedFilesNeverGiveAnotherNumber) {
  // Whatever the damage, the search either notices it or reads only intact
  // bytes: it gives the intact file's number or none, the same over both readers.
  testing::TempDir dir;
  const auto intact = Example();
  const char* keys[] = {"ADAMS", "BAKER", "BARNETT", "BASS", "BAT", "BAZ"};
  for (std::size_t size = 0; size < intact.size(); ++size) {
    const std::vector<unsigned char> cut(intact.begin(), intact.begin() + static_cast<std::ptrdiff_t>(size));
    for (const char* key : keys) {
      const auto got = SearchMemory(cut, key);
      if (got) {
        EXPECT_EQ(got, SearchMemory(intact, key)) << "size " << size << " key " << key;
      }
    }
    EXPECT_EQ(SearchMemory(cut, "BAZ"), std::nullopt) << "size " << size;
  }
  std::mt19937 rng(11);
  for (int round = 0; round < 3000; ++round) {
    auto bytes = intact;
    for (int flips = 1 + static_cast<int>(rng() % 3); flips > 0; --flips) {
      bytes[rng() % bytes.size()] = static_cast<unsigned char>(rng());
    }
    const std::string path = dir.Write("f.idx", bytes);
    for (const char* key : keys) {
      const auto got = SearchMemory(bytes, key);
      if (round % 20 == 0) {
        EXPECT_EQ(SearchFile(path, key), got) << "round " << round;
      }
      if (!index::ReadIndex(bytes)) {
        // Still well formed: the answer follows the definition.
        index::Contents contents;
        ASSERT_FALSE(index::ReadIndex(bytes, &contents));
        EXPECT_EQ(got, Reference(contents.entries, key)) << "round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace shelfkey
