// Any bytes as a table index file. Input: one byte n, n bytes of heading,
// then the file. Both lookups run on the file as the entry points do; the
// search over memory must agree with the one over the file; a file that the
// validator accepts must give the number the definition gives, and must
// write back to the same entries.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "cutter_number.h"
#include "filing_key.h"
#include "index_file.h"
#include "readers.h"
#include "search.h"

namespace {

const char* TempPath() {
  static std::string path = [] {
    char name[] = "/tmp/shelfkey-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    return std::string(name);
  }();
  return path.c_str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t headingLength = data[0] < size - 1 ? data[0] : size - 1;
  const std::string heading(reinterpret_cast<const char*>(data + 1), headingLength);
  const std::span<const unsigned char> file(data + 1 + headingLength, size - 1 - headingLength);

  shelfkey::FilingKey key;
  shelfkey::MakeFilingKey(heading.c_str(), key);

  std::FILE* f = std::fopen(TempPath(), "wb");
  if (f == nullptr) std::abort();
  if (!file.empty()) std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);

  char cut[shelfkey::kCut4FigResultSize];
  char cs[shelfkey::kCs4FigResultSize];
  shelfkey::GetCut4Fig(key, TempPath(), cut);
  shelfkey::GetCs4Fig(key, TempPath(), cs);
  if (std::strlen(cut) + 1 > 26 || std::strlen(cs) + 1 > 25) std::abort();

  shelfkey::MemoryReader reader(file);
  const auto number = shelfkey::FindTableNumber(reader, key);
  char expected[shelfkey::kCs4FigResultSize];
  shelfkey::LookupText(shelfkey::Table::Cut4Fig, key, number, expected);
  if (std::strcmp(expected, cut) != 0) std::abort();
  shelfkey::LookupText(shelfkey::Table::Cs4Fig, key, number, expected);
  if (std::strcmp(expected, cs) != 0) std::abort();

  shelfkey::index::Contents contents;
  if (!shelfkey::index::ReadIndex(file, &contents)) {
    std::uint32_t reference = contents.entries.front().number;
    for (const auto& e : contents.entries) {
      if (std::strcmp(e.text.c_str(), key) <= 0) reference = e.number;
    }
    if (!number || *number != reference) std::abort();
    std::vector<unsigned char> rebuilt;
    shelfkey::index::Contents again;
    if (shelfkey::index::WriteIndex(contents, rebuilt)) std::abort();
    if (shelfkey::index::ReadIndex(rebuilt, &again)) std::abort();
    if (again.entries.size() != contents.entries.size()) std::abort();
    for (std::size_t i = 0; i < again.entries.size(); ++i) {
      if (again.entries[i].text != contents.entries[i].text ||
          again.entries[i].number != contents.entries[i].number) {
        std::abort();
      }
    }
  }
  return 0;
}
