// Cost of one GetCut4FigVB call on a 16,000-entry table, next to the bare
// cost of opening the same file, reading 16 bytes of it and closing it.
// Prints both and their ratio; the goal is a ratio of at most 1.5.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "filing_key.h"
#include "index_file.h"
#include "readers.h"
#include "search.h"
#include "shelfkey.h"

namespace {

const char kTable[] = "CUT4FIG.IDX";

std::vector<std::string>& Headings() {
  static std::vector<std::string> headings;
  return headings;
}

std::string RandomName(std::mt19937& rng) {
  static const char* kSyllables[] = {"an", "ber", "car", "den", "el", "fox", "gar", "hol", "ing",
                                     "jon", "kel", "lam", "mor", "nes", "ol", "par", "ross", "son",
                                     "ter", "ul", "ver", "wil", "yan", "zim"};
  std::string name;
  for (int n = 2 + static_cast<int>(rng() % 3); n > 0; --n) name += kSyllables[rng() % 24];
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

// A table of 16,000 entries built by the writer, in a fresh folder that
// becomes the current directory.
void PrepareTable() {
  std::mt19937 rng(2024);
  std::set<std::string> unique;
  while (unique.size() < 16000) {
    std::string key;
    for (char c : RandomName(rng)) key += static_cast<char>(c >= 'a' ? c - 32 : c);
    unique.insert(key.substr(0, 12));
  }
  const std::vector<std::string> texts(unique.begin(), unique.end());
  shelfkey::index::Contents contents;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    contents.entries.push_back({texts[i], static_cast<std::uint32_t>(100 + i)});
  }
  std::vector<unsigned char> bytes;
  if (auto problem = shelfkey::index::WriteIndex(contents, bytes)) {
    std::fprintf(stderr, "cannot build the table: %s\n", problem->message.c_str());
    std::abort();
  }

  const auto dir = std::filesystem::temp_directory_path() / ("shelfkey-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  std::FILE* f = std::fopen(kTable, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  for (int i = 0; i < 1024; ++i) Headings().push_back(RandomName(rng) + ", " + RandomName(rng));
}

void BM_GetCut4FigVB(benchmark::State& state) {
  char result[26];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetCut4FigVB(kTable, Headings()[i++ & 1023].c_str(), result));
  }
}
BENCHMARK(BM_GetCut4FigVB);

void BM_OpenRead16Close(benchmark::State& state) {
  unsigned char buffer[16];
  for (auto _ : state) {
    std::FILE* f = std::fopen(kTable, "rb");
    benchmark::DoNotOptimize(std::fread(buffer, 1, sizeof buffer, f));
    std::fclose(f);
  }
}
BENCHMARK(BM_OpenRead16Close);

// The search and key alone, on the file's bytes in memory: what the call
// costs beyond the system's file operations.
void BM_KeyAndSearchInMemory(benchmark::State& state) {
  std::FILE* f = std::fopen(kTable, "rb");
  std::vector<unsigned char> bytes(1 << 20);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  shelfkey::FilingKey key;
  std::size_t i = 0;
  for (auto _ : state) {
    shelfkey::MakeFilingKey(Headings()[i++ & 1023].c_str(), key);
    shelfkey::MemoryReader reader(bytes);
    benchmark::DoNotOptimize(shelfkey::FindTableNumber(reader, key));
  }
}
BENCHMARK(BM_KeyAndSearchInMemory);

class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
  PrepareTable();
  benchmark::Initialize(&argc, argv);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  const double call = collector.nanoseconds["BM_GetCut4FigVB"];
  const double bare = collector.nanoseconds["BM_OpenRead16Close"];
  if (call > 0 && bare > 0) {
    std::printf("GetCut4FigVB: %.0f ns per call; open, read 16 bytes, close: %.0f ns; ratio %.2f (goal: at most 1.5)\n",
                call, bare, call / bare);
  }
  const auto dir = std::filesystem::current_path();
  std::filesystem::current_path(dir.parent_path());
  std::filesystem::remove_all(dir);
  return 0;
}
