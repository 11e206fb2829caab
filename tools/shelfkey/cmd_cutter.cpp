#include <cstdio>
#include <string>
#include <vector>

#include "args.h"
#include "commands.h"
#include "cutter_number.h"
#include "filing_key.h"
#include "readers.h"
#include "search.h"

namespace shelfkey::cli {
namespace {

constexpr char kCutterHelp[] =
    "Usage: shelfkey cutter [--table cutter|sanborn] [--index FILE] HEADING...\n"
    "Print the Cutter number of each heading, one per line, exactly as the\n"
    "engine's entry points give it.\n"
    "\n"
    "  --table cutter    the Cutter Four-Figure Table (default): Ad111, Sco355\n"
    "  --table sanborn   the Cutter-Sanborn Four-Figure Table: A111, S355\n"
    "  --index FILE      the table index file; default CUT4FIG.IDX or CS4FIG.IDX\n"
    "                    in the current directory\n"
    "  -h, --help        show this help\n"
    "\n"
    "A missing or damaged table index file stops the command before any output.\n";

constexpr char kKeyHelp[] =
    "Usage: shelfkey key HEADING...\n"
    "Print the filing key of each heading, one per line: capitals, digits and\n"
    "single spaces, with name prefixes folded (McDonald: MACDONALD).\n"
    "\n"
    "  -h, --help        show this help\n";

constexpr OptionSpec kCutterOptions[] = {
    {"help", 'h', false}, {"table", 't', true}, {"index", 'i', true}};
constexpr OptionSpec kKeyOptions[] = {{"help", 'h', false}};

}  // namespace

int RunCutter(std::span<const char* const> argv, const Streams& io) {
  Args args;
  if (auto error = ParseArgs(argv, kCutterOptions, args)) return UsageError(io, "cutter", *error);
  if (args.Has("help")) {
    std::fputs(kCutterHelp, io.out);
    return FinishOutput(io, "cutter", kExitOk);
  }
  const std::string tableName = args.Value("table").value_or("cutter");
  Table table;
  if (tableName == "cutter") {
    table = Table::Cut4Fig;
  } else if (tableName == "sanborn") {
    table = Table::Cs4Fig;
  } else {
    return UsageError(io, "cutter", "unknown table '" + tableName + "'; use 'cutter' or 'sanborn'");
  }
  if (args.operands.empty()) return UsageError(io, "cutter", "no heading given");
  const std::string indexPath =
      args.Value("index").value_or(table == Table::Cut4Fig ? "CUT4FIG.IDX" : "CS4FIG.IDX");

  std::vector<unsigned char> bytes;
  if (int status = LoadIndexFile(indexPath, io, "cutter", bytes); status != kExitOk) return status;

  MemoryReader reader(bytes);
  FilingKey key;
  char result[kCs4FigResultSize];
  for (const std::string& heading : args.operands) {
    MakeFilingKey(heading.c_str(), key);
    const std::size_t n = LookupText(table, key, FindTableNumber(reader, key), result);
    result[n] = '\n';
    std::fwrite(result, 1, n + 1, io.out);
  }
  return FinishOutput(io, "cutter", kExitOk);
}

int RunKey(std::span<const char* const> argv, const Streams& io) {
  Args args;
  if (auto error = ParseArgs(argv, kKeyOptions, args)) return UsageError(io, "key", *error);
  if (args.Has("help")) {
    std::fputs(kKeyHelp, io.out);
    return FinishOutput(io, "key", kExitOk);
  }
  if (args.operands.empty()) return UsageError(io, "key", "no heading given");
  FilingKey key;
  for (const std::string& heading : args.operands) {
    const std::size_t n = MakeFilingKey(heading.c_str(), key);
    key[n] = '\n';
    std::fwrite(key, 1, n + 1, io.out);
  }
  return FinishOutput(io, "key", kExitOk);
}

}  // namespace shelfkey::cli
