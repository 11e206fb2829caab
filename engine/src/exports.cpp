// The library's two exported entry points. They keep the engine's classic
// contract: one static filing-key buffer and one static result buffer per
// lookup, so calls must not overlap.
#include "shelfkey.h"

#include <cstring>

#include "cutter_number.h"
#include "filing_key.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

shelfkey::FilingKey g_filingKey;
char g_cut4FigResult[shelfkey::kCut4FigResultSize];
char g_cs4FigResult[shelfkey::kCs4FigResultSize];

// Copies a result text, which never holds a "%", into the caller's buffer.
int CopyResult(char* out, const char* text) {
#if defined(_WIN32)
  return wsprintfA(out, "%s", text);
#else
  const std::size_t n = std::strlen(text);
  std::memcpy(out, text, n + 1);
  return static_cast<int>(n);
#endif
}

}  // namespace

extern "C" int SHELFKEY_CALL GetCut4FigVB(const char* indexFile, const char* heading,
                                          char* result) {
  shelfkey::MakeFilingKey(heading, g_filingKey);
  return CopyResult(result, shelfkey::GetCut4Fig(g_filingKey, indexFile, g_cut4FigResult));
}

extern "C" int SHELFKEY_CALL GetCs4FigVB(const char* indexFile, const char* heading,
                                         char* result) {
  shelfkey::MakeFilingKey(heading, g_filingKey);
  return CopyResult(result, shelfkey::GetCs4Fig(g_filingKey, indexFile, g_cs4FigResult));
}
