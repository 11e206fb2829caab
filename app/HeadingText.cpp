#include "HeadingText.h"

#include "utf8.h"

namespace cutter {
namespace {

constexpr char32_t kMarkerDelimiters[] = {U'\u00DF', U'$'};

bool IsLineBreakOrTab(char32_t c) {
  return c == U'\n' || c == U'\r' || c == U'\t' || c == U'\v' || c == U'\f' || c == U'\u0085' ||
         c == U'\u2028' || c == U'\u2029';
}

void MoveForRemoval(int& pos, std::size_t at, std::size_t count) {
  const auto p = static_cast<std::size_t>(pos < 0 ? 0 : pos);
  if (p > at) pos -= static_cast<int>(p - at < count ? p - at : count);
}

}  // namespace

CleanedHeading CleanHeadingText(const std::string& utf8, int selStart, int selEnd) {
  const std::u32string original = text::DecodeUtf8(utf8);
  std::u32string chars;
  chars.reserve(original.size());
  for (std::size_t i = 0; i < original.size(); ++i) {
    if (original[i] == U'\r' && i + 1 < original.size() && original[i + 1] == U'\n') {
      MoveForRemoval(selStart, chars.size(), 1);
      MoveForRemoval(selEnd, chars.size(), 1);
      continue;  // "\r\n" is one line break
    }
    chars += IsLineBreakOrTab(original[i]) ? U' ' : original[i];
  }

  // Removing markers one at a time from the left is the same as appending
  // the characters one by one and dropping a marker as soon as the output
  // ends in one: a removal can only form a new marker that ends further on.
  // Removing " $b " never forms a marker with ß, so each kind is one pass.
  for (char32_t delimiter : kMarkerDelimiters) {
    const std::u32string marker = {U' ', delimiter, U'b', U' '};
    std::u32string out;
    out.reserve(chars.size());
    int newStart = -1, newEnd = -1;
    for (std::size_t i = 0; i <= chars.size(); ++i) {
      if (static_cast<int>(i) == selStart) newStart = static_cast<int>(out.size());
      if (static_cast<int>(i) == selEnd) newEnd = static_cast<int>(out.size());
      if (i == chars.size()) break;
      out += chars[i];
      if (out.size() >= marker.size() &&
          out.compare(out.size() - marker.size(), marker.size(), marker) == 0) {
        const std::size_t at = out.size() - marker.size();
        out.erase(at, 3);  // the marker's second space stays
        if (newStart >= 0) MoveForRemoval(newStart, at, 3);
        if (newEnd >= 0) MoveForRemoval(newEnd, at, 3);
      }
    }
    selStart = newStart >= 0 ? newStart : static_cast<int>(out.size());
    selEnd = newEnd >= 0 ? newEnd : static_cast<int>(out.size());
    chars = std::move(out);
  }
  std::string cleaned = text::EncodeUtf8(chars);
  const bool changed = cleaned != utf8;
  return {std::move(cleaned), changed, selStart, selEnd};
}

}  // namespace cutter
