#include "index_file.h"

#include <algorithm>
#include <cstdio>

namespace shelfkey::index {
namespace {

bool IsKeyChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' '; }

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
  const std::size_t n = std::min({a.size(), b.size(), kMaxSharedCount});
  std::size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    }
  }
  return out + "\"";
}

std::string Hex(unsigned value) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", value);
  return hex;
}

// Texts compare the way the search compares them: byte by byte as unsigned
// values, which is how the character traits of char compare.
int Compare(std::string_view a, std::string_view b) { return a.compare(b); }

}  // namespace

std::optional<std::string> EntryTextProblem(std::string_view text) {
  if (text.empty()) return "is empty";
  if (text.size() > kMaxEntryLength) {
    return "is " + std::to_string(text.size()) + " characters long; at most " +
           std::to_string(kMaxEntryLength) + " are allowed";
  }
  if (text[0] < 'A' || text[0] > 'Z') return "does not begin with a capital letter A-Z";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsKeyChar(text[i])) {
      return "holds " + Quoted(text.substr(i, 1)) +
             "; entries hold only capitals A-Z, digits and single spaces";
    }
    if (text[i] == ' ' && (i + 1 == text.size() || text[i + 1] == ' ')) {
      return i + 1 == text.size() ? "ends in a space" : "holds two spaces in a row";
    }
  }
  return std::nullopt;
}

std::optional<std::string> GroupKeyProblem(std::string_view key, const std::string* previous,
                                           const std::string& first) {
  if (key.empty() || key.size() > kRecordKeyMaxLength) {
    return "group key " + Quoted(key) + " must have 1 to 7 characters";
  }
  if (key.find('\0') != std::string_view::npos) return "group key " + Quoted(key) + " holds a zero byte";
  if (previous != nullptr && Compare(*previous, key) >= 0) {
    return "group key " + Quoted(key) + " does not sort after the entry before its group, " +
           Quoted(*previous);
  }
  if (Compare(key, first) > 0) {
    return "group key " + Quoted(key) + " sorts after the group's first entry, " + Quoted(first);
  }
  return std::nullopt;
}

std::vector<Group> ChooseGroups(std::span<const Entry> entries) {
  // 255 records and the header fit in 4 KiB.
  constexpr std::size_t kMaxRecordsInPage = (4096 - kHeaderSize) / kRecordSize;
  constexpr std::size_t kMinGroupSize = 16;
  const std::size_t size =
      std::max(kMinGroupSize, (entries.size() + kMaxRecordsInPage - 1) / kMaxRecordsInPage);

  std::vector<Group> groups;
  if (entries.empty()) return groups;
  auto keyOf = [&](std::size_t i) { return entries[i].text.substr(0, kRecordKeyMaxLength); };
  groups.push_back({0, keyOf(0)});
  for (std::size_t i = size; i < entries.size(); ++i) {
    if (i - groups.back().firstEntry < size) continue;
    std::string key = keyOf(i);
    if (Compare(entries[i - 1].text, key) < 0) groups.push_back({i, std::move(key)});
  }
  return groups;
}

std::optional<WriteProblem> WriteIndex(const Contents& contents, std::vector<unsigned char>& out) {
  const std::vector<Entry>& entries = contents.entries;
  if (entries.empty()) return WriteProblem{0, "a table needs at least one entry"};
  if (entries.size() > 0xFFFFFFFFu / kNumberSize) return WriteProblem{0, "too many entries"};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (auto problem = EntryTextProblem(entries[i].text)) {
      return WriteProblem{i, "entry " + Quoted(entries[i].text) + " " + *problem};
    }
    if (i > 0 && Compare(entries[i - 1].text, entries[i].text) >= 0) {
      return WriteProblem{i, "entry " + Quoted(entries[i].text) + " does not sort after " +
                                 Quoted(entries[i - 1].text)};
    }
  }

  std::vector<Group> groups = contents.groups.empty() ? ChooseGroups(entries) : contents.groups;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const std::size_t first = groups[g].firstEntry;
    if (g == 0 && first != 0) return WriteProblem{first, "the first group must start at the first entry"};
    if (g > 0 && (first <= groups[g - 1].firstEntry || first >= entries.size())) {
      return WriteProblem{first, "groups must start at ascending entries"};
    }
    const std::string* previous = g > 0 ? &entries[first - 1].text : nullptr;
    if (auto problem = GroupKeyProblem(groups[g].key, previous, entries[first].text)) {
      return WriteProblem{first, *problem};
    }
    if (!IsStoredByte(groups[g].leadByte)) {
      return WriteProblem{first, "lead byte " + Hex(groups[g].leadByte) + " is outside 0x02-0x7F"};
    }
  }

  // Text section: each entry's stored characters, then the control byte that
  // says how the entry after it is stored.
  std::vector<unsigned char> text;
  const std::string closing(1, static_cast<char>(kClosingEntry));
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const std::size_t begin = groups[g].firstEntry;
    const bool last = g + 1 == groups.size();
    const std::size_t end = last ? entries.size() : groups[g + 1].firstEntry;
    if (text.size() > 0xFFFFFFFFu) return WriteProblem{begin, "text section too large"};
    groups[g].textOffset = static_cast<std::uint32_t>(text.size());
    text.push_back(groups[g].leadByte);
    std::size_t shared = 0;
    for (std::size_t i = begin; i < end; ++i) {
      const std::string& cur = entries[i].text;
      text.insert(text.end(), cur.begin() + static_cast<std::ptrdiff_t>(shared), cur.end());
      if (i + 1 == end && !last) {
        text.push_back(kEndOfGroup);
        continue;
      }
      const std::string& next = i + 1 < entries.size() ? entries[i + 1].text : closing;
      shared = CommonPrefix(cur, next);
      text.push_back(shared == 0 ? kStoredWhole : SharedControl(shared));
    }
  }
  text.push_back(kClosingEntry);
  text.push_back(kEndOfGroup);

  const std::size_t a = groups.size() * kRecordSize;
  const std::size_t b = entries.size() * kNumberSize;
  out.assign(kHeaderSize + a + b, 0);
  PutLe32(out.data(), static_cast<std::uint32_t>(a));
  PutLe32(out.data() + 4, static_cast<std::uint32_t>(b));
  PutLe32(out.data() + 8, contents.headerWord);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    unsigned char* record = out.data() + kHeaderSize + kRecordSize * g;
    std::copy(groups[g].key.begin(), groups[g].key.end(), record);
    PutLe32(record + 8, static_cast<std::uint32_t>(groups[g].firstEntry));
    PutLe32(record + 12, groups[g].textOffset);
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    PutLe32(out.data() + kHeaderSize + a + kNumberSize * i, entries[i].number);
  }
  out.insert(out.end(), text.begin(), text.end());
  return std::nullopt;
}

std::optional<ReadProblem> ReadIndex(std::span<const unsigned char> bytes, Contents* contents) {
  const std::uint64_t size = bytes.size();
  if (size < kHeaderSize) {
    return ReadProblem{0, "the file has " + std::to_string(size) +
                              " bytes, fewer than its 12-byte header"};
  }
  const std::uint64_t a = Le32(bytes.data());
  const std::uint64_t b = Le32(bytes.data() + 4);
  if (a == 0) return ReadProblem{0, "the record section is empty (its length A is 0)"};
  if (a % kRecordSize != 0) {
    return ReadProblem{0, "the record section's length A = " + std::to_string(a) +
                              " is not a multiple of 16"};
  }
  if (b % kNumberSize != 0) {
    return ReadProblem{4, "the number section's length B = " + std::to_string(b) +
                              " is not a multiple of 4"};
  }
  const std::uint64_t textStart = kHeaderSize + a + b;
  if (textStart >= size) {
    return ReadProblem{0, "the header says that the text section starts at offset " +
                              std::to_string(textStart) + ", but the file has only " +
                              std::to_string(size) + " bytes"};
  }

  Contents parsed;
  parsed.headerWord = Le32(bytes.data() + 8);
  const std::size_t groupCount = static_cast<std::size_t>(a / kRecordSize);
  for (std::size_t r = 0; r < groupCount; ++r) {
    const std::uint64_t at = kHeaderSize + kRecordSize * r;
    const unsigned char* record = bytes.data() + at;
    const std::string rname = "record " + std::to_string(r);
    if (std::find(record, record + kRecordKeySize, 0) == record + kRecordKeySize) return ReadProblem{at, rname + ": its key has no zero byte within 8 bytes"};
    const std::string key(reinterpret_cast<const char*>(record));
    if (key.empty()) return ReadProblem{at, rname + ": its key is empty"};
    for (std::size_t i = key.size(); i < kRecordKeySize; ++i) {
      if (record[i] != 0) {
        return ReadProblem{at + i, rname + ": its key field is not zero after the key"};
      }
    }
    if (r > 0 && Compare(parsed.groups.back().key, key) >= 0) {
      return ReadProblem{at, rname + ": key " + Quoted(key) + " does not sort after the key " +
                                 Quoted(parsed.groups.back().key) + " of the record before it"};
    }
    parsed.groups.push_back({Le32(record + 8), key, Le32(record + 12), 0});
  }

  const std::uint64_t numberCount = b / kNumberSize;
  std::uint64_t pos = textStart;
  std::string previous;  // full text of the entry before
  bool closed = false;
  for (std::size_t g = 0; g < groupCount; ++g) {
    Group& group = parsed.groups[g];
    const std::uint64_t recordAt = kHeaderSize + kRecordSize * g;
    const std::string gname = "group " + std::to_string(g);
    if (pos >= size) {
      return ReadProblem{pos, "the text section ends before " + gname + " of " +
                                  std::to_string(groupCount)};
    }
    if (group.textOffset != pos - textStart) {
      return ReadProblem{recordAt + 12, "record " + std::to_string(g) + ": text offset " +
                                            std::to_string(group.textOffset) + ", but its group starts at " +
                                            std::to_string(pos - textStart)};
    }
    if (group.firstEntry != parsed.entries.size()) {
      return ReadProblem{recordAt + 8, "record " + std::to_string(g) + ": first entry " +
                                           std::to_string(group.firstEntry) + ", but its group starts with entry " +
                                           std::to_string(parsed.entries.size())};
    }
    group.leadByte = bytes[static_cast<std::size_t>(pos)];
    if (!IsStoredByte(group.leadByte)) {
      return ReadProblem{pos, gname + ": lead byte " + Hex(group.leadByte) + " is outside 0x02-0x7F"};
    }
    ++pos;

    std::size_t shared = 0;
    for (bool firstInGroup = true;; firstInGroup = false) {
      const std::uint64_t entryAt = pos;
      const std::string ename = "entry " + std::to_string(parsed.entries.size());
      std::string full = previous.substr(0, shared);
      while (pos < size && IsStoredByte(bytes[static_cast<std::size_t>(pos)])) {
        full += static_cast<char>(bytes[static_cast<std::size_t>(pos++)]);
      }
      if (pos >= size) return ReadProblem{pos, "the file ends inside " + ename};
      if (full.size() == shared) return ReadProblem{entryAt, ename + " has no stored character"};
      if (full.size() > kMaxEntryLength) {
        return ReadProblem{entryAt, ename + " is " + std::to_string(full.size()) +
                                        " characters long; at most 67 are allowed"};
      }
      const unsigned char control = bytes[static_cast<std::size_t>(pos)];

      if (static_cast<unsigned char>(full[0]) > 'Z') {
        // The closing entry: last of the last group, then the end of the file.
        if (g + 1 != groupCount || control != kEndOfGroup || pos + 1 != size) {
          return ReadProblem{entryAt, ename + " " + Quoted(full) +
                                          " sorts after every filing key, so it must be the closing "
                                          "entry: the last of the last group, followed by 0x01 and "
                                          "the end of the file"};
        }
        ++pos;
        closed = true;
        break;
      }
      if (auto problem = EntryTextProblem(full)) {
        return ReadProblem{entryAt, ename + " " + Quoted(full) + " " + *problem};
      }
      if (!parsed.entries.empty() && Compare(previous, full) >= 0) {
        return ReadProblem{entryAt, ename + " " + Quoted(full) + " does not sort after " +
                                        Quoted(previous)};
      }
      if (firstInGroup) {
        const std::string* before = g > 0 ? &previous : nullptr;
        if (auto problem = GroupKeyProblem(group.key, before, full)) {
          return ReadProblem{recordAt, "record " + std::to_string(g) + ": " + *problem};
        }
      }
      if (parsed.entries.size() >= numberCount) {
        return ReadProblem{4, "the number section holds " + std::to_string(numberCount) +
                                  " table numbers, but the text section has more entries"};
      }
      const std::uint64_t numberAt = kHeaderSize + a + kNumberSize * parsed.entries.size();
      parsed.entries.push_back({full, Le32(bytes.data() + numberAt)});
      previous = std::move(full);
      ++pos;
      if (control == kEndOfGroup) break;
      if (control == kStoredWhole) {
        shared = 0;
      } else if (control >= 0x80) {
        shared = 256u - control;
        if (shared > previous.size()) {
          return ReadProblem{pos - 1, "control byte " + Hex(control) + " shares " +
                                          std::to_string(shared) + " characters, but " + ename +
                                          " has only " + std::to_string(previous.size())};
        }
      }
    }
    if (closed) break;
  }
  if (!closed) {
    return ReadProblem{pos, "the last group does not end with a closing entry (such as 0x7F) "
                            "that sorts after every filing key"};
  }
  if (parsed.entries.size() != numberCount) {
    return ReadProblem{4, "the number section holds " + std::to_string(numberCount) +
                              " table numbers for " + std::to_string(parsed.entries.size()) +
                              " entries"};
  }
  if (contents != nullptr) *contents = std::move(parsed);
  return std::nullopt;
}

}  // namespace shelfkey::index
