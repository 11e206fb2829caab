// shelfkey cutter and key on whole files of headings: the same answers as
// the engine's entry points, the formats, and the exit statuses.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "engine_text.h"
#include "example_index.h"
#include "index_file.h"
#include "shelfkey.h"
#include "run_cli.h"
#include "temp_dir.h"

namespace shelfkey::cli {
namespace {

using Outcome = testing::CliOutcome;
using testing::RunCli;
using testing::ReadBackAndClose;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The engine's entry points, from the shared library as a host loads it.
class EntryPoints {
 public:
  EntryPoints() {
    handle_ = dlopen(SHELFKEY_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    cut_ = reinterpret_cast<ShelfkeyEntryPoint>(dlsym(handle_, "GetCut4FigVB"));
    cs_ = reinterpret_cast<ShelfkeyEntryPoint>(dlsym(handle_, "GetCs4FigVB"));
  }
  ~EntryPoints() { dlclose(handle_); }
  std::string Call(bool sanborn, const std::string& file, const std::string& heading) const {
    char out[64];
    (sanborn ? cs_ : cut_)(file.c_str(), heading.c_str(), out);
    return out;
  }

 private:
  void* handle_;
  ShelfkeyEntryPoint cut_, cs_;
};

std::string RandomHeading(std::mt19937& rng) {
  static const char* kPieces[] = {"Mc", "Mac ", "M'", "Mc ", "Van ", "van ", "De ", "de ", "Del ", "Di ",
                                  "Du ", "El ", "El-", "La ", "Le ", "San ", "Von ", "[sic] ", "[i.e. ",
                                  "[sic", "]", "[", "Smith", "SMITH", "Baker", "Scott", "Sc", "S", "Adams",
                                  "Oakes", "1984", "12 ", ", ", ". ", "-", "/", "&", "'", " ", "  ", "\x1F",
                                  "\x1F\x64", "\x1B", "\x1B(B", "\t"};
  std::string h;
  const int pieces = static_cast<int>(rng() % 8);
  for (int i = 0; i < pieces; ++i) {
    switch (rng() % 4) {
      case 0:
        h += static_cast<char>(0x80 + rng() % 0x80);  // above 0x7F: ANSEL or code-page bytes
        break;
      case 1:
        h += static_cast<char>('a' + rng() % 26);
        break;
      default:
        h += kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])];
    }
  }
  if (rng() % 50 == 0) h += std::string(300 + rng() % 3000, static_cast<char>('a' + rng() % 26));
  for (char& c : h) {
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';  // lines hold no line breaks
  }
  return h;
}

TEST(ShelfkeyBatch, SameAnswersAsTheEntryPoints) {
  EntryPoints engine;
  testing::TempDir dir;
  std::mt19937 rng(42);
  for (int round = 0; round < 4; ++round) {
    // A generated table: random entries in filing-key form.
    index::Contents contents;
    std::vector<std::string> texts;
    const std::size_t count = round == 0 ? 8 : 500u * static_cast<unsigned>(round * round);
    for (std::size_t i = 0; i < count * 2; ++i) {
      std::string t(1, static_cast<char>('A' + rng() % 26));
      for (std::size_t n = rng() % 9; n > 0; --n) t += static_cast<char>(rng() % 5 ? 'A' + rng() % 26 : ' ');
      while (t.back() == ' ') t.pop_back();
      if (t.find("  ") == std::string::npos) texts.push_back(t);
    }
    std::sort(texts.begin(), texts.end());
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
    for (const std::string& t : texts) contents.entries.push_back({t, static_cast<std::uint32_t>(rng())});
    std::vector<unsigned char> bytes;
    ASSERT_FALSE(index::WriteIndex(contents, bytes));
    const std::string table = dir.Write("t.idx", bytes);

    std::string input;
    std::vector<std::string> headings;
    for (int i = 0; i < 3000; ++i) {
      headings.push_back(RandomHeading(rng));
      input += headings.back() + "\n";
    }
    const std::string file = dir.Write("headings.txt", input);
    for (bool sanborn : {false, true}) {
      const char* tableName = sanborn ? "sanborn" : "cutter";
      // Bytes as they stand, as the entry points take them.
      Outcome r = RunCli({"cutter", "--encoding", "ansel", "--table", tableName, "--index", table.c_str(), "-f",
                          file.c_str()});
      ASSERT_EQ(r.status, kExitOk) << r.err;
      std::vector<std::string> got = Lines(r.out);
      ASSERT_EQ(got.size(), headings.size());
      for (std::size_t i = 0; i < headings.size(); ++i) {
        ASSERT_EQ(got[i], engine.Call(sanborn, table, headings[i])) << "heading " << i << ": " << headings[i];
      }
      // UTF-8 text reaches the engine as the program converts it.
      r = RunCli({"cutter", "--table", tableName, "--index", table.c_str()}, input);
      got = Lines(r.out);
      ASSERT_EQ(got.size(), headings.size());
      for (std::size_t i = 0; i < headings.size(); ++i) {
        const std::string converted = cutter::text::ToEngineBytes(headings[i]).bytes;
        ASSERT_EQ(got[i], engine.Call(sanborn, table, converted)) << "heading " << i << ": " << headings[i];
      }
    }
  }
}

TEST(ShelfkeyBatch, FormatsAndColumns) {
  testing::TempDir dir;
  const std::string idx = dir.Write("t.idx", testing::kExampleIndex);
  Outcome r = RunCli({"cutter", "-i", idx.c_str()}, "Adams\nBaker\r\nScott");
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "Ad111\nB167\nSco355\n");
  r = RunCli({"cutter", "-i", idx.c_str(), "--tsv"}, "Baker, Ann\n");
  EXPECT_EQ(r.out, "Baker, Ann\tBAKER ANN\tB167\n");
  r = RunCli({"cutter", "-i", idx.c_str(), "--json"}, "\"Scott\"\\ \xC3\x89mile\n");
  EXPECT_EQ(r.out, "{\"heading\":\"\\\"Scott\\\"\\\\ \xC3\x89mile\",\"key\":\"SCOTT EMILE\",\"cutter\":\"Sco355\"}\n");
  r = RunCli({"cutter", "-i", idx.c_str(), "--column", "2"}, "b1\tBaker\tx\nb2\tScott\n");
  EXPECT_EQ(r.out, "b1\tBaker\tx\tB167\nb2\tScott\tSco355\n");
  r = RunCli({"cutter", "-i", idx.c_str(), "-c", "2", "--tsv"}, "b1\tBaker\n");
  EXPECT_EQ(r.out, "b1\tBaker\tBAKER\tB167\n");
  r = RunCli({"key", "--json"}, "Mc Donald\n");
  EXPECT_EQ(r.out, "{\"heading\":\"Mc Donald\",\"key\":\"MACDONALD\"}\n");
  r = RunCli({"key", "--encoding", "latin1", "--json"}, "M\xFCller\n");
  EXPECT_EQ(r.out, "{\"heading\":\"M\xC3\xBCller\",\"key\":\"MLLER\"}\n");
  // Files in order, then standard input as "-".
  const std::string a = dir.Write("a.txt", "Adams\n"), b = dir.Write("b.txt", "Baker\n");
  r = RunCli({"cutter", "-i", idx.c_str(), "-f", a.c_str(), "-f", "-", "-f", b.c_str()}, "Scott\n");
  EXPECT_EQ(r.out, "Ad111\nSco355\nB167\n");
  EXPECT_EQ(r.err, "") << "no progress line on a pipe";
}

TEST(ShelfkeyBatch, ProblemLinesAreReportedAndTheRunGoesOn) {
  testing::TempDir dir;
  const std::string idx = dir.Write("t.idx", testing::kExampleIndex);
  struct Case {
    std::string input;
    std::vector<const char*> extra;
    const char* out;
    const char* err;
  } cases[] = {
      {"Sc\xFFott\nBaker\n", {}, "Sco355\nB167\n", "line 1: invalid UTF-8 replaced"},
      {"Baker\nSc" + std::string(1, '\0') + "ott\n", {}, "B167\nSco355\n", "line 2: NUL bytes removed"},
      {"x\tBaker\nnothing\n", {"-c", "2"}, "x\tBaker\tB167\nnothing\t\n", "line 2: has no column 2"},
      {"Scott" + std::string(70000, 'a') + "\nBaker\n", {}, "Sco355\nB167\n", "line 1: longer than 65536 bytes"},
      {"Baker\nScott" + std::string(3000000, 'a') + "\nBaker", {}, "B167\nSco355\nB167\n",
       "line 2: longer than 65536 bytes"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> args = {"cutter", "-i", idx.c_str()};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const Outcome r = RunCli(args, c.input);
    EXPECT_EQ(r.status, kExitSomeLinesFailed) << c.err;
    EXPECT_EQ(r.out, c.out) << c.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  // The file's name goes with the line number.
  const std::string f = dir.Write("list.txt", "Baker\n\xFF\n");
  const Outcome r = RunCli({"cutter", "-i", idx.c_str(), "-f", f.c_str()});
  EXPECT_NE(r.err.find("list.txt:2: invalid UTF-8"), std::string::npos) << r.err;
}

TEST(ShelfkeyBatch, ExitStatuses) {
  testing::TempDir dir;
  const std::string idx = dir.Write("t.idx", testing::kExampleIndex);
  auto damagedBytes = std::vector<unsigned char>(testing::kExampleIndex.begin(), testing::kExampleIndex.end());
  damagedBytes.resize(100);
  const std::string damaged = dir.Write("d.idx", damagedBytes);
  const std::string missing = dir.File("none");
  struct Case {
    std::vector<const char*> args;
    std::string input;
    int status;
  } cases[] = {
      {{"cutter", "-i", idx.c_str()}, "Baker\n", kExitOk},
      {{"cutter", "-i", idx.c_str()}, "Ba\xFFker\n", kExitSomeLinesFailed},
      {{"cutter", "-i", idx.c_str(), "--bogus"}, "", kExitUsage},
      {{"cutter", "-i", damaged.c_str()}, "Baker\n", kExitDataError},
      {{"cutter", "-i", missing.c_str()}, "Baker\n", kExitNoInput},
      {{"cutter", "-i", idx.c_str(), "-f", missing.c_str()}, "", kExitNoInput},
      {{"key", "-f", missing.c_str()}, "", kExitNoInput},
  };
  for (const Case& c : cases) {
    const Outcome r = RunCli(c.args, c.input);
    EXPECT_EQ(r.status, c.status) << c.args.back() << ": " << r.err;
    if (c.status == kExitDataError || c.status == kExitNoInput) {
      EXPECT_EQ(r.out, "");
    }
  }
  // A full disk.
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full != nullptr) {
    std::vector<const char*> args = {"shelfkey", "cutter", "-i", idx.c_str()};
    std::FILE* in = std::tmpfile();
    for (int i = 0; i < 1000; ++i) std::fputs("Baker\n", in);
    std::rewind(in);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(cli::Run(static_cast<int>(args.size()), args.data(), {in, full, err}), kExitIoError);
    EXPECT_NE(ReadBackAndClose(err).find("cannot write"), std::string::npos);
    std::fclose(in);
    std::fclose(full);
  }
}

}  // namespace
}  // namespace shelfkey::cli
