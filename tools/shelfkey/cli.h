// The shelfkey command-line tool, callable in-process for the tests.
#pragma once

#include <cstdio>

namespace shelfkey::cli {

// Exit statuses, after the BSD sysexits convention.
enum ExitCode : int {
  kExitOk = 0,
  kExitSomeLinesFailed = 1,  // the run finished, but some input lines had problems
  kExitUsage = 64,           // wrong command line
  kExitDataError = 65,       // damaged table index file or malformed table text
  kExitNoInput = 66,         // an input or table file cannot be opened
  kExitCantCreate = 73,      // an output file cannot be created
  kExitIoError = 74,         // reading or writing failed, such as a full disk
};

struct Streams {
  std::FILE* in;
  std::FILE* out;
  std::FILE* err;
};

// Runs one command line (argv[0] is the program's name) and returns its exit status.
int Run(int argc, const char* const* argv, const Streams& io);

}  // namespace shelfkey::cli
