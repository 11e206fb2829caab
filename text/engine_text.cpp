#include "engine_text.h"

#include <utf8proc.h>

#include <algorithm>
#include <array>
#include <iterator>

namespace cutter::text {
namespace {

struct Mapping {
  char32_t code;
  unsigned char byte;
};

// ANSEL's special letters, looked up before decomposition (so that Ơ and Ư
// keep their own bytes instead of becoming O and U with a horn).
constexpr Mapping kSpecialLetters[] = {
    {U'\u00C6', 0xA5},  // Æ
    {U'\u00D0', 0xA3},  // Ð (capital eth) files as D-stroke
    {U'\u00D8', 0xA2},  // Ø
    {U'\u00DE', 0xA4},  // Þ
    {U'\u00E6', 0xB5},  // æ
    {U'\u00F0', 0xBA},  // ð
    {U'\u00F8', 0xB2},  // ø
    {U'\u00FE', 0xB4},  // þ
    {U'\u0110', 0xA3},  // Đ
    {U'\u0111', 0xB3},  // đ
    {U'\u0131', 0xB8},  // ı
    {U'\u0141', 0xA1},  // Ł
    {U'\u0142', 0xB1},  // ł
    {U'\u0152', 0xA6},  // Œ
    {U'\u0153', 0xB6},  // œ
    {U'\u01A0', 0xAC},  // Ơ
    {U'\u01A1', 0xBC},  // ơ
    {U'\u01AF', 0xAD},  // Ư
    {U'\u01B0', 0xBD},  // ư
};

// Combining diacritics and their ANSEL bytes, which precede the base letter.
constexpr Mapping kCombining[] = {
    {U'\u0300', 0xE1}, {U'\u0301', 0xE2}, {U'\u0302', 0xE3}, {U'\u0303', 0xE4},
    {U'\u0304', 0xE5}, {U'\u0306', 0xE6}, {U'\u0307', 0xE7}, {U'\u0308', 0xE8},
    {U'\u0309', 0xE0}, {U'\u030A', 0xEA}, {U'\u030B', 0xEE}, {U'\u030C', 0xE9},
    {U'\u0310', 0xEF}, {U'\u0313', 0xFE}, {U'\u0315', 0xED}, {U'\u031C', 0xF8},
    {U'\u0323', 0xF2}, {U'\u0324', 0xF3}, {U'\u0325', 0xF4}, {U'\u0326', 0xF7},
    {U'\u0327', 0xF0}, {U'\u0328', 0xF1}, {U'\u032E', 0xF9}, {U'\u0332', 0xF6},
    {U'\u0333', 0xF5}, {U'\uFE20', 0xEB}, {U'\uFE21', 0xEC}, {U'\uFE22', 0xFA},
    {U'\uFE23', 0xFB},
};

// Punctuation and spaces that have an ASCII form (after decomposition, which
// already turns most odd spaces, full-width forms and ellipses into ASCII).
constexpr Mapping kAsciiForms[] = {
    {U'\u00A0', ' '},  {U'\u2007', ' '},  {U'\u202F', ' '},  {U'\u3000', ' '},
    {U'\u2010', '-'},  {U'\u2011', '-'},  {U'\u2012', '-'},  {U'\u2013', '-'},
    {U'\u2014', '-'},  {U'\u2015', '-'},  {U'\u2212', '-'},  {U'\u2018', '\''},
    {U'\u2019', '\''}, {U'\u201A', '\''}, {U'\u201B', '\''}, {U'\u2032', '\''},
    {U'\u02BC', '\''}, {U'\u201C', '"'},  {U'\u201D', '"'},  {U'\u201E', '"'},
    {U'\u201F', '"'},  {U'\u2033', '"'},  {U'\u00AB', '"'},  {U'\u00BB', '"'},
};

template <std::size_t N>
int Find(const Mapping (&table)[N], char32_t code) {
  for (const Mapping& m : table) {
    if (m.code == code) return m.byte;
  }
  return -1;
}

class Writer {
 public:
  // A character that can carry diacritics.
  void Base(char c) {
    baseAt_ = out_.size();
    marks_ = 0;
    out_ += c;
  }
  void BaseByte(unsigned char b) { Base(static_cast<char>(b)); }
  // A character that carries none.
  void Plain(char c) {
    baseAt_ = std::string::npos;
    out_ += c;
  }
  // A diacritic goes before its base letter, after the ones already there;
  // one without a base letter goes where it stands.
  void Mark(unsigned char b) {
    if (baseAt_ == std::string::npos) {
      out_ += static_cast<char>(b);
      return;
    }
    out_.insert(out_.begin() + static_cast<std::ptrdiff_t>(baseAt_ + marks_), static_cast<char>(b));
    ++marks_;
  }
  void Drop() { baseAt_ = std::string::npos; }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
  std::size_t baseAt_ = std::string::npos;
  std::size_t marks_ = 0;
};

bool IsAsciiLetterOrDigit(char32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

void PutDecomposed(char32_t c, Writer& w) {
  if (c < 0x80) {
    const char ascii = static_cast<char>(c);
    if (IsAsciiLetterOrDigit(c)) {
      w.Base(ascii);
    } else {
      w.Plain(ascii);
    }
    return;
  }
  if (int b = Find(kCombining, c); b >= 0) return w.Mark(static_cast<unsigned char>(b));
  if (int b = Find(kAsciiForms, c); b >= 0) return w.Plain(static_cast<char>(b));
  if (c == U'\u00DF' || c == U'\u1E9E') {  // ß, capital ẞ
    w.Base(c == U'\u00DF' ? 's' : 'S');
    w.Base(c == U'\u00DF' ? 's' : 'S');
    return;
  }
  if (int b = Find(kSpecialLetters, c); b >= 0) return w.BaseByte(static_cast<unsigned char>(b));
  w.Drop();
}

}  // namespace

EngineText ToEngineBytes(std::string_view utf8) {
  EngineText result;
  Writer w;
  const auto* p = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
  utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(utf8.size());
  while (left > 0) {
    utf8proc_int32_t code;
    const utf8proc_ssize_t n = utf8proc_iterate(p, left, &code);
    if (n <= 0) {
      // A malformed sequence: skip one byte and go on with the next.
      ++result.invalidSequences;
      w.Drop();
      ++p;
      --left;
      continue;
    }
    p += n;
    left -= n;
    const auto c = static_cast<char32_t>(code);
    if (c < 0x80) {
      PutDecomposed(c, w);
      continue;
    }
    if (int b = Find(kSpecialLetters, c); b >= 0) {
      w.BaseByte(static_cast<unsigned char>(b));
      continue;
    }
    std::array<utf8proc_int32_t, 32> parts;
    const utf8proc_ssize_t count = utf8proc_decompose_char(
        code, parts.data(), static_cast<utf8proc_ssize_t>(parts.size()),
        static_cast<utf8proc_option_t>(UTF8PROC_DECOMPOSE | UTF8PROC_COMPAT), nullptr);
    if (count <= 0 || count > static_cast<utf8proc_ssize_t>(parts.size())) {
      w.Drop();
      continue;
    }
    for (utf8proc_ssize_t i = 0; i < count; ++i) {
      PutDecomposed(static_cast<char32_t>(parts[static_cast<std::size_t>(i)]), w);
    }
  }
  result.bytes = w.Take();
  return result;
}

}  // namespace cutter::text
