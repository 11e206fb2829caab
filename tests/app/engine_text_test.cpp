#include "engine_text.h"

#include <gtest/gtest.h>

#include "filing_key.h"
#include "utf8.h"

namespace cutter::text {
namespace {

std::string KeyOf(const std::string& utf8) {
  shelfkey::FilingKey key;
  shelfkey::MakeFilingKey(ToEngineBytes(utf8).bytes.c_str(), key);
  return key;
}

TEST(EngineText, HeadingsFileAsInLibraryRecords) {
  struct Case {
    const char* heading;
    const char* key;
  } cases[] = {
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "LODZ"},                        // Łódź
      {"Le Carr\xC3\xA9", "LECARRE"},                                  // Le Carré
      {"Le Carre\xCC\x81", "LECARRE"},                                 // e and a combining acute
      {"O\xE2\x80\x99" "Brien", "OBRIEN"},                             // O’Brien
      {"Dvo\xC5\x99\xC3\xA1k", "DVORAK"},                              // Dvořák
      {"\xC3\x86r\xC3\xB8sk\xC3\xB8" "bing", "AEROSKOBING"},           // Ærøskøbing
      {"Strau\xC3\x9F", "STRAUSS"},                                    // Strauß
      {"\xC3\x9E" "orvaldsen", "THORVALDSEN"},                         // Þorvaldsen
      {"\xC5\x92uvres", "OEUVRES"},                                    // Œuvres
      {"\xC2\xBD" "ph\xC3\xBE", "A 12PHTH"},                           // ½ and þ
      {"\xEF\xAC\x81" "lm", "FILM"},                                   // the ligature ﬁ
      {"\xEF\xBC\xB3\xEF\xBD\x8D\xEF\xBD\x89\xEF\xBD\x94\xEF\xBD\x88", "SMITH"},  // full-width Ｓｍｉｔｈ
      {"\xD0\xA2\xD0\xBE\xD0\xBB\xD1\x81\xD1\x82\xD0\xBE\xD0\xB9", "A 0"},        // Толстой
      {"\xE6\x9D\x91\xE4\xB8\x8A", "A 0"},                             // 村上
      {"M\xC3\xBCller", "MULLER"},                                     // Müller
      {"\xC4\x90" "or\xC4\x91" "e", "DORDE"},                          // Đorđe
      {"\xC4\xB1" "stanbul", "ISTANBUL"},                              // ıstanbul
      {"Nguy\xE1\xBB\x85n \xC6\xAF\xC6\xA1ng", "NGUYEN UONG"},         // Nguyễn Ương
      {"Smith\xE2\x80\x94Jones", "SMITH JONES"},                       // an em dash
      {"Smith\xC2\xA0John", "SMITH JOHN"},                             // a no-break space
      {"\xE2\x80\x9C" "Quoted\xE2\x80\x9D", "QUOTED"},
      {"Mc\xE2\x80\x99" "Bride", "MACBRIDE"},                          // "Mc" row, the apostrophe dropped
      {"M\xE2\x80\x99" "Carthy", "MACCARTHY"},                         // typographic apostrophe is M'
      {"Smith, John,\x1F" "d1950-", "SMITH JOHN1950"},                 // record bytes pass through
      {"\xF0\x9F\x93\x9A Books", "BOOKS"},                             // an emoji is dropped
  };
  for (const Case& c : cases) EXPECT_EQ(KeyOf(c.heading), c.key) << c.heading;
}

TEST(EngineText, DiacriticsGoBeforeTheirLetter) {
  EXPECT_EQ(ToEngineBytes("\xC3\xA9").bytes, "\xE2" "e");
  EXPECT_EQ(ToEngineBytes("e\xCC\x81").bytes, "\xE2" "e");
  EXPECT_EQ(ToEngineBytes("\xE1\xBB\x87").bytes, "\xF2\xE3" "e");  // ệ: dot below, then circumflex
  EXPECT_EQ(ToEngineBytes("\xC5\x81").bytes, "\xA1");
  EXPECT_EQ(ToEngineBytes("\xC6\xA0").bytes, "\xAC");  // Ơ keeps its own byte
}

TEST(EngineText, MalformedBytesAreDroppedAndCounted) {
  const EngineText t = ToEngineBytes("Sm\xFFith\xC3");
  EXPECT_EQ(t.bytes, "Smith");
  EXPECT_EQ(t.invalidSequences, 2u);
  // Nothing comes out as a byte that the engine would take for a letter or digit.
  for (int c = 0x80; c < 0x3000; ++c) {
    char32_t code = static_cast<char32_t>(c);
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    for (char b : ToEngineBytes(EncodeUtf8(std::u32string(1, code))).bytes) {
      const auto u = static_cast<unsigned char>(b);
      const bool ansel = (u >= 0xA1 && u <= 0xBD) || u >= 0xE0;
      EXPECT_TRUE(u < 0x80 || ansel) << std::hex << c << " gives byte " << static_cast<int>(u);
      EXPECT_FALSE((u >= 0x80 && u <= 0x9F) || (u >= 0xC0 && u <= 0xDF)) << std::hex << c;
    }
  }
}

}  // namespace
}  // namespace cutter::text
