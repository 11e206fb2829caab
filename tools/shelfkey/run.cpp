#include <cstring>
#include <string>
#include <vector>

#include "args.h"
#include "cli.h"
#include "commands.h"

#ifndef SHELFKEY_VERSION
#error "SHELFKEY_VERSION must be defined by the build"
#endif

namespace shelfkey::cli {
namespace {

constexpr char kUsage[] =
    "Usage: shelfkey COMMAND [OPTION]... [ARGUMENT]...\n"
    "Cutter numbers from the Cutter Four-Figure and Cutter-Sanborn tables, and\n"
    "the table index files that hold those tables.\n"
    "\n"
    "Commands:\n"
    "  cutter HEADING...       the Cutter number of each heading\n"
    "  key HEADING...          the filing key of each heading\n"
    "  index build TSV -o FILE build a table index file from a table's text\n"
    "  index dump FILE         print a table index file as text that builds it again\n"
    "  index check FILE        check a table index file against every rule of its format\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help, or a command's help after the command\n"
    "  --version      show the version\n"
    "\n"
    "Exit status: 0 success, 1 some input lines had problems, 64 wrong command\n"
    "line, 65 damaged table index file or malformed table text, 66 a file cannot\n"
    "be opened, 73 an output file cannot be created, 74 a read or write error.\n";

}  // namespace

int Run(int argc, const char* const* argv, const Streams& io) {
  std::vector<const char*> rest(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (rest.empty()) {
    std::fputs(kUsage, io.err);
    return kExitUsage;
  }
  const std::string command = rest.front();
  const std::span<const char* const> commandArgs(rest.data() + 1, rest.size() - 1);
  if (command == "-h" || command == "--help") {
    std::fputs(kUsage, io.out);
    return kExitOk;
  }
  if (command == "--version") {
    std::fputs("shelfkey " SHELFKEY_VERSION "\n", io.out);
    return kExitOk;
  }
  if (command == "cutter") return RunCutter(commandArgs, io);
  if (command == "key") return RunKey(commandArgs, io);
  if (command == "index") return RunIndex(commandArgs, io);
  std::fprintf(io.err, "shelfkey: unknown command '%s'\nTry 'shelfkey --help'.\n", command.c_str());
  return kExitUsage;
}

}  // namespace shelfkey::cli
