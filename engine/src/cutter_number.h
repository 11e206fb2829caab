// Cutter numbers: the letters of a filing key followed by its table number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace shelfkey {

enum class Table {
  Cut4Fig,  // Cutter Four-Figure Table: one to three letters, then the number
  Cs4Fig,   // Cutter-Sanborn Four-Figure Table: one capital, then the number
};

inline constexpr char kCut4FigNotFound[] = "$$$CUT4FIG File Not Found";
inline constexpr char kCs4FigNotFound[] = "$$$CS4FIG File Not Found";
inline constexpr char kCut4FigDamaged[] = "$$$CUT4FIG File Damaged";
inline constexpr char kCs4FigDamaged[] = "$$$CS4FIG File Damaged";

// A Cutter number with its zero: three letters and ten digits at most.
inline constexpr std::size_t kCutterNumberSize = 14;

// Result buffers of the two lookups. Every text that a lookup writes, its
// zero included, fits the smaller buffer that callers guarantee (26 and 25).
inline constexpr std::size_t kCut4FigResultSize = 64;
inline constexpr std::size_t kCs4FigResultSize = 80;

const char* NotFoundText(Table table);
const char* DamagedText(Table table);

// Writes the Cutter number of a filing key and its table number (at most
// kCutterNumberSize bytes with the zero) and returns its length.
std::size_t ComposeCutterNumber(Table table, const char* key, std::uint32_t number, char* out);

// The text of a finished search: the Cutter number, or the damaged-file text
// when the search found the file broken. Returns its length.
std::size_t LookupText(Table table, const char* key, std::optional<std::uint32_t> number,
                       char* out);

// The lookups: open the named table index file, search it for the filing
// key, close it, and write the Cutter number or a "$$$" text. Each returns
// its buffer.
const char* GetCut4Fig(const char* key, const char* file, char (&out)[kCut4FigResultSize]);
const char* GetCs4Fig(const char* key, const char* file, char (&out)[kCs4FigResultSize]);

}  // namespace shelfkey
