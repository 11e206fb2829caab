#include "table_text.h"

#include <charconv>
#include <cstdio>

namespace shelfkey::cli {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <class T>
bool ParseNumber(std::string_view s, T& value, int base = 10) {
  if (s.empty()) return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  return ec == std::errc() && end == s.data() + s.size();
}

bool ParseLeadByte(std::string_view s, unsigned char& lead) {
  unsigned value = 0;
  if (s.size() < 3 || s.substr(0, 2) != "0x" || !ParseNumber(s.substr(2), value, 16)) return false;
  if (!index::IsStoredByte(value)) return false;
  lead = static_cast<unsigned char>(value);
  return true;
}

}  // namespace

std::optional<TextProblem> ParseTableText(std::string_view text, TableText& out) {
  out = {};
  std::size_t lineNo = 0;
  bool explicitGroups = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = text.substr(pos, eol - pos);
    pos = eol + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (line.rfind("#!header-word", 0) == 0) {
      std::string_view value = line.substr(13);
      while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
      if (!ParseNumber(value, out.contents.headerWord)) {
        return TextProblem{lineNo, "'#!header-word' needs a number from 0 to 4294967295"};
      }
      continue;
    }
    if (line.empty() || line[0] == '#') continue;

    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() < 2 || fields.size() > 4) {
      return TextProblem{lineNo, "expected ENTRY<TAB>NUMBER, optionally followed by <TAB>GROUP-KEY "
                                 "and <TAB>LEAD-BYTE; found " +
                                     std::to_string(fields.size()) + " field(s)"};
    }
    index::Entry entry{std::string(fields[0]), 0};
    if (!ParseNumber(fields[1], entry.number)) {
      return TextProblem{lineNo, "table number '" + std::string(fields[1]) +
                                     "' is not a whole number from 0 to 4294967295"};
    }
    const std::size_t entryIndex = out.contents.entries.size();
    if (fields.size() >= 3) {
      if (entryIndex > 0 && !explicitGroups) {
        return TextProblem{lineNo, "a group key appears, but the first entry has none; give every "
                                   "group's first entry its key, or none at all"};
      }
      explicitGroups = true;
      index::Group group{entryIndex, std::string(fields[2])};
      if (fields.size() == 4 && !ParseLeadByte(fields[3], group.leadByte)) {
        return TextProblem{lineNo, "lead byte '" + std::string(fields[3]) +
                                       "' must be written 0x02 to 0x7F"};
      }
      out.contents.groups.push_back(std::move(group));
    }
    out.contents.entries.push_back(std::move(entry));
    out.lineOfEntry.push_back(lineNo);
  }
  if (out.contents.entries.empty()) return TextProblem{lineNo, "the table has no entries"};
  return std::nullopt;
}

std::string FormatTableText(const index::Contents& contents) {
  std::string text;
  if (contents.headerWord != 0) text += "#!header-word " + std::to_string(contents.headerWord) + "\n";
  std::size_t g = 0;
  for (std::size_t i = 0; i < contents.entries.size(); ++i) {
    const index::Entry& entry = contents.entries[i];
    text += entry.text;
    text += '\t';
    text += std::to_string(entry.number);
    if (g < contents.groups.size() && contents.groups[g].firstEntry == i) {
      text += '\t';
      text += contents.groups[g].key;
      if (contents.groups[g].leadByte != index::kDefaultLeadByte) {
        char lead[8];
        std::snprintf(lead, sizeof lead, "\t0x%02X", contents.groups[g].leadByte);
        text += lead;
      }
      ++g;
    }
    text += '\n';
  }
  return text;
}

}  // namespace shelfkey::cli
