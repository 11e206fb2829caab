// Cleaning of the heading field's text before it is computed.
#pragma once

#include <string>

namespace cutter {

struct CleanedHeading {
  std::string text;   // UTF-8
  bool changed;       // whether text differs from the field's text
  int selStart;       // the field's selection, moved with the removed characters
  int selEnd;
};

// Line breaks and tabs become spaces (the field holds one line), then the
// subfield markers " ßb " and " $b " that pasted record text carries are
// replaced by one space each: first every marker with the delimiter ß, from
// left to right, then every " $b ", from left to right, including markers
// that a removal forms. Positions count characters.
CleanedHeading CleanHeadingText(const std::string& utf8, int selStart, int selEnd);

}  // namespace cutter
