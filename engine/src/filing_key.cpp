#include "filing_key.h"

#include <cstring>

namespace shelfkey {
namespace {

// Codes of the character map below other than "append this character".
enum : unsigned char {
  kDrop = 0,      // the byte adds nothing
  kSkipNext = 1,  // the byte and the byte after it add nothing
  kBracket = 2,   // "[": may open an insertion that is skipped
  kTH = 3,        // append "TH"
  kAE = 4,        // append "AE"
  kOE = 5,        // append "OE"
  kSpace = ' ',   // a space, unless the key is empty or already ends in one
};

constexpr unsigned char _ = kDrop;
constexpr unsigned char S = kSkipNext;
constexpr unsigned char W = kSpace;

// What each heading byte adds to the key. The upper half reads ANSEL, the
// character set of library records: its special letters become capitals,
// its combining diacritics (0xE0 up) and other characters are dropped.
constexpr unsigned char kCharMap[256] = {
  // 0x00-0x1F: controls dropped; escape (0x1B) and subfield delimiter (0x1F) take the next byte along
  _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,
  _, _, _, _, _, _, _, _, _, _, _, S, _, _, _, S,
  // 0x20-0x2F: space, "-", "." and "/" separate words; other punctuation is dropped
  W, _, _, _, _, _, _, _, _, _, _, _, _, W, W, W,
  // 0x30-0x3F: digits kept
  '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', _, _, _, _, _, _,
  // 0x40-0x5F: capitals kept; "[" may open an insertion
  _, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O',
  'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', kBracket, _, _, _, _,
  // 0x60-0x7F: small letters become capitals
  _, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O',
  'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', _, _, _, _, _,
  // 0x80-0x89 and 0x90-0x99: digits "0"-"9"
  '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', _, _, _, _, _, _,
  '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', _, _, _, _, _, _,
  // 0xA0-0xAF: ANSEL capitals L-stroke, O-stroke, D-stroke, thorn, AE, OE; O-hook, U-hook
  _, 'L', 'O', 'D', kTH, kAE, kOE, _, _, _, _, _, 'O', 'U', _, _,
  // 0xB0-0xBF: their small forms, dotless i, eth
  _, 'L', 'O', 'D', kTH, kAE, kOE, _, 'I', _, 'D', _, 'O', 'U', 'L', _,
  // 0xC0-0xCF: only 0xC1, 0xC2 and 0xC4 give letters
  _, 'A', 'B', _, 'G', _, _, _, _, _, _, _, _, _, _, _,
  // 0xD0-0xFF: dropped, among them ANSEL's combining diacritics
  _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,
  _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,
  _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,
};

struct Prefix {
  const char* literal;  // matched case-sensitively at the heading's first byte
  const char* output;   // what the key starts with instead; no space
};

// Name prefixes folded to one spelling, tried in this order; the first match
// wins. "Mc " comes before "Mc" so that the space goes with the prefix.
constexpr Prefix kPrefixes[] = {
  {"Mc ", "MAC"},  {"Mac ", "MAC"}, {"M'", "MAC"},   {"Mc", "MAC"},
  {"De ", "DE"},   {"de ", "DE"},   {"Del ", "DEL"}, {"del ", "DEL"},
  {"Di ", "DI"},   {"di ", "DI"},   {"Du ", "DU"},   {"du ", "DU"},
  {"El ", "EL"},   {"el ", "EL"},   {"El-", "EL"},   {"el-", "EL"},
  {"La ", "LA"},   {"la ", "LA"},   {"Le ", "LE"},   {"le ", "LE"},
  {"San ", "SAN"}, {"san ", "SAN"}, {"Van ", "VAN"}, {"van ", "VAN"},
  {"Von ", "VON"}, {"von ", "VON"},
};

// Length of literal when the text begins with it, else 0. Stops at the first
// differing byte, so a shorter text is never read past its zero.
std::size_t MatchLiteral(const char* text, const char* literal) {
  std::size_t i = 0;
  for (; literal[i] != '\0'; ++i) {
    if (text[i] != literal[i]) return 0;
  }
  return i;
}

// The scan ends once the key holds this many characters; a two-character
// expansion taken just below it reaches the maximum of 63.
constexpr std::size_t kScanLimit = 62;

}  // namespace

std::size_t MakeFilingKey(const char* heading, FilingKey& key) {
  std::size_t len = 0;
  const char* p = heading;

  for (const Prefix& prefix : kPrefixes) {
    if (prefix.literal[0] != heading[0]) continue;
    if (std::size_t n = MatchLiteral(heading, prefix.literal)) {
      len = std::strlen(prefix.output);
      std::memcpy(key, prefix.output, len);
      p = heading + n;
      break;
    }
  }

  while (*p != '\0' && len < kScanLimit) {
    const unsigned char code = kCharMap[static_cast<unsigned char>(*p)];
    ++p;
    switch (code) {
      case kDrop:
        break;
      case kSkipNext:
        if (*p != '\0') ++p;
        break;
      case kBracket:
        if (MatchLiteral(p, "sic") || MatchLiteral(p, "i.e.")) {
          const char* close = std::strchr(p, ']');
          if (close == nullptr) {
            p = "";  // an insertion that never closes ends the scan
          } else {
            p = close + 1;
          }
        }
        break;
      case kTH:
        key[len++] = 'T';
        key[len++] = 'H';
        break;
      case kAE:
        key[len++] = 'A';
        key[len++] = 'E';
        break;
      case kOE:
        key[len++] = 'O';
        key[len++] = 'E';
        break;
      case kSpace:
        if (len > 0 && key[len - 1] != ' ') key[len++] = ' ';
        break;
      default:
        key[len++] = static_cast<char>(code);
        break;
    }
  }

  if (len > 0 && key[len - 1] == ' ') --len;

  if (len == 0) {
    std::memcpy(key, "A 0", 3);
    len = 3;
  } else if (key[0] >= '0' && key[0] <= '9') {
    // "A " goes in front; the cut to 63 characters may leave a trailing space.
    const std::size_t kept = len < kFilingKeyMaxLength - 2 ? len : kFilingKeyMaxLength - 2;
    std::memmove(key + 2, key, kept);
    key[0] = 'A';
    key[1] = ' ';
    len = kept + 2;
  }
  key[len] = '\0';
  return len;
}

}  // namespace shelfkey
