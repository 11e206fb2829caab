#include <cstdio>
#include <string>
#include <vector>

#include "args.h"
#include "commands.h"
#include "files.h"
#include "index_file.h"
#include "table_text.h"

namespace shelfkey::cli {
namespace {

constexpr char kIndexHelp[] =
    "Usage: shelfkey index build TSV -o FILE\n"
    "       shelfkey index dump FILE\n"
    "       shelfkey index check FILE\n"
    "Build, print and check table index files (CUT4FIG.IDX, CS4FIG.IDX).\n"
    "\n"
    "build   reads a table's text (\"-\" for standard input) and writes FILE.\n"
    "        One entry per line: ENTRY<TAB>NUMBER, entries in filing-key form\n"
    "        (capitals, digits, single spaces) and in ascending order. Blank\n"
    "        lines and lines starting with # are skipped. A third column on a\n"
    "        group's first entry gives its record key, a fourth its lead byte\n"
    "        (0x02-0x7F); without them the groups are chosen automatically.\n"
    "        The line \"#!header-word N\" sets the header's third word.\n"
    "dump    prints FILE in that form, group keys included, so that build\n"
    "        makes the same file again.\n"
    "check   checks every rule of the format and reports the first one broken\n"
    "        with its byte offset.\n"
    "\n"
    "  -o, --output FILE   (build) the index file to write; it is replaced only\n"
    "                      once the whole file has been written\n"
    "  -h, --help          show this help\n";

constexpr OptionSpec kIndexOptions[] = {{"help", 'h', false}, {"output", 'o', true}};

int Build(const Args& args, const Streams& io) {
  if (args.operands.size() != 2) return UsageError(io, "index build", "expected one TSV file");
  const auto output = args.Value("output");
  if (!output) return UsageError(io, "index build", "missing '-o FILE'");
  const std::string& source = args.operands[1];

  std::vector<unsigned char> raw;
  std::string error;
  bool missing = false;
  if (!ReadWholeFile(source, io.in, raw, error, missing)) {
    std::fprintf(io.err, "shelfkey index build: %s\n", error.c_str());
    return missing ? kExitNoInput : kExitIoError;
  }
  const std::string_view text(reinterpret_cast<const char*>(raw.data()), raw.size());
  TableText table;
  if (auto problem = ParseTableText(text, table)) {
    std::fprintf(io.err, "shelfkey index build: %s:%zu: %s\n", source.c_str(), problem->line,
                 problem->message.c_str());
    return kExitDataError;
  }
  std::vector<unsigned char> bytes;
  if (auto problem = index::WriteIndex(table.contents, bytes)) {
    const std::size_t line =
        problem->entry < table.lineOfEntry.size() ? table.lineOfEntry[problem->entry] : 0;
    std::fprintf(io.err, "shelfkey index build: %s:%zu: %s\n", source.c_str(), line,
                 problem->message.c_str());
    return kExitDataError;
  }
  if (!WriteFileAtomically(*output, bytes, error)) {
    std::fprintf(io.err, "shelfkey index build: %s\n", error.c_str());
    return kExitCantCreate;
  }
  return kExitOk;
}

int Dump(const Args& args, const Streams& io) {
  if (args.operands.size() != 2) return UsageError(io, "index dump", "expected one index file");
  const std::string& path = args.operands[1];
  std::vector<unsigned char> bytes;
  index::Contents contents;
  if (int status = LoadIndexFile(path, io, "index dump", bytes, &contents); status != kExitOk) {
    return status;
  }
  std::fprintf(io.out,
               "# Table index file %s: %zu entries in %zu groups.\n"
               "# ENTRY<TAB>NUMBER; a group's first entry also has its record key\n"
               "# (and its lead byte where it is not 0x23).\n",
               path.c_str(), contents.entries.size(), contents.groups.size());
  const std::string text = FormatTableText(contents);
  std::fwrite(text.data(), 1, text.size(), io.out);

  // Another writer may share fewer characters between entries than ours does;
  // then the entries, numbers and groups are the same, but not every byte.
  std::vector<unsigned char> rebuilt;
  if (index::WriteIndex(contents, rebuilt) || rebuilt != bytes) {
    std::fprintf(io.err,
                 "shelfkey index dump: note: '%s' stores its entry texts differently from "
                 "'shelfkey index build', so building this text gives a file with the same "
                 "entries, numbers and groups that differs in its text section\n",
                 path.c_str());
  }
  return FinishOutput(io, "index dump", kExitOk);
}

int Check(const Args& args, const Streams& io) {
  if (args.operands.size() != 2) return UsageError(io, "index check", "expected one index file");
  const std::string& path = args.operands[1];
  std::vector<unsigned char> bytes;
  index::Contents contents;
  if (int status = LoadIndexFile(path, io, "index check", bytes, &contents); status != kExitOk) {
    return status;
  }
  std::fprintf(io.out, "%s: well formed: %zu entries in %zu groups, %zu bytes\n", path.c_str(),
               contents.entries.size(), contents.groups.size(), bytes.size());
  return FinishOutput(io, "index check", kExitOk);
}

}  // namespace

int UsageError(const Streams& io, const char* command, const std::string& message) {
  std::fprintf(io.err, "shelfkey %s: %s\nTry 'shelfkey %s --help'.\n", command, message.c_str(),
               command);
  return kExitUsage;
}

int LoadIndexFile(const std::string& path, const Streams& io, const char* command,
                  std::vector<unsigned char>& bytes, index::Contents* contents) {
  std::string error;
  bool missing = false;
  if (!ReadWholeFile(path, io.in, bytes, error, missing)) {
    std::fprintf(io.err, "shelfkey %s: table index file: %s\n", command, error.c_str());
    return missing ? kExitNoInput : kExitIoError;
  }
  if (auto problem = index::ReadIndex(bytes, contents)) {
    std::fprintf(io.err, "shelfkey %s: '%s' is damaged: at byte offset %llu: %s\n", command,
                 path.c_str(), static_cast<unsigned long long>(problem->offset),
                 problem->message.c_str());
    return kExitDataError;
  }
  return kExitOk;
}

int FinishOutput(const Streams& io, const char* command, int status) {
  if (std::fflush(io.out) != 0 || std::ferror(io.out) != 0) {
    std::fprintf(io.err, "shelfkey %s: cannot write the output\n", command);
    return kExitIoError;
  }
  return status;
}

int RunIndex(std::span<const char* const> argv, const Streams& io) {
  Args args;
  if (auto error = ParseArgs(argv, kIndexOptions, args)) return UsageError(io, "index", *error);
  if (args.Has("help")) {
    std::fputs(kIndexHelp, io.out);
    return FinishOutput(io, "index", kExitOk);
  }
  if (args.operands.empty()) return UsageError(io, "index", "missing 'build', 'dump' or 'check'");
  const std::string& action = args.operands[0];
  if (action == "build") return Build(args, io);
  if (action == "dump") return Dump(args, io);
  if (action == "check") return Check(args, io);
  return UsageError(io, "index", "unknown action '" + action + "'; use build, dump or check");
}

}  // namespace shelfkey::cli
