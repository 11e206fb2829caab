// Unicode headings in the engine's single-byte form.
//
// The engine reads headings byte by byte as ANSEL, the character set of
// library records. A UTF-8 heading is converted so that every letter files
// as it would in a record: ASCII stays as it is; letters with diacritics are
// decomposed (compatibility decomposition), their diacritics go out as ANSEL
// combining bytes placed before the base letter; ANSEL's special letters
// (Ł Ø Đ Þ Æ Œ Ơ Ư ı ð and their small forms) go out as their ANSEL bytes;
// typographic quotation marks, dashes and spaces become their ASCII forms;
// ß becomes "ss". Everything else is dropped, never sent as a byte that the
// engine would read as something else.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cutter::text {

struct EngineText {
  std::string bytes;
  std::size_t invalidSequences = 0;  // malformed UTF-8 sequences, dropped
};

EngineText ToEngineBytes(std::string_view utf8);

}  // namespace cutter::text
