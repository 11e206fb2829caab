// Writes the inputs of the batch benchmark: N realistic headings (surname,
// forenames; mostly ASCII, some with diacritics, a few with prefixes and
// record punctuation) and a table index file of 16,000 entries.
//   make_batch_data HEADINGS-FILE TABLE-FILE [N]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "index_file.h"

namespace {

const char* kSyllables[] = {"an", "ber", "car", "den", "el", "fox", "gar", "hol", "ing", "jon", "kel", "lam",
                            "mor", "nes", "ol", "par", "ross", "son", "ter", "ul", "ver", "wil", "yan", "zim"};
const char* kAccented[] = {"\xC3\xA9", "\xC3\xB6", "\xC3\xBC", "\xC3\xA1", "\xC5\x82", "\xC3\xB8", "\xC4\x8D",
                           "\xC3\xB1", "\xC3\x9F"};
const char* kPrefixes[] = {"Mc", "Mac ", "Van ", "De ", "Le ", "O'", "St. "};

std::string Name(std::mt19937& rng, bool capital) {
  std::string s;
  for (int n = 2 + static_cast<int>(rng() % 2); n > 0; --n) s += kSyllables[rng() % 24];
  if (capital) s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 64;
  const long count = argc > 3 ? std::atol(argv[3]) : 1000000;
  std::mt19937 rng(1);

  std::FILE* headings = std::fopen(argv[1], "wb");
  if (headings == nullptr) return 73;
  std::string line;
  for (long i = 0; i < count; ++i) {
    line.clear();
    if (rng() % 12 == 0) line += kPrefixes[rng() % 7];
    std::string surname = Name(rng, true);
    if (rng() % 8 == 0) surname.insert(1 + rng() % (surname.size() - 1), kAccented[rng() % 9]);
    line += surname + ", " + Name(rng, true);
    if (rng() % 5 == 0) line += " " + std::string(1, static_cast<char>('A' + rng() % 26)) + ".";
    if (rng() % 10 == 0) line += ", 19" + std::to_string(10 + rng() % 90) + "-";
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), headings);
  }
  if (std::fclose(headings) != 0) return 74;

  std::set<std::string> texts;
  while (texts.size() < 16000) {
    std::string t = Name(rng, true) + (rng() % 2 ? kSyllables[rng() % 24] : "");
    for (char& c : t) c = static_cast<char>(c >= 'a' ? c - 32 : c);
    texts.insert(t.substr(0, 10));
  }
  shelfkey::index::Contents contents;
  std::uint32_t number = 100;
  for (const std::string& t : texts) contents.entries.push_back({t, number++});
  std::vector<unsigned char> bytes;
  if (shelfkey::index::WriteIndex(contents, bytes)) return 65;
  std::FILE* table = std::fopen(argv[2], "wb");
  if (table == nullptr) return 73;
  std::fwrite(bytes.data(), 1, bytes.size(), table);
  return std::fclose(table) == 0 ? 0 : 74;
}
