#include "cutter_number.h"

#include <cstdio>
#include <cstring>

#include "readers.h"
#include "search.h"

namespace shelfkey {
namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
char ToLower(char c) { return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsVowel(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }

// The letters of a Cutter Four-Figure number: a vowel takes a second letter,
// "S" a second one and, before "C", a third; every other initial stands alone.
// Keys are zero-terminated, so key[1] and key[2] exist for short keys too.
std::size_t Cut4FigLetters(const char* key, char* out) {
  const char c0 = key[0], c1 = key[0] ? key[1] : '\0', c2 = c1 ? key[2] : '\0';
  std::size_t wanted = 1;
  if (IsVowel(c0)) wanted = 2;
  if (c0 == 'S') wanted = c1 == 'C' ? 3 : 2;

  std::size_t n = 0;
  out[n++] = c0;
  if (wanted >= 2 && IsUpper(c1)) {
    out[n++] = ToLower(c1);
    if (wanted == 3 && c2 != ' ' && c2 != '\0') out[n++] = ToLower(c2);
  }
  return n;
}

std::size_t WriteText(const char* text, char* out) {
  const std::size_t n = std::strlen(text);
  std::memcpy(out, text, n + 1);
  return n;
}

template <std::size_t N>
const char* Lookup(Table table, const char* key, const char* file, char (&out)[N]) {
  std::FILE* f = std::fopen(file, "rb");
  if (f == nullptr) {
    WriteText(NotFoundText(table), out);
    return out;
  }
  std::optional<std::uint32_t> number;
  {
    FileReader reader(f);
    number = FindTableNumber(reader, key);
  }
  std::fclose(f);
  LookupText(table, key, number, out);
  return out;
}

}  // namespace

const char* NotFoundText(Table table) {
  return table == Table::Cut4Fig ? kCut4FigNotFound : kCs4FigNotFound;
}

const char* DamagedText(Table table) {
  return table == Table::Cut4Fig ? kCut4FigDamaged : kCs4FigDamaged;
}

std::size_t ComposeCutterNumber(Table table, const char* key, std::uint32_t number, char* out) {
  std::size_t n = 0;
  if (table == Table::Cs4Fig) {
    out[n++] = key[0];
  } else {
    n = Cut4FigLetters(key, out);
  }
  // At most ten digits for a 32-bit number, no leading zeros.
  char digits[10];
  std::size_t d = 0;
  do {
    digits[d++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  while (d > 0) out[n++] = digits[--d];
  out[n] = '\0';
  return n;
}

std::size_t LookupText(Table table, const char* key, std::optional<std::uint32_t> number,
                       char* out) {
  if (!number) return WriteText(DamagedText(table), out);
  return ComposeCutterNumber(table, key, *number, out);
}

const char* GetCut4Fig(const char* key, const char* file, char (&out)[kCut4FigResultSize]) {
  return Lookup(Table::Cut4Fig, key, file, out);
}

const char* GetCs4Fig(const char* key, const char* file, char (&out)[kCs4FigResultSize]) {
  return Lookup(Table::Cs4Fig, key, file, out);
}

}  // namespace shelfkey
