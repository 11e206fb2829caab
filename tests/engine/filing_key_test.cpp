#include "filing_key.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace shelfkey {
namespace {

std::string Key(const std::string& heading) {
  FilingKey key;
  const std::size_t n = MakeFilingKey(heading.c_str(), key);
  EXPECT_EQ(n, std::strlen(key)) << "returned length of " << heading;
  return key;
}

struct Case {
  const char* heading;
  const char* key;
};

// Byte escapes are closed with "" so that a following hex letter is not
// read as part of them.
constexpr Case kCases[] = {
    // name prefixes: only at the first byte, case-sensitive, first row wins
    {"McDonald", "MACDONALD"},
    {"Mc Donald", "MACDONALD"},
    {"MacDonald", "MACDONALD"},
    {"Mac Donald", "MACDONALD"},
    {"Mc-Donald", "MAC DONALD"},
    {"Mac-Donald", "MAC DONALD"},
    {"Mc", "MAC"},
    {"M'Carthy", "MACCARTHY"},
    {"MCDONALD", "MCDONALD"},
    {"MAC DONALD", "MAC DONALD"},
    {" McDonald", "MCDONALD"},
    {"Mc  Donald", "MAC DONALD"},
    {"Van Buren", "VANBUREN"},
    {"VAN BUREN", "VAN BUREN"},
    {"van der Berg", "VANDER BERG"},
    {"Von der Heide", "VONDER HEIDE"},
    {"De la Mare", "DELA MARE"},
    {"DE LA MARE", "DE LA MARE"},
    {"de Gaulle", "DEGAULLE"},
    {"Del Rio", "DELRIO"},
    {"Delgado", "DELGADO"},
    {"Di Stefano", "DISTEFANO"},
    {"Du Bois", "DUBOIS"},
    {"El-Amin", "ELAMIN"},
    {"el-Amin", "ELAMIN"},
    {"El Greco", "ELGRECO"},
    {"La Fontaine", "LAFONTAINE"},
    {"Le-Roy", "LE ROY"},
    {"San Martin", "SANMARTIN"},
    {"Santos", "SANTOS"},
    {"M", "M"},
    {"D", "D"},
    // punctuation and spaces
    {"O'Brien", "OBRIEN"},
    {"St. John's", "ST JOHNS"},
    {"U.S.A.", "U S A"},
    {"Smith, John", "SMITH JOHN"},
    {"A & B", "A B"},
    {"a/b-c.d", "A B C D"},
    // insertions
    {"Histoire [sic] de France", "HISTOIRE DE FRANCE"},
    {"Smyth [i.e. Smith], John", "SMYTH JOHN"},
    {"a[sic]b", "AB"},
    {"Tales [sicily]", "TALES"},
    {"Tales [Sicily]", "TALES SICILY"},
    {"Smith [by] Jones", "SMITH BY JONES"},
    {"[i.e] x", "I E X"},
    {"Hamlet [sic", "HAMLET"},
    {"Hamlet [si", "HAMLET SI"},
    {"[", "A 0"},
    // empty and digit rules
    {"[sic]", "A 0"},
    {"", "A 0"},
    {"...", "A 0"},
    {"&", "A 0"},
    {"0", "A 0"},
    {"1984", "A 1984"},
    {"12 days of rain", "A 12 DAYS OF RAIN"},
    {"\x92" "Tis", "A 2TIS"},
    // library record bytes: delimiters, escapes, ANSEL letters and diacritics
    {"Smith, John,\x1F" "d1950-", "SMITH JOHN1950"},
    {"Smith\x1F", "SMITH"},
    {"H\x1B" "b2\x1B" "sO", "H2O"},
    {"X\x1B(BY", "XBY"},
    {"\xA5lfric", "AELFRIC"},
    {"\xA4orvaldsen", "THORVALDSEN"},
    {"\xA6uvres", "OEUVRES"},
    {"\xB5sop", "AESOP"},
    {"Br\xB2nsted", "BRONSTED"},
    {"\xA1\xE2od\xE2z", "LODZ"},
    {"\xB8stanbul", "ISTANBUL"},
    {"\xBA" "a\xBE", "DAL"},
    {"\xC1\xC2\xC3\xC4", "ABG"},
    {"\x80\x89\x8A\x90\x99\x9A", "A 0909"},
    // Windows code page letters are not ANSEL: dropped, or misread as digits
    {"Le Carr\xE9", "LECARR"},
    {"Le Carr\xE2" "e", "LECARRE"},
    {"O\x92" "Brien", "O2BRIEN"},
    {"M\xFCller", "MLLER"},
    {"\xC6sop", "SOP"},
};

TEST(FilingKey, FoldsHeadingsAsTheTablesFileThem) {
  for (const Case& c : kCases) EXPECT_EQ(Key(c.heading), c.key) << "heading: " << c.heading;
}

TEST(FilingKey, LengthLimits) {
  const std::string a61(61, 'a'), a62(62, 'a'), a58(58, 'a'), a59(59, 'a');
  struct LengthCase {
    std::string heading;
    std::string key;
  } cases[] = {
      {std::string(70, 'a'), std::string(62, 'A')},                           // scan stops at 62
      {a61 + "\xA5" + "bc", std::string(61, 'A') + "AE"},                     // expansion at 61 gives 63
      {a62 + "\xA5", std::string(62, 'A')},                                   // no expansion at 62
      {"Van " + std::string(70, 'b'), "VAN" + std::string(59, 'B')},          // prefix output counts
      {"1" + a59 + " bc", "A 1" + std::string(59, 'A') + " "},                // digit rule cut keeps a space
      {"1" + a58 + " bc", "A 1" + std::string(58, 'A') + " B"},               // digit rule cut loses a letter
      {std::string(61, 'a') + " b", std::string(61, 'A')},                    // space then length stop
      {std::string(100, ' ') + "x", "X"},                                     // runs of spaces merge
  };
  for (const LengthCase& c : cases) {
    const std::string key = Key(c.heading);
    EXPECT_EQ(key, c.key) << "heading: " << c.heading;
    EXPECT_LE(key.size(), kFilingKeyMaxLength);
  }
}

TEST(FilingKey, NothingOfAnEarlierKeyShows) {
  FilingKey key;
  MakeFilingKey(std::string(70, 'z').c_str(), key);
  MakeFilingKey("1", key);
  EXPECT_STREQ(key, "A 1");
  MakeFilingKey("Scott", key);
  MakeFilingKey("", key);
  EXPECT_STREQ(key, "A 0");
}

TEST(FilingKey, EveryByteValueGivesAWellFormedKey) {
  // Each byte alone and between letters: a key of capitals, digits and single
  // spaces that starts with a capital, whatever the byte.
  for (int b = 1; b < 256; ++b) {
    for (const std::string& heading :
         {std::string(1, static_cast<char>(b)), "x" + std::string(1, static_cast<char>(b)) + "y",
          std::string(1, static_cast<char>(b)) + "7"}) {
      const std::string key = Key(heading);
      ASSERT_FALSE(key.empty());
      EXPECT_TRUE(key[0] >= 'A' && key[0] <= 'Z') << "byte " << b << ": " << key;
      EXPECT_EQ(key.find("  "), std::string::npos) << "byte " << b;
      EXPECT_NE(key.back(), ' ') << "byte " << b;
      for (char c : key) {
        EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') << "byte " << b;
      }
    }
  }
}

}  // namespace
}  // namespace shelfkey
