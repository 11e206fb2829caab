// Writing and checking table index files. The engine itself only reads them;
// these serve the tools that build a library's own tables and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "index_format.h"

namespace shelfkey::index {

struct Entry {
  std::string text;  // in filing-key form
  std::uint32_t number;
};

// A group of entries and its record. key is the record key, 1 to 7 characters.
struct Group {
  std::size_t firstEntry;
  std::string key;
  std::uint32_t textOffset = 0;           // filled in by the writer and the reader
  unsigned char leadByte = kDefaultLeadByte;
};

struct Contents {
  std::uint32_t headerWord = 0;
  std::vector<Group> groups;
  std::vector<Entry> entries;  // without the closing entry
};

// Why a text cannot be an entry text, or nothing when it can: 1 to 67
// characters of "A"-"Z", "0"-"9" and single spaces, beginning with a capital.
std::optional<std::string> EntryTextProblem(std::string_view text);

// Why a record key cannot stand before a group whose first entry is first and
// which follows an entry previous (nullptr for the first group).
std::optional<std::string> GroupKeyProblem(std::string_view key, const std::string* previous,
                                           const std::string& first);

// The groups that the writer chooses for ascending entries: about the same
// number of entries in each, and few enough records that the header and all
// of them fit in the first 4 KiB of the file. Each record key is its group's
// first entry cut to 7 characters; a group boundary moves on past entries for
// which that key would not sort after the entry before it.
std::vector<Group> ChooseGroups(std::span<const Entry> entries);

struct WriteProblem {
  std::size_t entry;  // index of the entry the problem concerns
  std::string message;
};

// Builds a well-formed index file from entries in strictly ascending order,
// with the groups of contents (or ChooseGroups when it has none). On a bad
// entry or group the file is not built and the problem is returned.
std::optional<WriteProblem> WriteIndex(const Contents& contents, std::vector<unsigned char>& out);

struct ReadProblem {
  std::uint64_t offset;  // where in the file the broken rule shows
  std::string message;
};

// Checks every rule of the format and reports the first one broken. When the
// file is well formed and contents is given, fills it in.
std::optional<ReadProblem> ReadIndex(std::span<const unsigned char> bytes,
                                     Contents* contents = nullptr);

}  // namespace shelfkey::index
