// The text form of a table: one entry per line, "TEXT<TAB>NUMBER", with the
// group structure of a particular index file in optional further columns.
//
//   # a comment                      blank lines and comments are skipped
//   #!header-word N                  the index file's third header word
//   TEXT<TAB>NUMBER                  an entry
//   TEXT<TAB>NUMBER<TAB>KEY[<TAB>LEAD]
//                                    an entry that starts a group with that
//                                    record key (and lead byte, 0x02-0x7F)
//
// Without any KEY column the writer chooses the groups.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "index_file.h"

namespace shelfkey::cli {

struct TableText {
  index::Contents contents;
  std::vector<std::size_t> lineOfEntry;  // 1-based line number of each entry
};

struct TextProblem {
  std::size_t line;
  std::string message;
};

std::optional<TextProblem> ParseTableText(std::string_view text, TableText& out);

// The text that ParseTableText turns back into the same contents.
std::string FormatTableText(const index::Contents& contents);

}  // namespace shelfkey::cli
